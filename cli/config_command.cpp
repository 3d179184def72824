#include "cli/config_command.h"

#include <cstdio>
#include <string_view>

#include "base/text1250.h"
#include "base/value_tables.h"
#include "cli/connect_and_download.h"
#include "cli/download_keeping.h"
#include "cli/exit_codes.h"
#include "cli/info_listing.h"
#include "cli/platform_port.h"
#include "cli/port_option.h"
#include "cli/process_guard.h"
#include "cli/terminal_ui.h"
#include "cli/visible_text.h"
#include "link/configuration_write.h"
#include "link/frames.h"
#include "link/session.h"
#include "samples/field_labels.h"

namespace zv::cli {

namespace {

void PrintTableToSend(std::FILE* out, const INFO_TAB& t) {
  const CommandFrame frame = MakeCommandFrame(CMD_WRITE_INFO);
  std::fprintf(out, "Dry run, nothing written: CMD_WRITE_INFO (%02X %02X %02X %02X) would carry\n",
               frame.bytes[0], frame.bytes[1], frame.bytes[2], frame.bytes[3]);
  for (std::size_t i = 0; i < kInfoTabSize; ++i) {
    std::fprintf(out, "%02X%c", t.bytes[i], i + 1 < kInfoTabSize ? ' ' : '\n');
  }
  const VisibleText id(reinterpret_cast<const char*>(t.LoggerId()), LoggerIdLength(t));
  const std::string quoted = std::string("\"") + id.text + "\"";
  PrintListingLine(out, kLoggerIdField.bytes, kLoggerIdField.length, quoted.c_str());
  std::fprintf(out, "write pointer      0x%04X (memory start 0x%02X, memory end 0x%04X)\n",
               t.WritePointer(), t.MemoryStart(), t.MemoryEnd());
  PrintConfigurationLines(out, t, (t.Flags() & kFlagTwoChannels) ? 1 : 0, true);
  char status[160];
  std::snprintf(status, sizeof status, "%s (%u)",
                VisibleText(StatusTexts.Entry(t.StatusCode()), StatusTexts.kWidth).text,
                t.StatusCode());
  PrintListingLine(out, kStatusField.bytes, kStatusField.length, status);
  std::fprintf(out, "flags 0x%02X, byte 19 0x%02X, check byte 0x%02X\n", t.Flags(), t.Spare(),
               t.CheckByte());
}

// A question answered "stop": nothing was written; say which option would have gone on.
int NotSaved(const TerminalUi& ui, const INFO_TAB& tab) {
  if (StopRequested()) return kExitNotSaved;  // the stop request's own code follows
  if (ui.askedTwice && ui.cancelled == Question::MemoryFull) {
    std::fprintf(stderr,
                 "zorvant-cli config: erasing cannot make room: the memory start 0x%02X is not "
                 "below the memory end 0x%04X; nothing was written\n",
                 tab.MemoryStart(), tab.MemoryEnd());
    return kExitNotSaved;
  }
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

// The same steps as the write up to the send itself (the ready check, the questions and the
// edits), then the table that would go out; the link ends without it.
int DryRun(LoggerSession& session, TerminalUi& ui) {
  INFO_TAB table;
  const ConfigurationResult prepared = PrepareConfiguration(session, ui, table);
  if (prepared == ConfigurationResult::NotReady) return kExitNoAnswer;
  TearDown(session, ui);
  if (prepared != ConfigurationResult::ReadyToSend) return NotSaved(ui, session.info.tab);
  PrintTableToSend(stdout, table);
  return kExitOk;
}

const char* QuestionName(Question question) {
  switch (question) {
    case Question::EraseSamples:
      return "erase_samples";
    case Question::MemoryFull:
      return "memory_full";
    case Question::ModeChange:
      break;
  }
  return "mode_change";
}

const char* AnswerName(Answer answer) {
  switch (answer) {
    case Answer::Ok:
      return "ok";
    case Answer::Cancel:
      return "cancel";
    case Answer::Yes:
      return "yes";
    case Answer::No:
      break;
  }
  return "no";
}

// The write as the trail keeps it: the table before, the table the session holds now (the one
// sent, or the same when nothing was), and every answer; a question asked again is named so.
int RecordWrite(const ConfigOptions& options, const char* port, const INFO_TAB& before,
                const LoggerSession& session, const TerminalUi& ui, const char* outcome) {
  GivenAnswers answers;
  for (std::size_t i = 0; i < ui.givenCount; ++i) {
    std::string name = QuestionName(ui.given[i].question);
    for (const auto& [earlier, unused] : answers) {
      if (earlier == name) name += "_again";
    }
    answers.emplace_back(name, AnswerName(ui.given[i].answer));
  }
  return RecordConfigWriteInArchive("config", options.archive, port, before, session.info.tab,
                                    answers, outcome);
}

// The command's code, once the write's own messages are out, with the archive's.
int Recorded(int code, const ConfigOptions& options, const char* port, const INFO_TAB& before,
             const LoggerSession& session, const TerminalUi& ui, const char* outcome) {
  return WithArchiveCode(code, RecordWrite(options, port, before, session, ui, outcome));
}

template <typename Table>
std::string ListHelp(const char* what, const Table& table) {
  std::string help = std::string(what) + ": an index or the list's text (";
  for (std::size_t i = 0; i < Table::kCount; ++i) {
    help += (i == 0 ? "" : ", ") + std::to_string(i) + " \"" + ListEntryText(table, i).text + "\"";
  }
  return help + "); default: the logger's current value";
}

// A list option: its text becomes the list's index as the option is read.
void AddListOption(CLI::App& command, const char* name, std::string help, ConfigList list,
                   int& index) {
  command.add_option_function<std::string>(
      name,
      [list, &index](const std::string& value) {
        std::string error;
        if (!ParseListValue(list, value, index, error)) throw CLI::ValidationError(error);
      },
      help);
}

// An option of two words, stored as 0 for the first and 1 for the second.
CLI::Option* AddPairOption(CLI::App& command, const char* name, const char* first,
                           const char* second, const char* help, int& value) {
  return command
      .add_option_function<std::string>(
          name, [first, &value](const std::string& word) { value = word == first ? 0 : 1; }, help)
      ->check(CLI::IsMember({first, second}));
}

}  // namespace

CLI::App* AddConfigCommand(CLI::App& app, ConfigOptions& o) {
  auto* config = app.add_subcommand(
      "config",
      "Connect, program a new configuration (status 'Czeka na wyzwolenie'), disconnect. An "
      "option not given keeps the logger's current value.");
  config->add_option("--port", o.port, kPortHelp)->required();
  ConfigOverrides& v = o.overrides;
  AddListOption(*config, "--start-delay", ListHelp("Start delay", StartDelayTexts),
                ConfigList::StartDelay, v.startDelay);
  AddListOption(*config, "--interval", ListHelp("Sampling interval", IntervalTexts),
                ConfigList::Interval, v.interval);
  AddListOption(*config, "--duration", ListHelp("Collection duration", DurationTexts),
                ConfigList::Duration, v.duration);
  AddPairOption(*config, "--channels", "a", "ab", "Channel A only (a) or channels A and B (ab)",
                v.channels);
  config->add_option_function<std::string>(
      "--id",
      [&v](const std::string& value) {
        std::string error;
        if (!ParseIdentifier(value, v.id, error)) throw CLI::ValidationError(error);
        v.idGiven = true;
      },
      "Identifier (UTF-8): at most 13 characters, each with a Windows-1250 byte");
  AddPairOption(*config, "--signal", "off", "on", "Signal each measurement: on or off", v.signal);
  auto* erase = config->add_option_group("memory", "Answer to \"Czy skasować pamięć próbek?\"");
  erase->add_flag("--erase", o.erase, "Erase the sample memory (Yes)");
  erase->add_flag("--keep", o.keep, "Keep the samples and append to them (No)");
  erase->require_option(1);
  config->add_flag("--allow-mode-change", o.allowModeChange,
                   "Allow a channel mode change, which erases the sample memory");
  config
      ->add_option_function<std::string>(
          "--when-full", [&o](const std::string& word) { o.eraseWhenFull = word == "erase"; },
          "A full memory: erase it and save, or stop without writing (default)")
      ->check(CLI::IsMember({"erase", "stop"}));
  config->add_flag("--dry-run", o.dryRun,
                   "Connect, ask the questions, print the table that would be written, and "
                   "disconnect without writing it");
  AddArchiveOptions(*config, o.archive);
  return config;
}

int RunConfig(const ConfigOptions& options) {
  // Every option was checked as the command line was read, before the port is touched.
  if (options.dryRun && RefuseClosedStdout("config")) return kExitFileNotWritten;
  std::string name;
  if (const int code = ResolvePort(options.port, name); code != kExitOk) return code;
  TerminalUi ui(stdout);
  ui.answers.eraseSamples = options.erase ? Answer::Yes : Answer::No;
  ui.answers.memoryFull = options.eraseWhenFull ? Answer::Ok : Answer::Cancel;
  ui.answers.modeChange = options.allowModeChange ? Answer::Ok : Answer::Cancel;

  PlatformPort port;
  LoggerSession session(port);
  const ConnectResult connected = ConnectOn(session, ui, name.c_str());
  if (connected != ConnectResult::Connected) return ExitCodeFor(connected);
  // What the window would show after this connect, with the options over it.
  ui.choice = ChoiceFor(session.info.tab, options.overrides);
  if (options.dryRun) return DryRun(session, ui);
  // The table as the logger gave it, for the trail: the session's copy takes the one sent.
  const INFO_TAB before = session.info.tab;
  const char* at = name.c_str();
  switch (WriteConfiguration(session, ui)) {
    case ConfigurationResult::Saved:
      KeepOutcome("the logger stored the configuration");  // whatever stop request comes now
      return Recorded(kExitOk, options, at, before, session, ui, "stored");
    case ConfigurationResult::Cancelled:
      TearDown(session, ui);
      return Recorded(NotSaved(ui, session.info.tab), options, at, before, session, ui,
                      "not_written");
    case ConfigurationResult::NotReady:
    case ConfigurationResult::ReadyToSend:
      return Recorded(kExitNoAnswer, options, at, before, session, ui, "not_written");
    case ConfigurationResult::PortFailure:
      std::fputs(
          "zorvant-cli config: the port failed while sending; the logger did not get "
          "the whole table\n",
          stderr);
      return Recorded(kExitPortError, options, at, before, session, ui, "not_written");
    case ConfigurationResult::NoAnswerAfterSave:
      // Once the table is out, an interrupted confirmation is as unknown as a silent logger's.
      KeepOutcome("the configuration was sent to the logger");
      std::fputs(
          "zorvant-cli config: the configuration was sent; whether the logger stored it is "
          "unknown\n",
          stderr);
      return Recorded(kExitSaveUnconfirmed, options, at, before, session, ui, "unconfirmed");
  }
  return kExitNoAnswer;
}

}  // namespace zv::cli
