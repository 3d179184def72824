#include <gtest/gtest.h>

#include "app/command_dispatch.h"

namespace zv {
namespace {

struct CountingOperations final : ShellOperations {
  int connect = 0, download = 0, about = 0;
  void ConnectOrDisconnect() override { ++connect; }
  void RunDownload() override { ++download; }
  void ShowAboutBox() override { ++about; }
};

TEST(DispatchCommand, RoutesTheLowSixteenBitsToOneOperation) {
  const struct {
    uint32_t command;
    Dispatched result;
    int connect, download, about;
  } cases[] = {
      {300, Dispatched::Handled, 1, 0, 0},
      {311, Dispatched::Handled, 0, 1, 0},
      {316, Dispatched::Handled, 0, 0, 1},
      {0x0001'012C, Dispatched::Handled, 1, 0, 0},  // a notification code is ignored
      {0xFFFF'013C, Dispatched::Handled, 0, 0, 1},
      {312, Dispatched::Handled, 0, 0, 0},  // export, chart and configuration write: later
      {313, Dispatched::Handled, 0, 0, 0},
      {315, Dispatched::Handled, 0, 0, 0},
      {301, Dispatched::DefaultHandling, 0, 0, 0},  // lists, edit field, check box
      {314, Dispatched::DefaultHandling, 0, 0, 0},
      {317, Dispatched::DefaultHandling, 0, 0, 0},
      {318, Dispatched::DefaultHandling, 0, 0, 0},
      {0x012C'0000, Dispatched::DefaultHandling, 0, 0, 0},  // 300 in the high half only
      {2001, Dispatched::DefaultHandling, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    CountingOperations ops;
    EXPECT_EQ(DispatchCommand(c.command, ops), c.result);
    EXPECT_EQ(ops.connect, c.connect);
    EXPECT_EQ(ops.download, c.download);
    EXPECT_EQ(ops.about, c.about);
  }
}

}  // namespace
}  // namespace zv
