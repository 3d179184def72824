// What each part of a report page says, as rows of words: the logger, the recording, the
// statistics and the limits. Where those rows go on the page is report_page's business.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/report_facts.h"

namespace zv {

enum class RowTone : uint8_t { Plain, Good, Bad };

struct ReportRow {
  std::string label;
  std::vector<std::string> cells;  // one a column
  RowTone tone = RowTone::Plain;
  std::vector<RowTone> tones;  // a cell's own tone, where given
  bool bold = false;
};

struct ReportBlock {
  std::string heading;
  std::vector<ReportRow> pairs;          // a label and one value each, two a line
  std::vector<std::string> columnHeads;  // over the cells of `rows`; none for one value a row
  std::vector<ReportRow> rows;
  std::vector<std::string> notes;  // lines under the rows
  RowTone notesTone = RowTone::Plain;
};

ReportBlock LoggerBlock(const ReportFacts& facts);
ReportBlock RecordingBlock(const ReportFacts& facts);
ReportBlock StatisticsBlock(const ReportFacts& facts);
ReportBlock LimitsBlock(const ReportFacts& facts);

}  // namespace zv
