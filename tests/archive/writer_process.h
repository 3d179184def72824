// The writer program (archive_writer.cpp) started by a case: raced, killed, or cut off from its
// server, with its confirmed seeds read back from its output.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zv::archive::test {

// A writer program: its pid and the pipe its confirmed seeds arrive on.
struct Writer {
  pid_t pid = -1;
  int output = -1;
};

// `errors`, when not empty, is the file its stderr goes to.
Writer StartWriter(const std::vector<std::string>& arguments, const std::string& errors = {});

// Waits for the writer's end; its exit code (or 128 + the signal) and the seeds it confirmed.
int FinishWriter(const Writer& writer, std::vector<uint32_t>* confirmed = nullptr);

}  // namespace zv::archive::test
