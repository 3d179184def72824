// The host's facts on Windows: the system clock, the time zone's name and bias, the user and the
// computer's DNS name, each turned from UTF-16 into UTF-8.
#include <windows.h>

#include <string>

#include "archive/attribution.h"
#include "zv_version.h"

namespace zv::archive {

namespace {

std::string Utf8Of(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.resize(static_cast<std::size_t>(size) - 1);
  return out;
}

int64_t UtcNow() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const unsigned long long ticks =
      static_cast<unsigned long long>(now.dwHighDateTime) << 32 | now.dwLowDateTime;
  // 100 ns ticks since 1601-01-01; 11644473600 s lie between then and 1970.
  return static_cast<int64_t>(ticks / 10000000ULL) - 11644473600LL;
}

}  // namespace

Attribution AttributionNow() {
  Attribution facts;
  facts.utc = UtcNow();
  TIME_ZONE_INFORMATION zone{};
  const DWORD which = GetTimeZoneInformation(&zone);
  LONG bias = zone.Bias;
  if (which == TIME_ZONE_ID_DAYLIGHT) bias += zone.DaylightBias;
  if (which == TIME_ZONE_ID_STANDARD) bias += zone.StandardBias;
  if (which != TIME_ZONE_ID_INVALID) {
    facts.utcOffset = static_cast<int32_t>(-bias * 60);
    facts.timeZone = Utf8Of(which == TIME_ZONE_ID_DAYLIGHT ? zone.DaylightName : zone.StandardName);
  }
  wchar_t user[257] = {};
  DWORD userLength = 257;
  if (GetUserNameW(user, &userLength)) facts.user = Utf8Of(user);
  wchar_t host[256] = {};
  DWORD hostLength = 256;
  if (GetComputerNameExW(ComputerNameDnsHostname, host, &hostLength)) facts.host = Utf8Of(host);
  facts.programVersion = kZorvantVersion;
  return facts;
}

}  // namespace zv::archive
