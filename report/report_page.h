// The report as pages of a picture, in points on A4: the title, the logger, the recording,
// the statistics, the limits and excursions with the verdict, the overview of the whole
// recording, and a signature line; a footer on every page with the program's version, the
// source and when the report was made. A part that no longer fits starts a new page.
#pragma once

#include "picture/picture.h"
#include "report/report_facts.h"

namespace zv {

inline constexpr float kReportPageWidth = static_cast<float>(kA4ShortSide);
inline constexpr float kReportPageHeight = static_cast<float>(kA4LongSide);
inline constexpr float kReportMargin = 42;
inline constexpr float kReportContentWidth = kReportPageWidth - 2 * kReportMargin;

// Begins the picture and adds every page, in one pass: each footer's "page X of Y" is written
// again once Y is known.
void BuildReportPages(const ReportFacts& facts, GrowingPicture& pages);

}  // namespace zv
