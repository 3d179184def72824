// The link to one logger: connect, tear-down and the close at program exit.
#pragma once

#include <cstdint>

#include "base/info_tab.h"
#include "link/logger_port.h"
#include "link/user_interface.h"

namespace zv {

struct LoggerSession {
  explicit LoggerSession(LoggerPort& p) : port(p) {}
  LoggerPort& port;
  bool portOpen = false;
  bool connected = false;  // once the greeting was accepted, until the tear-down
  LoggerInfo info;
};

// How a connect attempt ended; each failure has shown its one message.
enum class ConnectResult {
  Connected,
  PortUnavailable,  // the port cannot be opened
  PortError,        // a set-up step, a greeting write or the reply read failed as a call
  NoAnswer,         // no greeting reply, or a table of other than 26 bytes
  NoConnection,     // a greeting reply other than the expected six bytes
  ChecksumError,    // the table's check byte is wrong
};

// The connect button: the tear-down when connected, else the whole connect sequence.
void ConnectOrDisconnect(LoggerSession& session, UserInterface& ui);

// The connect sequence from the open on, for a named port (no prompt, port list untouched).
ConnectResult ConnectTo(LoggerSession& session, UserInterface& ui, const char* portName);

// Stop frame, close, clear the flag and the texts, and the disconnected state on screen.
void TearDown(LoggerSession& session, UserInterface& ui);

// At program exit: ends a live link, changes nothing on screen.
void CloseAtExit(LoggerSession& session);

}  // namespace zv
