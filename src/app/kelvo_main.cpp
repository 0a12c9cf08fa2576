// kelvo: the counter program. It works on the data files of the current folder.
#include <cstring>
#include <filesystem>

#include "app/check.h"
#include "shell/app_lifecycle.h"

int main(int argc, char** argv) {
  std::filesystem::path folder = std::filesystem::current_path();
  for (int i = 1; i < argc; ++i) {
    // The command-line check runs without any window system.
    if (std::strcmp(argv[i], "--check") == 0) return kelvo::app::run_check(folder);
  }
  return kelvo::shell::run_counter(argc, argv, folder);
}
