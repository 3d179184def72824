#include <gtest/gtest.h>

#include "app/command_dispatch.h"

namespace zv {
namespace {

// Counts the calls of each operation, in the order of the enum below.
enum Op { kConnect, kDownload, kExport, kChart, kConfig, kAbout, kOps };

struct CountingOperations final : ShellOperations {
  int calls[kOps] = {};
  void ConnectOrDisconnect() override { ++calls[kConnect]; }
  void RunDownload() override { ++calls[kDownload]; }
  void ExportSamples() override { ++calls[kExport]; }
  void ShowChart() override { ++calls[kChart]; }
  void WriteConfiguration() override { ++calls[kConfig]; }
  void ShowAboutBox() override { ++calls[kAbout]; }
};

TEST(DispatchCommand, RoutesEachControlToOneOperation) {
  constexpr int kNone = -1;
  const struct {
    uint16_t command;
    int op;  // the one operation called, or kNone for the default handling
  } cases[] = {
      {300, kConnect}, {311, kDownload}, {312, kExport}, {313, kChart},
      {315, kConfig},  {316, kAbout},    {301, kNone},  // lists, edit field, check box
      {314, kNone},    {317, kNone},     {318, kNone},   {2001, kNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    CountingOperations ops;
    EXPECT_EQ(DispatchCommand(c.command, ops),
              c.op == kNone ? Dispatched::DefaultHandling : Dispatched::Handled);
    for (int op = 0; op < kOps; ++op) EXPECT_EQ(ops.calls[op], op == c.op ? 1 : 0) << op;
  }
}

}  // namespace
}  // namespace zv
