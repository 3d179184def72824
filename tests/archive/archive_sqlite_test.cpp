// What only a file archive meets: another program's file at its path, a damaged file, a full
// disk.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "archive/keep.h"
#include "archive/open_archive.h"
#include "archive/verify.h"
#include "tests/archive/archive_fixtures.h"

namespace zv::archive::test {
namespace {

class SqliteArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/zv-archive-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    folder_ = folder;
    path_ = folder_ + "/archive.sqlite";
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Bytes() const {
    std::ifstream file(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
  }
  ArchiveStatus Open(std::unique_ptr<ArchiveStore>& store) const {
    return OpenArchive({ArchiveKind::SqliteFile, path_, LocationFrom::Option}, OpenMode::ReadWrite,
                       store);
  }

  std::string folder_;
  std::string path_;
};

void RunSql(const std::string& path, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

TEST_F(SqliteArchive, AnotherProgramsFileIsNamedAndLeftUntouched) {
  struct Case {
    const char* name;
    const char* text;  // the file's bytes, or null
    const char* sql;   // else the database this SQL makes
    ArchiveFault fault;
  };
  const Case cases[] = {
      {"text file", "Pomiar co:\t\t 5 min\r\n", nullptr, ArchiveFault::NotAnArchive},
      {"another program's database", nullptr, "CREATE TABLE customers (name TEXT)",
       ArchiveFault::NotAnArchive},
      {"another application id", nullptr, "PRAGMA application_id = 1234; CREATE TABLE t (x)",
       ArchiveFault::NotAnArchive},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    std::filesystem::remove(path_);
    if (test.text != nullptr) {
      std::ofstream(path_, std::ios::binary) << test.text;
    } else {
      RunSql(path_, test.sql);
    }
    const std::string before = Bytes();
    std::unique_ptr<ArchiveStore> store;
    const ArchiveStatus status = Open(store);
    EXPECT_EQ(status.fault, test.fault);
    EXPECT_NE(status.message.find(path_), std::string::npos) << status.message;
    EXPECT_EQ(Bytes(), before);
  }
}

TEST_F(SqliteArchive, ADamagedArchiveIsNamedAsDamaged) {
  {
    std::unique_ptr<ArchiveStore> store;
    ASSERT_TRUE(Open(store).ok());
  }
  // The second page holds the meta table: the version and the chain's tip.
  std::fstream file(path_, std::ios::binary | std::ios::in | std::ios::out);
  file.seekp(4096);
  file << std::string(4096, '\xFF');
  file.close();
  std::unique_ptr<ArchiveStore> store;
  const ArchiveStatus status = Open(store);
  EXPECT_EQ(status.fault, ArchiveFault::Corrupt) << status.message;
}

// A write that fails part-way (the file may not grow: a full disk, as SQLite meets it) keeps
// nothing, says so, and leaves the archive as it was.
TEST_F(SqliteArchive, AFullDiskKeepsNothingAndSaysSo) {
  {
    std::unique_ptr<ArchiveStore> store;
    ASSERT_TRUE(Open(store).ok());
    const TestDownload download = MakeDownload(1);
    KeptRecording kept;
    ASSERT_TRUE(
        KeepDownload(*store, download.table, download.memory, "p", TestAttribution(), kept).ok());
  }
  const pid_t pid = fork();
  if (pid == 0) {
    execl(ARCHIVE_WRITER_PATH, ARCHIVE_WRITER_PATH, path_.c_str(), "2", "1", "--file-limit",
          "16384", nullptr);
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 3);

  std::unique_ptr<ArchiveStore> store;
  ASSERT_TRUE(Open(store).ok());
  VerifyReport report;
  ASSERT_TRUE(Verify(*store, report).ok());
  EXPECT_TRUE(report.Clean());
  EXPECT_EQ(report.recordings, 1u);
  EXPECT_EQ(report.events, 1u);
}

}  // namespace
}  // namespace zv::archive::test
