// The readings as one JSON object: the logger's information, the sampling interval in
// seconds, the byte count and the readings of each channel as numbers in degrees.
#pragma once

#include <string_view>

#include "base/byte_sink.h"
#include "base/info_tab.h"
#include "base/sample_memory.h"

namespace zv {

// {"info": INFO, "interval_s": 60, "byte_count": N, "slot_count": S,
//  "readings": {"a": [...], "b": [...]}, "partial_slot": null} and a newline. `infoObject` is
// written as given (the object `zorvant-cli info --json` prints); "interval_s" is null when the
// interval index lies beyond its table; "b" appears with two channels only. S counts complete
// slots, as the program does, and slot k is element k of each array; with two channels and an
// odd number of readings the last slot holds an A reading alone, written as
// "partial_slot": {"slot": S, "a": 23.0625}.
void WriteJsonExport(const SampleBuffer& samples, const LoggerInfo& info,
                     std::string_view infoObject, ByteSink& sink);

}  // namespace zv
