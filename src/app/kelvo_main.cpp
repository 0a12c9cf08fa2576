// kelvo: the counter program. It works on the data files of the current folder.
#include <cstring>
#include <filesystem>
#include <iostream>

#include "app/check.h"
#include "shell/app_lifecycle.h"

namespace {

constexpr char kUsage[] =
    "Usage: kelvo [--database URL] [--check | --help | --version]\n"
    "The counter program of the shop whose data files are in the current folder; a new folder\n"
    "gets a fresh set of data files at the first start. A shop kept in a PostgreSQL database is\n"
    "named by the folder's kelvo-database.conf (a line url=...) or by --database; the folder\n"
    "then holds this counter's working copy of it.\n"
    "\n"
    "  (no option)  open the counter window\n"
    "  --database URL  the shop in this database (a libpq connection string)\n"
    "  --check      check the data files without opening a window\n"
    "  --help       this text\n"
    "  --version    the version\n";

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path folder = std::filesystem::current_path();
  std::string database;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--database") == 0 && i + 1 < argc) database = argv[i + 1];
  for (int i = 1; i < argc; ++i) {
    // The command-line options run without any window system.
    if (std::strcmp(argv[i], "--check") == 0) return kelvo::app::run_check(folder, database);
    if (std::strcmp(argv[i], "--help") == 0) {
      std::cout << kUsage;
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "kelvo " << KELVO_VERSION << "\n";
      return 0;
    }
  }
  return kelvo::shell::run_counter(argc, argv, folder, database);
}
