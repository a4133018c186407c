#include "tests/support/CaseNames.h"
#include "tests/support/TempProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

// Every handler Qt calls begins its step through platform/Step.h, and in one
// form a reader sees at the call: a signal through Step::Connect, a timer's or
// a queued call's handler in Step::Guarded, an event handler's whole body in
// Step::Run and an event filter's in Step::Answer. A handler left bare compiles
// and passes every test (GuardedApplication tells its error the same way, after
// it has unwound through Qt's code), so this check holds the rule. It reads
// the code only: comments and the insides of texts are left out, and a call is
// read to its closing parenthesis, over as many lines as it spans.
namespace {

bool isIdentifier(QChar c) {
    return c.isLetterOrNumber() || c == '_';
}

// Whether the R at `at` opens a raw string: R, LR, uR, UR or u8R before the quote.
bool opensRawString(const QString& text, qsizetype at) {
    qsizetype start = at;
    while (start > 0 && isIdentifier(text[start - 1]))
        --start;
    const QString prefix = text.mid(start, at - start);
    return prefix.isEmpty() || prefix == QLatin1String("L") || prefix == QLatin1String("u") ||
           prefix == QLatin1String("U") || prefix == QLatin1String("u8");
}

// The text with its comments and the insides of its string and character
// literals blanked, every line end kept: what is left is code, on its lines.
QString codeOnly(const QString& text) {
    enum class In { Code, LineComment, BlockComment, String, Char, RawString };
    QString code = text;
    In in = In::Code;
    QString rawEnd;
    const auto blank = [&](qsizetype k) {
        if (k < code.size() && code[k] != '\n')
            code[k] = ' ';
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        switch (in) {
        case In::Code:
            if (c == '/' && next == '/') {
                in = In::LineComment;
                blank(i);
                blank(++i);
            } else if (c == '/' && next == '*') {
                in = In::BlockComment;
                blank(i);
                blank(++i);
            } else if (c == 'R' && next == '"' && opensRawString(text, i)) {
                const qsizetype open = text.indexOf('(', i + 2);
                if (open < 0)
                    return code;
                rawEnd = ')' + text.mid(i + 2, open - i - 2) + '"';
                in = In::RawString;
                i = open;
            } else if (c == '"') {
                in = In::String;
            } else if (c == '\'' && !(i > 0 && text[i - 1].isDigit())) {
                in = In::Char; // a quote after a digit separates digits
            }
            break;
        case In::LineComment:
            if (c == '\n')
                in = In::Code;
            else
                blank(i);
            break;
        case In::BlockComment:
            if (c == '*' && next == '/') {
                blank(i);
                blank(++i);
                in = In::Code;
            } else {
                blank(i);
            }
            break;
        case In::String:
        case In::Char:
            if (c == '\\') {
                blank(i);
                blank(++i);
            } else if (c == (in == In::String ? QChar('"') : QChar('\''))) {
                in = In::Code;
            } else {
                blank(i);
            }
            break;
        case In::RawString:
            if (QStringView(text).mid(i).startsWith(rawEnd)) {
                i += rawEnd.size() - 1;
                in = In::Code;
            } else {
                blank(i);
            }
            break;
        }
    }
    return code;
}

// The position of the bracket that closes the one at `open`, or -1.
qsizetype closing(const QString& code, qsizetype open) {
    int depth = 0;
    for (qsizetype i = open; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == '(' || c == '[' || c == '{')
            ++depth;
        else if ((c == ')' || c == ']' || c == '}') && --depth == 0)
            return i;
    }
    return -1;
}

// A call's arguments, split where a comma stands outside every bracket, trimmed.
QStringList arguments(const QString& code, qsizetype open, qsizetype close) {
    QStringList found;
    int depth = 0;
    qsizetype start = open + 1;
    for (qsizetype i = open + 1; i < close; ++i) {
        const QChar c = code[i];
        if (c == '(' || c == '[' || c == '{')
            ++depth;
        else if (c == ')' || c == ']' || c == '}')
            --depth;
        else if (c == ',' && depth == 0) {
            found << code.mid(start, i - start).trimmed();
            start = i + 1;
        }
    }
    found << code.mid(start, close - start).trimmed();
    return found;
}

bool isGuarded(const QString& argument) {
    static const QRegularExpression guarded(QStringLiteral(R"(^(::)?Step::Guarded\s*\()"));
    return guarded.match(argument).hasMatch();
}

// Whether `body` is the one statement `<lead>(...);`.
bool isOneGuardedCall(const QString& body, const QRegularExpression& lead) {
    const QRegularExpressionMatch m = lead.match(body);
    if (!m.hasMatch())
        return false;
    const qsizetype close = closing(body, m.capturedEnd() - 1);
    return close >= 0 && body.mid(close + 1).trimmed() == QLatin1String(";");
}

int lineAt(const QString& code, qsizetype at) {
    return static_cast<int>(QStringView(code).left(at).count('\n')) + 1;
}

// Every handler of the file `name` that does not begin its step through the
// guard, as "name:line: what".
QStringList unguardedHandlers(const QString& name, const QString& text) {
    const QString code = codeOnly(text);
    QStringList found;
    const auto report = [&](qsizetype at, const QString& what) {
        found << QStringLiteral("%1:%2: %3").arg(name).arg(lineAt(code, at)).arg(what);
    };
    // The calls that take a handler, each read to its closing parenthesis.
    static const QRegularExpression call(
        QStringLiteral(R"(\b(connect|Step::Connect|singleShot|invokeMethod|callOnTimeout)\s*\()"));
    for (auto it = call.globalMatch(code); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString what = m.captured(1);
        const qsizetype open = m.capturedEnd() - 1;
        const qsizetype close = closing(code, open);
        if (close < 0) {
            report(m.capturedStart(), what + QStringLiteral("( is not closed"));
            continue;
        }
        const QStringList args = arguments(code, open, close);
        if (what == QLatin1String("connect"))
            report(m.capturedStart(),
                   QStringLiteral("connect( where Step::Connect(sender, signal, "
                                  "receiver, handler) makes the guarded connection"));
        else if (what == QLatin1String("Step::Connect") && args.size() >= 4 && isGuarded(args[3]))
            report(m.capturedStart(), QStringLiteral("Step::Connect guards its handler itself: "
                                                     "no Step::Guarded( in it"));
        else if (what == QLatin1String("singleShot") && !isGuarded(args.last()))
            report(m.capturedStart(),
                   QStringLiteral("QTimer::singleShot whose handler is not Step::Guarded(...)"));
        else if (what == QLatin1String("invokeMethod") && (args.size() < 2 || !isGuarded(args[1])))
            report(m.capturedStart(), QStringLiteral("QMetaObject::invokeMethod whose handler is "
                                                     "not Step::Guarded(...)"));
        else if (what == QLatin1String("callOnTimeout"))
            report(m.capturedStart(), QStringLiteral("callOnTimeout: Step::Connect(timer, "
                                                     "&QTimer::timeout, ...) in its place"));
    }
    // Qt's event handlers (closeEvent, keyPressEvent, event, ...) and event
    // filters where they are written out: their whole body is the guarded step.
    static const QRegularExpression handler(QStringLiteral(
        R"(\b([a-z][A-Za-z]*Event|event|eventFilter)\s*\([^()]*\)\s*(const\s*)?(noexcept\s*)?)"
        R"((override\s*)?(final\s*)?\{)"));
    static const QRegularExpression answer(QStringLiteral(R"(^return\s+(::)?Step::Answer\s*\()"));
    static const QRegularExpression run(QStringLiteral(R"(^(::)?Step::Run\s*\()"));
    static const QRegularExpression returnsBool(QStringLiteral(R"(\bbool\b[^;{}]*$)"));
    for (auto it = handler.globalMatch(code); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const qsizetype open = m.capturedEnd() - 1;
        const qsizetype close = closing(code, open);
        const QString body = close < 0 ? QString() : code.mid(open + 1, close - open - 1).trimmed();
        const bool filter = returnsBool.match(code.left(m.capturedStart())).hasMatch();
        if (filter && !isOneGuardedCall(body, answer))
            report(m.capturedStart(),
                   m.captured(1) + QStringLiteral(" whose body is not one "
                                                  "return Step::Answer([&] { ... });"));
        else if (!filter && !isOneGuardedCall(body, run))
            report(m.capturedStart(),
                   m.captured(1) +
                       QStringLiteral(" whose body is not one Step::Run([&] { ... });"));
    }
    return found;
}

// The program's sources, relative to the source tree: main.cpp and the files of
// every folder the build makes a library of, the simulated unit's excepted (the
// program never links it: it serves a unit to the tests and to kvr6-sim, which
// has no window to tell a stopped step in). Step.h itself makes the connection.
QStringList programSources(const QString& root) {
    QFile lists(root + QStringLiteral("/CMakeLists.txt"));
    if (!lists.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    static const QRegularExpression folderList(QStringLiteral(R"(set\(KVR6_FOLDERS([^)]*)\))"));
    const QRegularExpressionMatch m = folderList.match(QString::fromUtf8(lists.readAll()));
    if (!m.hasMatch())
        return {};
    QStringList found{QStringLiteral("main.cpp")};
    for (const QString& folder : m.captured(1).split(' ', Qt::SkipEmptyParts)) {
        if (folder.trimmed() == QLatin1String("sim"))
            continue;
        QDirIterator it(root + '/' + folder.trimmed(),
                        {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = QDir(root).relativeFilePath(it.next());
            if (path != QLatin1String("platform/Step.h"))
                found << path;
        }
    }
    found.sort();
    return found;
}

TEST(GuardedHandlers, EveryHandlerOfTheProgramBeginsItsStepThroughTheGuard) {
    const QString root = TempProgramFolder::sourceDir();
    const QStringList files = programSources(root);
    ASSERT_TRUE(files.contains(QStringLiteral("mainwin/frmMain_Menus.cpp")))
        << root.toStdString() << ": " << files.join(' ').toStdString();
    QStringList found;
    for (const QString& name : files) {
        QFile file(root + '/' + name);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            found << name + QStringLiteral(": cannot be read");
            continue;
        }
        found << unguardedHandlers(name, QString::fromUtf8(file.readAll()));
    }
    EXPECT_TRUE(found.isEmpty()) << found.join('\n').toStdString();
}

struct Case {
    const char* name;
    const char* code;
    std::vector<int> lines; // where a finding is told, in order
};

class TheCheck : public ::testing::TestWithParam<Case> {};

TEST_P(TheCheck, FindsEveryUnguardedHandlerAndNothingElse) {
    const Case& c = GetParam();
    const QStringList found =
        unguardedHandlers(QStringLiteral("setup/File.cpp"), QString::fromUtf8(c.code));
    std::vector<int> lines;
    for (const QString& f : found) {
        EXPECT_TRUE(f.startsWith(QStringLiteral("setup/File.cpp:"))) << f.toStdString();
        lines.push_back(f.section(':', 1, 1).toInt());
    }
    EXPECT_EQ(lines, c.lines) << found.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    GuardedHandlers, TheCheck,
    ::testing::Values(
        Case{"a bare connect",
             "\n    connect(cmdOK, &QPushButton::clicked, this, &frmX::cmdOK_Click);\n",
             {2}},
        Case{"a connect over three lines",
             "void f() {\n    connect(cmdCancel, &QPushButton::clicked, this,\n"
             "            Step::Guarded(this, &frmX::cmdCancel_Click));\n}\n",
             {2}},
        Case{"a connect of QObject or through a pointer",
             "QObject::connect(a, &A::s, b, &B::f);\nthis->connect(a, &A::s, this, [] {});\n",
             {1, 2}},
        Case{"the guard in one line or over several",
             "Step::Connect(cmdOK, &QPushButton::clicked, this, &frmX::cmdOK_Click);\n"
             "::Step::Connect(ListView1, &QTreeWidget::itemSelectionChanged, this, [this] {\n"
             "    connected = true;\n"
             "});\n"
             "Step::Connect(a, &A::s, b, &B::f, Qt::QueuedConnection);\n",
             {}},
        Case{"the guard around a guarded handler",
             "Step::Connect(cmdOK, &QPushButton::clicked, this,\n"
             "              Step::Guarded(this, &frmX::cmdOK_Click));\n",
             {1}},
        Case{"connect in comments and texts, reconnect and disconnect",
             "// connect(a, &A::s, b, &B::f);\n/* connect(a,\n   b) */\n"
             "const auto t = QStringLiteral(\"connect(a, b)\");\nconst char q = '\"';\n"
             "const auto r = R\"x(connect(\")x\";\nreconnect();\nbutton->disconnect(this);\n"
             "const int n = 1'000; // connect(\n",
             {}},
        Case{"a connect after a quote character",
             "const char q = '\"'; connect(a, b, c, d);\n",
             {1}},
        Case{"a bare timer and a guarded one",
             "QTimer::singleShot(0, qApp, showLater);\n"
             "QTimer::singleShot(0, qApp, Step::Guarded(showLater));\n"
             "QTimer::singleShot(20, this, [this] {\n    Tick();\n});\n"
             "QTimer::singleShot(20, this, SLOT(tick()));\ntimer.setSingleShot(true);\n",
             {1, 3, 6}},
        Case{"a bare queued call and a guarded one",
             "QMetaObject::invokeMethod(this, [this] { deliver(); }, Qt::QueuedConnection);\n"
             "QMetaObject::invokeMethod(this, Step::Guarded(this, &X::Unload),\n"
             "                          Qt::QueuedConnection);\n"
             "QMetaObject::invokeMethod(this, \"Unload\", Qt::QueuedConnection);\n"
             "timer.callOnTimeout(this, &X::Tick);\n",
             {1, 4, 5}},
        Case{"event filters whose whole body is the answer",
             "bool frmX::eventFilter(QObject* watched, QEvent* event) {\n"
             "    return Step::Answer([&] {\n        if (watched == lblDo)\n"
             "            return true;\n        return QWidget::eventFilter(watched, event);\n"
             "    });\n}\n"
             "class Keys : public QObject {\nprotected:\n"
             "    bool eventFilter(QObject* watched, QEvent* event) override {\n"
             "        return Step::Answer([&] { return Key_Event(watched, event); });\n    }\n"
             "    bool Key_Event(QObject* watched, QEvent* event) { return false; }\n};\n"
             "bool frmX::event(QEvent* e) {\n    return Step::Answer([&] { return "
             "QWidget::event(e); });\n}\n",
             {}},
        Case{"event filters that work outside the answer",
             "bool frmX::eventFilter(QObject* watched, QEvent* event) {\n"
             "    if (watched == lblDo)\n        lblDo_Click();\n"
             "    return QWidget::eventFilter(watched, event);\n}\n"
             "bool frmY::eventFilter(QObject* watched, QEvent* event) {\n"
             "    Step::Run([&] { lblDo_Click(); });\n    return false;\n}\n"
             "bool frmZ::eventFilter(QObject* watched, QEvent* event) {\n"
             "    const bool taken = Step::Answer([&] { return true; });\n    return taken;\n}\n",
             {1, 6, 10}},
        Case{"event handlers whose whole body is the step",
             "void frmX::closeEvent(QCloseEvent* event) {\n    Step::Run([&] {\n"
             "        Form_Unload();\n        QWidget::closeEvent(event);\n    });\n}\n"
             "void Drawing::paintEvent(QPaintEvent*) {\n    ::Step::Run([&] { Paint(); });\n}\n"
             "void keyPressEvent(QKeyEvent* event) override;\n"
             "void frmX::Slider_Event(Slider s) {\n    Move(s);\n}\n",
             {}},
        Case{"event handlers that work outside the step",
             "void frmX::closeEvent(QCloseEvent* event) {\n    event->ignore();\n"
             "    Step::Run([&] { Form_Unload(); });\n}\n"
             "void frmX::keyPressEvent(QKeyEvent* event) {\n    event->ignore();\n}\n"
             "void frmX::resizeEvent(QResizeEvent* event) {\n    Step::Run([&] { Fit(); });\n"
             "    QWidget::resizeEvent(event);\n}\n"
             "void mousePressEvent(QMouseEvent* event) override {}\n",
             {1, 5, 8, 12}}),
    By_Case_Name());

} // namespace
