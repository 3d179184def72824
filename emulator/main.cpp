// kvar2-emu: an emulated Kvar_2 logger on a pseudo-terminal, reachable through a symlink.
#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "emulator/faults.h"
#include "emulator/logger_model.h"
#include "emulator/pty_server.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void RequestStop(int) {
  stopRequested = 1;
}

std::string FaultNameList() {
  std::string names;
  for (const zv::emu::FaultKnob& knob : zv::emu::kFaultKnobs) {
    if (!names.empty()) names += ", ";
    names += knob.name;
    if (knob.block != nullptr) names += "=K";
  }
  return names;
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zv::emu;
  LoggerSetup setup;
  CLI::App app{"kvar2-emu: an emulated Kvar_2 temperature logger on a pseudo-terminal"};

  std::string link;
  std::string id;
  unsigned channels = 0;
  std::size_t memoryBytes = 0;
  std::string memoryFile;
  std::vector<std::string> faults;
  std::string transcriptPath;
  std::string dumpPath;

  app.add_option("--link", link, "Path of the symlink to the pseudo-terminal")->required();
  app.add_option("--id", id, "Logger identifier (UTF-8, at most 13 characters)");
  // Numbers go through unsigned (CLI11 would read a uint8_t "5" as the character '5');
  // 0x-prefixed hex is accepted.
  struct Field {
    const char* option;
    const char* help;
    unsigned maximum;
    unsigned value;
  };
  Field fields[] = {
      {"--write-pointer", "Write pointer (default 0x0120)", 0xFFFF, setup.writePointer},
      {"--memory-start", "Memory start, 8-bit (default 0x20)", 0xFF, setup.memoryStart},
      {"--memory-end", "Memory end (default 0x7FFE)", 0xFFFF, setup.memoryEnd},
      {"--interval", "Sampling interval index (default 5)", 0xFF, setup.intervalIndex},
      {"--start-delay", "Start delay index (default 0)", 0xFF, setup.startDelayIndex},
      {"--duration", "Collection duration index (default 0)", 0xFF, setup.durationIndex},
      {"--status", "Status code (default 4)", 0xFF, setup.status},
      {"--flags", "Flags byte (default 0x00)", 0xFF, setup.flags},
  };
  for (Field& field : fields) {
    app.add_option(field.option, field.value, field.help)->check(CLI::Range(0u, field.maximum));
  }
  app.add_option("--channels", channels, "1 or 2 channels: sets or clears flags bit 1")
      ->check(CLI::IsMember({1u, 2u}));
  app.add_option("--memory-bytes", memoryBytes,
                 "Bytes of sample memory (default: write pointer - memory start, or the file)")
      ->check(CLI::Range(std::size_t{0}, kMaxMemoryBytes));
  app.add_option("--memory-file", memoryFile, "Memory image to send instead of synthetic curves")
      ->check(CLI::ExistingFile);
  app.add_flag("--paced,!--unpaced", setup.paced,
               "Send at the line rate, 1042 us a byte (default), or each answer at once");
  app.add_option("--fault", faults, "Inject a fault (repeatable): " + FaultNameList())
      ->check([](const std::string& text) {
        FaultSet probe;
        return ApplyFault(probe, text) ? std::string() : "unknown fault or bad K: " + text;
      });
  app.add_option("--transcript", transcriptPath, "Write '<us> <H|L> <hex>' for every byte");
  app.add_option("--dump-memory", dumpPath, "Write the memory image that will be sent");
  CLI11_PARSE(app, argc, argv);

  setup.writePointer = static_cast<uint16_t>(fields[0].value);
  setup.memoryStart = static_cast<uint8_t>(fields[1].value);
  setup.memoryEnd = static_cast<uint16_t>(fields[2].value);
  setup.intervalIndex = static_cast<uint8_t>(fields[3].value);
  setup.startDelayIndex = static_cast<uint8_t>(fields[4].value);
  setup.durationIndex = static_cast<uint8_t>(fields[5].value);
  setup.status = static_cast<uint8_t>(fields[6].value);
  setup.flags = static_cast<uint8_t>(fields[7].value);
  if (!id.empty()) SetIdentifier(setup, id);
  if (channels == 1) setup.flags &= static_cast<uint8_t>(~zv::kFlagTwoChannels);
  if (channels == 2) setup.flags |= zv::kFlagTwoChannels;
  if (app.count("--memory-bytes") > 0) setup.memoryBytes = memoryBytes;
  if (!memoryFile.empty()) {
    std::vector<uint8_t> image;
    if (!ReadFile(memoryFile, image)) {
      std::fprintf(stderr, "kvar2-emu: cannot read %s\n", memoryFile.c_str());
      return 1;
    }
    setup.memoryImage = std::move(image);
  }
  for (const std::string& fault : faults) ApplyFault(setup.faults, fault);

  LoggerModel model(std::move(setup));
  if (!dumpPath.empty() && !WriteFile(dumpPath, model.Memory())) {
    std::fprintf(stderr, "kvar2-emu: cannot write %s\n", dumpPath.c_str());
    return 1;
  }
  std::FILE* transcript = nullptr;
  if (!transcriptPath.empty()) {
    transcript = std::fopen(transcriptPath.c_str(), "w");
    if (transcript == nullptr) {
      std::fprintf(stderr, "kvar2-emu: cannot write %s\n", transcriptPath.c_str());
      return 1;
    }
    model.SetByteSink([transcript](const TranscriptEntry& entry) {
      std::fprintf(transcript, "%lld %c %02X\n", static_cast<long long>(entry.at),
                   entry.fromHost ? 'H' : 'L', entry.byte);
      std::fflush(transcript);
    });
  }

  // The signals wait blocked and are let through only inside the server's wait.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  int exitCode = 0;
  {
    PtyServer server(model);
    std::string error;
    if (!server.Open(link, error)) {
      std::fprintf(stderr, "kvar2-emu: %s\n", error.c_str());
      return 1;
    }
    std::fprintf(stderr, "kvar2-emu: serving %s at %s\n", server.SlavePath().c_str(), link.c_str());
    if (!server.Serve(stopRequested)) {
      std::fprintf(stderr, "kvar2-emu: the pseudo-terminal failed\n");
      exitCode = 1;
    }
  }
  if (transcript != nullptr) std::fclose(transcript);
  return exitCode;
}
