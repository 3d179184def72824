// Any bytes as the logger's side of a download, arriving in reads cut at any points (a short
// read is what a time-out gives): the stream reader and the result handling never store past
// the buffer, and only a successful transfer replaces the loaded samples.
#include <cstdlib>
#include <cstring>
#include <memory>

#include "fuzz/fuzz_input.h"
#include "link/download.h"
#include "link/session.h"
#include "tests/support/quiet_ui.h"

namespace {

// The first bytes of the input choose where reads are cut; the rest is what the logger sends.
class FuzzPort final : public zv::LoggerPort {
 public:
  FuzzPort(const uint8_t* cuts, std::size_t cutCount, const uint8_t* stream, std::size_t size)
      : cuts_(cuts), cutCount_(cutCount), stream_(stream), size_(size) {}
  bool OpenPort(const char*) override { return true; }
  bool SetUpPort() override { return true; }
  bool WriteBytes(const uint8_t*, std::size_t) override { return true; }
  zv::ReadResult ReadBytes(uint8_t* into, std::size_t n) override {
    std::size_t count = n;
    if (cutCount_ > 0) {
      const std::size_t cut = cuts_[reads_++ % cutCount_];
      if (cut < count) count = cut;  // a cut of 255 or more lets the whole read through
    }
    const std::size_t left = size_ - position_;
    if (count > left) count = left;
    if (count > 0) std::memcpy(into, stream_ + position_, count);
    position_ += count;
    return {true, count};
  }
  void DiscardInput() override {}
  void Pause(unsigned) override {}
  void ClosePort() override {}

 private:
  const uint8_t* cuts_;
  std::size_t cutCount_;
  const uint8_t* stream_;
  std::size_t size_;
  std::size_t position_ = 0;
  std::size_t reads_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static auto store = std::make_unique<zv::SampleStore>();
  zv::fuzz::FuzzInput in(data, size);
  const std::size_t cutCount = in.Byte() % 8;
  uint8_t cuts[8];
  in.Bytes(cuts, cutCount);
  const uint8_t channelMode = static_cast<uint8_t>(in.Byte() % 2 + 1);
  const uint32_t known = in.Word();

  FuzzPort port(cuts, cutCount, in.Rest(), in.Left());
  zv::LoggerSession session(port);
  session.connected = true;
  session.info.channelMode = channelMode;
  session.info.knownByteCount = known;
  store->loaded.n = 7;
  zv::test::QuietUi ui;
  const bool ok = zv::RunDownload(session, *store, ui);
  if (store->incoming.n > zv::kSampleBufferSize || store->loaded.n > zv::kSampleBufferSize) {
    std::abort();
  }
  if (!ok && store->loaded.n != 7) std::abort();
  return 0;
}
