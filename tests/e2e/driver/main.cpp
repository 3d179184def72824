// zv-driver.exe SCRIPT LOG [--exe PROGRAM]: runs a scenario script against the program's windows.
// Exit code 0 when every line held, 1 at the first failed expectation, 2 for a bad invocation.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "driver_log.h"
#include "macros.h"
#include "script.h"

int main(int argc, char** argv) {
  if (argc != 3 && !(argc == 5 && std::strcmp(argv[3], "--exe") == 0)) {
    std::fputs("usage: zv-driver SCRIPT LOG [--exe PROGRAM]\n", stderr);
    return 2;
  }
  if (!zvd::OpenLog(argv[2])) {
    std::fputs("zv-driver: cannot write the log\n", stderr);
    return 2;
  }
  zvd::DriverState state;
  state.log_path = zvd::Utf8ToWide(argv[2]);
  if (argc == 5) state.exe_path = zvd::Utf8ToWide(argv[4]);

  std::vector<zvd::ScriptLine> lines;
  std::wstring error;
  if (!zvd::LoadScript(argv[1], lines, error) || !zvd::ExpandMacros(lines, error)) {
    zvd::Log(L"BAD SCRIPT: " + error);
    zvd::CloseLog();
    return 2;
  }
  for (const auto& line : lines) {
    zvd::Log(L"line " + std::to_wstring(line.number) + L": " + line.text);
    std::wstring failure;
    if (!zvd::RunCommand(state, line, failure)) {
      zvd::Log(L"FAILED at line " + std::to_wstring(line.number) + L": " + failure);
      zvd::CloseLog();
      return 1;
    }
  }
  zvd::Log(L"PASSED: all " + std::to_wstring(lines.size()) + L" lines held");
  zvd::CloseLog();
  return 0;
}
