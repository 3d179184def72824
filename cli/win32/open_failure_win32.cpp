// Why a COM port could not be opened, on Windows.
#include "cli/port_option.h"

namespace zv::cli {

void ReportOpenFailure(std::FILE* out, const std::string& port, const OpenFailure& failure) {
  const char* why = nullptr;
  switch (failure.kind) {
    case OpenFailureKind::None:
      return;
    case OpenFailureKind::Missing:
      why = "no such port; `zorvant-cli ports` lists the ports present";
      break;
    case OpenFailureKind::Busy:
      why = "in use by another program";
      break;
    case OpenFailureKind::Permission:
      why = "access denied";
      break;
    case OpenFailureKind::NotSerial:
      why = "not a serial port";
      break;
    case OpenFailureKind::Other:
      break;
  }
  if (why != nullptr) {
    std::fprintf(out, "zorvant-cli: %s: %s (error %d)\n", port.c_str(), why, failure.code);
  } else {
    std::fprintf(out, "zorvant-cli: %s: cannot be opened (error %d)\n", port.c_str(), failure.code);
  }
}

}  // namespace zv::cli
