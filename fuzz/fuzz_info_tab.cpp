// Any 26 bytes as the logger's table: verification, everything derived from it, the panel's
// drawing steps, the reading-offered rule and the command line's text and JSON reports.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/control_states.h"
#include "app/info_panel.h"
#include "base/info_tab.h"
#include "cli/info_listing.h"
#include "fuzz/fuzz_input.h"

namespace {

template <std::size_t N>
void RequireTerminated(const char (&field)[N]) {
  if (std::memchr(field, '\0', N) == nullptr) std::abort();
}

std::FILE* Sink() {
  static std::FILE* sink = std::fopen("/dev/null", "w");
  return sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  zv::fuzz::FuzzInput in(data, size);
  zv::LoggerInfo info;
  in.Bytes(info.tab.bytes, sizeof info.tab.bytes);
  zv::VerifyInfoTab(info.tab.bytes);
  zv::DeriveAtConnect(info);
  RequireTerminated(info.texts.identifier);
  RequireTerminated(info.texts.count);
  RequireTerminated(info.texts.status);
  RequireTerminated(info.texts.battery);
  if (info.channelMode != 1 && info.channelMode != 2) std::abort();

  zv::ReadingOffered(info.tab);
  zv::PanelPicture panel;
  zv::BuildInfoPanel(info, panel);
  if (panel.dropped != 0) std::abort();
  zv::cli::PrintInfoText(Sink(), info);
  zv::cli::PrintInfoJson(Sink(), info);

  // A download of any size up to a full memory recounts the texts.
  zv::RecountAfterDownload(info, in.Word() % (zv::kSampleMemoryBytes + 1));
  RequireTerminated(info.texts.count);
  zv::BuildInfoPanel(info, panel);
  if (panel.dropped != 0) std::abort();
  return 0;
}
