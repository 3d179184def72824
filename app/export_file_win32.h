// The export file on Windows: written to a new temporary file in the chosen folder, which
// replaces the target only once complete, flushed and closed. Paths are UTF-16 throughout,
// so a folder named in any language works whatever the system code page.
#pragma once

#include <cstddef>

#include "app/export_dialog_win32.h"
#include "app/win32_api.h"
#include "samples/export_samples.h"

namespace zv {

class Win32ExportFile final : public ExportFile {
 public:
  Win32ExportFile() = default;
  Win32ExportFile(const Win32ExportFile&) = delete;
  Win32ExportFile& operator=(const Win32ExportFile&) = delete;
  ~Win32ExportFile() { Abandon(); }

  // Opens a temporary file beside `target`; an earlier file not committed is abandoned.
  bool Create(const wchar_t* target);
  void Put(const char* bytes, std::size_t n) override;
  bool Commit() override;

 private:
  void Abandon();

  HANDLE handle_ = INVALID_HANDLE_VALUE;
  bool failed_ = false;
  wchar_t target_[kExportPathCapacity] = {};
  // The target's folder, a separator and the temporary file's name.
  wchar_t temporary_[kExportPathCapacity + 32] = {};
};

}  // namespace zv
