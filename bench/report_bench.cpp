// The report of a full two-channel memory (8,192 slots, limits that the curves cross, a start
// and an interval): the time of a whole PDF report (figures, pages, cairo's PDF) against its
// 100 ms budget, and of the JSON against its 5 ms, with the SVG beside them. A benchmark: it
// prints figures and asserts nothing.
#include <cmath>
#include <cstdio>
#include <memory>

#include "bench/bench_support.h"
#include "picture/picture_cairo.h"
#include "picture/picture_svg.h"
#include "report/report_json.h"
#include "report/report_page.h"

namespace {

using zv::bench::CountingSink;
constexpr double kPdfBudgetMs = 100;
constexpr double kJsonBudgetMs = 5;

template <typename Action>
double MillisecondsPerRun(int runs, Action action) {
  return 1000 * zv::bench::SecondsPerRun(runs, action);
}

// A cold store's daily swing with noise in A, a wider one in B, both across 2..8 °C.
std::unique_ptr<zv::SampleBuffer> FullMemory() {
  auto samples = std::make_unique<zv::SampleBuffer>();
  for (std::size_t i = 0; i < zv::kSampleBufferSize / 2; ++i) {
    const double slot = static_cast<double>(i / 2);
    const double degrees = i % 2 == 0 ? 5 + 3.5 * std::sin(slot / 144) + (i * 7919 % 13) / 16.0
                                      : 4 + 6 * std::sin(slot / 90);
    const auto word = static_cast<uint16_t>(static_cast<int>(std::lround(degrees * 16)) & 0xFFFF);
    samples->bytes[2 * i] = static_cast<uint8_t>(word);
    samples->bytes[2 * i + 1] = static_cast<uint8_t>(word >> 8);
  }
  samples->n = zv::kSampleBufferSize;
  return samples;
}

zv::ReportRequest Request() {
  zv::ReportRequest request;
  request.limits.a = request.limits.b = {20000, 80000};  // 2 and 8 degrees
  zv::StartTime start;
  start.utc = 1798761600;  // 2027-01-01T00:00:00Z
  start.fixedOffset = 3600;
  request.start = start;
  request.source = "/dev/ttyUSB0";
  request.version = "bench";
  return request;
}

}  // namespace

int main() {
  const auto samples = FullMemory();
  zv::LoggerFacts logger;
  logger.identifier = "KVAR2-0001";
  logger.channelMode = 2;
  logger.intervalSeconds = 300;
  const zv::ReportRequest request = Request();

  std::size_t steps = 0;
  CountingSink pdf;
  const double pdfMs = MillisecondsPerRun(20, [&] {
    const zv::ReportFacts facts = zv::GatherReportFacts(*samples, logger, request);
    zv::GrowingPicture pages;
    zv::BuildReportPages(facts, pages);
    steps = pages.steps.size();
    pdf.bytes = 0;
    zv::WritePicturePdf(pages.View(), pdf);
  });
  CountingSink svg;
  const double svgMs = MillisecondsPerRun(20, [&] {
    zv::GrowingPicture pages;
    zv::BuildReportPages(zv::GatherReportFacts(*samples, logger, request), pages);
    svg.bytes = 0;
    zv::WritePictureSvg(pages.View(), svg);
  });
  CountingSink json;
  const double jsonMs = MillisecondsPerRun(200, [&] {
    json.bytes = 0;
    zv::WriteReportJson(zv::GatherReportFacts(*samples, logger, request), json);
  });
  zv::ReleasePictureCaches();

  std::printf("report of a full two-channel memory: %u slots, %zu drawing steps\n",
              zv::SampleCount(samples->n, 2), steps);
  if (zv::PictureCairoAvailable()) {
    std::printf("  PDF  %8.2f ms   budget %5.1f ms   ratio %.3f   %zu bytes\n", pdfMs, kPdfBudgetMs,
                pdfMs / kPdfBudgetMs, pdf.bytes);
  } else {
    std::printf("  PDF  not in this build (no cairo)\n");
  }
  std::printf("  SVG  %8.2f ms   (beside the PDF's budget: ratio %.3f)   %zu bytes\n", svgMs,
              svgMs / kPdfBudgetMs, svg.bytes);
  std::printf("  JSON %8.3f ms   budget %5.1f ms   ratio %.3f   %zu bytes\n", jsonMs, kJsonBudgetMs,
              jsonMs / kJsonBudgetMs, json.bytes);
  return 0;
}
