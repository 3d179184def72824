// The faults the emulated logger can be told to show, one knob per fault. Tests and the
// front end's `--fault NAME[=K]` option name them through the one table below.
#pragma once

#include <cstddef>
#include <string_view>

namespace zv::emu {

struct FaultSet {
  bool silentGreeting = false;  // no reply to the greeting
  bool shortGreeting = false;   // three bytes of the reply, then silence
  bool wrongGreeting = false;   // six other bytes
  bool silentInfo = false;      // no answer to CMD_READ_INFO
  bool shortInfo = false;       // 25 bytes of the table
  bool corruptInfo = false;     // one byte changed after the check byte was computed
  bool notReady = false;        // pings answered with '!'
  bool silentPing = false;      // pings not answered at all
  int badCheckBlock = -1;       // this block (0-based) carries a wrong check byte
  int stallBlock = -1;          // the stream stops inside this block, after 10 bytes
  // The cable is pulled inside this block, after 10 bytes; the front end plugs it back in
  // 2 s later with the logger asleep. Without a terminal (the simulated port) it is a stall.
  int unplugBlock = -1;
  bool noEndMarker = false;        // endless good blocks, never a marker
  bool splitMarker = false;        // memory trimmed so the marker begins at data byte 31
  bool silentClosingPing = false;  // no answer to the ping after the acknowledgement
  bool silentAfterWrite = false;   // no answer to the ping after a table write
};

struct FaultKnob {
  const char* name;
  bool FaultSet::*flag;  // set by "NAME"; null for the knobs that take a block
  int FaultSet::*block;  // set by "NAME=K"; null for the plain knobs
  const char* help;      // what the host sees, for the front end's --help
};

inline constexpr FaultKnob kFaultKnobs[] = {
    {"silent-greeting", &FaultSet::silentGreeting, nullptr, "no reply to the greeting"},
    {"short-greeting", &FaultSet::shortGreeting, nullptr,
     "three bytes of the greeting reply, then silence"},
    {"wrong-greeting", &FaultSet::wrongGreeting, nullptr,
     "six wrong bytes in reply to the greeting"},
    {"silent-info", &FaultSet::silentInfo, nullptr, "no answer to the table read"},
    {"short-info", &FaultSet::shortInfo, nullptr, "25 bytes of the table"},
    {"corrupt-info", &FaultSet::corruptInfo, nullptr, "a table whose check byte does not match"},
    {"not-ready", &FaultSet::notReady, nullptr, "pings answered with '!'"},
    {"silent-ping", &FaultSet::silentPing, nullptr, "pings not answered"},
    {"bad-check", nullptr, &FaultSet::badCheckBlock,
     "memory block K (from 0) carries a wrong check byte"},
    {"stall", nullptr, &FaultSet::stallBlock, "the memory stream stops after 10 bytes of block K"},
    {"unplug", nullptr, &FaultSet::unplugBlock,
     "the cable is pulled after 10 bytes of block K, plugged back in 2 s later (once)"},
    {"no-end-marker", &FaultSet::noEndMarker, nullptr,
     "endless memory blocks, never the end marker"},
    {"split-marker", &FaultSet::splitMarker, nullptr,
     "the marker's first byte ends a block's data, its second is the check byte"},
    {"silent-closing-ping", &FaultSet::silentClosingPing, nullptr,
     "no answer to the ping after the download"},
    {"silent-after-write", &FaultSet::silentAfterWrite, nullptr,
     "no answer to the ping after a table write"},
};

// Turns on the fault named by "NAME" or "NAME=K". False, leaving the set as it was, for an
// unknown name, a K given to a plain knob, or a missing or malformed K (0 to 65535).
bool ApplyFault(FaultSet& faults, std::string_view text);

}  // namespace zv::emu
