// A file of fault knobs that a test rewrites while the logger runs: `kvar2-emu --fault-file`
// takes its knobs (names separated by blanks or lines, as for --fault) on top of those given at
// start, each time its text changes.
#pragma once

#include <string>

#include "emulator/faults.h"

namespace zv::emu {

class FaultFile {
 public:
  FaultFile(std::string path, const FaultSet& base) : path_(std::move(path)), base_(base) {}

  // Reads the file; true when its text differs from the last look, with `faults` the base
  // plus its knobs (an unknown knob is named in `unknown` and skipped). A missing file holds
  // no knobs.
  bool Changed(FaultSet& faults, std::string& unknown);

 private:
  std::string path_;
  FaultSet base_;
  std::string lastText_;
  bool looked_ = false;
};

}  // namespace zv::emu
