#include "link/serial_comm_win32.h"

#include <windows.h>

namespace zv {

namespace {

constexpr wchar_t kMapKey[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";
constexpr DWORD kDeviceChars = 128;  // a driver's device name
constexpr DWORD kNameChars = 32;     // a port name, "COM255" and room for junk

// ASCII of a UTF-16 text of `chars` characters (not counting a NUL it may or may not end with).
void ToAscii(const wchar_t* wide, DWORD chars, char* out, DWORD capacity) {
  DWORD n = 0;
  for (; n < chars && n + 1 < capacity && wide[n] != L'\0'; ++n) {
    out[n] = wide[n] >= 0x20 && wide[n] < 0x7F ? static_cast<char>(wide[n]) : '?';
  }
  out[n] = '\0';
}

}  // namespace

bool VisitSerialCommMap(SerialCommVisitor& visitor) {
  HKEY map = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMapKey, 0, KEY_QUERY_VALUE, &map) != ERROR_SUCCESS) {
    return false;
  }
  for (DWORD i = 0;; ++i) {
    wchar_t device[kDeviceChars];
    DWORD deviceChars = kDeviceChars;
    wchar_t name[kNameChars];
    DWORD nameBytes = sizeof name;
    DWORD type = 0;
    const LONG got = RegEnumValueW(map, i, device, &deviceChars, nullptr, &type,
                                   reinterpret_cast<BYTE*>(name), &nameBytes);
    if (got == ERROR_NO_MORE_ITEMS) break;
    // A value too long for these buffers, or not text, is no port name of ours.
    if (got != ERROR_SUCCESS || type != REG_SZ) continue;
    char deviceText[kDeviceChars];
    char nameText[kNameChars];
    ToAscii(device, deviceChars, deviceText, sizeof deviceText);
    ToAscii(name, nameBytes / sizeof(wchar_t), nameText, sizeof nameText);
    visitor.Port(deviceText, nameText);
  }
  RegCloseKey(map);
  return true;
}

}  // namespace zv
