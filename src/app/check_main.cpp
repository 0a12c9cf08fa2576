// kelvo-check: checks the shop in the current folder without changing anything.
#include <filesystem>
#include <iostream>

#include "app/check.h"

int main() { return kelvo::app::run_check(std::filesystem::current_path()); }
