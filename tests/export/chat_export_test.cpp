#include "export/chat_export.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "../platform/child_process.h"
#include "export_test_support.h"

namespace tavrin::chat_export {
namespace {

using testing_support::ExportTest;
using testing_support::k2014_05_03_102211;
using testing_support::kOneDay;
using testing_support::Message;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

constexpr std::int64_t kT = k2014_05_03_102211;

const Strings kDisabled{"button off", "folder box off", "colour clBtnFace"};
const Strings kRestored{"button on", "folder box on", "colour clWindow"};

Strings Joined(std::initializer_list<Strings> parts) {
  Strings all;
  for (const Strings& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// ---- the main path ----

TEST_F(ExportTest, WritesOneFilePerChatNewestFirstWithCrLfLines) {
  AddDatabase("acct",
              {Message("#alice/$bob;3f2a1c", "Alice", kT - kOneDay, "Older"),
               Message("#alice/$bob;3f2a1c", "Bob", kT, "Hello"),
               Message("19:abc@thread.skype", "Carol", kT - 2 * kOneDay, "<b>x</b> &amp;")});
  const TExportSummary summary = Run();
  EXPECT_EQ(OutFiles(),
            (Strings{"l2014_05_0119:abc@thread_skype.txt", "l2014_05_03_alice__bob;3f2a1c.txt"}));
  EXPECT_EQ(Content(Out("l2014_05_03_alice__bob;3f2a1c.txt")),
            "[2014-05-03 10:22:11] Bob: Hello\r\n[2014-05-02 10:22:11] Alice: Older\r\n");
  EXPECT_EQ(Content(Out("l2014_05_0119:abc@thread_skype.txt")),
            "[2014-05-01 10:22:11] Carol: <b>x</b> &amp;\r\n");
  EXPECT_EQ(summary.chatFiles, 2u);
  EXPECT_EQ(summary.lines, 3u);
  EXPECT_EQ(summary.rows, 3u);
}

TEST_F(ExportTest, AsksTheWindowInOrderAndRestoresTheControlsLast) {
  const auto db = AddDatabase("acct", {Message("a", "A", kT, "x"), Message("b", "B", kT, "y")});
  Run();
  EXPECT_EQ(host.events,
            Joined({kDisabled,
                    {"output dialog", "root", "opened 0 " + db.string() + " 2",
                     "created " + Out("l2014_05_03a.txt"), "created " + Out("l2014_05_03b.txt")},
                    kRestored}));
  EXPECT_EQ(host.rows, 2u);             // the message loop once per row...
  EXPECT_GT(host.serviced, host.rows);  // ...and once per folder entry of the search
}

TEST_F(ExportTest, ReadsEveryDatabaseInSearchOrderAndResetsTheChatPerDatabase) {
  // The same chat as the last of one database and the first of the next: two chat groups.
  AddDatabase("one", {Message("same", "A", kT, "from one")});
  fs::create_directories(base_ / "root" / "one" / "nested");
  AddDatabase("one/nested", {Message("same", "B", kT, "from nested")});
  Run();
  // "main.db" sorts before "nested": the folder's own database is read first.
  EXPECT_EQ(host.Events("opened ").size(), 2u);
  EXPECT_EQ(Content(Out("l2014_05_03same.txt")), "[2014-05-03 10:22:11] A: from one\r\n");
  EXPECT_EQ(Content(Out("l2014_05_03same_2.txt")), "[2014-05-03 10:22:11] B: from nested\r\n");
}

// ---- what is no failure ----

TEST_F(ExportTest, CancellingTheOutputDialogEndsTheRunSilently) {
  AddDatabase("acct", {Message("a", "A", kT, "x")});
  host.chosenFile.reset();
  const TExportSummary summary = Run();
  EXPECT_TRUE(summary.cancelled);
  EXPECT_EQ(host.events, Joined({kDisabled, {"output dialog"}, kRestored}));
  EXPECT_TRUE(OutFiles().empty());
}

TEST_F(ExportTest, NoDatabaseShowsTheErrorDialog) {
  for (const std::string root : {"", "/missing"}) {
    host.events.clear();
    host.root = root.empty() ? (base_ / "root").string() : (base_ / "missing").string();
    Run();
    EXPECT_EQ(
        host.events,
        Joined({kDisabled, {"output dialog", "root", "error: No log files found !"}, kRestored}));
  }
}

TEST_F(ExportTest, ADatabaseWithoutMessagesGivesNoFileAndTheRunGoesOn) {
  AddDatabase("a_empty", {});
  AddDatabase("b_full", {Message("chat", "A", kT, "x")});
  Run();
  EXPECT_EQ(OutFiles(), Strings{"l2014_05_03chat.txt"});
}

// ---- chat groups ----

TEST_F(ExportTest, ChatsWithoutDateOrNameGetNoFile) {
  AddDatabase(
      "acct",
      {Message("", "A", kT, "no chat name"), Message(std::nullopt, "A", kT, "NULL chat name"),
       Message("nodate", "A", std::nullopt, "no time stamp"), Message("ok", "A", kT, "kept")});
  Run();
  EXPECT_EQ(OutFiles(), Strings{"l2014_05_03ok.txt"});
  EXPECT_EQ(Content(Out("l2014_05_03ok.txt")), "[2014-05-03 10:22:11] A: kept\r\n");
}

TEST_F(ExportTest, AChatWhoseNewestMessageHasNoTimeGetsNoFile) {
  // NULL time stamps sort last, so only a chat whose every message lacks one is dated "".
  AddDatabase("acct", {Message("a", "A", std::nullopt, "x"), Message("a", "A", std::nullopt, "y"),
                       Message("b", "B", kT, "z")});
  Run();
  EXPECT_EQ(OutFiles(), Strings{"l2014_05_03b.txt"});
}

TEST_F(ExportTest, AMessageWithoutTimeInADatedChatIsWrittenWithAnEmptyDate) {
  AddDatabase("acct", {Message("a", "A", kT, "dated"), Message("a", "A", std::nullopt, "undated")});
  Run();
  EXPECT_EQ(Content(Out("l2014_05_03a.txt")),
            "[2014-05-03 10:22:11] A: dated\r\n[] A: undated\r\n");
}

TEST_F(ExportTest, AChatNamedLikeTheOldSentinelIsExportedToo) {
  AddDatabase("acct", {Message("xxxxx", "A", kT, "not swallowed"), Message("y", "B", kT, "y")});
  Run();
  EXPECT_EQ(OutFiles(), (Strings{"l2014_05_03xxxxx.txt", "l2014_05_03y.txt"}));
  EXPECT_EQ(Content(Out("l2014_05_03xxxxx.txt")), "[2014-05-03 10:22:11] A: not swallowed\r\n");
}

TEST_F(ExportTest, ChatNamesDifferingInCaseAreTwoChats) {
  AddDatabase("acct", {Message("Bob", "A", kT, "upper"), Message("bob", "B", kT, "lower")});
  Run();
  EXPECT_EQ(OutFiles(), (Strings{"l2014_05_03Bob.txt", "l2014_05_03bob.txt"}));
}

TEST_F(ExportTest, ALaterChatWithTheSameFileNameGetsANumberInsteadOfReplacingIt) {
  AddDatabase("a", {Message("a.b", "A", kT, "dot"), Message("a-b", "B", kT, "dash"),
                    Message("a_b", "C", kT, "underscore"), Message("a_b_2", "D", kT, "taken")});
  AddDatabase("b", {Message("a.b", "E", kT, "other account")});
  Run();
  // Rows come in byte order of the chat names: "a-b" < "a.b" < "a_b" < "a_b_2".
  EXPECT_EQ(Content(Out("l2014_05_03a_b.txt")), "[2014-05-03 10:22:11] B: dash\r\n");
  EXPECT_EQ(Content(Out("l2014_05_03a_b_2.txt")), "[2014-05-03 10:22:11] A: dot\r\n");
  EXPECT_EQ(Content(Out("l2014_05_03a_b_3.txt")), "[2014-05-03 10:22:11] C: underscore\r\n");
  // "a_b_2" names itself a file already given out, so it moves on as well.
  EXPECT_EQ(Content(Out("l2014_05_03a_b_2_2.txt")), "[2014-05-03 10:22:11] D: taken\r\n");
  EXPECT_EQ(Content(Out("l2014_05_03a_b_4.txt")), "[2014-05-03 10:22:11] E: other account\r\n");
  EXPECT_EQ(OutFiles().size(), 5u);
}

// A link left in the output folder makes a second name for a file of this run, as letter case
// does on a file system that ignores it; the file of this run is kept all the same.
TEST_F(ExportTest, ANameLeadingToAFileOfThisRunGetsANumberToo) {
  AddDatabase("acct", {Message("a", "A", kT, "first"), Message("b", "B", kT, "second")});
  fs::create_symlink(Out("l2014_05_03a.txt"), Out("l2014_05_03b.txt"));
  Run();
  EXPECT_EQ(Content(Out("l2014_05_03a.txt")), "[2014-05-03 10:22:11] A: first\r\n");
  EXPECT_EQ(Content(Out("l2014_05_03b_2.txt")), "[2014-05-03 10:22:11] B: second\r\n");
}

TEST_F(ExportTest, AFileLeftByAnEarlierRunIsReplacedNotAppendedTo) {
  AddDatabase("acct", {Message("a", "A", kT, "new")});
  std::ofstream(Out("l2014_05_03a.txt")) << "old content that is much longer\r\n";
  Run();
  EXPECT_EQ(Content(Out("l2014_05_03a.txt")), "[2014-05-03 10:22:11] A: new\r\n");
  Run();  // a second run replaces the first run's file as well
  EXPECT_EQ(OutFiles(), Strings{"l2014_05_03a.txt"});
}

// ---- lines ----

TEST_F(ExportTest, BlankBodiesWriteNoLineAndOtherBodiesAreWrittenAsStored) {
  AddDatabase(
      "acct",
      {Message("a", "A", kT, " \t\r\n "), Message("a", "A", kT - 1, ""),
       Message("a", "A", kT - 2, std::nullopt), Message("a", "A", kT - 3, "  padded  "),
       Message("a", "A", kT - 4, "two\nlines"), Message("a", std::nullopt, kT - 5, "no sender"),
       Message("a", "A", kT - 6, "\x01x")});
  Run();
  EXPECT_EQ(Content(Out("l2014_05_03a.txt")),
            "[2014-05-03 10:22:08] A:   padded  \r\n"
            "[2014-05-03 10:22:07] A: two\nlines\r\n"
            "[2014-05-03 10:22:06] : no sender\r\n"
            "[2014-05-03 10:22:05] A: \x01x\r\n");
}

TEST_F(ExportTest, ALongBodyIsWrittenWhole) {
  const std::string body(10000, 'b');
  AddDatabase("acct", {Message("a", "A", kT, body)});
  Run();
  EXPECT_EQ(Content(Out("l2014_05_03a.txt")), "[2014-05-03 10:22:11] A: " + body + "\r\n");
}

TEST_F(ExportTest, TextIsWrittenInTheCodePage) {
  AddDatabase("acct", {Message("a", "Zoë", kT, "Привет 😀")});
  Run();
  EXPECT_EQ(Content(Out("l2014_05_03a.txt")), "[2014-05-03 10:22:11] Zoë: Привет 😀\r\n");

  UseCodePage(platform::MakeCodePage("ISO-8859-1"));
  Run();
  // What Latin-1 cannot hold was already reduced when read; the line is written in Latin-1.
  const std::string latin1 = Content(Out("l2014_05_03a.txt"));
  EXPECT_EQ(latin1.substr(0, 27), "[2014-05-03 10:22:11] Zo\xEB: ");
  EXPECT_EQ(latin1.find_first_of("\xD0\xD1"), std::string::npos);  // no UTF-8 Cyrillic left
  EXPECT_EQ(latin1.substr(latin1.size() - 2), "\r\n");
}

TEST_F(ExportTest, MalformedTextAndNulInBodiesAreHandled) {
  AddDatabase("acct", {});
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((base_ / "root/acct/main.db").c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "INSERT INTO Messages(id, chatname, from_dispname, timestamp, body_xml) "
                         "VALUES (1, 'a', 'A', 1399112531, CAST(X'6F6BFF' AS TEXT)),"
                         "       (2, 'a', 'A', 1399112530, CAST(X'6869006869' AS TEXT));",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  Run();
  EXPECT_EQ(Content(Out("l2014_05_03a.txt")),
            "[2014-05-03 10:22:11] A: ok\xEF\xBF\xBD\r\n"  // the bad byte becomes U+FFFD
            "[2014-05-03 10:22:10] A: hi\r\n");            // the body ends at its NUL
}

TEST_F(ExportTest, ARowOfNullsIsPassedOver) {
  AddDatabase("acct", {Message(std::nullopt, std::nullopt, std::nullopt, std::nullopt),
                       Message("a", "A", kT, "x")});
  const TExportSummary summary = Run();
  EXPECT_EQ(OutFiles(), Strings{"l2014_05_03a.txt"});
  EXPECT_EQ(summary.rows, 2u);
}

// ---- chat names that would make unsafe file names ----

TEST_F(ExportTest, ChatNamesCannotLeaveTheOutputFolder) {
  AddDatabase("acct", {Message("../../escape", "A", kT, "x"), Message("/abs/path", "A", kT, "x"),
                       Message("..", "A", kT, "x"), Message("19:colon", "A", kT, "x")});
  const Strings before = FilesBelow(base_);
  Run();
  EXPECT_EQ(OutFiles(), (Strings{"l2014_05_0319:colon.txt", "l2014_05_03__.txt",
                                 "l2014_05_03______escape.txt", "l2014_05_03_abs_path.txt"}));
  EXPECT_EQ(FilesBelow(base_).size(), before.size() + 4);
}

// ---- chat names too long for a file name ----

std::string Repeated(std::string_view piece, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += piece;
  return text;
}

// "l" + "2014_05_03" + ".txt" leave 240 of the 255 bytes a file name may have.
constexpr std::size_t kRoom = 240;

struct LongNameCase {
  const char* label;
  Strings chats;  // in row order
  Strings files;  // the file each chat is written to
  friend void PrintTo(const LongNameCase& longName, std::ostream* out) { *out << longName.label; }
};

class LongChatNameTest : public ExportTest, public testing::WithParamInterface<LongNameCase> {};

// A chat name no file system takes whole must neither stop the run nor lose the chat's lines.
TEST_P(LongChatNameTest, IsExportedUnderAShortenedNameAndTheRunGoesOn) {
  std::vector<fixture::MessageRow> rows;
  for (const std::string& chat : GetParam().chats) {
    rows.push_back(Message(chat, "A", kT, "newer"));
    rows.push_back(Message(chat, "B", kT - 1, "older"));
  }
  AddDatabase("a", rows);
  AddDatabase("b", {Message("later", "C", kT, "still written")});
  Run();
  Strings expected = GetParam().files;
  expected.push_back("l2014_05_03later.txt");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(OutFiles(), expected);
  for (const std::string& file : GetParam().files)
    EXPECT_EQ(Content(Out(file)),
              "[2014-05-03 10:22:11] A: newer\r\n[2014-05-03 10:22:10] B: older\r\n");
  EXPECT_TRUE(host.Events("message: ").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LongChatNameTest,
    testing::Values(LongNameCase{"ThreeHundredAscii",
                                 {std::string(300, 'n')},
                                 {"l2014_05_03" + std::string(kRoom, 'n') + ".txt"}},
                    LongNameCase{"HundredCjk",
                                 {Repeated("漢", 100)},
                                 {"l2014_05_03" + Repeated("漢", kRoom / 3) + ".txt"}},
                    LongNameCase{
                        "TwoSharingALongPrefix",
                        {std::string(kRoom, 'p') + "first", std::string(kRoom, 'p') + "second"},
                        {"l2014_05_03" + std::string(kRoom, 'p') + ".txt",
                         "l2014_05_03" + std::string(kRoom - 2, 'p') + "_2.txt"}},
                    LongNameCase{"ExactlyAtTheLimit",
                                 {std::string(kRoom, 'e')},
                                 {"l2014_05_03" + std::string(kRoom, 'e') + ".txt"}}),
    [](const testing::TestParamInfo<LongNameCase>& info) { return info.param.label; });

// Only an absurdly deep output folder can make the whole path too long; that stays a failed
// creation, reported after the path.
TEST_F(ExportTest, AFullPathTooLongFailsAfterThePathDialog) {
  AddDatabase("acct", {Message("a", "A", kT, "x")});
  std::string folder = base_.string();
  while (folder.size() <= PATH_MAX) folder += "/" + std::string(200, 'd');
  host.chosenFile = folder + "/default.txt";
  EXPECT_EQ(RunExpectingFailure(), "I/O error " + std::to_string(ENAMETOOLONG));
  EXPECT_EQ(host.Events("message: "), Strings{"message: " + folder + "/l2014_05_03a.txt"});
  EXPECT_EQ(Strings(host.events.end() - 3, host.events.end()), kRestored);
}

// ---- failures ----

TEST_F(ExportTest, AMissingOutputFolderIsAnInvalidFileName) {
  AddDatabase("acct", {Message("a", "A", kT, "x")});
  host.chosenFile = (base_ / "nowhere" / "default.txt").string();
  const std::string path = (base_ / "nowhere" / "l2014_05_03a.txt").string();
  EXPECT_EQ(RunExpectingFailure(), "Invalid file name - " + path);
  const std::size_t n = host.events.size();
  ASSERT_GE(n, 4u);
  EXPECT_EQ(host.events[n - 4], "message: " + path);  // the path first, then the controls
  EXPECT_EQ(Strings(host.events.end() - 3, host.events.end()), kRestored);
}

TEST_F(ExportTest, AFolderOfTheChatFilesNameIsAccessDenied) {
  AddDatabase("acct", {Message("a", "A", kT, "x"), Message("b", "B", kT, "y")});
  fs::create_directory(Out("l2014_05_03b.txt"));
  EXPECT_EQ(RunExpectingFailure(), "File access denied");
  EXPECT_EQ(host.Events("message: "), Strings{"message: " + Out("l2014_05_03b.txt")});
  EXPECT_EQ(Content(Out("l2014_05_03a.txt")), "[2014-05-03 10:22:11] A: x\r\n");
}

// Root may write anywhere, so the run happens in a child process that has given root up.
TEST_F(ExportTest, AnOutputFolderThatMayNotBeWrittenIsAccessDenied) {
  AddDatabase("acct", {Message("a", "A", kT, "x")});
  for (const fs::path& folder : {base_, base_ / "root", base_ / "root" / "acct", base_ / "out"})
    fs::permissions(folder, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  const int status =
      tavrin::testing_support::RunInChild(tavrin::testing_support::ChildUser::Nobody, [&] {
        if (RunExpectingFailure() != "File access denied") return 1;
        if (host.Events("message: ") != Strings{"message: " + Out("l2014_05_03a.txt")}) return 2;
        return Strings(host.events.end() - 3, host.events.end()) == kRestored ? 0 : 3;
      });
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(OutFiles().empty());
}

TEST_F(ExportTest, AFullDiskFailsWithoutThePathDialog) {
  AddDatabase("acct", {Message("a", "A", kT, "x")});
  fs::create_symlink("/dev/full", Out("l2014_05_03a.txt"));
  EXPECT_EQ(RunExpectingFailure(), "I/O error 28");
  EXPECT_TRUE(host.Events("message: ").empty());
  EXPECT_EQ(Strings(host.events.end() - 3, host.events.end()), kRestored);
}

struct BadDatabase {
  const char* name;
  std::function<void(const fs::path&)> make;
  std::string message;
  friend void PrintTo(const BadDatabase& bad, std::ostream* out) { *out << bad.name; }
};

void WriteFile(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

void Sql(const fs::path& path, const char* sql) {
  fs::create_directories(path.parent_path());
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
}

class BadDatabaseTest : public ExportTest, public testing::WithParamInterface<BadDatabase> {};

// The first database is fine, the second is bad, the third is never read.
TEST_P(BadDatabaseTest, EndsTheRunWithItsMessageAndKeepsWhatWasWritten) {
  AddDatabase("a", {Message("first", "A", kT, "x")});
  GetParam().make(base_ / "root" / "b" / "main.db");
  AddDatabase("c", {Message("third", "C", kT, "z")});
  EXPECT_EQ(RunExpectingFailure(), GetParam().message);
  EXPECT_EQ(OutFiles(), Strings{"l2014_05_03first.txt"});
  EXPECT_EQ(host.Events("opened ").size(), 1u);  // the bad one never opened
  EXPECT_EQ(Strings(host.events.end() - 3, host.events.end()), kRestored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadDatabaseTest,
    testing::Values(
        BadDatabase{"NotADatabase", [](const fs::path& p) { WriteFile(p, std::string(4096, 'z')); },
                    "SQL Error: file is encrypted or is not a database"},
        BadDatabase{"Truncated",
                    [](const fs::path& p) {
                      Sql(p,
                          "CREATE TABLE messages(timestamp, author, from_dispname, body_xml, "
                          "chatname); INSERT INTO messages VALUES(1,'a','b','c','d');");
                      fs::resize_file(p, 100);  // the header survives, the pages do not
                    },
                    "SQL Error: database disk image is malformed"},
        BadDatabase{"Empty", [](const fs::path& p) { WriteFile(p, ""); },
                    "SQL Error: SQL logic error or missing database"},
        BadDatabase{"NoMessagesTable",
                    [](const fs::path& p) { Sql(p, "CREATE TABLE chats(id INTEGER);"); },
                    "SQL Error: SQL logic error or missing database"},
        BadDatabase{"MissingColumn",
                    [](const fs::path& p) {
                      Sql(p, "CREATE TABLE messages(timestamp, author, from_dispname, chatname);");
                    },
                    "SQL Error: SQL logic error or missing database"}),
    [](const testing::TestParamInfo<BadDatabase>& info) { return info.param.name; });

TEST_F(ExportTest, ADatabaseLockedByAWriterFailsAtOnce) {
  const fs::path path = AddDatabase("acct", {Message("a", "A", kT, "x")});
  sqlite3* writer = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &writer), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(RunExpectingFailure(), "SQL Error: database is locked");
  sqlite3_exec(writer, "ROLLBACK;", nullptr, nullptr, nullptr);
  sqlite3_close(writer);
  EXPECT_TRUE(OutFiles().empty());
}

TEST_F(ExportTest, AFailureMidChatClosesTheChatFileWithTheLinesWrittenSoFar) {
  AddDatabase("acct", {Message("a", "A", kT, "one"), Message("a", "A", kT - 1, "two"),
                       Message("a", "A", kT - 2, "three")});
  host.onRow = [](std::size_t row) {
    if (row == 3) throw std::runtime_error("window failure");
  };
  EXPECT_EQ(RunExpectingFailure(), "window failure");
  EXPECT_EQ(Content(Out("l2014_05_03a.txt")),
            "[2014-05-03 10:22:11] A: one\r\n[2014-05-03 10:22:10] A: two\r\n");
  EXPECT_EQ(Strings(host.events.end() - 3, host.events.end()), kRestored);
}

// ---- the terminate request ----

TEST_F(ExportTest, TheTerminateRequestStopsTheRowsAndLaterDatabasesYieldNoFile) {
  AddDatabase("a", {Message("a", "A", kT, "one"), Message("a", "A", kT - 1, "two"),
                    Message("b", "A", kT, "never")});
  AddDatabase("b", {Message("c", "C", kT, "never")});
  host.terminateAfterRows = 2;
  const TExportSummary summary = Run();
  EXPECT_TRUE(summary.terminated);
  // The first chat is written up to the request and closed; the second database is still
  // opened and queried but writes nothing.
  EXPECT_EQ(host.Events("opened ").size(), 2u);
  EXPECT_EQ(OutFiles(), Strings{"l2014_05_03a.txt"});
  EXPECT_EQ(Content(Out("l2014_05_03a.txt")),
            "[2014-05-03 10:22:11] A: one\r\n[2014-05-03 10:22:10] A: two\r\n");
  EXPECT_EQ(summary.rows, 2u);
  EXPECT_EQ(Strings(host.events.end() - 3, host.events.end()), kRestored);
}

}  // namespace
}  // namespace tavrin::chat_export
