#include "link/serial_win32.h"

#include <windows.h>

namespace zv {

namespace {

constexpr char kLineSettings[] = "baud=9600 parity=N data=8 stop=1";
constexpr DWORD kInputQueueSize = 660;  // twenty 33-byte blocks
constexpr DWORD kOutputQueueSize = 66;

// The transfers are a few dozen bytes; a larger request is cut rather than truncated silently
// by the DWORD conversion.
DWORD Bounded(std::size_t n) {
  return n > 0xFFFFu ? 0xFFFFu : static_cast<DWORD>(n);
}

// What CreateFile's error says of the name.
OpenFailureKind OpenErrorKind(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return OpenFailureKind::Missing;
    case ERROR_ACCESS_DENIED:  // Windows' answer for a port another program has open
    case ERROR_SHARING_VIOLATION:
      return OpenFailureKind::Busy;
    default:
      return OpenFailureKind::Other;
  }
}

}  // namespace

Win32Port::~Win32Port() {
  ClosePort();
}

bool Win32Port::OpenPort(const char* name) {
  // One port at a time: an open handle is never overwritten (and so never leaked).
  if (handle_ != nullptr || name == nullptr) return false;
  // Exclusive, no overlapped I/O: every read and write blocks.
  HANDLE h = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    lastFailure_ = {OpenErrorKind(error), static_cast<int>(error)};
    return false;
  }
  lastFailure_ = {};
  handle_ = h;
  return true;
}

bool Win32Port::SetUpPort() {
  HANDLE h = handle_;
  if (h == nullptr) return false;
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(h, &dcb)) return false;
  if (!BuildCommDCBA(kLineSettings, &dcb)) return false;
  COMMTIMEOUTS timeouts{kReadIntervalTimeoutMs, kReadPerByteTimeoutMs, 0, 0, 0};
  if (!SetCommTimeouts(h, &timeouts)) return false;
  if (!SetCommState(h, &dcb)) return false;
  if (!PurgeComm(h, PURGE_TXCLEAR)) return false;
  if (!PurgeComm(h, PURGE_RXCLEAR)) return false;
  if (!SetupComm(h, kInputQueueSize, kOutputQueueSize)) return false;
  return EscapeCommFunction(h, SETRTS) != FALSE;
}

bool Win32Port::WriteBytes(const uint8_t* bytes, std::size_t n) {
  if (handle_ == nullptr) return false;
  DWORD written = 0;
  return WriteFile(handle_, bytes, Bounded(n), &written, nullptr) != FALSE;
}

ReadResult Win32Port::ReadBytes(uint8_t* into, std::size_t n) {
  if (handle_ == nullptr || Interrupted()) return {false, 0};
  DWORD got = 0;
  const DWORD wanted = Bounded(n);
  const BOOL ok = ReadFile(handle_, into, wanted, &got, nullptr);
  if (Interrupted()) return {false, 0};
  ReadResult result;
  result.ok = ok != FALSE;
  result.count = got <= wanted ? got : wanted;
  return result;
}

void Win32Port::DiscardInput() {
  if (handle_ != nullptr) PurgeComm(handle_, PURGE_RXCLEAR);
}

void Win32Port::Pause(unsigned milliseconds) {
  // In short naps, so that an interruption is not kept waiting by the longest pause (900 ms).
  constexpr unsigned kNapMs = 50;
  while (milliseconds > 0 && !Interrupted()) {
    const unsigned nap = milliseconds < kNapMs ? milliseconds : kNapMs;
    Sleep(nap);
    milliseconds -= nap;
  }
}

void Win32Port::ClosePort() {
  if (handle_ == nullptr) return;
  CloseHandle(handle_);
  handle_ = nullptr;
}

}  // namespace zv
