#include "cli/report_remake.h"

#include <string>

#include "cli/picture_output.h"
#include "picture/picture.h"
#include "picture/picture_cairo.h"
#include "report/report_json.h"
#include "report/report_page.h"
#include "report/report_request_json.h"
#include "report/report_texts.h"

namespace zv::cli {

bool WriteReport(const ReportFacts& facts, ReportFormat format, ByteSink& sink) {
  if (format == ReportFormat::Json) {
    WriteReportJson(facts, sink);
    return true;
  }
  GrowingPicture pages;
  BuildReportPages(facts, pages);
  const std::string& title = facts.request.title;
  const bool written = WritePicture(
      format == ReportFormat::Pdf ? PictureFormat::Pdf : PictureFormat::Svg, pages.View(), sink,
      title.empty() ? ReportTextsFor(facts.request.language).defaultTitle : title,
      ReportKeywords(facts.request));
  ReleasePictureCaches();
  return written;
}

}  // namespace zv::cli
