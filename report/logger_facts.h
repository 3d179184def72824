// The logger's description for a report, from either source: the information a download
// read from the logger, or the header lines of an export file.
#pragma once

#include <cstdint>

#include "base/info_tab.h"
#include "report/report_facts.h"
#include "samples/export_header.h"

namespace zv {

// From the table a download read (after its recount).
LoggerFacts LoggerFactsFromInfo(const LoggerInfo& info);

// From an export's header: its texts as they stand, each with its table row when it is one.
// The battery is not in an export.
LoggerFacts LoggerFactsFromExport(const ExportHeader& header, uint8_t channelMode);

}  // namespace zv
