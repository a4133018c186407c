#include "core/CoreState.h"
#include "core/TableFiles.h"
#include "library/ContactRecord.h"
#include "platform/Dialogs.h"
#include "tests/support/ResetAllState.h"
#include "tests/support/TempProgramFolder.h"

#include <QFile>
#include <array>
#include <gtest/gtest.h>

using namespace WtsGeneral;

// The contact file as the writer of core writes it and the library's checked
// reader reads it back.
class ContactFileTest : public ::testing::Test, protected FreshState {
protected:
    TempProgramFolder folder;
    Dialogs::ScriptedProvider dialogs;
};

// ---- contact details -------------------------------------------------------

TEST_F(ContactFileTest, ContactRoundTripKeepsEveryField) {
    const std::array<QString, 12> fields{"",
                                         "Jo",
                                         "Sample",
                                         "LEGEND MOTORS",
                                         "011 555 0100",
                                         "jo@port.example",
                                         "www.example.com",
                                         "END of the line",
                                         "1 Main Road",
                                         "Eastern Cape",
                                         "South Africa",
                                         "ZA"};
    for (int k = 1; k <= 11; ++k)
        ContactFields[k] = fields[k];
    Write_Contact_File();
    EXPECT_EQ(folder.read("KVR6Contact.cfg"),
              QByteArray("KVR6 Contact Details\r\n\r\nDisplay IN:\r\n"
                         ",Jo,Sample,LEGEND MOTORS,011 555 0100,jo@port.example,www.example.com,"
                         "END of the line,1 Main Road,Eastern Cape,South Africa,ZA,\r\n"
                         "END Contact:\r\n"));
    ContactFields = {};
    EXPECT_EQ(TuneMap::Read_Checked_Contact_File(), QString());
    for (int k = 1; k <= 11; ++k)
        EXPECT_EQ(ContactFields[k], fields[k]) << k;
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(ContactFileTest, ContactCommasAndLineBreaksAreReplacedAndTold) {
    ContactFields[1] = "Jo";
    ContactFields[8] = "1 Main Road, Springfield";
    ContactFields[7] = "two\r\nlines";
    Write_Contact_File();
    EXPECT_EQ(ContactFields[8], "1 Main Road; Springfield");
    EXPECT_EQ(ContactFields[7], "two  lines");
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains("Shipping Address"));
    EXPECT_TRUE(dialogs.records()[0].text.contains("General Description"));
    EXPECT_FALSE(dialogs.records()[0].text.contains("Surname"));

    const auto written = ContactFields;
    ContactFields = {};
    EXPECT_EQ(TuneMap::Read_Checked_Contact_File(), QString());
    EXPECT_EQ(ContactFields, written);
}

TEST_F(ContactFileTest, ContactReaderSkipsShortLinesAndTakesTheLastGoodOne) {
    folder.writeLines("KVR6Contact.cfg",
                      {"KVR6 Contact Details", "", "Display IN:", ",a,b,c,d,e,f,g,h,i,j,k,",
                       ",too,few,commas,", " ,  n1 ,n2,n3,n4,n5,n6,n7,n8,n9,n10, n11 ",
                       "END Contact:", ",x,x,x,x,x,x,x,x,x,x,x,"});
    EXPECT_EQ(TuneMap::Read_Checked_Contact_File(), QString());
    EXPECT_EQ(ContactFields[1], "n1");
    EXPECT_EQ(ContactFields[10], "n10");
    EXPECT_EQ(ContactFields[11], "n11");

    QFile::remove(folder.file("KVR6Contact.cfg"));
    EXPECT_EQ(TuneMap::Read_Checked_Contact_File(), QString());
    for (int k = 1; k <= 11; ++k)
        EXPECT_EQ(ContactFields[k], "") << k;
}
