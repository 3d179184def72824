#include "cli/config_command.h"

#include <cstdio>
#include <string_view>

#include "base/text1250.h"
#include "base/value_tables.h"
#include "cli/exit_codes.h"
#include "cli/link_steps.h"
#include "cli/platform_port.h"
#include "cli/port_option.h"
#include "cli/terminal_ui.h"
#include "link/configuration_write.h"
#include "link/session.h"

namespace zv::cli {

namespace {

// Windows-1250 bytes as UTF-8, a control byte as \xNN so that no text from the logger can
// steer the terminal.
std::string Printable(std::string_view cp1250) {
  std::string utf8;
  for (const char c : cp1250) {
    char piece[8];
    const unsigned byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      std::snprintf(piece, sizeof piece, "\\x%02X", byte);
    } else {
      Cp1250ToUtf8(std::string_view(&c, 1), piece, sizeof piece);
    }
    utf8 += piece;
  }
  return utf8;
}

// A list entry without its leading space and trailing spaces.
template <typename Table>
std::string EntryText(const Table& table, std::size_t index) {
  std::string_view entry(table.Entry(index) + 1, Table::kWidth - 1);
  while (!entry.empty() && entry.back() == ' ') entry.remove_suffix(1);
  return Printable(entry);
}

void PrintTableToSend(std::FILE* out, const INFO_TAB& t) {
  std::fputs("Dry run, nothing written: CMD_WRITE_INFO (A1 03 0C 50) would carry\n", out);
  for (std::size_t i = 0; i < kInfoTabSize; ++i) {
    std::fprintf(out, "%02X%c", t.bytes[i], i + 1 < kInfoTabSize ? ' ' : '\n');
  }
  const std::string_view id(reinterpret_cast<const char*>(t.LoggerId()), LoggerIdLength(t));
  std::fprintf(out, "Logger_ID          \"%s\"\n", Printable(id).c_str());
  std::fprintf(out, "write pointer      0x%04X (memory start 0x%02X, memory end 0x%04X)\n",
               t.WritePointer(), t.MemoryStart(), t.MemoryEnd());
  std::fprintf(out, "Start:             %s (%u)\n",
               EntryText(StartDelayTexts, t.StartDelayIndex()).c_str(), t.StartDelayIndex());
  std::fprintf(out, "Pomiar co:         %s (%u)\n",
               EntryText(IntervalTexts, t.IntervalIndex()).c_str(), t.IntervalIndex());
  std::fprintf(out, "Zbieraj dane:      %s (%u)\n",
               EntryText(DurationTexts, t.DurationIndex()).c_str(), t.DurationIndex());
  std::fprintf(out, "Źródło:            %s\n",
               EntryText(ChannelModeTexts, (t.Flags() & kFlagTwoChannels) ? 1 : 0).c_str());
  std::fprintf(out, "sygnalizuj pomiar  %s\n", (t.Flags() & kFlagSignalling) ? "tak" : "nie");
  const std::string_view status(StatusTexts.Entry(t.StatusCode()), decltype(StatusTexts)::kWidth);
  std::fprintf(out, "STATUS             %s (%u)\n", Printable(status).c_str(), t.StatusCode());
  std::fprintf(out, "flags 0x%02X, byte 19 0x%02X, check byte 0x%02X\n", t.Flags(), t.Spare(),
               t.CheckByte());
}

// A question answered "stop": nothing was written; say which option would have gone on.
int NotSaved(const TerminalUi& ui) {
  const char* why = "nothing was written";
  if (ui.cancelled == Question::MemoryFull) {
    why = "the sample memory is full and nothing was written; --when-full erase erases it";
  } else if (ui.cancelled == Question::ModeChange) {
    why =
        "the channel mode would change, which erases the sample memory; nothing was written. "
        "--allow-mode-change allows it";
  }
  std::fprintf(stderr, "zorvant-cli config: %s\n", why);
  return kExitNotSaved;
}

// The same questions and edits as the write, on a copy; the link ends without a write.
int DryRun(LoggerSession& session, TerminalUi& ui) {
  INFO_TAB table = session.info.tab;
  const bool edited = EditConfiguration(table, ui.choice, ui);
  TearDown(session, ui);
  if (!edited) return NotSaved(ui);
  PrintTableToSend(stdout, table);
  return kExitOk;
}

template <typename Table>
std::string ListHelp(const char* what, const Table& table) {
  std::string help = std::string(what) + ": an index or the list's text (";
  for (std::size_t i = 0; i < Table::kCount; ++i) {
    help += (i == 0 ? "" : ", ") + std::to_string(i) + " \"" + EntryText(table, i) + "\"";
  }
  return help + "); default: the logger's current value";
}

void AddListOption(CLI::App& command, const char* name, std::string help, std::string& text,
                   bool& given) {
  command.add_option_function<std::string>(
      name,
      [&text, &given](const std::string& value) {
        text = value;
        given = true;
      },
      help);
}

}  // namespace

CLI::App* AddConfigCommand(CLI::App& app, ConfigOptions& o) {
  auto* config = app.add_subcommand(
      "config",
      "Connect, program a new configuration (status 'Czeka na wyzwolenie'), disconnect. An "
      "option not given keeps the logger's current value.");
  config->add_option("--port", o.port, kPortHelp)->required();
  ConfigOptionTexts& t = o.texts;
  AddListOption(*config, "--start-delay", ListHelp("Start delay", StartDelayTexts), t.startDelay,
                t.startDelayGiven);
  AddListOption(*config, "--interval", ListHelp("Sampling interval", IntervalTexts), t.interval,
                t.intervalGiven);
  AddListOption(*config, "--duration", ListHelp("Collection duration", DurationTexts), t.duration,
                t.durationGiven);
  config->add_option("--channels", t.channels, "Channel A only (a) or channels A and B (ab)")
      ->check(CLI::IsMember({"a", "ab"}));
  config->add_option_function<std::string>(
      "--id",
      [&t](const std::string& value) {
        t.id = value;
        t.idGiven = true;
      },
      "Identifier (UTF-8): at most 13 characters, each with a Windows-1250 byte");
  config->add_option("--signal", t.signal, "Signal each measurement: on or off")
      ->check(CLI::IsMember({"on", "off"}));
  auto* erase = config->add_option_group("memory", "Answer to \"Czy skasować pamięć próbek?\"");
  erase->add_flag("--erase", o.erase, "Erase the sample memory (Yes)");
  erase->add_flag("--keep", o.keep, "Keep the samples and append to them (No)");
  erase->require_option(1);
  config->add_flag("--allow-mode-change", o.allowModeChange,
                   "Allow a channel mode change, which erases the sample memory");
  config
      ->add_option("--when-full", o.whenFull,
                   "A full memory: erase it and save, or stop without writing (default)")
      ->check(CLI::IsMember({"erase", "stop"}));
  config->add_flag("--dry-run", o.dryRun,
                   "Connect, ask the questions, print the table that would be written, and "
                   "disconnect without writing it");
  return config;
}

int RunConfig(const ConfigOptions& options) {
  // Every option is checked before the port is touched.
  ConfigOverrides overrides;
  std::string error;
  if (!ParseConfigOptions(options.texts, overrides, error)) {
    std::fprintf(stderr, "zorvant-cli config: %s\n", error.c_str());
    return kExitUsage;
  }
  std::string name;
  if (const int code = ResolvePort(options.port, name); code != kExitOk) return code;
  TerminalUi ui(stdout);
  ui.answers.eraseSamples = options.erase ? Answer::Yes : Answer::No;
  ui.answers.memoryFull = options.whenFull == "erase" ? Answer::Ok : Answer::Cancel;
  ui.answers.modeChange = options.allowModeChange ? Answer::Ok : Answer::Cancel;

  PlatformPort port;
  LoggerSession session(port);
  const ConnectResult connected = ConnectOn(session, ui, name.c_str());
  if (connected != ConnectResult::Connected) return ExitCodeFor(connected);
  // What the window would show after this connect, with the options over it.
  ui.choice = ChoiceFor(session.info.tab, overrides);
  if (options.dryRun) return DryRun(session, ui);
  switch (WriteConfiguration(session, ui)) {
    case ConfigurationResult::Saved:
      return kExitOk;
    case ConfigurationResult::Cancelled:
      TearDown(session, ui);
      return NotSaved(ui);
    case ConfigurationResult::NotReady:
      return kExitNoAnswer;
    case ConfigurationResult::NoAnswerAfterSave:
      return kExitSaveUnconfirmed;
  }
  return kExitNoAnswer;
}

}  // namespace zv::cli
