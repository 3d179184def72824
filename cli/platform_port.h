// The serial backend of this platform: device paths on Linux and macOS, COMn on Windows.
#pragma once

#ifdef _WIN32
#include "link/serial_win32.h"
namespace zv::cli {
using PlatformPort = Win32Port;
}
#else
#include "link/serial_posix.h"
namespace zv::cli {
using PlatformPort = PosixPort;
}
#endif
