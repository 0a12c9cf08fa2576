// kelvo-check: checks the shop in the current folder, or in the database that
// `--database URL` or the folder's kelvo-database.conf names, without changing anything.
#include <cstring>
#include <filesystem>
#include <iostream>

#include "app/check.h"

int main(int argc, char** argv) {
  std::string database;
  if (argc == 3 && std::strcmp(argv[1], "--database") == 0) database = argv[2];
  else if (argc != 1) {
    std::cerr << "Usage: kelvo-check [--database URL]\n";
    return 2;
  }
  return kelvo::app::run_check(std::filesystem::current_path(), database);
}
