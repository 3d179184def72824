// The logger's side of the line as a byte-level state machine on a time axis in microseconds.
// The host hands in each byte with its time; the model schedules its answers (after a small
// latency, paced at the line rate or all at once) and a consumer pulls each output byte once
// its time has come. Nothing is allocated per byte: output is one fixed block buffer, memory
// blocks are made one at a time, and the transcript's room is taken up front.
//
//   asleep --'X'--> awake --"LKMR482"--> linked (reply "TWD915")
//   linked: A1 01 04 5A ping -> '#'; A1 02 08 55 -> the table; A1 03 0C 50 + 26 bytes -> stored;
//           A1 04 10 4B -> memory blocks; '#' acknowledges a stream; 0x00 -> asleep.
// Bytes that fit nowhere are ignored; a frame whose check fails is dropped up to the next 0xA1.
// A written table must arrive as a host read would take it (26 bytes within 2.6 s of the frame,
// no gap over 250 ms): a later byte drops the partial table and counts as a byte of the link.
// A table whose check byte is wrong is not stored, and the next ping is not answered. A table
// whose write pointer is the memory start erases the memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "base/info_tab.h"
#include "emulator/logger_setup.h"
#include "emulator/memory_stream.h"
#include "emulator/transcript.h"

namespace zv::emu {

class LoggerModel {
 public:
  explicit LoggerModel(LoggerSetup setup);
  LoggerModel(const LoggerModel&) = delete;  // the stream refers to members
  LoggerModel& operator=(const LoggerModel&) = delete;

  // A byte from the host, arriving at `at`.
  void Receive(uint8_t byte, Micros at);
  // When the next output byte is due, or nothing while the logger has nothing to say.
  std::optional<Micros> NextOutputTime();
  // Takes the next output byte if it is due by `now`.
  bool PopOutput(Micros now, uint8_t& byte);

  // With the unplug fault: true once the stream has stopped inside the unplug block and its
  // last byte has gone out. The front end then pulls the cable.
  bool UnplugDue() const { return unplugAfterOutput_ && outPosition_ == outLength_; }
  // The cable is back in: the logger is asleep, and the unplug fault has had its one go.
  void PlugBackIn();
  // The host closed its port (its RTS fell): whatever the logger was doing ends, as on a stop
  // frame but without counting as one, and it is asleep.
  void LineDropped();

  // Called with every byte recorded, each way, as it happens (the front end's transcript file).
  void SetByteSink(std::function<void(const TranscriptEntry&)> sink) { sink_ = std::move(sink); }
  // Called with the table each time the host's write is stored.
  void SetTableSink(std::function<void(const INFO_TAB&)> sink) { tableSink_ = std::move(sink); }
  // Other faults from now on, for a test that breaks the logger in the middle of a session.
  // The memory was laid out at start, so split-marker changes nothing here.
  void SetFaults(const FaultSet& faults) { setup_.faults = faults; }

  const LoggerSetup& Setup() const { return setup_; }
  // The memory the stream carries, after any padding of its last block; empty once erased.
  const std::vector<uint8_t>& Memory() const { return memory_; }
  // The table as set up, or as the host last stored it (exactly the 26 bytes received).
  const INFO_TAB& Table() const { return table_; }
  const Transcript& GetTranscript() const { return transcript_; }
  Transcript& GetTranscript() { return transcript_; }

  bool Linked() const { return phase_ == Phase::Linked || phase_ == Phase::ReceivingTable; }
  std::size_t StopCount() const { return stopCount_; }
  std::optional<Micros> LastStopAt() const { return lastStopAt_; }
  std::size_t TableWrites() const { return tableWrites_; }
  std::size_t BlocksStarted() const { return nextBlock_; }

 private:
  enum class Phase { Asleep, Awake, Linked, ReceivingTable };
  enum class PingContext { Plain, AfterAcknowledge, AfterWrite, AfterRejectedWrite };

  void Record(const TranscriptEntry& entry);
  void ReceiveTableByte(uint8_t byte, Micros at);
  void StoreTable();
  void HandleLinkedByte(uint8_t byte, Micros at);
  void HandleCommand(uint8_t code, Micros at);
  void Stop(Micros at);
  void Schedule(const uint8_t* bytes, std::size_t n, Micros at);
  void ClearOutput();
  void RefillFromStream();
  Micros ByteTime(std::size_t index) const;

  LoggerSetup setup_;
  std::vector<uint8_t> memory_;
  MemoryStream stream_;
  INFO_TAB table_;
  Transcript transcript_;
  std::function<void(const TranscriptEntry&)> sink_;
  std::function<void(const INFO_TAB&)> tableSink_;

  Phase phase_ = Phase::Asleep;
  std::size_t greetingMatched_ = 0;
  uint8_t frame_[4]{};
  std::size_t frameLength_ = 0;
  Micros frameStartedAt_ = 0;
  uint8_t incomingTable_[kInfoTabSize]{};
  std::size_t incomingLength_ = 0;
  Micros tableFrameAt_ = 0;  // when the write command's frame ended
  Micros lastTableByteAt_ = 0;
  PingContext pingContext_ = PingContext::Plain;
  std::size_t swallowAfterStop_ = 0;

  uint8_t out_[kBlockBytes]{};
  std::size_t outLength_ = 0;
  std::size_t outPosition_ = 0;
  Micros outStart_ = 0;
  bool streaming_ = false;
  std::size_t nextBlock_ = 0;
  bool unplugAfterOutput_ = false;
  Micros nextBlockAt_ = 0;

  std::size_t stopCount_ = 0;
  std::optional<Micros> lastStopAt_;
  std::size_t tableWrites_ = 0;
};

}  // namespace zv::emu
