#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "link/messages.h"
#include "samples/export_file.h"
#include "samples/export_messages.h"
#include "samples/export_samples.h"
#include "tests/support/quiet_ui.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/stream_port.h"

namespace zv {
namespace {

INFO_TAB TabWithId(const std::string& id) {
  INFO_TAB tab;
  std::memcpy(tab.LoggerId(), id.data(), id.size() < kLoggerIdSize ? id.size() : kLoggerIdSize);
  return tab;
}

TEST(SamplesExportName, ForbiddenAndControlCharactersBecomeUnderscores) {
  struct Case {
    std::string id;  // up to 14 bytes of the field; a 14-byte id has no NUL
    std::string name;
    bool renamed;
  };
  const Case cases[] = {
      {"A/B:C", "A_B_C", true},
      {"KV 01.a", "KV 01.a", false},
      {"", "", false},
      {"\\/:*?\"<>|", "_________", true},
      {"a\x01\tb\x1f\x7f", "a__b__", true},
      {std::string(Cp1250(u8"Chłodnia 3").view()), std::string(Cp1250(u8"Chłodnia 3").view()),
       false},
      {"ABCDEFGHIJKLMN", "ABCDEFGHIJKLM", false},  // no NUL: cut at 13
      {"ABCDEFGHIJKL/N", "ABCDEFGHIJKL_", true},   // the 13th is replaced, the 14th unseen
      {std::string("AB\0/C", 5), "AB", false},     // nothing after the NUL counts
  };
  for (const Case& c : cases) {
    const ExportName name = DefaultExportName(TabWithId(c.id));
    EXPECT_EQ(std::string(name.text), c.name) << c.id;
    EXPECT_EQ(name.length, c.name.size()) << c.id;
    EXPECT_EQ(name.renamed, c.renamed) << c.id;
  }
}

struct Fixture {
  LoggerInfo info;
  std::unique_ptr<SampleBuffer> samples = std::make_unique<SampleBuffer>();
  test::ScriptedUi ui;

  explicit Fixture(const std::string& id = "KV-01") {
    info.tab = TabWithId(id);
    DeriveAtConnect(info);
    const uint8_t bytes[] = {0x71, 0x01, 0xF0, 0xFF, 0x55};
    std::memcpy(samples->bytes, bytes, sizeof bytes);
    samples->n = sizeof bytes;
  }
  std::string Expected() const {
    struct Sink final : ByteSink {
      void Put(const char* b, std::size_t n) override { text.append(b, n); }
      std::string text;
    } sink;
    WriteExportFile(*samples, info, sink);
    return sink.text;
  }
  void Run() { ExportSamples(info, *samples, ui); }
};

TEST(SamplesExportFlow, EachEnding) {
  struct Case {
    const char* name;
    void (*setUp)(test::ScriptedUi&);
    const char* message;  // null: none
    MessageIcon icon;
    bool committed;
    int steps;  // ask, create: how far it went
  };
  const Case cases[] = {
      {"cancel", [](test::ScriptedUi& ui) { ui.cancelExportPath = true; }, nullptr,
       MessageIcon::Information, false, 1},
      {"create fails", [](test::ScriptedUi& ui) { ui.failExportCreate = true; },
       msg::kCannotSave.c_str(), MessageIcon::Exclamation, false, 2},
      {"write or commit fails", [](test::ScriptedUi& ui) { ui.exportFile.failCommit = true; },
       msg::kCannotSave.c_str(), MessageIcon::Exclamation, false, 2},
      {"saved", [](test::ScriptedUi&) {}, msg::kSaved.c_str(), MessageIcon::Information, true, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    c.setUp(f.ui);
    if (c.message != nullptr) f.ui.Expect(c.message, c.icon);
    f.Run();
    EXPECT_EQ(f.ui.proposedExportName, "KV-01");
    EXPECT_EQ(f.ui.exportFile.committed, c.committed);
    EXPECT_EQ(f.ui.exportFile.content, c.committed ? f.Expected() : "");
    ASSERT_GE(f.ui.log.size(), static_cast<std::size_t>(c.steps));
    EXPECT_EQ(f.ui.log[0], "ask export path");
    if (c.steps == 2) {
      EXPECT_EQ(f.ui.log[1], "create export file");
    }
    EXPECT_EQ(f.ui.log.size(), static_cast<std::size_t>(c.steps) + (c.message ? 1 : 0));
  }
}

TEST(SamplesExportFlow, RenamingNoticeBeforeTheDialog) {
  Fixture f(std::string("A/B:C\x01") + Cp1250(u8"żółw").bytes);
  const std::string renamed = std::string("A_B_C_") + Cp1250(u8"żółw").bytes;
  f.ui.Expect(std::string(msg::kRenamedNotice.view()) + renamed, MessageIcon::Information);
  f.ui.cancelExportPath = true;
  f.Run();
  EXPECT_EQ(f.ui.proposedExportName, renamed);
  EXPECT_EQ(f.ui.log.front(), "message " + std::string(msg::kRenamedNotice.view()) + renamed);
}

// A screen that takes every path and a file that only counts: the flow itself allocates nothing.
class CountingScreen final : public test::QuietUi {
 public:
  struct File final : ExportFile {
    void Put(const char*, std::size_t n) override { bytes += n; }
    bool Commit() override { return true; }
    std::size_t bytes = 0;
  } file;
  int messages = 0;
  void ShowMessage(const char*, MessageIcon) override { ++messages; }
  bool AskExportPath(const char*) override { return true; }
  ExportFile* CreateExportFile() override { return &file; }
};

TEST(SamplesExportFlow, AllocatesNothing) {
  Fixture f("A/B");
  f.samples->n = kSampleBufferSize;
  CountingScreen screen;
  long allocations = -1;
  {
    test::AllocationCounter counter;
    ExportSamples(f.info, *f.samples, screen);
    allocations = counter.count();
  }
  EXPECT_EQ(allocations, 0);
  EXPECT_EQ(screen.messages, 2);  // the notice and "saved"
  EXPECT_GT(screen.file.bytes, kSampleBufferSize);
}

}  // namespace
}  // namespace zv
