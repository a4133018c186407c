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
// fills. The program and the test programs above them are not checked.
namespace {

const std::map<QString, QStringList>& allowed() {
    static const std::map<QString, QStringList> rules = {
        {QStringLiteral("platform"), {}},
        {QStringLiteral("sim"), {QStringLiteral("platform")}},
        {QStringLiteral("core"), {QStringLiteral("platform")}},
        {QStringLiteral("link"), {QStringLiteral("platform"), QStringLiteral("core")}},
        {QStringLiteral("mainwin"),
         {QStringLiteral("platform"), QStringLiteral("core"), QStringLiteral("link")}},
    };
    return rules;
}

const QStringList& topFolders() {
    static const QStringList top = {QStringLiteral("library"), QStringLiteral("setup"),
                                    QStringLiteral("view3d")};
    return top;
}

bool isSourceFolder(const QString& folder) {
    return allowed().count(folder) != 0 || topFolders().contains(folder);
}

// Whether a file of folder `from` may include a file of folder `to`.
bool mayInclude(const QString& from, const QString& to) {
    if (from == to)
        return true;
    if (topFolders().contains(from)) // everything below; its peers are no layer above it
        return to != QStringLiteral("sim");
    return allowed().at(from).contains(to);
}

// The source folder a quoted include names ("link/UnitLink.h" -> "link"), if any.
std::optional<QString> includedFolder(const QString& line) {
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s+"([^"/]+)/)"));
    const QRegularExpressionMatch m = include.match(line);
    if (!m.hasMatch() || !isSourceFolder(m.captured(1)))
        return std::nullopt;
    return m.captured(1);
}

// Every include of a folder above the file's own, as "file:line: text".
QStringList upwardIncludes(const QString& root) {
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

TEST(IncludeOrder, NoSourceFileIncludesAFolderAboveItsOwn) {
    const QString root = TempProgramFolder::sourceDir();
    ASSERT_TRUE(QDir(root + QStringLiteral("/mainwin")).exists()) << root.toStdString();
    const QStringList found = upwardIncludes(root);
    EXPECT_TRUE(found.isEmpty()) << found.join('\n').toStdString();
}

TEST(IncludeOrder, TheCheckSeesAnUpwardInclude) {
    struct Case {
        const char* folder;
        const char* line;
        bool upward;
    };
    for (const Case& c : {
             Case{"core", "#include \"link/UnitLink.h\"", true},
             Case{"link", "#include \"mainwin/MainWindow.h\"", true},
             Case{"mainwin", "#include \"library/Entries.h\"", true},
             Case{"platform", "  #  include \"core/CoreState.h\"", true},
             Case{"sim", "#include \"core/UnitImage.h\"", true},
             Case{"link", "#include \"sim/SimUnit.h\"", true},
             Case{"setup", "#include \"sim/SimUnit.h\"", true},
             Case{"setup", "#include \"mainwin/MainWindow.h\"", false},
             Case{"view3d", "#include \"library/Entries.h\"", false},
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
        const QStringList found = upwardIncludes(tree.path());
        EXPECT_EQ(found.size(), c.upward ? 1 : 0) << c.folder << ": " << c.line;
        if (c.upward && found.size() == 1) {
            EXPECT_TRUE(found[0].startsWith(QString::fromLatin1(c.folder) +
                                            QStringLiteral("/File.cpp:2: ")))
                << found[0].toStdString();
        }
    }
}
