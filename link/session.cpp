#include "link/session.h"

#include <cstring>

#include "base/value_tables.h"
#include "link/frames.h"
#include "link/messages.h"

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
  // 1. Open the port exclusively.
  if (!port.OpenPort(portName)) {
    return Fail(session, ui, ConnectResult::PortUnavailable, msg::kPortUnavailable.c_str(),
                MessageIcon::Stop);
  }
  session.portOpen = true;

  // 2. Line settings, time-outs, queues and RTS.
  if (!port.SetUpPort()) {
    return Fail(session, ui, ConnectResult::PortError, msg::kPortError.c_str(), MessageIcon::Stop);
  }

  // 3. Wake and greet the logger; only the exact reply lets the link up.
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
  // 4. The link is up.
  session.connected = 0xFF;

  // 5. Ask for the table at once and read its 26 bytes. The copy takes whatever arrived,
  // as the logger sent it, even on a later failure; never more than the table holds.
  SendCommand(port, CMD_READ_INFO);
  uint8_t received[kInfoTabSize] = {};
  const ReadResult read = port.ReadBytes(received, sizeof received);
  std::memcpy(session.info.tab.bytes, received,
              read.count < sizeof received ? read.count : sizeof received);
  if (read.count != kInfoTabSize) {
    return Fail(session, ui, ConnectResult::NoAnswer, msg::kNoAnswer.c_str(),
                MessageIcon::Exclamation);
  }
  // 6. The check byte.
  if (!VerifyInfoTab(received)) {
    return Fail(session, ui, ConnectResult::ChecksumError, msg::kInfoChecksum.c_str(),
                MessageIcon::Exclamation);
  }

  // 7. What the table says, then the connected state on screen.
  DeriveAtConnect(session.info);
  ui.ShowConnected(session.info);
  return ConnectResult::Connected;
}

void ConnectOrDisconnect(LoggerSession& session, UserInterface& ui) {
  if (session.connected) {
    TearDown(session, ui);
    return;
  }
  // 1. However the user closes the box, the connect goes on.
  ui.ShowMessage(msg::kAttachLogger.c_str(), MessageIcon::Information);
  // 2. The port cannot change while the link is open; the screen names the chosen one.
  ui.LockPortChoice();
  const char* name = ui.ChosenPortName();
  ConnectTo(session, ui, name != nullptr && name[0] != '\0' ? name : PortNames.Entry(0) + 1);
}

void TearDown(LoggerSession& session, UserInterface& ui) {
  // 1. Stop frame and close, when a port was opened at all.
  if (session.portOpen) {
    SendStop(session.port);
    session.port.ClosePort();
    session.portOpen = false;
  }
  // 2. Flag, texts, and the disconnected state on screen.
  session.connected = 0;
  ClearInfoTexts(session.info.texts);
  ui.ShowDisconnected();
}

void CloseAtExit(LoggerSession& session) {
  if (!session.connected) return;
  SendStop(session.port);
  session.port.ClosePort();
  session.portOpen = false;
}

}  // namespace zv
