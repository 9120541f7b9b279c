#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "db/connection.h"
#include "db/error_check.h"
#include "db/process_names.h"

namespace {

const std::string kDriver = "; DRIVER={Microsoft Access Driver (*.mdb)}; ExtendedAnsiSQL=1;";

TEST(ConnectionStringTest, OrdinaryPathStandsAsItIs) {
    EXPECT_EQ(BuildConnectionString("C:\\data\\club.bws"), "DBQ=C:\\data\\club.bws" + kDriver);
    EXPECT_EQ(BuildConnectionString("/tmp/a b=c.bws"), "DBQ=/tmp/a b=c.bws" + kDriver);
    EXPECT_EQ(BuildConnectionString(""), "DBQ=" + kDriver);
}

TEST(ConnectionStringTest, SeparatorsAndBracesAreBraced) {
    EXPECT_EQ(BuildConnectionString("/tmp/a;DRIVER=x.bws"), "DBQ={/tmp/a;DRIVER=x.bws}" + kDriver);
    EXPECT_EQ(BuildConnectionString("/tmp/{x}.bws"), "DBQ={/tmp/{x}}.bws}" + kDriver);
    EXPECT_EQ(BuildConnectionString("}"), "DBQ={}}}" + kDriver);
    EXPECT_EQ(BuildConnectionString(" decoy.bws"), "DBQ={ decoy.bws}" + kDriver);
    EXPECT_EQ(BuildConnectionString("/tmp/club.bws "), "DBQ={/tmp/club.bws }" + kDriver);
    EXPECT_EQ(BuildConnectionString("club.bws\t"), "DBQ={club.bws\t}" + kDriver);
    EXPECT_EQ(BuildConnectionString("\tclub.bws"), "DBQ={\tclub.bws}" + kDriver);
    EXPECT_EQ(BuildConnectionString("\rclub.bws\n"), "DBQ={\rclub.bws\n}" + kDriver);
}

TEST(ConnectionStringTest, BufferFormGivesTheStringForTheStoredName) {
    setFileName("C:\\club.bws");
    char buffer[kConnectionStringSize];
    EXPECT_EQ(getConnectionString(buffer), buffer);
    EXPECT_EQ(std::string(buffer), "DBQ=C:\\club.bws" + kDriver);
}

TEST(ConnectionStringTest, NameTooLongForTheBufferGivesTheEmptyString) {
    const size_t room = kConnectionStringSize - 1 - (4 + kDriver.size());
    std::vector<char> buffer(kConnectionStringSize + 64, 'z');
    setFileName(std::string(room, 'p').c_str());
    getConnectionString(buffer.data());
    EXPECT_EQ(std::strlen(buffer.data()), kConnectionStringSize - 1);  // exactly fits

    setFileName(std::string(room + 1, 'p').c_str());
    getConnectionString(buffer.data());
    EXPECT_STREQ(buffer.data(), "");
    EXPECT_EQ(buffer[kConnectionStringSize], 'z');  // nothing written past the buffer
    setFileName("");
}

TEST(DriverMessageTest, ThreeBracketedNamesAreCutOff) {
    EXPECT_EQ(ShortenDriverMessage("[Microsoft][ODBC Microsoft Access Driver][Jet] Disk full"),
              " Disk full");
    EXPECT_EQ(ShortenDriverMessage("[unixODBC][Driver Manager]Data source not found"),
              "[unixODBC][Driver Manager]Data source not found");
    EXPECT_EQ(ShortenDriverMessage("[a][b][c]"), "[a][b][c]");  // nothing follows
    EXPECT_EQ(ShortenDriverMessage(""), "");
}

TEST(DriverMessageTest, GreedyNamesKeepOnlyTheTextAfterTheLastMatch) {
    // Each ".+" takes as much as it can, so later brackets belong to the names.
    EXPECT_EQ(ShortenDriverMessage("[a][b][c][d] text"), " text");
}

TEST(ErrorCheckTest, SuccessCodesPassWithoutPrinting) {
    testing::internal::CaptureStdout();
    EXPECT_TRUE(ODBCErrorCheck(nullptr, SQL_HANDLE_STMT, SQL_SUCCESS, true));
    EXPECT_TRUE(ODBCErrorCheck(nullptr, SQL_HANDLE_STMT, SQL_SUCCESS_WITH_INFO, true));
    EXPECT_TRUE(ODBCErrorCheck(nullptr, SQL_HANDLE_STMT, SQL_SUCCESS_WITH_INFO, false));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(ErrorCheckTest, FailureCodesWithoutRecordsFailSilently) {
    testing::internal::CaptureStdout();
    for (short code :
         {SQL_ERROR, SQL_NO_DATA, SQL_NEED_DATA, SQL_STILL_EXECUTING, SQL_INVALID_HANDLE}) {
        EXPECT_FALSE(ODBCErrorCheck(nullptr, SQL_HANDLE_STMT, code, true)) << code;
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

}  // namespace
