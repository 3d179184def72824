// Who did what, where and when: the facts of the host every event of the trail carries.
#pragma once

#include <cstdint>
#include <string>

namespace zv::archive {

struct Attribution {
  int64_t utc = 0;             // seconds since 1970 by the host's clock
  int32_t utcOffset = 0;       // seconds east of UTC in force then
  std::string timeZone;        // the zone's name when the host has one ("Europe/Warsaw")
  std::string user;            // the OS user running the program
  std::string host;            // the host's name
  std::string programVersion;  // zorvant-cli's
};

// The facts of this host now (platform file); a fact the host will not give stays empty.
Attribution AttributionNow();

}  // namespace zv::archive
