#include "emulator/logger_model.h"

#include <algorithm>
#include <cstring>

#include "base/wire.h"
#include "link/logger_port.h"

namespace zv::emu {

namespace {
constexpr uint8_t kFrameStart = kCommandFrameStart;
constexpr uint8_t kStopByte = kStopFrameStart;
constexpr uint8_t kNotReady = '!';
constexpr uint8_t kWrongReply[6] = {'K', 'V', 'R', '0', '0', '0'};
constexpr std::size_t kShortGreetingBytes = 3;
// A frame arrives in one write; a partial one older than this is line noise.
constexpr Micros kFrameGapMicros = 100'000;
// A written table is held to a host read's time-outs: all 26 bytes within 100 ms each of the
// frame, and no more than 250 ms between two of them.
constexpr Micros kTableWaitMicros = Micros{kReadPerByteTimeoutMs} * 1000 * kInfoTabSize;
constexpr Micros kTableGapMicros = Micros{kReadIntervalTimeoutMs} * 1000;
// The rest of the stop frame follows its 0x00 at once and is not a wake byte.
constexpr std::size_t kStopTailBytes = 3;

bool ValidFrame(const uint8_t (&frame)[4]) {
  return frame[0] == kFrameStart && static_cast<uint8_t>(frame[1] * 4) == frame[2] &&
         static_cast<uint8_t>(frame[0] + frame[1] + frame[2] + frame[3]) == 0;
}
}  // namespace

LoggerModel::LoggerModel(LoggerSetup setup)
    : setup_(std::move(setup)),
      memory_(BuildMemory(setup_)),
      stream_(memory_, setup_.faults),
      table_(BuildInfoTab(setup_)),
      transcript_(setup_.transcriptCapacity) {}

void LoggerModel::Record(const TranscriptEntry& entry) {
  transcript_.Record(entry);
  if (sink_) sink_(entry);
}

void LoggerModel::Receive(uint8_t byte, Micros at) {
  Record({at, true, byte});
  if (swallowAfterStop_ > 0) {
    --swallowAfterStop_;
    if (lastStopAt_ && at - *lastStopAt_ <= kFrameGapMicros) return;
    swallowAfterStop_ = 0;
  }
  switch (phase_) {
    case Phase::Asleep:
      if (byte == WAKE) {
        phase_ = Phase::Awake;
        greetingMatched_ = 0;
      }
      return;
    case Phase::Awake:
      if (byte == kStopByte) {
        Stop(at);
        return;
      }
      if (byte != GREETING[greetingMatched_]) {
        greetingMatched_ = byte == GREETING[0] ? 1 : 0;
        return;
      }
      if (++greetingMatched_ < sizeof GREETING) return;
      phase_ = Phase::Linked;
      frameLength_ = 0;
      pingContext_ = PingContext::Plain;
      if (setup_.faults.silentGreeting) return;
      if (setup_.faults.wrongGreeting) {
        Schedule(kWrongReply, sizeof kWrongReply, at);
      } else {
        Schedule(GREETING_REPLY,
                 setup_.faults.shortGreeting ? kShortGreetingBytes : sizeof GREETING_REPLY, at);
      }
      return;
    case Phase::ReceivingTable:
      ReceiveTableByte(byte, at);
      return;
    case Phase::Linked:
      HandleLinkedByte(byte, at);
      return;
  }
}

void LoggerModel::ReceiveTableByte(uint8_t byte, Micros at) {
  const bool late = at > tableFrameAt_ + kTableWaitMicros ||
                    (incomingLength_ > 0 && at > lastTableByteAt_ + kTableGapMicros);
  if (late) {
    // The host has given up on this write: the partial table goes, and the byte is read as
    // any byte of the link (a stop frame's 0x00 ends it).
    phase_ = Phase::Linked;
    frameLength_ = 0;
    HandleLinkedByte(byte, at);
    return;
  }
  incomingTable_[incomingLength_++] = byte;
  lastTableByteAt_ = at;
  if (incomingLength_ < kInfoTabSize) return;
  phase_ = Phase::Linked;
  StoreTable();
}

void LoggerModel::StoreTable() {
  if (!VerifyInfoTab(incomingTable_)) {
    pingContext_ = PingContext::AfterRejectedWrite;  // refused: the logger does not report ready
    return;
  }
  std::memcpy(table_.bytes, incomingTable_, kInfoTabSize);
  ++tableWrites_;
  pingContext_ = PingContext::AfterWrite;
  // The stream keeps its reference to memory_, which stays the same (now empty) vector.
  if (table_.WritePointer() == table_.MemoryStart()) memory_.clear();
  if (tableSink_) tableSink_(table_);
}

void LoggerModel::HandleLinkedByte(uint8_t byte, Micros at) {
  if (frameLength_ > 0 && at - frameStartedAt_ > kFrameGapMicros) frameLength_ = 0;
  if (frameLength_ == 0) {
    if (byte == kFrameStart) {
      frame_[frameLength_++] = byte;
      frameStartedAt_ = at;
    } else if (byte == kStopByte) {
      Stop(at);
    } else if (byte == READY) {
      pingContext_ = PingContext::AfterAcknowledge;
    } else if (byte == WAKE) {
      // A host that starts over without having stopped the link.
      ClearOutput();
      phase_ = Phase::Awake;
      greetingMatched_ = 0;
    }
    return;
  }
  frame_[frameLength_++] = byte;
  if (frameLength_ < sizeof frame_) return;
  if (ValidFrame(frame_)) {
    frameLength_ = 0;
    HandleCommand(frame_[1], at);
    return;
  }
  // Resynchronise on the next frame start inside what was collected.
  std::size_t next = 1;
  while (next < sizeof frame_ && frame_[next] != kFrameStart) ++next;
  std::memmove(frame_, frame_ + next, sizeof frame_ - next);
  frameLength_ = sizeof frame_ - next;
}

void LoggerModel::HandleCommand(uint8_t code, Micros at) {
  const FaultSet& faults = setup_.faults;
  switch (code) {
    case CMD_PING: {
      const PingContext context = pingContext_;
      pingContext_ = PingContext::Plain;
      ClearOutput();
      if (faults.silentPing) return;
      if (context == PingContext::AfterAcknowledge && faults.silentClosingPing) return;
      if (context == PingContext::AfterWrite && faults.silentAfterWrite) return;
      if (context == PingContext::AfterRejectedWrite) return;
      const uint8_t answer = faults.notReady ? kNotReady : READY;
      Schedule(&answer, 1, at);
      return;
    }
    case CMD_READ_INFO: {
      ClearOutput();
      if (faults.silentInfo) return;
      INFO_TAB reply = table_;  // stored only with a right check byte
      if (faults.corruptInfo) reply.bytes[3] ^= 0x01;
      Schedule(reply.bytes, faults.shortInfo ? kInfoTabSize - 1 : kInfoTabSize, at);
      return;
    }
    case CMD_WRITE_INFO:
      ClearOutput();
      phase_ = Phase::ReceivingTable;
      pingContext_ = PingContext::Plain;
      incomingLength_ = 0;
      tableFrameAt_ = at;
      return;
    case CMD_READ_MEMORY:
      ClearOutput();
      streaming_ = true;
      nextBlock_ = 0;
      nextBlockAt_ = at + setup_.latencyMicros;
      return;
    default:
      return;  // a well-formed frame of a command this logger does not know
  }
}

void LoggerModel::Stop(Micros at) {
  ClearOutput();
  phase_ = Phase::Asleep;
  frameLength_ = 0;
  pingContext_ = PingContext::Plain;
  swallowAfterStop_ = kStopTailBytes;
  lastStopAt_ = at;
  ++stopCount_;
}

void LoggerModel::LineDropped() {
  ClearOutput();
  phase_ = Phase::Asleep;
  frameLength_ = 0;
  incomingLength_ = 0;
  pingContext_ = PingContext::Plain;
  swallowAfterStop_ = 0;
}

void LoggerModel::PlugBackIn() {
  LineDropped();
  setup_.faults.unplugBlock = -1;  // the stream reads the faults through its reference
}

void LoggerModel::Schedule(const uint8_t* bytes, std::size_t n, Micros at) {
  std::memcpy(out_, bytes, std::min(n, sizeof out_));
  outLength_ = std::min(n, sizeof out_);
  outPosition_ = 0;
  outStart_ = at + setup_.latencyMicros;
}

void LoggerModel::ClearOutput() {
  outLength_ = 0;
  outPosition_ = 0;
  streaming_ = false;
  unplugAfterOutput_ = false;
}

void LoggerModel::RefillFromStream() {
  if (!streaming_) return;
  if (!stream_.Endless() && nextBlock_ >= stream_.BlockCount()) {
    streaming_ = false;  // nothing after the block with the marker
    return;
  }
  const std::size_t block = nextBlock_++;
  outLength_ = stream_.Block(block, out_);
  outPosition_ = 0;
  outStart_ = nextBlockAt_;
  if (setup_.paced) nextBlockAt_ += static_cast<Micros>(kBlockBytes) * kByteMicros;
  if (outLength_ < kBlockBytes) {
    streaming_ = false;  // stalled inside this block
    const int unplug = setup_.faults.unplugBlock;
    unplugAfterOutput_ = unplug >= 0 && block == static_cast<std::size_t>(unplug);
  }
}

Micros LoggerModel::ByteTime(std::size_t index) const {
  return outStart_ + (setup_.paced ? static_cast<Micros>(index) * kByteMicros : 0);
}

std::optional<Micros> LoggerModel::NextOutputTime() {
  if (outPosition_ == outLength_) RefillFromStream();
  if (outPosition_ == outLength_) return std::nullopt;
  return ByteTime(outPosition_);
}

bool LoggerModel::PopOutput(Micros now, uint8_t& byte) {
  const std::optional<Micros> due = NextOutputTime();
  if (!due || *due > now) return false;
  byte = out_[outPosition_++];
  Record({*due, false, byte});
  return true;
}

}  // namespace zv::emu
