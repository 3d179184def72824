// The front end's files: a memory image is refused past a logger's memory, even when endless;
// the table line is the whole table in hex, put in place by a rename.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "emulator/fault_file.h"
#include "emulator/front_files.h"
#include "emulator/logger_setup.h"

namespace zv::emu {
namespace {

std::string TemporaryPath(const char* name) {
  return testing::TempDir() + "kvar2_" + name;
}

TEST(EmulatorFilesTest, MemoryImageHoldsAtMostALoggersMemory) {
  struct Case {
    const char* path;  // nullptr: a file of `bytes` bytes
    std::size_t bytes;
    bool accepted;
  };
  const Case cases[] = {
      {nullptr, 0, true},
      {nullptr, kMaxMemoryBytes, true},
      {nullptr, kMaxMemoryBytes + 1, false},
      {"/dev/zero", 0, false},
      {"/no/such/file", 0, false},
  };
  for (const Case& c : cases) {
    std::string path = c.path != nullptr ? c.path : TemporaryPath("image.bin");
    SCOPED_TRACE(path + " " + std::to_string(c.bytes));
    const std::vector<uint8_t> written(c.bytes, 0x5A);
    if (c.path == nullptr) {
      ASSERT_TRUE(WriteMemoryImage(path, written));
    }
    std::vector<uint8_t> image;
    std::string error;
    EXPECT_EQ(ReadMemoryImage(path, image, error), c.accepted);
    if (c.accepted) {
      EXPECT_EQ(image, written);
    } else {
      EXPECT_NE(error.find(path), std::string::npos) << error;
    }
  }
}

TEST(EmulatorFilesTest, TableLineIsTheWholeTableInHex) {
  LoggerSetup setup;
  std::string why;
  ASSERT_TRUE(SetIdentifier(setup, "AB", why));
  setup.writePointer = 0x1234;
  const INFO_TAB table = BuildInfoTab(setup);
  const std::string path = TemporaryPath("table.txt");
  ASSERT_TRUE(SaveTableLine(path, table));
  std::ifstream in(path);
  const std::string line{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  // "AB", write pointer 0x1234, interval 5, memory end 0x7FFE, status 4, start 0x20, check 0x6F.
  EXPECT_EQ(line,
            "4142000000000000000000000000341205000000FE7F040020"
            "6F\n");
  EXPECT_FALSE(std::ifstream(path + ".tmp").good());
  EXPECT_FALSE(SaveTableLine(TemporaryPath("no/such/folder/table.txt"), table));
}

// The fault file a test rewrites mid-session: each new text replaces the faults added before,
// the faults given at start stay, an unchanged text changes nothing.
TEST(EmulatorFilesTest, FaultFileTakesEachNewText) {
  const std::string path = TemporaryPath("faults.txt");
  FaultSet base;
  base.silentInfo = true;
  FaultFile file(path, base);
  FaultSet faults;
  std::string unknown;
  const struct {
    const char* text;  // null: no file at all
    bool changed;
    bool notReady;
    int badCheck;
    const char* unknown;
  } steps[] = {
      {nullptr, true, false, -1, ""},
      {"not-ready\nbad-check=2 bogus", true, true, 2, "bogus"},
      {"not-ready\nbad-check=2 bogus", false, true, 2, "bogus"},
      {"", true, false, -1, ""},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.text ? step.text : "(no file)");
    if (step.text) std::ofstream(path) << step.text;
    EXPECT_EQ(file.Changed(faults, unknown), step.changed);
    if (!step.changed) continue;
    EXPECT_TRUE(faults.silentInfo);
    EXPECT_EQ(faults.notReady, step.notReady);
    EXPECT_EQ(faults.badCheckBlock, step.badCheck);
    EXPECT_EQ(unknown, step.unknown);
  }
}

}  // namespace
}  // namespace zv::emu
