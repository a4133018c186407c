#include "core/DealerSettings.h"
#include "CoreTestSupport.h"
#include "core/frmSplash.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

using WtsGeneral::Read_Dealer_Settings;

namespace {

// A dealer settings file as a dealer keeps it, with lines replaced or left out.
QStringList dealerLines(const QMap<QString, QString>& replace = {}) {
    const QStringList base{
        "KAVRO TUNER KVR6 Dealer Settings",
        "Company Id(32): " + QString("Coastal Motor Works").leftJustified(31),
        "Owner Name(24): " + QString("J. Sample").leftJustified(59),
        "Phone Number: 011 555 0100",
        "Fax Number: 011 555 0101",
        "E-mail: shop@coastal.example",
        "Web: www.coastal.example",
        "   ",
        "No Tune y/n: n",
        "Branding y/n: n",
        "Adv branding: 0",
        "Adv Branding: levels",
        "Port=2",
        "CommSpeed=100",
    };
    QStringList lines;
    for (const QString& line : base) {
        const QString key = line.section(':', 0, 0).section('=', 0, 0);
        if (!replace.contains(key))
            lines << line;
        else if (!replace[key].isNull())
            lines << replace[key];
    }
    return lines;
}

} // namespace

class DealerSettingsTest : public CoreTest {};

TEST_F(DealerSettingsTest, ShippedFileGivesTheNeutralDealer) {
    folder.copyData("KVR6.cfg");
    Read_Dealer_Settings();
    EXPECT_EQ(DealerCompany, "Generic Tuning Dealer");
    EXPECT_EQ(DealerOwner, "Workshop Manager");
    EXPECT_EQ(DealerPhone, "000 000 0000");
    EXPECT_EQ(DealerFax, "000 000 0001");
    EXPECT_EQ(DealerEmail, "dealer@example.com");
    EXPECT_EQ(DealerWeb, "www.example.com");
    EXPECT_EQ(NoTuneFlag, 255);
    EXPECT_EQ(BrandingFlag, 0);
    EXPECT_EQ(AdvBranding, 0);
    EXPECT_EQ(cfg_CommPort, 1);
    EXPECT_EQ(cfg_CommSpeed, 100);
}

// One field of the dealer file, each read from the start values.
struct FieldCase {
    QString key;
    QString line; // a null text leaves the line out
    int noTune, branding, adv, port, speed;
};

std::vector<FieldCase> fieldCases() {
    return {
        {"No Tune y/n", "No Tune y/n: y", 170, 0, 0, 2, 100},
        {"No Tune y/n", "No Tune y/n: Y", 170, 0, 0, 2, 100},
        // The answer stands one blank after the label; directly after the colon
        // the character read is the one after the Y.
        {"No Tune y/n", "No Tune y/n:Y", 255, 0, 0, 2, 100},
        {"No Tune y/n", "No Tune y/n:", 255, 0, 0, 2, 100},
        {"No Tune y/n", QString(), 255, 0, 0, 2, 100},
        {"Branding y/n", "Branding y/n: y", 255, 1, 0, 2, 100},
        {"Branding y/n", "Branding y/n:y", 255, 0, 0, 2, 100},
        {"Adv branding", "Adv branding: 2", 255, 0, 2, 2, 100},
        {"Adv branding", "Adv branding: x", 255, 0, 0, 2, 100},
        {"CommSpeed", "CommSpeed=1000", 255, 0, 0, 2, 100},
        {"CommSpeed", "CommSpeed=80", 255, 0, 0, 2, 80},
        {"CommSpeed", "CommSpeed=10", 255, 0, 0, 2, 20},
        {"CommSpeed", "CommSpeed=19", 255, 0, 0, 2, 20},
        {"CommSpeed", "CommSpeed=20", 255, 0, 0, 2, 20},
        {"CommSpeed", "CommSpeed=0", 255, 0, 0, 2, 20},
        {"CommSpeed", "CommSpeed=501", 255, 0, 0, 2, 500},
        {"CommSpeed", "CommSpeed=abc", 255, 0, 0, 2, 100},
        {"CommSpeed", QString(), 255, 0, 0, 2, 100},
        {"Port", "Port=12", 255, 0, 0, 1, 100},
        {"Port", "Port=4", 255, 0, 0, 4, 100},
        {"Port", "Port=", 255, 0, 0, 1, 100},
        {"Port", QString(), 255, 0, 0, 1, 100},
        // The lower-case label is looked for first.
        {"Port", "Port=2\r\nport=3", 255, 0, 0, 3, 100},
    };
}

class DealerField : public DealerSettingsTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(DealerField, IsReadAsTheProgramAlwaysReadIt) {
    const FieldCase& c = GetParam();
    folder.writeLines("KVR6.cfg", dealerLines({{c.key, c.line}}));
    Read_Dealer_Settings();
    const std::string what = c.line.isNull() ? "no " + c.key.toStdString() : c.line.toStdString();
    EXPECT_EQ(NoTuneFlag, c.noTune) << what;
    EXPECT_EQ(BrandingFlag, c.branding) << what;
    EXPECT_EQ(AdvBranding, c.adv) << what;
    EXPECT_EQ(cfg_CommPort, c.port) << what;
    EXPECT_EQ(cfg_CommSpeed, c.speed) << what;
    EXPECT_EQ(DealerWeb, "www.coastal.example") << what;
}

INSTANTIATE_TEST_SUITE_P(Fields, DealerField, ::testing::ValuesIn(fieldCases()));

TEST_F(DealerSettingsTest, FieldsStayOnTheirOwnLine) {
    // Unpadded names and LF line ends: nothing of the next line joins a value.
    folder.write("KVR6.cfg", "KAVRO TUNER KVR6\nCompany Id(32): ACME\nOwner Name(24): Bob\n"
                             "Phone Number: 1\nFax Number:\nE-mail: a@b.example\nWeb: w\n"
                             "No Tune y/n: y\nBranding y/n: y\nAdv branding: 1\nAdv Branding:");
    Read_Dealer_Settings();
    EXPECT_EQ(DealerCompany, "ACME");
    EXPECT_EQ(DealerOwner, "Bob");
    EXPECT_EQ(DealerPhone, "1");
    EXPECT_EQ(DealerFax, "");
    EXPECT_EQ(DealerEmail, "a@b.example");
    EXPECT_EQ(DealerWeb, "w");
    EXPECT_EQ(NoTuneFlag, 170);
    EXPECT_EQ(BrandingFlag, 1);
    EXPECT_EQ(AdvBranding, 1);
}

TEST_F(DealerSettingsTest, LongNamesAreCutToTheirFields) {
    folder.writeLines("KVR6.cfg",
                      dealerLines({{"Company Id(32)", "Company Id(32): " + QString(40, 'C')}}));
    Read_Dealer_Settings();
    EXPECT_EQ(DealerCompany, QString(31, 'C'));
    EXPECT_EQ(DealerOwner, "J. Sample");
}

TEST_F(DealerSettingsTest, MissingLabelsAndFileGiveDefaults) {
    // Without a phone label the later labels are still found in order.
    folder.writeLines("KVR6.cfg", dealerLines({{"Phone Number", QString()},
                                               {"Company Id(32)", QString()},
                                               {"No Tune y/n", QString()}}));
    DealerCompany = "old";
    DealerPhone = "old";
    Read_Dealer_Settings();
    EXPECT_EQ(DealerCompany, "");
    EXPECT_EQ(DealerPhone, "");
    EXPECT_EQ(DealerFax, "011 555 0101");
    EXPECT_EQ(NoTuneFlag, 255);
    EXPECT_EQ(BrandingFlag, 0);

    QFile::remove(folder.file("KVR6.cfg"));
    DealerOwner = "old";
    NoTuneFlag = 170;
    BrandingFlag = 1;
    AdvBranding = 2;
    cfg_CommPort = 3;
    cfg_CommSpeed = 50;
    Read_Dealer_Settings();
    EXPECT_EQ(DealerOwner, "");
    EXPECT_EQ(DealerFax, "");
    EXPECT_EQ(NoTuneFlag, 255);
    EXPECT_EQ(BrandingFlag, 0);
    EXPECT_EQ(AdvBranding, 0);
    EXPECT_EQ(cfg_CommPort, 1);
    EXPECT_EQ(cfg_CommSpeed, 100);
}

TEST_F(DealerSettingsTest, TheSettingsFileIsFoundByItsMarkers) {
    const QString product = "KAVRO TUNER KVR6";
    const QString branding = "Adv Branding: x";
    const struct {
        QList<QPair<QString, QStringList>> files;
        QString chosen;
    } cases[] = {
        // One matching line in the first, none in the second: the first.
        {{{"kvra.cfg", {product}}, {"kvrb.cfg", {"nothing"}}}, "kvra.cfg"},
        // Exactly two matching lines win over an earlier file with one.
        {{{"kvr1.cfg", {product}}, {"KVR2.CFG", {product, branding}}}, "KVR2.CFG"},
        // Both markers on one line count twice.
        {{{"kvr1.cfg", {product + " " + branding}}, {"kvr2.cfg", {product}}}, "kvr1.cfg"},
        // Three matches is no settings file: the last file with a match.
        {{{"kvr1.cfg", {product, product, branding}}, {"kvr2.cfg", {product, product, product}}},
         "kvr2.cfg"},
        {{{"kvrx.cfg", {"nothing"}}, {"other.cfg", {product, branding}}}, "KVR6.cfg"},
    };
    for (const auto& c : cases) {
        TempProgramFolder own;
        for (const auto& [name, lines] : c.files)
            own.writeLines(name, lines);
        EXPECT_EQ(WtsGeneral::Find_Dealer_Settings_File(), c.chosen);
    }
}

TEST_F(DealerSettingsTest, TwoCandidatesReadTheFirstMatch) {
    folder.writeLines("kvra.cfg", {"KAVRO TUNER KVR6", "Company Id(32): First"});
    folder.writeLines("kvrb.cfg", {"Company Id(32): Second"});
    Read_Dealer_Settings();
    EXPECT_EQ(DealerCompany, "First");
}

TEST_F(DealerSettingsTest, StartUpWindowReadsTheDealerSettings) {
    folder.writeLines("KVR6.cfg", dealerLines({{"Port", "Port=3"}}));
    frmSplash splash;
    EXPECT_EQ(DealerCompany, "Coastal Motor Works");
    EXPECT_EQ(cfg_CommPort, 3);
    EXPECT_TRUE(dialogs.records().empty());
}

// At start-up a dealer file the program cannot use is told once: which file,
// why, and what the program uses in its place.
TEST_F(DealerSettingsTest, StartUpTellsOnceOfAnUnusableDealerFile) {
    const struct {
        const char* what;
        std::optional<QByteArray> bytes; // nothing: no file at all
        const char* told;
    } cases[] = {
        {"garbage", QByteArray("\x01\xff garbage ~~~ \r\nnothing of a dealer\r\n"),
         "KVR6.cfg holds no dealer settings"},
        {"empty", QByteArray(), "KVR6.cfg is empty"},
        {"blank lines", QByteArray("\r\n   \r\n"), "KVR6.cfg is empty"},
        {"missing", std::nullopt, "KVR6.cfg is missing from the program folder"},
    };
    for (const auto& c : cases) {
        QFile::remove(folder.file("KVR6.cfg"));
        if (c.bytes)
            folder.write("KVR6.cfg", *c.bytes);
        dialogs.clear();
        cfg_CommPort = 4;
        frmSplash splash;
        ASSERT_EQ(dialogs.records().size(), 1u) << c.what;
        const auto& told = dialogs.records()[0];
        EXPECT_TRUE(told.text.startsWith(c.told)) << c.what << ": " << told.text.toStdString();
        EXPECT_TRUE(told.text.contains("The program uses serial port 1, a poll base of 100 ms"))
            << c.what;
        EXPECT_EQ(told.title, "Configuration Files");
        EXPECT_EQ(cfg_CommPort, 1) << c.what;
        EXPECT_EQ(DealerCompany, "") << c.what;
    }
}

TEST_F(DealerSettingsTest, AFileLackingSomeLabelsNamesThemAndTheRestIsUsed) {
    folder.writeLines("KVR6.cfg",
                      dealerLines({{"Fax Number", QString()}, {"CommSpeed", QString()}}));
    const auto problem = Read_Dealer_Settings();
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->problem, "has no line for \"Fax Number:\", \"CommSpeed=\"");
    EXPECT_EQ(DealerCompany, "Coastal Motor Works");
    EXPECT_EQ(cfg_CommPort, 2);
    EXPECT_EQ(cfg_CommSpeed, 100);

    folder.writeLines("KVR6.cfg", dealerLines());
    EXPECT_FALSE(Read_Dealer_Settings().has_value()) << "a whole file is not told";
}
