// What the archive's cases and their writer program share: recordings made from a seed, the
// attribution they are kept under, and the stores every case runs on.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "archive/archive_store.h"
#include "archive/attribution.h"
#include "base/info_tab.h"

namespace zv::archive::test {

// A download of a two-channel logger that is measuring every 5 minutes: its table and a full
// memory of readings that differ with every seed. `bytes` shortens the memory.
struct TestDownload {
  INFO_TAB table;
  std::vector<uint8_t> memory;
};
TestDownload MakeDownload(uint32_t seed, const char* loggerId = "KVAR2-TEST",
                          uint32_t bytes = kSampleMemoryBytes);

Attribution TestAttribution(int64_t utc = 1'800'000'000);

// The archive's file or server behind the cases.
struct StoreKind {
  const char* name;
  // A new, empty archive in `folder` (a temporary folder the case removes), as --archive
  // would name it.
  std::string (*freshLocation)(const std::string& folder);
  // SQL run straight on the database, as a hand editing it would; false when it fails.
  bool (*tamper)(const std::string& location, const std::string& sql);
};

std::vector<StoreKind> StoreKinds();
inline void PrintTo(const StoreKind& kind, std::ostream* out) {
  *out << kind.name;
}

// The archive at `location`, opened through the program's own path; fails the case if it
// cannot be.
std::unique_ptr<ArchiveStore> OpenForTest(const std::string& location,
                                          OpenMode mode = OpenMode::ReadWrite);

}  // namespace zv::archive::test
