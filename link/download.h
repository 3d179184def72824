// The memory download: the stream of checksummed blocks and what the program does with it.
#pragma once

#include <cstdint>

#include "base/sample_memory.h"
#include "link/logger_port.h"
#include "link/session.h"
#include "link/user_interface.h"

namespace zv {

// Ready check, CMD_READ_MEMORY, blocks until the end marker, '#', closing ready check.
// Fills `into` (its n counts the stored bytes) and steps the progress once per block read.
// Fails on a short or corrupt block, a missing ready answer, or a stream that would
// overflow the 32,768-byte buffer.
bool ReadMemoryStream(LoggerPort& port, SampleBuffer& into, StepAction& step);

// The read-samples command: the download window, then the result messages and the count
// update. Only a successful transfer replaces the loaded samples. True when it succeeded.
bool RunDownload(LoggerSession& session, SampleStore& store, UserInterface& ui);

}  // namespace zv
