// The logger's identifier as a person gives it, in UTF-8: the same rule for the command line's
// `config --id` and the emulator's `--id`, so that neither keeps less than it was given.
#pragma once

#include <string>
#include <string_view>

#include "base/wire.h"

namespace zv {

// `utf8` as the identifier's Windows-1250 bytes, NUL-terminated in `id`. False, with why
// (UTF-8, quoting what the user gave), when it cannot be kept whole: not UTF-8, a character
// Windows-1250 lacks, a control character (unless `allowControls`: the emulator plays loggers
// that hold them), or more than 13 bytes.
bool IdentifierFromUtf8(std::string_view utf8, bool allowControls, char (&id)[kLoggerIdSize],
                        std::string& why);

}  // namespace zv
