#pragma once

#include "platform/SelfUnloadingWindow.h"
#include <QPointer>

class QAction;
class QGroupBox;
class QTextEdit;

// The quick reference of the console's two-letter commands. Opened and closed by
// the main window's "Dos Commands Help" (Ctrl+D), whose tick says whether it is
// shown; it unloads itself as soon as another window becomes active, and every
// unload clears that tick.
class frmDosCMD : public SelfUnloadingWindow {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Link;
    frmDosCMD();
    ~frmDosCMD() override;

    // The menu entry's handler: shows the window and ticks the entry, or, when it
    // is shown, unloads it (which clears the tick).
    static void mnuDosHelp_Click(QAction* mnuDosHelp);
    // Unloads the window if it is loaded (the main window's unload).
    static void Unload();

    void Form_Load();
    void Form_Unload();

    // The fixed document, as plain text lines.
    static QString Help_Text();

    QGroupBox* Frame1 = nullptr;
    QTextEdit* RichTextBox1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPointer<QAction> menu_;
};
