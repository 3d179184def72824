// PosixPort on a real pseudo-terminal against kvar2-emu: real time-outs, so the windows
// asserted are generous; the point is which rule ended a read, not its exact time.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <memory>

#include "base/info_tab.h"
#include "link/download.h"
#include "link/frames.h"
#include "link/serial_posix.h"
#include "tests/integration/emulator_process.h"

namespace zv {
namespace {

using Clock = std::chrono::steady_clock;
using test::EmulatorProcess;

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Opens and sets up a port on the emulator's link.
void Connect(PosixPort& port, const EmulatorProcess& emulator) {
  ASSERT_TRUE(emulator.Ready());
  ASSERT_TRUE(port.OpenPort(emulator.Link().c_str()));
  ASSERT_TRUE(port.SetUpPort());
}

TEST(PosixPortTest, ConfigureSucceedsOnAPseudoTerminal) {
  EmulatorProcess emulator;
  PosixPort port;
  Connect(port, emulator);
}

TEST(PosixPortTest, APortAnotherHoldsDoesNotOpen) {
  EmulatorProcess emulator;
  ASSERT_TRUE(emulator.Ready());
  PosixPort first;
  PosixPort second;
  ASSERT_TRUE(first.OpenPort(emulator.Link().c_str()));
  EXPECT_FALSE(second.OpenPort(emulator.Link().c_str()));
  first.ClosePort();
  EXPECT_TRUE(second.OpenPort(emulator.Link().c_str()));
  EXPECT_FALSE(PosixPort().OpenPort("/nonexistent/port"));
}

// A terminal used as the port (a real line, /dev/tty) is left as it was found.
TEST(PosixPortTest, CloseRestoresTheLineSettingsFoundAtOpen) {
  EmulatorProcess emulator;
  ASSERT_TRUE(emulator.Ready());
  // A second descriptor keeps the settings observable between the port's open and close.
  const int observer = open(emulator.Link().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(observer, 0);
  termios before{};
  ASSERT_EQ(tcgetattr(observer, &before), 0);
  before.c_lflag |= ICANON | ECHO | ISIG;
  cfsetispeed(&before, B19200);
  cfsetospeed(&before, B19200);
  ASSERT_EQ(tcsetattr(observer, TCSANOW, &before), 0);
  ASSERT_EQ(tcgetattr(observer, &before), 0);
  {
    PosixPort port;
    Connect(port, emulator);
    termios raw{};
    ASSERT_EQ(tcgetattr(observer, &raw), 0);
    EXPECT_EQ(cfgetospeed(&raw), B9600);
  }
  termios after{};
  ASSERT_EQ(tcgetattr(observer, &after), 0);
  close(observer);
  EXPECT_EQ(cfgetospeed(&after), B19200);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(after.c_iflag, before.c_iflag);
  EXPECT_EQ(after.c_oflag, before.c_oflag);
  EXPECT_EQ(after.c_cflag, before.c_cflag);
}

TEST(PosixPortTest, SilentReadEndsWithNothingAfterItsTotalTime) {
  EmulatorProcess emulator;
  PosixPort port;
  Connect(port, emulator);
  uint8_t reply[6];
  const Clock::time_point start = Clock::now();
  const ReadResult read = port.ReadBytes(reply, sizeof reply);
  const long long elapsed = MsSince(start);
  EXPECT_TRUE(read.ok);
  EXPECT_EQ(read.count, 0u);
  EXPECT_GE(elapsed, 550);
  EXPECT_LE(elapsed, 1500);
}

TEST(PosixPortTest, ThreeBytesThenSilenceEndAfterTheIntervalTime) {
  EmulatorProcess emulator({"--fault", "short-greeting"});
  PosixPort port;
  Connect(port, emulator);
  ASSERT_TRUE(port.WriteBytes(&WAKE, 1));
  ASSERT_TRUE(port.WriteBytes(GREETING, sizeof GREETING));
  uint8_t reply[6];
  const Clock::time_point start = Clock::now();
  const ReadResult read = port.ReadBytes(reply, sizeof reply);
  const long long elapsed = MsSince(start);
  EXPECT_TRUE(read.ok);
  ASSERT_EQ(read.count, 3u);
  EXPECT_EQ(0, std::memcmp(reply, "TWD", 3));
  EXPECT_GE(elapsed, 250);  // the third byte came after the read began
  EXPECT_LT(elapsed, 590);  // the 600 ms total did not end it
}

// A block that stops after 10 bytes ends 250 ms after its last byte, however the read sleeps
// while the block is on the line.
TEST(PosixPortTest, ABlockThatStallsEndsAfterTheIntervalTime) {
  EmulatorProcess emulator({"--fault", "stall=0"});
  PosixPort port;
  Connect(port, emulator);
  ASSERT_EQ(RunGreeting(port), GreetingOutcome::Accepted);
  ASSERT_TRUE(Ping(port));
  SendCommand(port, CMD_READ_MEMORY);
  uint8_t block[kDataBlockSize];
  const Clock::time_point start = Clock::now();
  const ReadResult read = port.ReadBytes(block, sizeof block);
  const long long elapsed = MsSince(start);
  EXPECT_TRUE(read.ok);
  EXPECT_EQ(read.count, 10u);
  EXPECT_GE(elapsed, 250 + 9);         // ten bytes at the line rate, then the silence
  EXPECT_LT(elapsed, 250 + 11 + 120);  // noticed within a nap, not the 3.3 s total
}

struct CountSteps final : StepAction {
  void Step() override { ++steps; }
  int steps = 0;
};

TEST(PosixPortTest, GreetingTableAndDownloadOverTheLine) {
  EmulatorProcess emulator({"--channels", "2", "--id", "Łódź-7"});
  PosixPort port;
  Connect(port, emulator);
  ASSERT_EQ(RunGreeting(port), GreetingOutcome::Accepted);

  SendCommand(port, CMD_READ_INFO);
  INFO_TAB tab;
  ASSERT_EQ(port.ReadBytes(tab.bytes, kInfoTabSize).count, kInfoTabSize);
  EXPECT_TRUE(VerifyInfoTab(tab.bytes));
  EXPECT_EQ(0, std::memcmp(tab.bytes, "\xA3\xF3\x64\x9F-7", 7));  // Windows-1250, NUL included
  EXPECT_EQ(tab.Flags(), kFlagTwoChannels);
  EXPECT_EQ(tab.WritePointer(), 0x0120);

  auto buffer = std::make_unique<SampleBuffer>();
  CountSteps steps;
  ASSERT_TRUE(ReadMemoryStream(port, *buffer, steps));
  const std::vector<uint8_t> memory = emulator.DumpedMemory();
  ASSERT_EQ(buffer->n, memory.size());
  EXPECT_EQ(0, std::memcmp(buffer->bytes, memory.data(), memory.size()));
  EXPECT_EQ(steps.steps, 9);
  SendStop(port);
  port.ClosePort();

  // The wake byte and the greeting lay 900 ms apart; the link ended with the stop frame.
  std::vector<EmulatorProcess::Line> lines;
  for (int i = 0; i < 40 && (lines.empty() || lines.back().byte != 0x00); ++i) {
    usleep(25'000);
    lines = emulator.Transcript();
  }
  std::vector<EmulatorProcess::Line> host;
  for (const auto& line : lines) {
    if (line.fromHost) host.push_back(line);
  }
  ASSERT_GE(host.size(), 8u);
  EXPECT_EQ(host[0].byte, WAKE);
  EXPECT_EQ(host[1].byte, GREETING[0]);
  EXPECT_GE(host[1].at - host[0].at, 850'000);
  EXPECT_LE(host[1].at - host[0].at, 1'500'000);
  EXPECT_EQ(host.back().byte, 0x00);
}

}  // namespace
}  // namespace zv
