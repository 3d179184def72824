// Each fault knob of the emulated logger shows up where the link layer looks for it.
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

struct FaultCase {
  const char* fault;
  GreetingOutcome greeting;
  std::size_t infoBytes;
  bool infoValid;
  bool readyAfterWrite;
  bool downloaded;
};

const FaultCase kFaultCases[] = {
    {"", GreetingOutcome::Accepted, 26, true, true, true},
    {"silent-greeting", GreetingOutcome::NoAnswer, 26, true, true, true},
    {"short-greeting", GreetingOutcome::WrongAnswer, 26, true, true, true},
    {"wrong-greeting", GreetingOutcome::WrongAnswer, 26, true, true, true},
    {"silent-info", GreetingOutcome::Accepted, 0, false, true, true},
    {"short-info", GreetingOutcome::Accepted, 25, false, true, true},
    {"corrupt-info", GreetingOutcome::Accepted, 26, false, true, true},
    {"not-ready", GreetingOutcome::Accepted, 26, true, false, false},
    {"silent-ping", GreetingOutcome::Accepted, 26, true, false, false},
    {"silent-after-write", GreetingOutcome::Accepted, 26, true, false, true},
    {"silent-closing-ping", GreetingOutcome::Accepted, 26, true, true, false},
    {"bad-check=0", GreetingOutcome::Accepted, 26, true, true, false},
    {"stall=3", GreetingOutcome::Accepted, 26, true, true, false},
    {"unplug=3", GreetingOutcome::Accepted, 26, true, true, false},
    {"no-end-marker", GreetingOutcome::Accepted, 26, true, true, false},
    {"split-marker", GreetingOutcome::Accepted, 26, true, true, true},
};

TEST(EmulatorFaultsTest, EachFaultFailsItsOwnStep) {
  auto buffer = std::make_unique<SampleBuffer>();
  for (const FaultCase& c : kFaultCases) {
    SCOPED_TRACE(c.fault);
    LoggerSetup setup;
    setup.paced = false;
    if (*c.fault != '\0') {
      ASSERT_TRUE(ApplyFault(setup.faults, c.fault));
    }
    LoggerModel model(setup);
    SimulatedPort port(model);
    ASSERT_TRUE(port.OpenPort("COM1"));
    EXPECT_EQ(RunGreeting(port), c.greeting);

    SendCommand(port, CMD_READ_INFO);
    INFO_TAB tab;
    const ReadResult info = port.ReadBytes(tab.bytes, kInfoTabSize);
    EXPECT_EQ(info.count, c.infoBytes);
    EXPECT_EQ(info.count == kInfoTabSize && VerifyInfoTab(tab.bytes), c.infoValid);

    INFO_TAB written = BuildInfoTab(setup);
    written.SetIntervalIndex(7);
    SealInfoTab(written);
    SendCommand(port, CMD_WRITE_INFO);
    port.WriteBytes(written.bytes, kInfoTabSize);
    port.Pause(50);
    EXPECT_EQ(Ping(port), c.readyAfterWrite);
    EXPECT_EQ(0, std::memcmp(model.Table().bytes, written.bytes, kInfoTabSize));

    buffer->n = 0;
    NoSteps steps;
    EXPECT_EQ(ReadMemoryStream(port, *buffer, steps), c.downloaded);
    if (c.downloaded) {
      ASSERT_EQ(buffer->n, model.Memory().size());
      EXPECT_EQ(0, std::memcmp(buffer->bytes, model.Memory().data(), buffer->n));
    }
    SendStop(port);
    EXPECT_EQ(model.StopCount(), 1u);
    EXPECT_FALSE(model.Linked());
  }
}

}  // namespace
}  // namespace zv::emu
