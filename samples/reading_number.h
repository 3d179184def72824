// A reading as a number for the formats that want one (CSV, JSON, the summary), written as the
// text export writes it: "23,0625" is 23.0625, "-1,0625" is -1.0625.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/sample_memory.h"
#include "samples/reading.h"

namespace zv {

// The decimal text with a dot for the comma ("23.0625"), NUL-terminated; returns its length.
std::size_t ReadingDotText(uint16_t word, char (&out)[kReadingTextCapacity]);

inline constexpr std::size_t kDecimalTextCapacity = 24;

// Ten-thousandths as a decimal with four places and a dot: -625 -> "-0.0625".
std::size_t DecimalText(int64_t tenThousandths, char (&out)[kDecimalTextCapacity]);

// Ten-thousandths with as few decimals as they need but one, after `separator`: a value as a
// reader states it. 81000 -> "8,1", -625 -> "-0,0625", 20000 -> "2,0".
std::size_t ShortDecimalText(int64_t tenThousandths, char separator,
                             char (&out)[kDecimalTextCapacity]);

}  // namespace zv
