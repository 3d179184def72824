// Named blocks of script lines, so a scenario can be written as a table of rows:
//
//   define row knob outcome
//     faults "$knob"
//     download-$outcome          (a command's name may itself come from a parameter)
//   end
//   row bad-check=2 fails
//
// An invocation runs the body with every $PARAM in a word replaced by its argument; bodies may
// invoke other blocks, up to a depth of eight.
#pragma once

#include <string>
#include <vector>

#include "script.h"

namespace zvd {

// Takes the definitions out of `lines` and expands every invocation in place; false with
// `error` on an unterminated or malformed definition, a wrong argument count or a recursion.
bool ExpandMacros(std::vector<ScriptLine>& lines, std::wstring& error);

}  // namespace zvd
