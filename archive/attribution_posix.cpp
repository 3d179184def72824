// The host's facts on Linux and macOS: the clock, the zone (TZ, else the name /etc/localtime
// links to), the user of the effective id, the host name.
#include <pwd.h>
#include <sys/types.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <string_view>

#include "archive/attribution.h"
#include "zv_version.h"

namespace zv::archive {

namespace {

std::string ZoneName() {
  if (const char* tz = std::getenv("TZ"); tz != nullptr && tz[0] != '\0') {
    return tz[0] == ':' ? tz + 1 : tz;
  }
  char target[PATH_MAX];
  const ssize_t length = readlink("/etc/localtime", target, sizeof target - 1);
  if (length <= 0) return {};
  const std::string_view path(target, static_cast<std::size_t>(length));
  constexpr std::string_view kZones = "zoneinfo/";
  const std::size_t at = path.find(kZones);
  return std::string(at == std::string_view::npos ? path : path.substr(at + kZones.size()));
}

std::string UserName() {
  passwd entry{};
  passwd* found = nullptr;
  char buffer[4096];
  if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr) {
    return found->pw_name;
  }
  // No entry in the user database (a container's bare id): the id itself.
  return "uid " + std::to_string(geteuid());
}

std::string HostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

}  // namespace

Attribution AttributionNow() {
  Attribution facts;
  const std::time_t now = std::time(nullptr);
  facts.utc = static_cast<int64_t>(now);
  std::tm local{};
  if (localtime_r(&now, &local) != nullptr) facts.utcOffset = static_cast<int32_t>(local.tm_gmtoff);
  facts.timeZone = ZoneName();
  facts.user = UserName();
  facts.host = HostName();
  facts.programVersion = kZorvantVersion;
  return facts;
}

}  // namespace zv::archive
