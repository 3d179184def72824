// The faults the emulated logger can be told to show, one knob per fault. Tests and the
// front end's `--fault NAME[=K]` option name them through the one table below.
#pragma once

#include <cstddef>
#include <string_view>

namespace zv::emu {

struct FaultSet {
  bool silentGreeting = false;     // no reply to the greeting
  bool shortGreeting = false;      // three bytes of the reply, then silence
  bool wrongGreeting = false;      // six other bytes
  bool silentInfo = false;         // no answer to CMD_READ_INFO
  bool shortInfo = false;          // 25 bytes of the table
  bool corruptInfo = false;        // one byte changed after the check byte was computed
  bool notReady = false;           // pings answered with '!'
  bool silentPing = false;         // pings not answered at all
  int badCheckBlock = -1;          // this block (0-based) carries a wrong check byte
  int stallBlock = -1;             // the stream stops inside this block, after 10 bytes
  bool noEndMarker = false;        // endless good blocks, never a marker
  bool splitMarker = false;        // memory trimmed so the marker begins at data byte 31
  bool silentClosingPing = false;  // no answer to the ping after the acknowledgement
  bool silentAfterWrite = false;   // no answer to the ping after a table write
};

struct FaultKnob {
  const char* name;
  bool FaultSet::*flag;  // set by "NAME"; null for the knobs that take a block
  int FaultSet::*block;  // set by "NAME=K"; null for the plain knobs
};

inline constexpr FaultKnob kFaultKnobs[] = {
    {"silent-greeting", &FaultSet::silentGreeting, nullptr},
    {"short-greeting", &FaultSet::shortGreeting, nullptr},
    {"wrong-greeting", &FaultSet::wrongGreeting, nullptr},
    {"silent-info", &FaultSet::silentInfo, nullptr},
    {"short-info", &FaultSet::shortInfo, nullptr},
    {"corrupt-info", &FaultSet::corruptInfo, nullptr},
    {"not-ready", &FaultSet::notReady, nullptr},
    {"silent-ping", &FaultSet::silentPing, nullptr},
    {"bad-check", nullptr, &FaultSet::badCheckBlock},
    {"stall", nullptr, &FaultSet::stallBlock},
    {"no-end-marker", &FaultSet::noEndMarker, nullptr},
    {"split-marker", &FaultSet::splitMarker, nullptr},
    {"silent-closing-ping", &FaultSet::silentClosingPing, nullptr},
    {"silent-after-write", &FaultSet::silentAfterWrite, nullptr},
};

// Turns on the fault named by "NAME" or "NAME=K". False, leaving the set as it was, for an
// unknown name, a K given to a plain knob, or a missing or malformed K (0 to 65535).
bool ApplyFault(FaultSet& faults, std::string_view text);

}  // namespace zv::emu
