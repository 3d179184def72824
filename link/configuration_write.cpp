#include "link/configuration_write.h"

#include <cstring>

#include "base/value_tables.h"
#include "link/frames.h"
#include "link/messages.h"

namespace zv {

namespace {

constexpr uint8_t kFlagsKept = 0x0F;    // battery, channel mode, bits 2 and 3
constexpr unsigned kAfterWriteMs = 50;  // the logger stores the table meanwhile

// A list without a selection, or with one its table lacks, sends back what the logger
// reported: the table never receives an index that no list entry stands for.
template <typename Table>
uint8_t ChosenIndex(const Table& table, int selected, uint8_t reported) {
  if (selected < 0 || !table.Has(static_cast<std::size_t>(selected))) return reported;
  return static_cast<uint8_t>(selected);
}

// At most 13 bytes and a NUL from byte 0; the bytes after that NUL keep what they held.
void StoreIdentifier(INFO_TAB& tab, const char (&identifier)[kLoggerIdSize]) {
  std::size_t n = 0;
  while (n < kLoggerIdSize - 1 && identifier[n] != '\0') ++n;
  std::memcpy(tab.LoggerId(), identifier, n);
  tab.LoggerId()[n] = 0;
}

}  // namespace

bool EditConfiguration(INFO_TAB& tab, const ConfigurationChoice& choice, UserInterface& ui) {
  // Erase the samples, keep them, or stop here.
  switch (ui.Ask(Question::EraseSamples)) {
    case Answer::Yes:
      tab.SetWritePointer(tab.MemoryStart());
      break;
    case Answer::No:
      break;
    default:
      return false;
  }
  // Nothing can be appended to a full memory: erase it or stop. When the memory start is
  // not below its end the question returns after every OK.
  while (tab.WritePointer() >= tab.MemoryEnd()) {
    if (ui.Ask(Question::MemoryFull) != Answer::Ok) return false;
    tab.SetWritePointer(tab.MemoryStart());
  }
  // The new recording waits for its trigger; the signalling bits all set or all clear.
  tab.SetStatusCode(kStatusWaitingForTrigger);
  uint8_t flags = tab.Flags() & kFlagsKept;
  if (choice.signal) flags |= kFlagSignalling;
  // The three lists; an index beyond its table keeps the logger's own.
  tab.SetIntervalIndex(ChosenIndex(IntervalTexts, choice.intervalIndex, tab.IntervalIndex()));
  tab.SetStartDelayIndex(
      ChosenIndex(StartDelayTexts, choice.startDelayIndex, tab.StartDelayIndex()));
  tab.SetDurationIndex(ChosenIndex(DurationTexts, choice.durationIndex, tab.DurationIndex()));
  // Another channel mode makes the old samples unreadable: the memory is erased.
  const uint8_t mode = choice.channelsIndex == 1 ? kFlagTwoChannels : 0;
  if (mode != (flags & kFlagTwoChannels)) {
    flags = static_cast<uint8_t>((flags & ~kFlagTwoChannels) | mode);
    if (ui.Ask(Question::ModeChange) != Answer::Ok) return false;
    tab.SetWritePointer(tab.MemoryStart());
  }
  tab.SetFlags(flags);
  // The identifier, then the check byte over the finished table.
  StoreIdentifier(tab, choice.identifier);
  SealInfoTab(tab);
  return true;
}

ConfigurationResult PrepareConfiguration(LoggerSession& session, UserInterface& ui,
                                         INFO_TAB& table) {
  // The logger must be ready before anything is asked.
  if (!Ping(session.port)) {
    ui.ShowMessage(msg::kNoAnswer.c_str(), MessageIcon::Exclamation);
    TearDown(session, ui);
    return ConfigurationResult::NotReady;
  }
  // The questions and edits on a working copy: a cancelled question leaves the program's copy as
  // it was, so a later save asks the same questions again.
  table = session.info.tab;
  if (!EditConfiguration(table, ui.ReadConfigurationChoice(), ui)) {
    return ConfigurationResult::Cancelled;
  }
  return ConfigurationResult::ReadyToSend;
}

ConfigurationResult WriteConfiguration(LoggerSession& session, UserInterface& ui) {
  LoggerPort& port = session.port;
  // The ready check, the questions and the edits, on a copy of the program's table.
  INFO_TAB table;
  const ConfigurationResult prepared = PrepareConfiguration(session, ui, table);
  if (prepared != ConfigurationResult::ReadyToSend) return prepared;
  // The command and the table, with nothing in between. A port that cannot write them (an
  // adapter pulled out) is a port failure like any other: the logger stored nothing whole,
  // and the program's table stays the one it read.
  if (!SendCommand(port, CMD_WRITE_INFO) || !port.WriteBytes(table.bytes, sizeof table.bytes)) {
    ui.ShowMessage(msg::kPortError.c_str(), MessageIcon::Stop);
    TearDown(session, ui);
    return ConfigurationResult::PortFailure;
  }
  session.info.tab = table;
  // Whatever the answer, the link ends: the new state is seen on the next connect.
  port.Pause(kAfterWriteMs);
  const bool ready = Ping(port);
  if (ready) {
    ui.ShowMessage(msg::kConfigurationSaved.c_str(), MessageIcon::Information);
  } else {
    ui.ShowMessage(msg::kNoAnswer.c_str(), MessageIcon::Exclamation);
  }
  TearDown(session, ui);
  return ready ? ConfigurationResult::Saved : ConfigurationResult::NoAnswerAfterSave;
}

}  // namespace zv
