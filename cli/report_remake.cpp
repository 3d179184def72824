#include "cli/report_remake.h"

#include <cmath>
#include <string>

#include "cli/picture_output.h"
#include "picture/picture.h"
#include "picture/picture_cairo.h"
#include "report/report_page.h"
#include "report/report_texts.h"
#include "samples/civil_time.h"

namespace zv::cli {

namespace {

using nlohmann::json;

// A time the report wrote with its offset, as the instant and that offset.
bool TimeOf(const json& text, StartTime& time) {
  return text.is_string() && ParseStartTime(text.get<std::string>(), time) == StartTimeError::None;
}

// A limit the report wrote in degrees, back in ten-thousandths; null is none.
bool LimitOf(const json& degrees, std::optional<int32_t>& limit) {
  if (degrees.is_null()) return true;
  if (!degrees.is_number()) return false;
  const double scaled = std::round(degrees.get<double>() * 1e4);
  if (!(std::fabs(scaled) < 1e9)) return false;
  limit = static_cast<int32_t>(scaled);
  return true;
}

}  // namespace

bool RequestOfReportJson(const json& report, ReportRequest& request) {
  try {
    request = ReportRequest{};
    request.language =
        report.at("language") == "en" ? LabelLanguage::English : LabelLanguage::Polish;
    request.title = report.at("title").get<std::string>();
    if (request.title == ReportTextsFor(request.language).defaultTitle) request.title.clear();
    request.version = report.at("program_version").get<std::string>();
    StartTime made;
    if (!TimeOf(report.at("made_at"), made)) return false;
    request.madeAtUtc = made.utc;
    request.madeAtOffset = made.fixedOffset;
    const json& source = report.at("source");
    request.sourceKind = source.at("kind") == "port" ? SourceKind::Port : SourceKind::ExportFile;
    request.source = source.at("name").get<std::string>();
    const json& startedAt = report.at("recording").at("started_at");
    if (!startedAt.is_null()) {
      StartTime start;
      if (!TimeOf(startedAt, start)) return false;
      request.start = start;
    }
    const json& energy = report.at("activation_energy_kj_per_mol");
    if (!energy.is_number()) return false;
    request.activationEnergy = std::round(energy.get<double>() * 1e3);
    request.showA = request.showB = false;
    for (const json& channel : report.at("channels")) {
      const bool b = channel.at("channel") == "b";
      (b ? request.showB : request.showA) = true;
      AlarmLimits& limits = b ? request.limits.b : request.limits.a;
      if (!LimitOf(channel.at("limits").at("low_c"), limits.low) ||
          !LimitOf(channel.at("limits").at("high_c"), limits.high)) {
        return false;
      }
    }
    return true;
  } catch (const json::exception&) {
    return false;
  }
}

bool RequestOfPdfKeywords(const json& keywords, ReportRequest& request) {
  (void)keywords;
  (void)request;
  return false;
}

bool WriteReportPdf(const ReportFacts& facts, ByteSink& sink) {
  GrowingPicture pages;
  BuildReportPages(facts, pages);
  const std::string& title = facts.request.title;
  const bool written =
      WritePicture(PictureFormat::Pdf, pages.View(), sink,
                   title.empty() ? ReportTextsFor(facts.request.language).defaultTitle : title);
  ReleasePictureCaches();
  return written;
}

}  // namespace zv::cli
