#pragma once
// A scratch shop folder for one fuzzing process: the input is written into it as the stored
// files a reader will open.
#include <stdlib.h>

#include <filesystem>
#include <string_view>

#include "records/file_io.h"

namespace kelvo::fuzz {

inline const std::filesystem::path& scratch_folder() {
  static const std::filesystem::path folder = [] {
    char pattern[] = "/tmp/kelvo-fuzz-XXXXXX";
    if (!::mkdtemp(pattern)) ::abort();
    return std::filesystem::path(pattern);
  }();
  return folder;
}

inline void put_file(std::string_view name, const uint8_t* data, size_t len) {
  if (!records::write_file_atomic(scratch_folder() / name, data, len)) ::abort();
}

// Splits the input into pieces at the four-byte marker "\xFF\x00\xFF\x00", so that the fuzzer
// can grow each stored file on its own.
inline std::vector<std::basic_string_view<uint8_t>> pieces(const uint8_t* data, size_t len, size_t count) {
  std::vector<std::basic_string_view<uint8_t>> out;
  size_t from = 0;
  for (size_t i = 0; i + 4 <= len && out.size() + 1 < count; ++i) {
    if (data[i] == 0xFF && data[i + 1] == 0 && data[i + 2] == 0xFF && data[i + 3] == 0) {
      out.emplace_back(data + from, i - from);
      from = i + 4;
      i += 3;
    }
  }
  out.emplace_back(data + from, len - from);
  while (out.size() < count) out.emplace_back();
  return out;
}

}  // namespace kelvo::fuzz
