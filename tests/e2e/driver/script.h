// The driver's script: one command a line, words separated by blanks, '#' starts a comment line.
// A word in double quotes may hold blanks; \r \n \t \" \\ are escapes inside quotes.
#pragma once

#include <string>
#include <vector>

namespace zvd {

struct ScriptLine {
  int number = 0;                   // 1-based line in the file, for the log
  std::wstring text;                // the line as written, for the log
  std::vector<std::wstring> words;  // words[0] is the command
};

// UTF-8 bytes to UTF-16; invalid sequences become U+FFFD.
std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);

// %NAME% replaced from the environment, so a scenario can name the runner's work folder.
std::wstring ExpandVariables(const std::wstring& text);

// Splits one line into words; false with `error` set on an unterminated quote or a bad escape.
bool SplitWords(const std::wstring& line, std::vector<std::wstring>& words, std::wstring& error);

// Reads a UTF-8 script; false with `error` set when the file cannot be read or a line is malformed.
bool LoadScript(const char* path, std::vector<ScriptLine>& lines, std::wstring& error);

}  // namespace zvd
