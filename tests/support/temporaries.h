#pragma once
// The temporary files a whole-file replacement writes beside its target are hidden names
// (".<name>.<random>"); none may be left once a write has finished, however it ended.
#include <filesystem>

inline int leftover_temporaries(const std::filesystem::path& folder) {
  int n = 0;
  for (const auto& e : std::filesystem::directory_iterator(folder)) n += e.path().filename().string().starts_with(".");
  return n;
}
