// zorvant-cli report: the record a technician files after a recording, as a PDF or SVG page
// (or its figures as JSON), from a logger or an export.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "cli/archive_choice.h"
#include "cli/channel_option.h"
#include "cli/recording_source.h"
#include "report/report_texts.h"
#include "samples/civil_time.h"
#include "samples/recording_stats.h"

namespace zv::cli {

struct ReportOptions {
  ArchiveChoice archive;
  SourceOptions source;
  std::string output;
  std::optional<StartTime> startedAt;  // of slot 0
  ChannelLimits limits;
  ChannelChoice channels;
  std::string title;
  LabelLanguage language = LabelLanguage::Polish;
  double activationEnergy = kDefaultActivationEnergy / 1000;  // kJ/mol
};

CLI::App* AddReportCommand(CLI::App& app, ReportOptions& options);
// The options of the page itself (output, start, limits, channels, title, language), which
// archive report takes too.
void AddReportPageOptions(CLI::App& report, ReportOptions& options);
int RunReport(const ReportOptions& options);

}  // namespace zv::cli
