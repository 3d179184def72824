// A configuration write as the emulated logger takes it: stored only whole, in time and with a
// right check byte; a write cut short gives the link back; a write pointer at the memory start
// erases the memory.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "emulator/logger_model.h"
#include "emulator/simulated_port.h"
#include "link/download.h"
#include "link/frames.h"

namespace zv::emu {
namespace {

struct NoSteps final : StepAction {
  void Step() override {}
};

bool SameTable(const INFO_TAB& a, const INFO_TAB& b) {
  return std::memcmp(a.bytes, b.bytes, kInfoTabSize) == 0;
}

struct WriteCase {
  const char* name;
  std::size_t sent;      // table bytes right after the frame
  unsigned pauseMs;      // then a pause
  std::size_t thenSent;  // then more table bytes
  bool badCheck;
  bool ping;  // a ping 50 ms later (else the stop frame comes next)
  bool ready;
  bool stored;
};

const WriteCase kWriteCases[] = {
    {"whole table", 26, 0, 0, false, true, true, true},
    {"wrong check byte", 26, 0, 0, true, true, false, false},
    {"last byte 240 ms after the one before", 25, 240, 1, false, true, true, true},
    {"five bytes, then 300 ms of silence", 5, 300, 0, false, true, true, false},
    {"five bytes, then the stop frame 3 s later", 5, 3000, 0, false, false, false, false},
    {"no byte for 2.7 s", 0, 2700, 0, false, true, true, false},
};

TEST(EmulatorWriteTest, TableIsStoredOnlyWholeInTimeAndChecked) {
  for (const WriteCase& c : kWriteCases) {
    SCOPED_TRACE(c.name);
    LoggerModel model{LoggerSetup{}};
    const INFO_TAB original = model.Table();
    std::size_t sinkCalls = 0;
    model.SetTableSink([&](const INFO_TAB& stored) {
      ++sinkCalls;
      EXPECT_TRUE(SameTable(stored, model.Table()));
    });
    SimulatedPort port(model);
    ASSERT_TRUE(port.OpenPort("COM1"));
    ASSERT_EQ(RunGreeting(port), GreetingOutcome::Accepted);

    INFO_TAB written = original;
    written.SetIntervalIndex(9);
    SealInfoTab(written);
    if (c.badCheck) written.SetSpare(static_cast<uint8_t>(written.Spare() + 1));  // after the seal
    SendCommand(port, CMD_WRITE_INFO);
    port.WriteBytes(written.bytes, c.sent);
    port.Pause(c.pauseMs);
    port.WriteBytes(written.bytes + c.sent, c.thenSent);
    if (c.ping) {
      port.Pause(50);
      EXPECT_EQ(Ping(port), c.ready);
    }
    SendStop(port);
    EXPECT_EQ(model.StopCount(), 1u);
    EXPECT_FALSE(model.Linked());
    EXPECT_TRUE(SameTable(model.Table(), c.stored ? written : original));
    EXPECT_EQ(model.TableWrites(), c.stored ? 1u : 0u);
    EXPECT_EQ(sinkCalls, model.TableWrites());
  }
}

TEST(EmulatorWriteTest, PointerAtTheMemoryStartErasesTheMemory) {
  auto buffer = std::make_unique<SampleBuffer>();
  for (const bool erase : {false, true}) {
    SCOPED_TRACE(erase ? "pointer at the memory start" : "pointer kept");
    LoggerSetup setup;
    setup.paced = false;
    LoggerModel model(setup);
    const std::size_t recorded = model.Memory().size();
    ASSERT_GT(recorded, 0u);
    SimulatedPort port(model);
    ASSERT_TRUE(port.OpenPort("COM1"));
    ASSERT_EQ(RunGreeting(port), GreetingOutcome::Accepted);
    INFO_TAB written = model.Table();
    written.SetStatusCode(1);
    if (erase) written.SetWritePointer(written.MemoryStart());
    SealInfoTab(written);
    SendCommand(port, CMD_WRITE_INFO);
    port.WriteBytes(written.bytes, kInfoTabSize);
    port.Pause(50);
    ASSERT_TRUE(Ping(port));

    NoSteps steps;
    buffer->n = 0;
    ASSERT_TRUE(ReadMemoryStream(port, *buffer, steps));
    EXPECT_EQ(buffer->n, erase ? 0u : recorded);
    SendStop(port);

    // Connecting again: the table as written, check byte and all.
    ASSERT_EQ(RunGreeting(port), GreetingOutcome::Accepted);
    SendCommand(port, CMD_READ_INFO);
    INFO_TAB read;
    ASSERT_EQ(port.ReadBytes(read.bytes, kInfoTabSize).count, kInfoTabSize);
    EXPECT_TRUE(SameTable(read, written));
    EXPECT_EQ(model.TableWrites(), 1u);
  }
}

}  // namespace
}  // namespace zv::emu
