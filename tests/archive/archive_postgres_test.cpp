// What only a server archive meets: a password given every way libpq takes one and never shown,
// a role without the right to set the archive up, the server gone in the middle of a keep; and
// copying between a file and a server, both ways and twice.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "archive/copy_archive.h"
#include "archive/event_drafts.h"
#include "archive/keep.h"
#include "archive/open_archive.h"
#include "archive/verify.h"
#include "tests/archive/archive_fixtures.h"
#include "tests/archive/test_server.h"
#include "tests/archive/writer_process.h"

namespace zv::archive::test {
namespace {

constexpr const char* kRightPassword = "zv-right-password";

ArchiveStatus Open(const std::string& url, std::unique_ptr<ArchiveStore>& store,
                   OpenMode mode = OpenMode::ReadWrite) {
  ArchiveLocation where;
  ArchiveStatus status = ResolveArchiveLocation(url.c_str(), where);
  return status.ok() ? OpenArchive(where, mode, store) : status;
}

ArchiveStatus KeepSeed(ArchiveStore& store, uint32_t seed) {
  const TestDownload download = MakeDownload(seed);
  KeptRecording kept;
  return KeepDownload(store, download.table, download.memory, "/dev/ttyUSB0", TestAttribution(),
                      kept);
}

VerifyReport Verified(const std::string& location) {
  VerifyReport report;
  auto store = OpenForTest(location, OpenMode::ReadOnly);
  EXPECT_TRUE(store && Verify(*store, report).ok());
  return report;
}

// An environment variable set for one case, and put back after it.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::string& value) : name_(name) {
    if (const char* before = std::getenv(name)) before_ = before;
    if (!value.empty()) setenv(name, value.c_str(), 1);
  }
  ~ScopedVariable() {
    if (before_) {
      setenv(name_, before_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> before_;
};

TEST(PostgresArchive, APasswordWorksEveryWayAndIsNeverShown) {
  const std::string server = TestServerFolder();
  ASSERT_FALSE(server.empty());
  const std::string passFile = server + "/../zv-pgpass-" + std::to_string(getpid());
  struct Case {
    const char* name;
    std::string url;
    const char* variable;  // PGPASSWORD or PGPASSFILE, or none
    std::string value;
    std::string secret;  // what no message may show
    bool opens;
  };
  const std::string socket = "host=" + server;
  const Case cases[] = {
      {"right in the URL",
       "postgresql://zv_secret:" + std::string(kRightPassword) + "@/zv_secret?" + socket, nullptr,
       "", kRightPassword, true},
      {"right in PGPASSWORD", "postgresql://zv_secret@/zv_secret?" + socket, "PGPASSWORD",
       kRightPassword, kRightPassword, true},
      {"right in a password file", "postgresql://zv_secret@/zv_secret?" + socket, "PGPASSFILE",
       passFile, kRightPassword, true},
      {"wrong in the URL", "postgresql://zv_secret:Wrong-Pass-4711@/zv_secret?" + socket, nullptr,
       "", "Wrong-Pass-4711", false},
      {"wrong and encoded in the URL",
       "postgresql://zv_secret:Wr%6Fng-Pass-4712@/zv_secret?" + socket, nullptr, "",
       "Wrong-Pass-4712", false},
      {"wrong as a parameter",
       "postgresql:///zv_secret?" + socket + "&user=zv_secret&password=Wrong-Pass-4713", nullptr,
       "", "Wrong-Pass-4713", false},
      {"wrong in PGPASSWORD", "postgresql://zv_secret@/zv_secret?" + socket, "PGPASSWORD",
       "Wrong-Pass-4714", "Wrong-Pass-4714", false},
  };
  {
    std::ofstream file(passFile);
    file << "*:*:*:zv_secret:" << kRightPassword << "\n";
  }
  chmod(passFile.c_str(), 0600);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    const ScopedVariable variable(test.variable ? test.variable : "ZV_UNUSED", test.value);
    std::unique_ptr<ArchiveStore> store;
    const ArchiveStatus status = Open(test.url, store);
    std::string shown = status.message;
    if (store) {
      EXPECT_TRUE(KeepSeed(*store, 1).ok());
      shown += store->Name();
    }
    EXPECT_EQ(status.ok(), test.opens) << status.message;
    if (!test.opens) {
      EXPECT_EQ(status.fault, ArchiveFault::CannotOpen);
      EXPECT_NE(status.message.find("password authentication failed"), std::string::npos)
          << status.message;
    }
    EXPECT_EQ(shown.find(test.secret), std::string::npos) << shown;
  }
  std::filesystem::remove(passFile);
}

// A database another role owns: nothing is made, and the message says what right is missing.
TEST(PostgresArchive, ARoleThatMayNotCreateTablesIsToldWhatIsMissing) {
  const std::string admin = FreshDatabaseUrl(TestServerFolder());
  const std::string database = admin.substr(13, admin.find('?') - 13);
  const std::string url = "postgresql://zv_secret:" + std::string(kRightPassword) + "@" + database +
                          "?host=" + TestServerFolder();
  std::unique_ptr<ArchiveStore> store;
  const ArchiveStatus status = Open(url, store);
  EXPECT_EQ(status.fault, ArchiveFault::CannotOpen);
  EXPECT_NE(status.message.find("GRANT CREATE ON SCHEMA public TO zv_secret"), std::string::npos)
      << status.message;
  EXPECT_EQ(status.message.find(kRightPassword), std::string::npos);
}

// A server of the case's own, removed however the case ends.
class OwnServer {
 public:
  OwnServer() {
    char made[] = "/tmp/zv-pg-XXXXXX";
    if (mkdtemp(made) != nullptr && RunTestServer("start", made)) folder_ = made;
  }
  ~OwnServer() {
    if (!folder_.empty()) RunTestServer("stop", folder_);
  }
  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
};

// The server stopped at once while a writer keeps download after download: the writer says the
// archive was not written and why, and once the server is back every keep it confirmed is
// there, whole, and the chain verifies.
TEST(PostgresArchive, TheServerStoppedInTheMiddleOfAKeepLeavesNothingHalfKept) {
  const OwnServer server;
  ASSERT_FALSE(server.folder().empty());
  const std::string url = FreshDatabaseUrl(server.folder());
  {
    auto store = OpenForTest(url);  // set up before the writer starts
    ASSERT_TRUE(store);
  }
  const std::string errors = server.folder() + "/../zv-writer-" + std::to_string(getpid());
  const Writer writer = StartWriter({url, "1", "100000"}, errors);
  // Halted once the writer has kept something, however slow the machine is today.
  for (int waited = 0; waited < 600; ++waited) {
    std::vector<RecordingListing> kept;
    auto reader = OpenForTest(url);
    if (reader && reader->ListRecordings({}, kept).ok() && kept.size() >= 2) break;
    usleep(100'000);
  }
  ASSERT_TRUE(RunTestServer("halt", server.folder()));
  std::vector<uint32_t> confirmed;
  const int exitCode = FinishWriter(writer, &confirmed);
  std::ifstream file(errors);
  const std::string message{std::istreambuf_iterator<char>(file), {}};
  std::filesystem::remove(errors);
  EXPECT_EQ(exitCode, 3) << message;  // the archive was not written
  EXPECT_NE(message.find("archive postgresql:///"), std::string::npos) << message;
  EXPECT_NE(message.find("server"), std::string::npos) << message;  // the reason
  EXPECT_NE(message.find("kept"), std::string::npos) << message;

  ASSERT_TRUE(RunTestServer("resume", server.folder()));
  EXPECT_FALSE(confirmed.empty());
  const VerifyReport report = Verified(url);
  EXPECT_TRUE(report.Clean()) << report.findings[0].text;
  // The keep in flight is whole or absent: at most one more than confirmed.
  EXPECT_GE(report.recordings, confirmed.size());
  EXPECT_LE(report.recordings, confirmed.size() + 1);
  EXPECT_EQ(report.events, report.recordings);
}

// A file moved onto the server, and the server's archive given back as a file: every event in
// order, each recording once, both verify; copied again, nothing new; kept meanwhile, only that.
TEST(PostgresArchive, CopiesBothWaysAndTwice) {
  char made[] = "/tmp/zv-archive-XXXXXX";
  ASSERT_NE(mkdtemp(made), nullptr);
  const std::string folder = made;
  const std::string file = folder + "/site.sqlite";
  const std::string server = FreshDatabaseUrl(TestServerFolder());
  const std::string back = folder + "/auditor.sqlite";
  {
    auto store = OpenForTest(file);
    ASSERT_TRUE(store);
    for (uint32_t seed : {1u, 2u, 1u, 3u}) ASSERT_TRUE(KeepSeed(*store, seed).ok());
    Recording first;
    ASSERT_TRUE(store->LoadRecording(1, first).ok());
    ASSERT_TRUE(RecordEvent(*store, FileWrittenDraft("read", "a.txt", "txt", {}, first.sha256),
                            TestAttribution())
                    .ok());
  }
  struct Step {
    const char* name;
    const std::string& from;
    const std::string& to;
    uint32_t keepFirst;  // a seed kept in `from` before the copy; 0 for none
    uint64_t eventsCopied;
    uint64_t recordingsCopied;
  };
  const Step steps[] = {
      {"file to server", file, server, 0, 5, 3},    {"again", file, server, 0, 0, 0},
      {"server to file", server, back, 0, 5, 3},    {"again", server, back, 0, 0, 0},
      {"one more download", file, server, 4, 1, 1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    auto from = OpenForTest(step.from);
    auto to = OpenForTest(step.to);
    ASSERT_TRUE(from && to);
    if (step.keepFirst != 0) {
      ASSERT_TRUE(KeepSeed(*from, step.keepFirst).ok());
    }
    CopyCounts counts;
    const ArchiveStatus status = CopyArchive(*from, *to, counts);
    ASSERT_TRUE(status.ok()) << status.message;
    EXPECT_EQ(counts.eventsCopied, step.eventsCopied);
    EXPECT_EQ(counts.recordingsCopied, step.recordingsCopied);
    to.reset();
    const VerifyReport report = Verified(step.to);
    EXPECT_TRUE(report.Clean()) << report.findings[0].text;
  }
  // An edited source is refused, not copied on.
  ASSERT_TRUE(RunAsAdmin(server, "UPDATE events SET body = replace(body, 'tester', 'x')"));
  auto from = OpenForTest(server);
  auto to = OpenForTest(folder + "/third.sqlite");
  ASSERT_TRUE(from && to);
  CopyCounts counts;
  EXPECT_EQ(CopyArchive(*from, *to, counts).fault, ArchiveFault::Corrupt);
  EXPECT_EQ(counts.eventsCopied, 0u);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace zv::archive::test
