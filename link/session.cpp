#include "link/session.h"

#include <cstring>

#include "app/control_states.h"
#include "link/frames.h"
#include "link/messages.h"
#include "link/value_tables.h"

namespace zv {

namespace {

ConnectResult Fail(LoggerSession& session, UserInterface& ui, ConnectResult result,
                   const char* text, MessageIcon icon) {
  ui.ShowMessage(text, icon);
  TearDown(session, ui);
  return result;
}

}  // namespace

ConnectResult ConnectTo(LoggerSession& session, UserInterface& ui, const char* portName) {
  LoggerPort& port = session.port;
  if (!port.OpenPort(portName)) {
    return Fail(session, ui, ConnectResult::PortUnavailable, msg::kPortUnavailable.c_str(),
                MessageIcon::Stop);
  }
  session.portOpen = true;

  if (!port.ConfigurePort()) {
    return Fail(session, ui, ConnectResult::PortError, msg::kPortError.c_str(), MessageIcon::Stop);
  }

  switch (RunGreeting(port)) {
    case GreetingOutcome::PortFailure:
      return Fail(session, ui, ConnectResult::PortError, msg::kPortError.c_str(),
                  MessageIcon::Stop);
    case GreetingOutcome::NoAnswer:
      return Fail(session, ui, ConnectResult::NoAnswer, msg::kNoAnswer.c_str(),
                  MessageIcon::Exclamation);
    case GreetingOutcome::WrongAnswer:
      return Fail(session, ui, ConnectResult::NoConnection, msg::kNoConnection.c_str(),
                  MessageIcon::Exclamation);
    case GreetingOutcome::Accepted:
      break;
  }
  session.connected = 0xFF;

  SendCommand(port, CMD_READ_INFO);
  // The table copy takes whatever arrived, as the logger sent it, even on a later failure.
  uint8_t received[kInfoTabSize] = {};
  const ReadResult read = port.ReadBytes(received, sizeof received);
  std::memcpy(session.info.tab.bytes, received, read.count);
  if (read.count != kInfoTabSize) {
    return Fail(session, ui, ConnectResult::NoAnswer, msg::kNoAnswer.c_str(),
                MessageIcon::Exclamation);
  }
  if (!VerifyInfoTab(received)) {
    return Fail(session, ui, ConnectResult::ChecksumError, msg::kInfoChecksum.c_str(),
                MessageIcon::Exclamation);
  }

  DeriveAtConnect(session.info);
  ShowConnectedState(ui, session.info);
  return ConnectResult::Connected;
}

void ConnectOrDisconnect(LoggerSession& session, UserInterface& ui) {
  if (session.connected) {
    TearDown(session, ui);
    return;
  }
  ui.ShowMessage(msg::kAttachLogger.c_str(), MessageIcon::Information);
  ui.SetEnabled(ID_PORT, false);
  int index = ui.SelectedItem(ID_PORT);
  if (index < 0 || index >= static_cast<int>(PortNames.kCount)) index = 0;
  ConnectTo(session, ui, PortNames.Entry(static_cast<std::size_t>(index)) + 1);
}

void TearDown(LoggerSession& session, UserInterface& ui) {
  if (session.portOpen) {
    SendStop(session.port);
    session.port.ClosePort();
    session.portOpen = false;
  }
  session.connected = 0;
  ClearInfoTexts(session.info.texts);
  ShowDisconnectedState(ui);
}

void CloseAtExit(LoggerSession& session) {
  if (!session.connected) return;
  SendStop(session.port);
  session.port.ClosePort();
  session.portOpen = false;
}

}  // namespace zv
