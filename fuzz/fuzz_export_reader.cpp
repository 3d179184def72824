// Any bytes as an export file given to `zorvant-cli chart --from-export`: the reader either
// refuses them or gives samples that write back to an export it reads the same again, and the
// chart of them (at a position the input chooses) draws and renders as SVG, and so does their
// overview, with limits and a start the input chooses, within its list; the report of them,
// with the logger as the file's header describes it, builds its pages and its JSON.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "chart/chart_paint.h"
#include "chart/overview.h"
#include "fuzz/fuzz_input.h"
#include "picture/picture_svg.h"
#include "report/logger_facts.h"
#include "report/report_json.h"
#include "report/report_page.h"
#include "samples/export_file.h"
#include "samples/export_interval.h"
#include "samples/export_reader.h"
#include "tests/support/string_sink.h"

namespace {

class NullSink final : public zv::ByteSink {
 public:
  void Put(const char*, std::size_t) override {}
};

struct Buffers {
  zv::SampleBuffer first;
  zv::SampleBuffer second;
  zv::ChartPicture chart;
  zv::OverviewPicture overview;
};

// Any limits, even crossed ones or beyond the sensor's range, shared or a channel's own (bit 2),
// in ten-thousandths of a degree.
zv::ChannelLimits LimitsOf(uint32_t position, uint8_t boxes) {
  zv::AlarmLimits pair;
  if ((boxes & 16) != 0) pair.low = static_cast<int16_t>(position & 0xFFFF) * 40;
  if ((boxes & 32) != 0) pair.high = static_cast<int16_t>(position >> 16) * 40;
  zv::ChannelLimits limits{pair, pair};
  if ((boxes & 2) != 0) limits.b = {pair.high, pair.low};
  return limits;
}

// Any limits and any start and interval.
void DrawOverview(const zv::SampleBuffer& samples, uint8_t mode, uint32_t position, uint8_t boxes,
                  uint32_t interval, zv::OverviewPicture& picture) {
  zv::OverviewInputs overview;
  overview.samples = &samples;
  overview.channelMode = mode;
  overview.showA = (boxes & 4) != 0;
  overview.showB = (boxes & 8) != 0;
  overview.limits = LimitsOf(position, boxes);
  overview.intervalSeconds = (boxes & 64) != 0 ? interval : position;
  overview.hasStart = (boxes & 128) != 0;
  overview.start.utc = static_cast<int64_t>(position) * 86400 - (int64_t{1} << 40);
  overview.language = (boxes & 1) != 0 ? zv::LabelLanguage::English : zv::LabelLanguage::Polish;
  zv::BuildOverviewPage(overview, picture);
  if (picture.dropped != 0) std::abort();
  NullSink svg;
  zv::WritePictureSvg(picture.View(), svg);
}

// The report as `zorvant-cli report --from-export` makes it, in the language and with the
// limits the input chooses; no text step may hold more than a step's capacity.
void WriteReport(const zv::SampleBuffer& samples, uint8_t mode, const char* text,
                 std::size_t length, uint32_t position, uint8_t boxes) {
  zv::ReportRequest request;
  request.language = (boxes & 1) != 0 ? zv::LabelLanguage::English : zv::LabelLanguage::Polish;
  request.showA = (boxes & 4) != 0;
  request.showB = (boxes & 8) != 0;
  request.limits = LimitsOf(position, boxes);
  const zv::ReportFacts facts = zv::GatherReportFacts(
      samples, zv::LoggerFactsFromExport(zv::ReadExportHeader(text, length), mode), request);
  zv::GrowingPicture pages;
  zv::BuildReportPages(facts, pages);
  for (const zv::PictureStep& step : pages.steps) {
    if (step.length > zv::kPictureTextCapacity) std::abort();
  }
  NullSink out;
  zv::WritePictureSvg(pages.View(), out);
  zv::WriteReportJson(facts, out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static auto buffers = std::make_unique<Buffers>();
  zv::fuzz::FuzzInput in(data, size);
  const uint32_t position = in.Word();
  const uint8_t boxes = in.Byte();
  uint8_t mode = 0;
  const auto* text = reinterpret_cast<const char*>(in.Rest());
  if (zv::ReadExportFile(text, in.Left(), buffers->first, mode).status !=
      zv::ExportReadStatus::Ok) {
    return 0;
  }
  if (buffers->first.n > zv::kSampleBufferSize || buffers->first.n % 2 != 0) std::abort();
  if (mode != 1 && mode != 2) std::abort();

  zv::LoggerInfo info;
  info.channelMode = mode;
  zv::test::StringSink written;
  zv::WriteExportFile(buffers->first, info, written);
  uint8_t modeAgain = 0;
  const auto again =
      zv::ReadExportFile(written.text.data(), written.text.size(), buffers->second, modeAgain);
  if (again.status != zv::ExportReadStatus::Ok || modeAgain != mode ||
      buffers->second.n != buffers->first.n ||
      std::memcmp(buffers->second.bytes, buffers->first.bytes, buffers->first.n) != 0) {
    std::abort();
  }

  zv::ChartInputs chart;
  chart.samples = &buffers->first;
  chart.channelMode = mode;
  chart.position = position;
  chart.fineRows = (boxes & 1) != 0;
  chart.fineColumns = (boxes & 2) != 0;
  chart.showA = (boxes & 4) != 0;
  chart.showB = (boxes & 8) != 0;
  zv::BuildChartPicture(chart, buffers->chart);
  if (buffers->chart.dropped != 0) std::abort();
  NullSink svg;
  zv::WriteChartSvg(chart, svg);

  uint32_t interval = 0;
  zv::ExportIntervalSeconds(text, in.Left(), interval);
  DrawOverview(buffers->first, mode, position, boxes, interval, buffers->overview);
  WriteReport(buffers->first, mode, text, in.Left(), position, boxes);
  return 0;
}
