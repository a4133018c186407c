#include "platform/Dialogs.h"

#include "platform/Step.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <deque>

namespace Dialogs {

namespace {
QtProvider& qtProvider() {
    static QtProvider p;
    return p;
}
Provider* installed = nullptr;

QString qtFilter(const QString& filter) {
    // "Text (*.txt)|*.txt|All (*.*)|*.*" -> "Text (*.txt);;All (*.*)"
    const QStringList parts = filter.split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out << QStringLiteral("%1 (%2)").arg(parts.at(i).section('(', 0, 0).trimmed(),
                                             QString(parts.at(i + 1)).replace(';', ' '));
    if (out.isEmpty() && !filter.isEmpty())
        out << filter;
    return out.join(QStringLiteral(";;"));
}

QString withDefaultExt(QString path, const QString& ext) {
    if (!path.isEmpty() && !ext.isEmpty() && !path.section('/', -1).contains('.'))
        path += '.' + ext;
    return path;
}
// The window the user worked in gets the keyboard back once a dialog is closed,
// whatever the desktop would activate. The dialogs have no parent: a window that
// closes itself meanwhile must not take a dialog that is still running with it.
class ReturnFocus {
public:
    ReturnFocus() : window_(QApplication::activeWindow()) {}
    // The window the user worked in, if any.
    QWidget* window() const { return window_.data(); }
    ~ReturnFocus() {
        if (window_ && window_->isVisible())
            window_->activateWindow();
    }
    ReturnFocus(const ReturnFocus&) = delete;
    ReturnFocus& operator=(const ReturnFocus&) = delete;

private:
    QPointer<QWidget> window_;
};

} // namespace

Provider& current() {
    return installed ? *installed : qtProvider();
}

void install(Provider* provider) {
    installed = provider;
}

Answer msgBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
              DefaultButton defaultButton) {
    return current().message(title.isEmpty() ? QApplication::applicationName() : title, text,
                             buttons, icon, defaultButton);
}

void listBox(const QString& intro, const QStringList& items, Icon icon, const QString& title) {
    current().list(title.isEmpty() ? QApplication::applicationName() : title, intro, items, icon);
}

void Provider::list(const QString& title, const QString& intro, const QStringList& items,
                    Icon icon) {
    message(title, items.isEmpty() ? intro : intro + '\n' + items.join('\n'), Buttons::Ok, icon,
            DefaultButton::First);
}

namespace {

struct LaterMessage {
    QString text;
    Icon icon;
    QString title;
};
// The first is the one showing once showingLater is set.
std::deque<LaterMessage>& laterMessages() {
    static std::deque<LaterMessage> queue;
    return queue;
}
bool showingLater = false;

void showLater() {
    if (showingLater || laterMessages().empty())
        return;
    showingLater = true;
    const LaterMessage m = laterMessages().front();
    try {
        msgBox(m.text, Buttons::Ok, m.icon, m.title);
    } catch (...) {
        // The box that failed goes, and the ones after it still show: the
        // guard tells this step's stop, itself a later message.
        laterMessages().pop_front();
        showingLater = false;
        throw;
    }
    laterMessages().pop_front();
    showingLater = false;
    if (!laterMessages().empty())
        QTimer::singleShot(0, qApp, Step::Guarded(showLater));
}

} // namespace

void msgBoxLater(const QString& text, Icon icon, const QString& title) {
    for (const LaterMessage& m : laterMessages())
        if (m.text == text && m.title == title)
            return;
    laterMessages().push_back({text, icon, title});
    QTimer::singleShot(0, qApp, Step::Guarded(showLater));
}

int laterWaiting() {
    return static_cast<int>(laterMessages().size());
}

Answer Button_Answer(Buttons buttons, DefaultButton which) {
    std::vector<Answer> set;
    switch (buttons) {
    case Buttons::Ok:
        set = {Answer::Ok};
        break;
    case Buttons::OkCancel:
        set = {Answer::Ok, Answer::Cancel};
        break;
    case Buttons::YesNo:
        set = {Answer::Yes, Answer::No};
        break;
    case Buttons::YesNoCancel:
        set = {Answer::Yes, Answer::No, Answer::Cancel};
        break;
    case Buttons::RetryCancel:
        set = {Answer::Retry, Answer::Cancel};
        break;
    case Buttons::AbortRetryIgnore:
        set = {Answer::Abort, Answer::Retry, Answer::Ignore};
        break;
    }
    const auto index = static_cast<std::size_t>(which);
    return index < set.size() ? set[index] : set.front();
}

namespace {

QMessageBox::StandardButton standardButton(Answer a) {
    switch (a) {
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Retry:
        return QMessageBox::Retry;
    case Answer::Abort:
        return QMessageBox::Abort;
    case Answer::Ignore:
        return QMessageBox::Ignore;
    case Answer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

Answer QtProvider::message(const QString& title, const QString& text, Buttons buttons, Icon icon,
                           DefaultButton defaultButton) {
    const ReturnFocus back;
    QMessageBox box;
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::None:
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case Buttons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        break;
    case Buttons::AbortRetryIgnore:
        box.setStandardButtons(QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
        break;
    }
    box.setDefaultButton(standardButton(Button_Answer(buttons, defaultButton)));
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Retry:
        return Answer::Retry;
    case QMessageBox::Abort:
        return Answer::Abort;
    case QMessageBox::Ignore:
        return Answer::Ignore;
    default:
        return Answer::Ok;
    }
}

void QtProvider::list(const QString& title, const QString& intro, const QStringList& items,
                      Icon icon) {
    const ReturnFocus back;
    QDialog box;
    box.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&box);
    auto* top = new QHBoxLayout();
    QStyle::StandardPixmap pixmap = QStyle::SP_CustomBase;
    switch (icon) {
    case Icon::Critical:
        pixmap = QStyle::SP_MessageBoxCritical;
        break;
    case Icon::Question:
        pixmap = QStyle::SP_MessageBoxQuestion;
        break;
    case Icon::Exclamation:
        pixmap = QStyle::SP_MessageBoxWarning;
        break;
    case Icon::Information:
        pixmap = QStyle::SP_MessageBoxInformation;
        break;
    case Icon::None:
        break;
    }
    if (pixmap != QStyle::SP_CustomBase) {
        auto* picture = new QLabel();
        const int side = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
        picture->setPixmap(box.style()->standardIcon(pixmap).pixmap(side, side));
        picture->setAlignment(Qt::AlignTop);
        top->addWidget(picture);
    }
    auto* text = new QLabel(intro);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    top->addWidget(text, 1);
    layout->addLayout(top);
    auto* names = new QListWidget();
    names->setObjectName(QStringLiteral("items"));
    names->addItems(items);
    names->setSelectionMode(QAbstractItemView::ExtendedSelection);
    names->setWordWrap(false);
    layout->addWidget(names, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    Step::Connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(buttons);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);

    // As big as the names need, but never more than three quarters of the
    // screen: the list scrolls instead.
    const QWidget* near = back.window();
    const QScreen* screen =
        near && near->screen() ? near->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const QSize most(room.width() * 3 / 4, room.height() * 3 / 4);
    const int rows = static_cast<int>(items.size());
    const QSize wanted(names->sizeHintForColumn(0) + 4 * names->frameWidth() + 40,
                       rows * names->sizeHintForRow(0) + 2 * names->frameWidth() +
                           text->sizeHint().height() + buttons->sizeHint().height() + 60);
    box.resize(std::clamp(wanted.width(), std::min(400, most.width()), most.width()),
               std::clamp(wanted.height(), std::min(200, most.height()), most.height()));
    box.setMaximumSize(room.size());
    box.move(room.center() - QPoint(box.width() / 2, box.height() / 2));
    box.exec();
}

QString QtProvider::openFile(const FileRequest& r) {
    const ReturnFocus back;
    return QFileDialog::getOpenFileName(
        nullptr, r.title, r.fileName.isEmpty() ? r.folder : r.folder + '/' + r.fileName,
        qtFilter(r.filter));
}

QString QtProvider::saveFile(const FileRequest& r) {
    const ReturnFocus back;
    // The dialog checks the name as typed, before the extension is added: the
    // caller asks about the file it will really replace.
    return withDefaultExt(QFileDialog::getSaveFileName(
                              nullptr, r.title,
                              r.fileName.isEmpty() ? r.folder : r.folder + '/' + r.fileName,
                              qtFilter(r.filter), nullptr, QFileDialog::DontConfirmOverwrite),
                          r.defaultExt);
}

QString QtProvider::chooseFolder(const FileRequest& r) {
    const ReturnFocus back;
    return QFileDialog::getExistingDirectory(nullptr, r.title, r.folder);
}

ScriptedProvider::ScriptedProvider() : previous_(installed) {
    install(this);
}

ScriptedProvider::~ScriptedProvider() {
    if (installed == this)
        install(previous_);
    // What was told to this test's user goes with it; only a box still
    // showing finishes on its own.
    auto& queue = laterMessages();
    queue.erase(showingLater && !queue.empty() ? queue.begin() + 1 : queue.begin(), queue.end());
}

Answer ScriptedProvider::message(const QString& title, const QString& text, Buttons buttons,
                                 Icon icon, DefaultButton defaultButton) {
    records_.push_back({QStringLiteral("message"), title, text, {}, buttons, icon, defaultButton});
    if (!answers_.empty()) {
        const Answer a = answers_.front();
        answers_.erase(answers_.begin());
        return a;
    }
    return Button_Answer(buttons, defaultButton);
}

QString ScriptedProvider::openFile(const FileRequest& r) {
    records_.push_back({QStringLiteral("open"), r.title, r.filter, {}, Buttons::Ok, Icon::None});
    if (files_.empty())
        return QString();
    const QString f = files_.front();
    files_.erase(files_.begin());
    return f;
}

QString ScriptedProvider::saveFile(const FileRequest& r) {
    records_.push_back({QStringLiteral("save"), r.title, r.filter, {}, Buttons::Ok, Icon::None});
    if (files_.empty())
        return QString();
    const QString f = files_.front();
    files_.erase(files_.begin());
    return withDefaultExt(f, r.defaultExt);
}

QString ScriptedProvider::chooseFolder(const FileRequest& r) {
    records_.push_back({QStringLiteral("folder"), r.title, r.folder, {}, Buttons::Ok, Icon::None});
    if (files_.empty())
        return QString();
    const QString f = files_.front();
    files_.erase(files_.begin());
    return f;
}

void ScriptedProvider::list(const QString& title, const QString& intro, const QStringList& items,
                            Icon icon) {
    records_.push_back({QStringLiteral("list"), title,
                        items.isEmpty() ? intro : intro + '\n' + items.join('\n'), items,
                        Buttons::Ok, icon});
}

QStringList ScriptedProvider::texts() const {
    QStringList out;
    for (const Record& r : records_)
        out << r.text;
    return out;
}

} // namespace Dialogs
