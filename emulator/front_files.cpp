#include "emulator/front_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "emulator/logger_setup.h"

namespace zv::emu {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Writes everything and closes; false when any write or the close failed.
bool WriteAndClose(File file, const void* bytes, std::size_t n) {
  const bool written = n == 0 || std::fwrite(bytes, 1, n, file.get()) == n;
  return std::fclose(file.release()) == 0 && written;
}

}  // namespace

bool ReadMemoryImage(const std::string& path, std::vector<uint8_t>& image, std::string& error) {
  const File in(std::fopen(path.c_str(), "rb"));
  if (!in) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  // One byte of room past the largest memory tells a file that is too long.
  image.assign(kMaxMemoryBytes + 1, 0);
  std::size_t length = 0;
  while (length < image.size()) {
    const std::size_t got = std::fread(image.data() + length, 1, image.size() - length, in.get());
    if (got == 0) break;
    length += got;
  }
  if (std::ferror(in.get())) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  if (length > kMaxMemoryBytes) {
    error = path + " holds more than " + std::to_string(kMaxMemoryBytes) +
            " bytes, more than a logger's memory";
    return false;
  }
  image.resize(length);
  return true;
}

bool WriteMemoryImage(const std::string& path, const std::vector<uint8_t>& image) {
  File out(std::fopen(path.c_str(), "wb"));
  return out && WriteAndClose(std::move(out), image.data(), image.size());
}

bool SaveTableLine(const std::string& path, const INFO_TAB& table) {
  char line[2 * kInfoTabSize + 2];
  for (std::size_t i = 0; i < kInfoTabSize; ++i) {
    std::snprintf(line + 2 * i, 3, "%02X", table.bytes[i]);
  }
  line[2 * kInfoTabSize] = '\n';
  const std::string temporary = path + ".tmp";
  File out(std::fopen(temporary.c_str(), "w"));
  if (!out || !WriteAndClose(std::move(out), line, 2 * kInfoTabSize + 1) ||
      std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace zv::emu
