#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "emulator/logger_model.h"
#include "emulator/simulated_port.h"
#include "link/messages.h"
#include "link/session.h"
#include "tests/support/scripted_ui.h"

namespace zv {
namespace {

using emu::LoggerModel;
using emu::LoggerSetup;
using emu::SimulatedPort;

enum class Hook { None, FailOpen, FailConfigure, FailWrites, FailReplyRead };

struct ConnectCase {
  const char* name;
  const char* fault;  // emulator knob, or nullptr
  Hook hook;
  ConnectResult result;
  const char* message;  // Windows-1250; nullptr for a successful connect
  MessageIcon icon;
  bool stopFrameSent;
};

TEST(Connect, EveryOutcomeShowsOneMessageThenTearsDown) {
  const ConnectCase cases[] = {
      {"success", nullptr, Hook::None, ConnectResult::Connected, nullptr, MessageIcon::Information,
       false},
      {"port cannot be opened", nullptr, Hook::FailOpen, ConnectResult::PortUnavailable,
       msg::kPortUnavailable.c_str(), MessageIcon::Stop, false},
      {"set-up step fails", nullptr, Hook::FailConfigure, ConnectResult::PortError,
       msg::kPortError.c_str(), MessageIcon::Stop, true},
      {"wake write fails", nullptr, Hook::FailWrites, ConnectResult::PortError,
       msg::kPortError.c_str(), MessageIcon::Stop, false},
      {"reply read fails as a call", nullptr, Hook::FailReplyRead, ConnectResult::PortError,
       msg::kPortError.c_str(), MessageIcon::Stop, true},
      {"silent logger", "silent-greeting", Hook::None, ConnectResult::NoAnswer,
       msg::kNoAnswer.c_str(), MessageIcon::Exclamation, true},
      {"3-byte reply", "short-greeting", Hook::None, ConnectResult::NoConnection,
       msg::kNoConnection.c_str(), MessageIcon::Exclamation, true},
      {"wrong 6 bytes", "wrong-greeting", Hook::None, ConnectResult::NoConnection,
       msg::kNoConnection.c_str(), MessageIcon::Exclamation, true},
      {"25-byte table", "short-info", Hook::None, ConnectResult::NoAnswer, msg::kNoAnswer.c_str(),
       MessageIcon::Exclamation, true},
      {"silent table", "silent-info", Hook::None, ConnectResult::NoAnswer, msg::kNoAnswer.c_str(),
       MessageIcon::Exclamation, true},
      {"corrupt check byte", "corrupt-info", Hook::None, ConnectResult::ChecksumError,
       msg::kInfoChecksum.c_str(), MessageIcon::Exclamation, true},
  };
  for (const ConnectCase& c : cases) {
    SCOPED_TRACE(c.name);
    LoggerSetup setup;
    if (c.fault) {
      ASSERT_TRUE(emu::ApplyFault(setup.faults, c.fault));
    }
    LoggerModel model(setup);
    SimulatedPort port(model);
    if (c.hook == Hook::FailOpen) port.FailOpen();
    if (c.hook == Hook::FailConfigure) port.FailConfigure();
    if (c.hook == Hook::FailWrites) port.FailAllWrites();
    if (c.hook == Hook::FailReplyRead) port.FailReadCall(0);
    LoggerSession session(port);
    test::ScriptedUi ui;
    ui.chosenPort = "COM3";

    ui.Expect(msg::kAttachLogger.c_str(), MessageIcon::Information);
    if (c.message) ui.Expect(c.message, c.icon);
    ConnectOrDisconnect(session, ui);

    EXPECT_STREQ(port.OpenedName(), "COM3");
    const std::vector<uint8_t> host = model.GetTranscript().HostBytes();
    if (c.result == ConnectResult::Connected) {
      EXPECT_TRUE(session.connected);
      EXPECT_TRUE(port.IsOpen());
      EXPECT_TRUE(ui.portLocked);
      EXPECT_EQ(ui.state, test::ScreenState::Connected);
      EXPECT_EQ(ui.shownIdentifier, "KVAR2-0001");
      EXPECT_STREQ(session.info.texts.count, "128 / 16368");
      // 400 ms after set-up the wake byte, 900 ms later the greeting.
      EXPECT_NEAR(static_cast<double>(*model.GetTranscript().HostGap(0, 1)), 900e3, 2e3);
      continue;
    }
    EXPECT_FALSE(session.connected);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(ui.portLocked);
    EXPECT_EQ(ui.state, test::ScreenState::Disconnected);
    EXPECT_EQ(ui.log.back(), "disconnected");  // the tear-down's last word, after the message
    EXPECT_EQ(session.info.texts.identifier[0], '\0');
    EXPECT_EQ(session.info.texts.status[0], '\0');
    const bool endsWithStop =
        host.size() >= 4 &&
        std::vector<uint8_t>(host.end() - 4, host.end()) == std::vector<uint8_t>{0, 0, 0, 0};
    EXPECT_EQ(endsWithStop, c.stopFrameSent);
    if (c.hook == Hook::FailOpen) {
      EXPECT_TRUE(host.empty());
    }
  }
}

TEST(Connect, SilentLoggerAnswersAfterTheWaitsAndTheReplyTimeOut) {
  LoggerSetup setup;
  ASSERT_TRUE(emu::ApplyFault(setup.faults, "silent-greeting"));
  LoggerModel model(setup);
  SimulatedPort port(model);
  LoggerSession session(port);
  test::ScriptedUi ui;
  ui.Expect(msg::kNoAnswer.c_str(), MessageIcon::Exclamation);
  EXPECT_EQ(ConnectTo(session, ui, "COM1"), ConnectResult::NoAnswer);
  // 1.3 s of waits, the wire time of eight bytes, and the 600 ms limit of the reply read.
  EXPECT_NEAR(static_cast<double>(port.NowMs()), 1900.0, 20.0);
}

TEST(Connect, TwoChannelLoggerAndDisconnectThenReconnect) {
  LoggerSetup setup;
  setup.flags = 0xF3;        // battery low, two channels, signalling
  setup.intervalIndex = 40;  // beyond the list: no selection
  setup.status = 9;
  setup.writePointer = setup.memoryStart;
  LoggerModel model(setup);
  SimulatedPort port(model);
  LoggerSession session(port);
  test::ScriptedUi ui;

  ui.Expect(msg::kAttachLogger.c_str(), MessageIcon::Information);
  ConnectOrDisconnect(session, ui);
  ASSERT_TRUE(session.connected);
  EXPECT_EQ(session.info.channelMode, 2);
  EXPECT_STREQ(session.info.texts.battery, Cp1250(u8"ROZŁADOWANA!").c_str());

  ConnectOrDisconnect(session, ui);  // disconnect: silent
  EXPECT_FALSE(session.connected);
  EXPECT_EQ(model.StopCount(), 1u);
  EXPECT_EQ(ui.state, test::ScreenState::Disconnected);
  EXPECT_EQ(session.info.channelMode, 2);  // the table copy survives
  EXPECT_EQ(session.info.tab.IntervalIndex(), 40);

  ui.Expect(msg::kAttachLogger.c_str(), MessageIcon::Information);
  ConnectOrDisconnect(session, ui);
  EXPECT_TRUE(session.connected);
}

TEST(Connect, CloseAtExitSendsTheStopFrameOnlyWhenConnected) {
  LoggerSetup setup;
  LoggerModel model(setup);
  SimulatedPort port(model);
  LoggerSession session(port);
  test::ScriptedUi ui;
  CloseAtExit(session);
  EXPECT_TRUE(model.GetTranscript().HostBytes().empty());
  ASSERT_EQ(ConnectTo(session, ui, "COM1"), ConnectResult::Connected);
  const std::size_t logBefore = ui.log.size();
  CloseAtExit(session);
  EXPECT_EQ(model.StopCount(), 1u);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(ui.log.size(), logBefore);  // nothing changes on screen
}

}  // namespace
}  // namespace zv
