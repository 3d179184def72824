// kvar2-emu: an emulated Kvar_2 logger on a pseudo-terminal, reachable through a symlink.
#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/safe_text.h"
#include "emulator/fault_file.h"
#include "emulator/faults.h"
#include "emulator/front_files.h"
#include "emulator/logger_model.h"
#include "emulator/pty_server.h"
#include "zv_version.h"

namespace {

using namespace zv::emu;

volatile std::sig_atomic_t stopRequested = 0;
void RequestStop(int) {
  stopRequested = 1;
}

// What the command line asks of the front end, beyond the logger itself.
struct FrontEndOptions {
  std::string link;
  unsigned channels = 0;  // 1 or 2 overrides flags bit 1; 0 leaves the flags as given
  std::string memoryFile;
  std::string transcriptPath;
  std::string dumpPath;
  std::string saveTablePath;
  std::string faultFile;
};

// A table field set from the command line, written straight into the setup. Numbers go
// through unsigned (CLI11 would read a uint8_t "5" as the character '5'); 0x-prefixed hex is
// accepted.
struct TableFieldOption {
  const char* option;
  const char* help;
  const char* defaultFormat;    // how --help shows the default
  uint16_t LoggerSetup::*word;  // a 16-bit field, or null
  uint8_t LoggerSetup::*byte;   // an 8-bit field, or null
};

constexpr TableFieldOption kTableFieldOptions[] = {
    {"--write-pointer", "Write pointer", "0x%04X", &LoggerSetup::writePointer, nullptr},
    {"--memory-start", "Memory start, 8-bit", "0x%02X", nullptr, &LoggerSetup::memoryStart},
    {"--memory-end", "Memory end", "0x%04X", &LoggerSetup::memoryEnd, nullptr},
    {"--interval", "Sampling interval index", "%u", nullptr, &LoggerSetup::intervalIndex},
    {"--start-delay", "Start delay index", "%u", nullptr, &LoggerSetup::startDelayIndex},
    {"--duration", "Collection duration index", "%u", nullptr, &LoggerSetup::durationIndex},
    {"--status", "Status code", "%u", nullptr, &LoggerSetup::status},
    {"--flags", "Flags byte", "0x%02X", nullptr, &LoggerSetup::flags},
};

void AddTableFieldOptions(CLI::App& app, LoggerSetup& setup) {
  app.add_option_function<std::string>(
      "--id",
      [&setup](const std::string& id) {
        std::string why;
        if (!SetIdentifier(setup, id, why)) throw CLI::ValidationError("--id", zv::Echoed(why));
      },
      "Logger identifier (UTF-8, at most 13 characters, each with a Windows-1250 byte; control "
      "characters are kept; default KVAR2-0001)");
  const LoggerSetup defaults;
  for (const TableFieldOption& field : kTableFieldOptions) {
    const unsigned initial = field.word ? defaults.*field.word : defaults.*field.byte;
    char shown[16];
    std::snprintf(shown, sizeof shown, field.defaultFormat, initial);
    auto store = [&setup, &field](unsigned value) {
      if (field.word) setup.*field.word = static_cast<uint16_t>(value);
      if (field.byte) setup.*field.byte = static_cast<uint8_t>(value);
    };
    app.add_option_function<unsigned>(field.option, store,
                                      std::string(field.help) + " (default " + shown + ")")
        ->check(CLI::Range(0u, field.word ? 0xFFFFu : 0xFFu).description(""))
        ->type_name(field.word ? "0..0xFFFF" : "0..0xFF");
  }
}

std::string FaultHelp() {
  std::string text = "Faults (--fault NAME, or NAME=K for a memory block K counted from 0):\n";
  for (const FaultKnob& knob : kFaultKnobs) {
    std::string name = std::string(knob.name) + (knob.block != nullptr ? "=K" : "");
    name.resize(std::max<std::size_t>(name.size() + 1, 22), ' ');
    text += "  " + name + knob.help + "\n";
  }
  return text;
}

void AddBehaviourOptions(CLI::App& app, LoggerSetup& setup) {
  app.add_option_function<std::size_t>(
         "--memory-bytes", [&setup](std::size_t bytes) { setup.memoryBytes = bytes; },
         "Bytes of sample memory, a memory file cut or zero-padded to it\n(default: write "
         "pointer - memory start, or the file's size)")
      ->check(CLI::Range(std::size_t{0}, kMaxMemoryBytes).description(""))
      ->type_name("0..65536");
  app.add_flag_callback(
      "--paced", [&setup] { setup.paced = true; },
      "Send at the line rate, 1042 us a byte (the default)");
  app.add_flag_callback(
      "--unpaced", [&setup] { setup.paced = false; }, "Send each answer at once");
  app.add_option_function<std::vector<std::string>>(
         "--fault",
         [&setup](const std::vector<std::string>& names) {
           for (const std::string& name : names) ApplyFault(setup.faults, name);
         },
         "Inject a fault (repeatable); the faults are listed below")
      ->type_name("NAME[=K]")
      ->check([](const std::string& text) {
        FaultSet probe;
        return ApplyFault(probe, text) ? std::string() : "unknown fault or bad K: " + text;
      });
  app.footer(FaultHelp());
}

// Fills the setup and the options from the command line. Returns the exit code when the
// program ends here (help shown, or a bad command line), -1 when it goes on.
int ParseCommandLine(int argc, char** argv, LoggerSetup& setup, FrontEndOptions& options) {
  CLI::App app{"kvar2-emu: an emulated Kvar_2 temperature logger on a pseudo-terminal"};
  app.set_version_flag("--version", std::string("kvar2-emu ") + zv::kZorvantVersion);
  app.add_option("--link", options.link, "Path of the symlink to the pseudo-terminal")
      ->required()
      ->type_name("PATH");
  AddTableFieldOptions(app, setup);
  app.add_option("--channels", options.channels, "1 or 2 channels: sets or clears flags bit 1")
      ->check(CLI::IsMember({1u, 2u}).description(""))
      ->type_name("1|2");
  app.add_option("--memory-file", options.memoryFile,
                 "Memory image to send instead of synthetic curves (at most 65536 bytes): the "
                 "sample memory as the logger holds it from its memory start, one slot after "
                 "another, each reading a 16-bit little-endian word (the sensor's 12-bit "
                 "two's-complement sixteenths of a degree, sign-extended); a slot is one word "
                 "(channel A) or two (A, then B, with --channels 2). The same layout "
                 "--dump-memory writes.")
      ->check(CLI::ExistingFile.description(""))
      ->type_name("FILE");
  AddBehaviourOptions(app, setup);
  app.add_option("--transcript", options.transcriptPath, "Write '<us> <H|L> <hex>' for every byte")
      ->type_name("FILE");
  app.add_option("--dump-memory", options.dumpPath, "Write the memory image that will be sent")
      ->type_name("FILE");
  app.add_option("--fault-file", options.faultFile,
                 "Faults to add from this file, re-read whenever the host sends: knob names as\n"
                 "for --fault, separated by blanks; rewrite it to break the logger mid-session")
      ->type_name("FILE");
  app.add_option("--save-table", options.saveTablePath,
                 "Keep the table here as one line of 52 hex digits, rewritten at start and\n"
                 "after every stored write")
      ->type_name("FILE");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }
  return -1;
}

// What the options add to the setup once all are known; false, with a message, on failure.
bool CompleteSetup(LoggerSetup& setup, const FrontEndOptions& options) {
  if (options.channels == 1) setup.flags &= static_cast<uint8_t>(~zv::kFlagTwoChannels);
  if (options.channels == 2) setup.flags |= zv::kFlagTwoChannels;
  if (options.memoryFile.empty()) return true;
  std::vector<uint8_t> image;
  std::string error;
  if (!ReadMemoryImage(options.memoryFile, image, error)) {
    std::fprintf(stderr, "kvar2-emu: %s\n", error.c_str());
    return false;
  }
  setup.memoryImage = std::move(image);
  return true;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using TranscriptFile = std::unique_ptr<std::FILE, FileCloser>;

// The memory dump, the table line and the transcript; false, with a message, when a file
// cannot be written at start.
bool OpenOutputs(LoggerModel& model, const FrontEndOptions& options, TranscriptFile& transcript) {
  if (!options.dumpPath.empty() && !WriteMemoryImage(options.dumpPath, model.Memory())) {
    std::fprintf(stderr, "kvar2-emu: cannot write %s\n", options.dumpPath.c_str());
    return false;
  }
  if (!options.saveTablePath.empty()) {
    if (!SaveTableLine(options.saveTablePath, model.Table())) {
      std::fprintf(stderr, "kvar2-emu: cannot write %s\n", options.saveTablePath.c_str());
      return false;
    }
    model.SetTableSink([path = options.saveTablePath](const zv::INFO_TAB& table) {
      if (!SaveTableLine(path, table)) {
        std::fprintf(stderr, "kvar2-emu: cannot write %s\n", path.c_str());
      }
    });
  }
  if (options.transcriptPath.empty()) return true;
  transcript.reset(std::fopen(options.transcriptPath.c_str(), "w"));
  if (!transcript) {
    std::fprintf(stderr, "kvar2-emu: cannot write %s\n", options.transcriptPath.c_str());
    return false;
  }
  model.SetByteSink([file = transcript.get()](const TranscriptEntry& entry) {
    std::fprintf(file, "%lld %c %02X\n", static_cast<long long>(entry.at),
                 entry.fromHost ? 'H' : 'L', entry.byte);
    std::fflush(file);
  });
  return true;
}

// The stop signals wait blocked and are let through only inside the server's wait.
void SetUpStopSignals() {
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

int Serve(LoggerModel& model, const FrontEndOptions& options) {
  const std::string& link = options.link;
  PtyServer server(model);
  FaultFile faultFile(options.faultFile, model.Setup().faults);
  if (!options.faultFile.empty()) {
    server.SetHostBytesHook([&model, &faultFile] {
      FaultSet faults;
      std::string unknown;
      if (!faultFile.Changed(faults, unknown)) return;
      model.SetFaults(faults);
      if (!unknown.empty())
        std::fprintf(stderr, "kvar2-emu: unknown faults: %s\n", unknown.c_str());
    });
  }
  std::string error;
  if (!server.Open(link, error)) {
    std::fprintf(stderr, "kvar2-emu: %s\n", error.c_str());
    return 1;
  }
  std::fprintf(stderr, "kvar2-emu: serving %s at %s\n", server.SlavePath().c_str(), link.c_str());
  if (!server.Serve(stopRequested)) {
    std::fprintf(stderr, "kvar2-emu: the pseudo-terminal failed\n");
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  LoggerSetup setup;
  FrontEndOptions options;
  const int parsed = ParseCommandLine(argc, argv, setup, options);
  if (parsed >= 0) return parsed;
  if (!CompleteSetup(setup, options)) return 1;
  LoggerModel model(std::move(setup));
  TranscriptFile transcript;
  if (!OpenOutputs(model, options, transcript)) return 1;
  SetUpStopSignals();
  return Serve(model, options);
}
