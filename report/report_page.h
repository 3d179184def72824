// The report as pages of a picture, in points on A4: the title, the logger, the recording,
// the statistics, the limits and excursions with the verdict, the overview of the whole
// recording, and a signature line; a footer on every page with the program's version, the
// source and when the report was made. A part that no longer fits starts a new page.
#pragma once

#include "chart/picture.h"
#include "report/report_facts.h"

namespace zv {

inline constexpr float kReportPageWidth = 595.276f;  // A4, points
inline constexpr float kReportPageHeight = 841.89f;
inline constexpr float kReportMargin = 42;
inline constexpr float kReportContentWidth = kReportPageWidth - 2 * kReportMargin;

// Begins the picture and adds every page.
void BuildReportPages(const ReportFacts& facts, PictureSink& sink);

}  // namespace zv
