// The report's figures as one JSON document, for machines: the same facts the page states
// (the README gives the schema). Temperatures in °C, durations in seconds and in readings,
// times in ISO 8601 with their offsets, slots counted from 0.
#pragma once

#include "base/byte_sink.h"
#include "report/report_facts.h"

namespace zv {

void WriteReportJson(const ReportFacts& facts, ByteSink& sink);

}  // namespace zv
