#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Message boxes and file dialogs. Every part of the program asks through
// Dialogs::current(), so the program shows real Qt dialogs and the tests install a
// scripted provider that answers in order and records what was asked.
namespace Dialogs {

enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };
// Which button of the set Enter presses: the first ("Yes", "Ok", ...) unless a
// question whose first answer is dangerous makes the second the default.
enum class DefaultButton { First, Second, Third };

struct FileRequest {
    QString title;
    QString folder;     // initial folder
    QString filter;     // "Map files (*.kvr)|*.kvr" style, "|" separated pairs
    QString defaultExt; // without the dot
    QString fileName;   // initial file name
};

class Provider {
public:
    virtual ~Provider() = default;
    virtual Answer message(const QString& title, const QString& text, Buttons buttons, Icon icon,
                           DefaultButton defaultButton) = 0;
    // The chosen file's path, or an empty text when the user cancelled.
    virtual QString openFile(const FileRequest& request) = 0;
    // The same for a file to write. The dialog never asks about replacing a file
    // that is there: the caller knows the name it will write (after adding the
    // default extension or its own rules) and asks about that file itself.
    virtual QString saveFile(const FileRequest& request) = 0;
    // A folder chosen by the user (title and initial folder as in request), or
    // an empty text when the user cancelled.
    virtual QString chooseFolder(const FileRequest& request) = 0;
    // A message that names many things, one a line (the maps a copy left out):
    // intro above a list that scrolls, in a box that fits the screen, OK only.
    // A provider without a box of its own shows it as one message, the intro
    // and the items a line each.
    virtual void list(const QString& title, const QString& intro, const QStringList& items,
                      Icon icon);
};

// The provider in use; the Qt one unless another was installed.
Provider& current();
// Installs a provider (not owned); nullptr puts the Qt one back.
void install(Provider* provider);

// Shorthand for current().message(...), in the order the program's calls read.
Answer msgBox(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
              const QString& title = QString(), DefaultButton defaultButton = DefaultButton::First);

// Shorthand for current().list(...); the title as msgBox gives it.
void listBox(const QString& intro, const QStringList& items, Icon icon = Icon::None,
             const QString& title = QString());

// Tells the user once the code that found the problem has returned to the event
// loop: the receive handler and the poll timer must never wait on a box, or the
// link stops while the unit still answers. Messages show one at a time in the
// order told; a text that is waiting or showing already is not queued again.
void msgBoxLater(const QString& text, Icon icon, const QString& title);
// Messages told later that have not been closed yet.
int laterWaiting();

// The answer of button 1..3 of a set (the first when the set has fewer).
Answer Button_Answer(Buttons buttons, DefaultButton which);

// Real dialogs on Qt widgets.
class QtProvider : public Provider {
public:
    Answer message(const QString& title, const QString& text, Buttons buttons, Icon icon,
                   DefaultButton defaultButton) override;
    QString openFile(const FileRequest& request) override;
    QString saveFile(const FileRequest& request) override;
    QString chooseFolder(const FileRequest& request) override;
    // Its list is a scrolling list; the box is at most three quarters of the
    // screen the program is on, so OK is always in reach.
    void list(const QString& title, const QString& intro, const QStringList& items,
              Icon icon) override;
};

// Answers from a script, in order, and records every request. With the script
// empty a message gets its default button, as Enter would give it, and a file
// dialog is cancelled.
class ScriptedProvider : public Provider {
public:
    struct Record {
        QString kind; // "message", "list", "open", "save" or "folder"
        QString title;
        // Message text, the file dialog's filter, or a list's intro and items
        // a line each (as one message would show them).
        QString text;
        QStringList items; // a list's items
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        DefaultButton defaultButton = DefaultButton::First;
    };

    ScriptedProvider();
    ~ScriptedProvider() override;

    void answer(Answer a) { answers_.push_back(a); }
    void file(const QString& path) { files_.push_back(path); }

    Answer message(const QString& title, const QString& text, Buttons buttons, Icon icon,
                   DefaultButton defaultButton) override;
    QString openFile(const FileRequest& request) override;
    QString saveFile(const FileRequest& request) override;
    // Answers with the next scripted file(); the record's text is the initial folder.
    QString chooseFolder(const FileRequest& request) override;
    void list(const QString& title, const QString& intro, const QStringList& items,
              Icon icon) override;

    const std::vector<Record>& records() const { return records_; }
    QStringList texts() const;
    void clear() { records_.clear(); }

private:
    std::vector<Answer> answers_;
    std::vector<QString> files_;
    std::vector<Record> records_;
    Provider* previous_ = nullptr;
};

} // namespace Dialogs
