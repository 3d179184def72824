// The text export over any table, any texts (with or without their NULs), any channel mode
// and any byte count: it reads nothing outside its inputs and its length follows the layout.
#include <cstdlib>
#include <memory>

#include "fuzz/fuzz_input.h"
#include "samples/export_file.h"

namespace {

class CountingSink final : public zv::ByteSink {
 public:
  void Put(const char*, std::size_t n) override { bytes += n; }
  std::size_t bytes = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static auto samples = std::make_unique<zv::SampleBuffer>();
  zv::fuzz::FuzzInput in(data, size);
  zv::LoggerInfo info;
  in.Bytes(info.tab.bytes, sizeof info.tab.bytes);
  in.Bytes(&info.texts, sizeof info.texts);  // fields need not hold a NUL
  info.channelMode = in.Byte();
  const uint32_t n = static_cast<uint32_t>(in.Word()) << (in.Byte() % 2);  // up to 128 KiB
  in.Bytes(samples->bytes, sizeof samples->bytes);
  samples->n = n;

  CountingSink sink;
  zv::WriteExportFile(*samples, info, sink);
  // 11 header lines of at most 41 bytes and at most 16,384 readings of at most 11 bytes.
  if (sink.bytes > 11 * 41 + (zv::kSampleBufferSize / 2) * 11) std::abort();
  return 0;
}
