#include "link/download.h"

#include <cstdio>
#include <cstring>

#include "base/info_tab.h"
#include "link/frames.h"
#include "link/messages.h"

namespace zv {

namespace {

// Position of the end marker among the 32 data bytes of a verified block, or -1. A marker
// whose first 0xAA is data byte 31 has the check byte as its second byte; bytes of two
// different blocks never form a marker together.
int FindEndMarker(const uint8_t (&block)[kDataBlockSize]) {
  for (std::size_t i = 0; i < kBlockDataBytes; ++i) {
    if (block[i] == END_MARKER_BYTE && block[i + 1] == END_MARKER_BYTE) return static_cast<int>(i);
  }
  return -1;
}

class StreamTransfer final : public Transfer {
 public:
  StreamTransfer(LoggerPort& port, SampleBuffer& into) : port_(port), into_(into) {}
  bool Run(StepAction& step) override { return ReadMemoryStream(port_, into_, step); }

 private:
  LoggerPort& port_;
  SampleBuffer& into_;
};

// A logger whose stream the host gave up on goes on sending the rest of its memory (or, without
// an end marker, for ever), and every later answer would drown in it. A command stops it; then
// whatever waits is dropped until a short read finds the line quiet. Bounded: a logger that
// never falls silent is left after 16 rounds.
void StopAbandonedStream(LoggerPort& port) {
  constexpr int kMostRounds = 16;
  SendCommand(port, CMD_PING);
  uint8_t scrap[4];
  for (int round = 0; round < kMostRounds; ++round) {
    port.DiscardInput();
    const ReadResult read = port.ReadBytes(scrap, sizeof scrap);
    if (!read.ok || read.count == 0) return;
  }
}

// A transfer given up: the stream stopped, and false for the caller to return.
bool FailTransfer(LoggerPort& port) {
  StopAbandonedStream(port);
  return false;
}

}  // namespace

bool ReadMemoryStream(LoggerPort& port, SampleBuffer& into, StepAction& step) {
  // The count starts over only once the logger answers the ready check; then one memory
  // command starts the stream.
  if (!Ping(port)) return false;
  into.n = 0;
  SendCommand(port, CMD_READ_MEMORY);

  uint8_t block[kDataBlockSize];
  for (;;) {
    // One block a read; the progress moves whether or not it came whole.
    const ReadResult read = port.ReadBytes(block, sizeof block);
    step.Step();
    // A short block or a wrong sum fails the transfer; nothing of it is stored.
    if (read.count != sizeof block) return FailTransfer(port);
    if (sum8(block, kBlockDataBytes) != block[kBlockDataBytes]) return FailTransfer(port);

    // The data bytes before the marker. The stream carries no length: a byte that would
    // land past the buffer fails the transfer.
    const int marker = FindEndMarker(block);
    const std::size_t dataBytes = marker < 0 ? kBlockDataBytes : static_cast<std::size_t>(marker);
    if (into.n + dataBytes > kSampleBufferSize) return FailTransfer(port);
    std::memcpy(into.bytes + into.n, block, dataBytes);
    into.n += static_cast<uint32_t>(dataBytes);
    if (marker >= 0) break;
  }

  // Acknowledge the marker; the closing ready check decides whether the transfer stands.
  port.WriteBytes(&READY, 1);
  return Ping(port);
}

bool RunDownload(LoggerSession& session, SampleStore& store, UserInterface& ui) {
  // The window's transfer fills the incoming buffer; the loaded samples change only on success.
  StreamTransfer transfer(session.port, store.incoming);
  const DownloadOutcome outcome = ui.RunDownloadWindow(session.info.tab.WritePointer(), transfer);
  // A failed transfer, a closed window or one that never opened leaves the loaded samples
  // as they were.
  if (outcome != DownloadOutcome::Succeeded) {
    ui.ShowMessage(msg::kDownloadFailed.c_str(), MessageIcon::Exclamation);
    return false;
  }
  const uint32_t n = store.incoming.n <= kSampleBufferSize
                         ? store.incoming.n
                         : static_cast<uint32_t>(kSampleBufferSize);
  store.loaded.n = n;
  std::memcpy(store.loaded.bytes, store.incoming.bytes, n);

  // Tell how many slots and bytes arrived.
  LoggerInfo& info = session.info;
  char text[96];
  std::snprintf(text, sizeof text, msg::kDownloadedFormat.c_str(),
                static_cast<int>(n >> info.channelMode), static_cast<int>(n));
  ui.ShowMessage(text, MessageIcon::Information);

  // A different amount than the logger accounted for: tell of the extra samples, and recount
  // so that the panel shows what was received.
  if (n != info.knownByteCount) {
    if (n > info.knownByteCount) {
      std::snprintf(text, sizeof text, msg::kRecoveredFormat.c_str(),
                    static_cast<int>((n - info.knownByteCount) >> info.channelMode));
      ui.ShowMessage(text, MessageIcon::Information);
    }
    RecountAfterDownload(info, n);
    ui.RepaintPanel();
  }
  // Export and chart become available only now, with samples to show.
  ui.ShowSamplesLoaded();
  return true;
}

}  // namespace zv
