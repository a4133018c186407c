#include "tests/support/TempProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <optional>

// The source folders and what each may include besides itself. A folder never
// reaches one above it: where it must, it calls through a hook the higher one
// fills. The folders of the top floor stand side by side on the library: none
// includes another, so each feature can change without the others. The program
// and the test programs above them are not checked.
namespace {

const QStringList& topFloor() {
    static const QStringList top = {QStringLiteral("contact"), QStringLiteral("wiring"),
                                    QStringLiteral("backup"), QStringLiteral("setup"),
                                    QStringLiteral("view3d")};
    return top;
}

const std::map<QString, QStringList>& allowed() {
    static const std::map<QString, QStringList> rules = [] {
        const QStringList belowLibrary = {QStringLiteral("platform"), QStringLiteral("core"),
                                          QStringLiteral("link"), QStringLiteral("mainwin")};
        std::map<QString, QStringList> r = {
            {QStringLiteral("platform"), {}},
            {QStringLiteral("sim"), {QStringLiteral("platform")}},
            {QStringLiteral("core"), {QStringLiteral("platform")}},
            {QStringLiteral("link"), {QStringLiteral("platform"), QStringLiteral("core")}},
            {QStringLiteral("mainwin"),
             {QStringLiteral("platform"), QStringLiteral("core"), QStringLiteral("link")}},
            {QStringLiteral("library"), belowLibrary},
        };
        for (const QString& folder : topFloor())
            r[folder] = belowLibrary + QStringList{QStringLiteral("library")};
        return r;
    }();
    return rules;
}

bool isSourceFolder(const QString& folder) {
    return allowed().count(folder) != 0;
}

// Whether a file of folder `from` may include a file of folder `to`.
bool mayInclude(const QString& from, const QString& to) {
    return from == to || allowed().at(from).contains(to);
}

// The source folder a quoted include names ("link/UnitLink.h" -> "link"), if any.
std::optional<QString> includedFolder(const QString& line) {
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s+"([^"/]+)/)"));
    const QRegularExpressionMatch m = include.match(line);
    if (!m.hasMatch() || !isSourceFolder(m.captured(1)))
        return std::nullopt;
    return m.captured(1);
}

// Every include of a folder above the file's own or beside it, as "file:line: text".
QStringList forbiddenIncludes(const QString& root) {
    QStringList found;
    for (const QString& folder :
         QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!isSourceFolder(folder))
            continue;
        QDirIterator it(root + '/' + folder, {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
                found << path + QStringLiteral(": cannot be read");
                continue;
            }
            int number = 0;
            while (!file.atEnd()) {
                const QString line = QString::fromUtf8(file.readLine()).trimmed();
                ++number;
                const std::optional<QString> to = includedFolder(line);
                if (to && !mayInclude(folder, *to))
                    found << QStringLiteral("%1:%2: %3")
                                 .arg(QDir(root).relativeFilePath(path))
                                 .arg(number)
                                 .arg(line);
            }
        }
    }
    return found;
}

} // namespace

TEST(IncludeOrder, NoSourceFileIncludesAFolderAboveOrBesideItsOwn) {
    const QString root = TempProgramFolder::sourceDir();
    ASSERT_TRUE(QDir(root + QStringLiteral("/mainwin")).exists()) << root.toStdString();
    const QStringList found = forbiddenIncludes(root);
    EXPECT_TRUE(found.isEmpty()) << found.join('\n').toStdString();
}

TEST(IncludeOrder, TheCheckSeesAnIncludeUpwardOrSideways) {
    struct Case {
        const char* folder;
        const char* line;
        bool forbidden;
    };
    for (const Case& c : {
             Case{"core", "#include \"link/UnitLink.h\"", true},
             Case{"link", "#include \"mainwin/MainWindow.h\"", true},
             Case{"mainwin", "#include \"library/Entries.h\"", true},
             Case{"platform", "  #  include \"core/CoreState.h\"", true},
             Case{"sim", "#include \"core/UnitImage.h\"", true},
             Case{"link", "#include \"sim/SimUnit.h\"", true},
             Case{"setup", "#include \"sim/SimUnit.h\"", true},
             Case{"library", "#include \"contact/frmContact.h\"", true},
             Case{"library", "#include \"setup/Entries.h\"", true},
             Case{"mainwin", "#include \"backup/Entries.h\"", true},
             Case{"wiring", "#include \"contact/ContactExport.h\"", true},
             Case{"contact", "#include \"wiring/WiringPdf.h\"", true},
             Case{"backup", "#include \"view3d/Entries.h\"", true},
             Case{"setup", "#include \"view3d/View3dState.h\"", true},
             Case{"view3d", "#include \"setup/SetupState.h\"", true},
             Case{"wiring", "#include \"sim/SimUnit.h\"", true},
             Case{"setup", "#include \"mainwin/MainWindow.h\"", false},
             Case{"view3d", "#include \"library/Entries.h\"", false},
             Case{"backup", "#include \"library/TuneMapFile.h\"", false},
             Case{"contact", "#include \"mainwin/Design.h\"", false},
             Case{"library", "#include \"mainwin/MainWindow.h\"", false},
             Case{"mainwin", "#include \"link/SendPath.h\"", false},
             Case{"sim", "#include \"platform/KvrError.h\"", false},
             Case{"core", "#include <QString>", false},
             Case{"core", "#include \"ui/Form.h\"", false},
             Case{"core", "// #include \"link/UnitLink.h\"", false},
         }) {
        TempProgramFolder tree;
        QDir().mkpath(tree.file(QString::fromLatin1(c.folder)));
        tree.write(QString::fromLatin1(c.folder) + QStringLiteral("/File.cpp"),
                   QByteArray("#include \"") + c.folder + "/File.h\"\n" + c.line + "\n");
        const QStringList found = forbiddenIncludes(tree.path());
        EXPECT_EQ(found.size(), c.forbidden ? 1 : 0) << c.folder << ": " << c.line;
        if (c.forbidden && found.size() == 1) {
            EXPECT_TRUE(found[0].startsWith(QString::fromLatin1(c.folder) +
                                            QStringLiteral("/File.cpp:2: ")))
                << found[0].toStdString();
        }
    }
}
