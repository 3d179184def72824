// The readings as one JSON object: the logger's information, the sampling interval in
// seconds, the byte count and the readings of each channel as numbers in degrees.
#pragma once

#include <string_view>

#include "base/byte_sink.h"
#include "base/info_tab.h"
#include "base/sample_memory.h"

namespace zv {

// {"info": INFO, "interval_s": 60, "byte_count": N, "slot_count": S,
//  "readings": {"a": [...], "b": [...]}} and a newline. `infoObject` is written as given (the
// object `zorvant-cli info --json` prints); "interval_s" is null when the interval index lies
// beyond its table; "b" appears with two channels only, one shorter than "a" when the last
// slot is partial. Slot k is element k of each array.
void WriteJsonExport(const SampleBuffer& samples, const LoggerInfo& info,
                     std::string_view infoObject, ByteSink& sink);

}  // namespace zv
