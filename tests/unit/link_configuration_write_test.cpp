#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "emulator/logger_model.h"
#include "emulator/simulated_port.h"
#include "link/configuration_write.h"
#include "link/messages.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/stream_port.h"

namespace zv {
namespace {

using emu::LoggerModel;
using emu::LoggerSetup;
using emu::SimulatedPort;
using Bytes = std::vector<uint8_t>;

const Bytes kPing = {0xA1, 0x01, 0x04, 0x5A};
const Bytes kWriteInfo = {0xA1, 0x03, 0x0C, 0x50};
const Bytes kStop = {0x00, 0x00, 0x00, 0x00};

enum class Q { Erase, Full, Mode };
struct Reply {
  Q question;
  Answer answer;
};
enum class End { Saved, Cancelled, NotReady, NoAnswerAfterSave };

// The logger as set up (memory start 0x20, identifier "KVAR2-0001" and NULs, indices 0/5/0),
// the user's choice (start delay 3, interval 8, duration 2 unless said), the answers in the
// order the questions must come, and what the logger then holds.
struct WriteCase {
  const char* name;
  uint16_t writePointer = 0x0120;
  uint16_t memoryEnd = 0x7FFE;
  uint8_t flags = 0x00;
  uint8_t reportedInterval = 5;
  const char* fault = nullptr;
  int chosenInterval = 8;
  int channels = 0;
  bool signal = false;
  std::string identifier = "KVAR2-0001";  // the screen's field, at most its 14 bytes taken
  std::vector<Reply> replies;
  End end = End::Saved;
  uint16_t sentPointer = 0x0120;
  uint8_t sentFlags = 0x00;
  uint8_t sentInterval = 8;
  std::string sentId = std::string("KVAR2-0001\0\0\0\0", 14);
};

void ExpectQuestion(test::ScriptedUi& ui, const Reply& r) {
  constexpr Question kAsked[] = {Question::EraseSamples, Question::MemoryFull,
                                 Question::ModeChange};
  ui.ExpectQuestion(kAsked[static_cast<int>(r.question)], r.answer);
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

const std::vector<WriteCase>& Cases() {
  using A = Answer;
  static const std::vector<WriteCase> cases = {
      {.name = "Cancel at the erase question",
       .replies = {{Q::Erase, A::Cancel}},
       .end = End::Cancelled},
      {.name = "Cancel at the full memory after No",
       .writePointer = 0x7FFE,
       .replies = {{Q::Erase, A::No}, {Q::Full, A::Cancel}},
       .end = End::Cancelled},
      {.name = "Cancel at the mode question after Yes",
       .channels = 1,
       .replies = {{Q::Erase, A::Yes}, {Q::Mode, A::Cancel}},
       .end = End::Cancelled},
      {.name = "start not below the end: the question returns after every OK",
       .memoryEnd = 0x0020,
       .replies = {{Q::Erase, A::Yes}, {Q::Full, A::Ok}, {Q::Full, A::Ok}, {Q::Full, A::Cancel}},
       .end = End::Cancelled},
      {.name = "No below the end: pointer kept, no other question", .replies = {{Q::Erase, A::No}}},
      {.name = "Yes: pointer to the memory start",
       .replies = {{Q::Erase, A::Yes}},
       .sentPointer = 0x20},
      {.name = "No at a full memory, then OK",
       .writePointer = 0x7FFE,
       .replies = {{Q::Erase, A::No}, {Q::Full, A::Ok}},
       .sentPointer = 0x20},
      {.name = "pointer 0x8000 over end 0x7FFE compares unsigned",
       .writePointer = 0x8000,
       .replies = {{Q::Erase, A::No}, {Q::Full, A::Ok}},
       .sentPointer = 0x20},
      {.name = "mode change after No resets the pointer",
       .channels = 1,
       .replies = {{Q::Erase, A::No}, {Q::Mode, A::Ok}},
       .sentPointer = 0x20,
       .sentFlags = 0x02},
      {.name = "flags 0x31 ticked: 0xF1",
       .flags = 0x31,
       .signal = true,
       .replies = {{Q::Erase, A::No}},
       .sentFlags = 0xF1},
      {.name = "flags 0xFF unticked, two channels kept: 0x0F",
       .flags = 0xFF,
       .channels = 1,
       .replies = {{Q::Erase, A::No}},
       .sentFlags = 0x0F},
      {.name = "interval list without a selection sends the reported index",
       .reportedInterval = 40,
       .chosenInterval = -1,
       .replies = {{Q::Erase, A::No}},
       .sentInterval = 40},
      {.name = "3 characters over 10",
       .identifier = "abc",
       .replies = {{Q::Erase, A::No}},
       .sentId = std::string("abc\0"
                             "2-0001\0\0\0\0",
                             14)},
      {.name = "20 characters: 13 and a NUL",
       .identifier = "ABCDEFGHIJKLMNOPQRST",
       .replies = {{Q::Erase, A::No}},
       .sentId = std::string("ABCDEFGHIJKLM\0", 14)},
      {.name = "empty identifier",
       .identifier = "",
       .replies = {{Q::Erase, A::No}},
       .sentId = std::string("\0VAR2-0001\0\0\0\0", 14)},
      {.name = "no answer after the write",
       .fault = "silent-after-write",
       .replies = {{Q::Erase, A::No}},
       .end = End::NoAnswerAfterSave},
      {.name = "first ping unanswered",
       .fault = "silent-ping",
       .replies = {},
       .end = End::NotReady},
  };
  return cases;
}

ConfigurationChoice ChoiceFor(const WriteCase& c) {
  ConfigurationChoice choice;
  choice.startDelayIndex = 3;
  choice.intervalIndex = c.chosenInterval;
  choice.durationIndex = 2;
  choice.channelsIndex = c.channels;
  choice.signal = c.signal;
  std::memcpy(choice.identifier, c.identifier.data(),
              std::min(c.identifier.size(), sizeof choice.identifier));
  return choice;
}

void CheckSent(const WriteCase& c, LoggerModel& model, const INFO_TAB& before,
               const LoggerSession& session) {
  ASSERT_EQ(model.TableWrites(), 1u);
  const INFO_TAB& sent = model.Table();
  EXPECT_TRUE(VerifyInfoTab(sent.bytes));
  EXPECT_EQ(sent.WritePointer(), c.sentPointer);
  EXPECT_EQ(sent.Flags(), c.sentFlags);
  EXPECT_EQ(sent.StatusCode(), 1);
  EXPECT_EQ(sent.IntervalIndex(), c.sentInterval);
  EXPECT_EQ(sent.StartDelayIndex(), 3);
  EXPECT_EQ(sent.DurationIndex(), 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(sent.LoggerId()), kLoggerIdSize), c.sentId);
  EXPECT_EQ(0, std::memcmp(sent.bytes + INFO_TAB::kSpareAt, before.bytes + INFO_TAB::kSpareAt, 3));
  EXPECT_EQ(sent.MemoryStart(), before.MemoryStart());
  EXPECT_EQ(0, std::memcmp(session.info.tab.bytes, sent.bytes, kInfoTabSize));
}

TEST(WriteConfiguration, QuestionTreeWireAndEnd) {
  for (const WriteCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    LoggerSetup setup;
    setup.writePointer = c.writePointer;
    setup.memoryEnd = c.memoryEnd;
    setup.flags = c.flags;
    setup.intervalIndex = c.reportedInterval;
    setup.spare = 0x5C;
    setup.memoryBytes = 64;
    if (c.fault) {
      ASSERT_TRUE(emu::ApplyFault(setup.faults, c.fault));
    }
    LoggerModel model(setup);
    SimulatedPort port(model);
    LoggerSession session(port);
    test::ScriptedUi ui;
    ASSERT_EQ(ConnectTo(session, ui, "COM1"), ConnectResult::Connected);
    const INFO_TAB before = session.info.tab;
    const std::size_t connectBytes = model.GetTranscript().HostBytes().size();

    ui.choice = ChoiceFor(c);
    for (const Reply& r : c.replies) ExpectQuestion(ui, r);
    if (c.end == End::Saved) {
      ui.Expect(msg::kConfigurationSaved.c_str(), MessageIcon::Information);
    } else if (c.end != End::Cancelled) {
      ui.Expect(msg::kNoAnswer.c_str(), MessageIcon::Exclamation);
    }
    const ConfigurationResult result = WriteConfiguration(session, ui);

    const Bytes all = model.GetTranscript().HostBytes();
    const Bytes wire(all.begin() + static_cast<std::ptrdiff_t>(connectBytes), all.end());
    if (c.end == End::Cancelled || c.end == End::NotReady) {
      EXPECT_EQ(model.TableWrites(), 0u);
      EXPECT_EQ(0, std::memcmp(session.info.tab.bytes, before.bytes, kInfoTabSize));
      const bool cancelled = c.end == End::Cancelled;
      EXPECT_EQ(result, cancelled ? ConfigurationResult::Cancelled : ConfigurationResult::NotReady);
      EXPECT_EQ(wire, cancelled ? kPing : Concat({kPing, kStop}));
      EXPECT_EQ(session.connected, cancelled);
      EXPECT_EQ(port.IsOpen(), cancelled);
      EXPECT_EQ(ui.state,
                cancelled ? test::ScreenState::Connected : test::ScreenState::Disconnected);
      continue;
    }
    EXPECT_EQ(result, c.end == End::Saved ? ConfigurationResult::Saved
                                          : ConfigurationResult::NoAnswerAfterSave);
    CheckSent(c, model, before, session);
    const Bytes table(model.Table().bytes, model.Table().bytes + kInfoTabSize);
    EXPECT_EQ(wire, Concat({kPing, kWriteInfo, table, kPing, kStop}));
    // 50 ms between the table's last byte and the closing ping.
    const std::size_t lastTableByte = connectBytes + 4 + 4 + kInfoTabSize - 1;
    EXPECT_GE(*model.GetTranscript().HostGap(lastTableByte, lastTableByte + 1), 50'000);
    EXPECT_FALSE(session.connected);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(ui.state, test::ScreenState::Disconnected);
    EXPECT_EQ(session.info.channelMode, (c.flags & 0x02) ? 2 : 1);  // until the next connect
  }
}

// A cancelled mode change must not stay in the copy: the next save asks it again and erases.
TEST(WriteConfiguration, CancelledModeChangeIsAskedAgain) {
  LoggerSetup setup;
  LoggerModel model(setup);
  SimulatedPort port(model);
  LoggerSession session(port);
  test::ScriptedUi ui;
  ASSERT_EQ(ConnectTo(session, ui, "COM1"), ConnectResult::Connected);
  ui.choice.channelsIndex = 1;
  for (Answer modeAnswer : {Answer::Cancel, Answer::Ok}) {
    ui.ExpectQuestion(Question::EraseSamples, Answer::No);
    ui.ExpectQuestion(Question::ModeChange, modeAnswer);
    if (modeAnswer == Answer::Ok) {
      ui.Expect(msg::kConfigurationSaved.c_str(), MessageIcon::Information);
    }
    WriteConfiguration(session, ui);
  }
  EXPECT_EQ(model.Table().Flags() & kFlagTwoChannels, kFlagTwoChannels);
  EXPECT_EQ(model.Table().WritePointer(), setup.memoryStart);
}

// An adapter pulled out while the command or the table goes out: the port's failure, the
// link ended, nothing stored, and the program's table still the one it read.
TEST(WriteConfiguration, APortThatCannotSendIsAPortFailureAndKeepsTheTable) {
  for (const std::size_t failing : {1u, 2u}) {  // after the ping: the command, then the table
    SCOPED_TRACE(failing);
    LoggerModel model(LoggerSetup{});
    SimulatedPort port(model);
    LoggerSession session(port);
    test::ScriptedUi ui;
    ASSERT_EQ(ConnectTo(session, ui, "COM1"), ConnectResult::Connected);
    const INFO_TAB before = session.info.tab;
    port.FailWritesFrom(port.WriteCalls() + failing);
    ui.choice.intervalIndex = 8;
    ui.ExpectQuestion(Question::EraseSamples, Answer::No);
    ui.Expect(msg::kPortError.c_str(), MessageIcon::Stop);
    EXPECT_EQ(WriteConfiguration(session, ui), ConfigurationResult::PortFailure);
    EXPECT_EQ(model.TableWrites(), 0u);
    EXPECT_EQ(0, std::memcmp(session.info.tab.bytes, before.bytes, kInfoTabSize));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(ui.state, test::ScreenState::Disconnected);
  }
}

// Answers Yes, then OK, without recording anything.
class NonAllocatingUi final : public UserInterface {
 public:
  void ShowMessage(const char*, MessageIcon) override { ++messages; }
  Answer Ask(Question question) override {
    ++messages;
    return question == Question::EraseSamples ? Answer::Yes : Answer::Ok;
  }
  DownloadOutcome RunDownloadWindow(uint16_t, Transfer&) override {
    return DownloadOutcome::NotStarted;
  }
  ConfigurationChoice ReadConfigurationChoice() override { return choice; }
  ConfigurationChoice choice;
  int messages = 0;
};

TEST(WriteConfiguration, AllocatesNothing) {
  LoggerModel model(LoggerSetup{});
  SimulatedPort port(model);
  LoggerSession session(port);
  NonAllocatingUi ui;
  ui.choice.channelsIndex = 1;  // every question: erase, mode, result
  ASSERT_EQ(ConnectTo(session, ui, "COM1"), ConnectResult::Connected);
  long allocations = -1;
  {
    test::AllocationCounter counter;
    EXPECT_EQ(WriteConfiguration(session, ui), ConfigurationResult::Saved);
    allocations = counter.count();
  }
  EXPECT_EQ(allocations, 0);
  EXPECT_EQ(ui.messages, 3);
}

}  // namespace
}  // namespace zv
