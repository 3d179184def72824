// Why a port could not be opened, as the platform said it at the failing call. The program
// shows one message for all of these; the command line also says which it was.
#pragma once

#include <cstdint>

namespace zv {

enum class OpenFailureKind : uint8_t {
  None,        // the last open succeeded, or none was tried
  Missing,     // no such device, or no hardware answers behind it
  Permission,  // the device is there, but this user may not open it
  Busy,        // another program holds the port
  NotSerial,   // the name is something other than a serial line
  Other,       // any other refusal; `code` tells what
};

struct OpenFailure {
  OpenFailureKind kind = OpenFailureKind::None;
  int code = 0;  // errno on Linux and macOS, GetLastError() on Windows
};

}  // namespace zv
