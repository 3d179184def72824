// What it takes to make a report again from its original: the request read back from the
// report itself, and the PDF drawn as `report` draws it.
#pragma once

#include <nlohmann/json.hpp>

#include "base/byte_sink.h"
#include "report/report_facts.h"

namespace zv::cli {

// The request a report's JSON was made with, from its own members (title, language, channels
// shown, limits, start, activation energy, source, when made, version); false when a member
// does not read.
bool RequestOfReportJson(const nlohmann::json& report, ReportRequest& request);

// The request a report PDF carries in its Keywords; false when it does not read.
bool RequestOfPdfKeywords(const nlohmann::json& keywords, ReportRequest& request);

// The report's pages as a PDF, as `report -o FILE.pdf` writes them; false when cairo failed.
bool WriteReportPdf(const ReportFacts& facts, ByteSink& sink);

}  // namespace zv::cli
