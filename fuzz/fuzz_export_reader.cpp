// Any bytes as an export file given to `zorvant-cli chart --from-export`: the reader either
// refuses them or gives samples that write back to an export it reads the same again, and the
// chart of them (at a position the input chooses) draws and renders as SVG.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "chart/chart_paint.h"
#include "chart/chart_svg.h"
#include "fuzz/fuzz_input.h"
#include "samples/export_file.h"
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
  zv::ChartPaint paint;
};

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
  zv::BuildChart(chart, buffers->paint);
  if (buffers->paint.count > zv::kChartStepCapacity) std::abort();
  NullSink svg;
  zv::WriteChartSvg(buffers->paint, svg);
  return 0;
}
