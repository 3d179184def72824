// The simulated port's reads keep the line's time-out rules on the virtual clock.
#include <gtest/gtest.h>

#include <cstring>

#include "emulator/logger_model.h"
#include "emulator/simulated_port.h"
#include "link/frames.h"

namespace zv::emu {
namespace {

struct ReadCase {
  const char* name;
  const char* fault;       // nullptr: a well-behaved logger
  unsigned pauseBeforeMs;  // time between the greeting and the read
  std::size_t requested;
  std::size_t expectedCount;
  Micros expectedElapsed;  // from the read's start to its end
};

constexpr Micros kFirstByte = 2000;  // the model's default latency

const ReadCase kReadCases[] = {
    {"all six bytes", nullptr, 0, 6, 6, kFirstByte + 5 * kByteMicros},
    {"fewer than arrive", nullptr, 0, 4, 4, kFirstByte + 3 * kByteMicros},
    {"already waiting", nullptr, 1000, 6, 6, 0},
    {"three then silence", "short-greeting", 0, 6, 3, kFirstByte + 2 * kByteMicros + 250'000},
    {"silence", "silent-greeting", 0, 6, 0, 600'000},
    {"silence, one byte", "silent-greeting", 0, 1, 0, 100'000},
};

TEST(EmulatorPortTest, ReadsEndByTheLineTimeOuts) {
  for (const ReadCase& c : kReadCases) {
    SCOPED_TRACE(c.name);
    LoggerSetup setup;
    if (c.fault != nullptr) {
      ASSERT_TRUE(ApplyFault(setup.faults, c.fault));
    }
    LoggerModel model(setup);
    SimulatedPort port(model);
    ASSERT_TRUE(port.OpenPort("COM1"));
    ASSERT_TRUE(port.WriteBytes(&WAKE, 1));
    ASSERT_TRUE(port.WriteBytes(GREETING, sizeof GREETING));
    port.Pause(c.pauseBeforeMs);

    uint8_t reply[8]{};
    const Micros begun = port.Now();
    const ReadResult read = port.ReadBytes(reply, c.requested);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.count, c.expectedCount);
    EXPECT_EQ(port.Now() - begun, c.expectedElapsed);
    EXPECT_EQ(0, std::memcmp(reply, GREETING_REPLY, read.count));
  }
}

TEST(EmulatorPortTest, StallInsideABlockEnds250MsAfterItsLastByte) {
  LoggerSetup setup;
  setup.paced = false;
  ASSERT_TRUE(ApplyFault(setup.faults, "stall=1"));
  LoggerModel model(setup);
  SimulatedPort port(model);
  ASSERT_TRUE(port.OpenPort("COM1"));
  port.WriteBytes(&WAKE, 1);
  port.WriteBytes(GREETING, sizeof GREETING);
  uint8_t block[33];
  ASSERT_EQ(port.ReadBytes(block, 6).count, 6u);
  SendCommand(port, CMD_READ_MEMORY);
  EXPECT_EQ(port.ReadBytes(block, 33).count, 33u);
  const Micros begun = port.Now();
  EXPECT_EQ(port.ReadBytes(block, 33).count, 10u);
  EXPECT_EQ(port.Now() - begun, 250'000);
}

TEST(EmulatorPortTest, HooksFailTheirCalls) {
  LoggerModel model{LoggerSetup{}};
  SimulatedPort port(model);
  port.FailOpen();
  EXPECT_FALSE(port.OpenPort("COM2"));
  EXPECT_STREQ(port.OpenedName(), "COM2");
  port.FailOpen(false);
  ASSERT_TRUE(port.OpenPort("COM2"));
  port.FailNextWrite();
  EXPECT_FALSE(port.WriteBytes(&WAKE, 1));
  EXPECT_TRUE(port.WriteBytes(&WAKE, 1));
  EXPECT_EQ(model.GetTranscript().HostBytes(), std::vector<uint8_t>{WAKE});
  port.FailNextRead();
  uint8_t byte = 0;
  const ReadResult read = port.ReadBytes(&byte, 1);
  EXPECT_FALSE(read.ok);
  EXPECT_EQ(read.count, 0u);
}

}  // namespace
}  // namespace zv::emu
