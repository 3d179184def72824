// The emulated logger's command parser: any bytes from a host, at any times, with its answers
// drained as they fall due. It never stalls on its own output, and its state stays sound.
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "emulator/faults.h"
#include "emulator/logger_model.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  zv::fuzz::FuzzInput in(data, size);
  zv::emu::LoggerSetup setup;
  setup.paced = (in.Byte() & 1) != 0;
  setup.transcriptCapacity = 64;
  setup.memoryBytes = in.Word() % 2048;
  // The fault knobs' text parser takes the next few bytes as a knob name.
  char knob[24] = {};
  in.Bytes(knob, in.Byte() % sizeof knob);
  zv::emu::ApplyFault(setup.faults, std::string_view(knob, std::strlen(knob)));

  zv::emu::LoggerModel model(setup);
  zv::emu::Micros now = 0;
  while (in.Left() > 0) {
    const uint8_t byte = in.Byte();
    now += static_cast<zv::emu::Micros>(in.Byte()) * 1000;  // 0..255 ms between bytes
    model.Receive(byte, now);
    uint8_t out = 0;
    for (int i = 0; i < 64 && model.PopOutput(now, out); ++i) {
    }
  }
  // Whatever it was told, the model keeps answering in bounded time: drain up to 40 blocks.
  for (int i = 0; i < 40 * 33; ++i) {
    const auto due = model.NextOutputTime();
    if (!due) break;
    uint8_t out = 0;
    if (!model.PopOutput(*due, out)) std::abort();
  }
  return 0;
}
