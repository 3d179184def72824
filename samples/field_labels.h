// The 13-byte label fields of the export's header. The information panel draws the same
// labels from the same storage, taking only their leading characters, and the command line's
// listings print them too.
#pragma once

#include <cstddef>

#include "base/text1250.h"

namespace zv {

// The export's header is eleven lines, the readings follow; a label is looked for among them.
inline constexpr std::size_t kHeaderLines = 11;

inline constexpr auto kLoggerIdField = Cp1250(u8"Logger_ID    ");
inline constexpr auto kStartField = Cp1250(u8"Start:       ");
inline constexpr auto kIntervalField = Cp1250(u8"Pomiar co:   ");
inline constexpr auto kDurationField = Cp1250(u8"Zbieraj dane:");
inline constexpr auto kCountField = Cp1250(u8"Liczba próbek");
inline constexpr auto kSourceField = Cp1250(u8"Źródło:      ");
inline constexpr auto kStatusField = Cp1250(u8"STATUS       ");

// Labels of the information panel that the export has no line for.
inline constexpr auto kBatteryLabel = Cp1250(u8"Stan baterii");
inline constexpr auto kSignalLabel = Cp1250(u8"sygnalizuj pomiar");

}  // namespace zv
