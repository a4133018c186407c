#pragma once

#include "platform/SelfUnloadingWindow.h"

#include <QString>
#include <QWidget>

class QPdfDocument;
class QPdfView;

// The wiring-diagram viewer "Wiring Diagrams": "wiring diagrams.pdf" of the
// program folder in a PDF view that fills the window, its pages one below the
// other (scroll, Page Up / Page Down), fitted to the width; Ctrl++ and Ctrl+-
// zoom, Ctrl+0 fits the width again. One instance, through
// FormInstance<frmWiring>; it unloads when it loses the focus, and its unload
// shows the main window.
class frmWiring : public SelfUnloadingWindow {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Wiring;
    frmWiring();
    ~frmWiring() override;

    void Form_Load();
    void Form_Resize();
    void Form_Unload();

    // Why the document could not be shown, or empty once it is shown.
    QString Problem;

    QPdfDocument* Document = nullptr;
    QPdfView* Pdf1 = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Zoom_By(double factor);
};
