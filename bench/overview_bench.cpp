// The overview of a full memory (S = 8,192 slots with both channels; S = 16,384 with one):
// the time to build its drawing list and the steps in it, then the time each player takes
// over it (SVG, and PNG and PDF where the build has cairo), as multiples of the build. A
// benchmark: it prints figures and asserts nothing.
#include <cmath>
#include <cstdio>
#include <memory>

#include "bench/bench_support.h"
#include "chart/overview.h"
#include "picture/picture_cairo.h"
#include "picture/picture_svg.h"

namespace {

using zv::bench::CountingSink;
using zv::bench::SecondsPerRun;

// A day's swing with noise and a spike, between limits it crosses, as a cold store records.
std::unique_ptr<zv::SampleBuffer> FullMemory() {
  auto samples = std::make_unique<zv::SampleBuffer>();
  for (std::size_t i = 0; i < zv::kSampleBufferSize / 2; ++i) {
    int v =
        static_cast<int>(std::lround((4 + 3 * std::sin(i / 144.0) + (i * 7919 % 13) / 16.0) * 16));
    if (i == 5000) v = 60 * 16;
    const auto word = static_cast<uint16_t>(v & 0xFFFF);
    samples->bytes[2 * i] = static_cast<uint8_t>(word);
    samples->bytes[2 * i + 1] = static_cast<uint8_t>(word >> 8);
  }
  samples->n = zv::kSampleBufferSize;
  return samples;
}

void Run(const char* name, uint8_t mode) {
  const auto samples = FullMemory();
  zv::OverviewInputs in;
  in.samples = samples.get();
  in.channelMode = mode;
  in.limits.a = in.limits.b = {20000, 80000};  // 2 and 8 degrees
  in.intervalSeconds = 300;
  in.hasStart = true;
  in.start.utc = 1798761600;  // 2027-01-01T00:00:00Z
  auto picture = std::make_unique<zv::OverviewPicture>();
  const double build = SecondsPerRun(200, [&] { zv::BuildOverviewPage(in, *picture); });
  CountingSink svg;
  const double svgTime = SecondsPerRun(20, [&] {
    svg.bytes = 0;
    zv::WritePictureSvg(picture->View(), svg);
  });
  std::printf("%s: %zu steps of %zu (%zu dropped)\n", name, picture->count,
              zv::kOverviewStepCapacity, picture->dropped);
  std::printf("  drawing list: %.1f us, %.3f of the 2 ms budget\n", build * 1e6, build / 2e-3);
  std::printf("  SVG:          %.2f ms, %.1f x the list, %zu bytes\n", svgTime * 1e3,
              svgTime / build, svg.bytes);
  if (!zv::PictureCairoAvailable()) {
    std::printf("  PNG, PDF:     not in this build (no cairo)\n");
    return;
  }
  CountingSink png;
  CountingSink pdf;
  const double pngTime = SecondsPerRun(5, [&] { zv::WritePicturePng(picture->View(), png); });
  const double pdfTime = SecondsPerRun(5, [&] { zv::WritePicturePdf(picture->View(), pdf); });
  std::printf("  PNG:          %.2f ms, %.1f x the list, %zu bytes\n", pngTime * 1e3,
              pngTime / build, png.bytes / 5);
  std::printf("  PDF:          %.2f ms, %.1f x the list, %zu bytes\n", pdfTime * 1e3,
              pdfTime / build, pdf.bytes / 5);
}

}  // namespace

int main() {
  Run("mode 2, traces A and B, S = 8192", 2);
  Run("mode 1, trace A, S = 16384", 1);
  zv::ReleasePictureCaches();
  return 0;
}
