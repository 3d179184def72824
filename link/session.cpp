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
  // Exclusively: another program on the same line would read half of every answer.
  if (!port.OpenPort(portName)) {
    return Fail(session, ui, ConnectResult::PortUnavailable, msg::kPortUnavailable.c_str(),
                MessageIcon::Stop);
  }
  session.portOpen = true;

  // Line settings, time-outs, queues and RTS, before the first byte goes out.
  if (!port.SetUpPort()) {
    return Fail(session, ui, ConnectResult::PortError, msg::kPortError.c_str(), MessageIcon::Stop);
  }

  // Wake and greet the logger; only the exact reply lets the link up.
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
  // From here a failure must send the stop frame: the logger is listening.
  session.connected = true;

  // Ask for the table at once and read its 26 bytes. The copy takes whatever arrived,
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
  // A table with a wrong check byte would show and later write back garbage.
  if (!VerifyInfoTab(received)) {
    return Fail(session, ui, ConnectResult::ChecksumError, msg::kInfoChecksum.c_str(),
                MessageIcon::Exclamation);
  }

  // What the table says, then the connected state on screen.
  DeriveAtConnect(session.info);
  ui.ShowConnected(session.info);
  return ConnectResult::Connected;
}

void ConnectOrDisconnect(LoggerSession& session, UserInterface& ui) {
  if (session.connected) {
    TearDown(session, ui);
    return;
  }
  // However the user closes the box, the connect goes on.
  ui.ShowMessage(msg::kAttachLogger.c_str(), MessageIcon::Information);
  // The port cannot change while the link is open; the screen names the chosen one.
  ui.LockPortChoice();
  const char* name = ui.ChosenPortName();
  ConnectTo(session, ui, name != nullptr && name[0] != '\0' ? name : PortNames.Entry(0) + 1);
}

void TearDown(LoggerSession& session, UserInterface& ui) {
  // Stop frame and close, when a port was opened at all.
  if (session.portOpen) {
    SendStop(session.port);
    session.port.ClosePort();
    session.portOpen = false;
  }
  // Then the flag, the texts, and the disconnected state on screen, whatever the port did.
  session.connected = false;
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
