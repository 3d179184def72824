// Windows: the faces the zip carries in its fonts folder, beside the program.
#include <windows.h>

#include "picture/font_files.h"

namespace zv {

namespace {

// The program's folder in UTF-8 (the program's code page), with its final backslash.
bool ProgramFolder(std::string& folder) {
  wchar_t wide[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, wide, MAX_PATH * 4);
  if (length == 0 || length >= MAX_PATH * 4) return false;
  DWORD cut = length;
  while (cut > 0 && wide[cut - 1] != L'\\' && wide[cut - 1] != L'/') --cut;
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(cut), nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  folder.assign(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(cut), folder.data(), bytes, nullptr,
                      nullptr);
  return true;
}

}  // namespace

bool FindDejaVuFile(bool bold, std::string& path, std::string& why) {
  std::string folder;
  if (!ProgramFolder(folder)) {
    why = "the program's folder cannot be found";
    return false;
  }
  path = folder + (bold ? "fonts\\DejaVuSans-Bold.ttf" : "fonts\\DejaVuSans.ttf");
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    why = "it is not in the fonts folder beside the program (" + path + ")";
    return false;
  }
  return true;
}

void ReleaseFontSearch() {}

}  // namespace zv
