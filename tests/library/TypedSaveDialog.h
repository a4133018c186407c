#pragma once

#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <memory>

// The real save dialog, its file name typed by keys as a user types it, then
// Enter; every other question goes to the provider that was in use (the
// scripted one of the fixture), which records it. Installed while it lives.
class TypedSaveDialog : public Dialogs::Provider {
public:
    explicit TypedSaveDialog(QString typed)
        : typed_(std::move(typed)), previous_(&Dialogs::current()) {
        Dialogs::install(this);
    }
    ~TypedSaveDialog() override { Dialogs::install(previous_); }
    TypedSaveDialog(const TypedSaveDialog&) = delete;
    TypedSaveDialog& operator=(const TypedSaveDialog&) = delete;

    Dialogs::Answer message(const QString& title, const QString& text, Dialogs::Buttons buttons,
                            Dialogs::Icon icon, Dialogs::DefaultButton defaultButton) override {
        return previous_->message(title, text, buttons, icon, defaultButton);
    }
    QString openFile(const Dialogs::FileRequest& request) override {
        return previous_->openFile(request);
    }
    QString chooseFolder(const Dialogs::FileRequest& request) override {
        return previous_->chooseFolder(request);
    }
    QString saveFile(const Dialogs::FileRequest& request) override {
        ++shown;
        // The wait ends with the dialog: it never outlives this provider.
        const auto waiting = std::make_shared<bool>(true);
        typeOnceShown(waiting, 0);
        const QString path = Dialogs::QtProvider().saveFile(request);
        *waiting = false;
        return path;
    }

    // How often the save dialog was shown, and whether the name was typed into it.
    int shown = 0;
    bool typed = false;

private:
    // Waits (up to some 5 s) for the dialog to be the active modal window, then
    // types into its file name box.
    void typeOnceShown(const std::shared_ptr<bool>& waiting, int tries) {
        QTimer::singleShot(20, [this, waiting, tries] {
            if (!*waiting)
                return;
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QLineEdit* box =
                dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
            if (!box || !box->isVisible()) {
                if (tries < 250)
                    typeOnceShown(waiting, tries + 1);
                else if (dialog)
                    dialog->reject();
                return;
            }
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, typed_);
            typed = box->text() == typed_;
            QTest::keyClick(box, Qt::Key_Return);
        });
    }

    QString typed_;
    Dialogs::Provider* previous_;
};
