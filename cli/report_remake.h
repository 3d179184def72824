// A report written from its facts, in one place, so that `report` writes it and `verify` makes
// it again byte for byte alike.
#pragma once

#include "base/byte_sink.h"
#include "cli/report_options.h"
#include "report/report_facts.h"

namespace zv::cli {

// The report in `format` (JSON, or the pages as a PDF or SVG with the request in a PDF's
// keywords); false when the player failed.
bool WriteReport(const ReportFacts& facts, ReportFormat format, ByteSink& sink);

}  // namespace zv::cli
