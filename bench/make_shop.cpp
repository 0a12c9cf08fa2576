// make-shop: writes a generated shop into a folder and prints the start-up lines a correct
// opening of it must show.
#include <cerrno>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>

#include "shop_generator.h"

namespace {

int usage() {
  std::cerr << "usage: make-shop <folder> [--films N] [--members N] [--stock N] [--seed S] [--inconsistent]\n";
  return 2;
}

// Whole positive decimal numbers only: a typo must not silently become a shop of zero films.
bool parse_count(const char* s, long long limit, long long& out) {
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(s, &end, 10);
  if (errno != 0 || end == s || *end != '\0' || v < 0 || v > limit) return false;
  out = v;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') return usage();
  kelvo::bench::ShopSize size;
  uint32_t seed = 1;
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--inconsistent") {
      size.inconsistent = true;
      continue;
    }
    long long v = 0;
    if (i + 1 >= argc) return usage();
    const char* value = argv[++i];
    if (arg == "--seed") {
      if (!parse_count(value, 0xffffffffLL, v)) return usage();
      seed = static_cast<uint32_t>(v);
      continue;
    }
    if (!parse_count(value, 10'000'000, v) || v < 1) return usage();
    if (arg == "--films") size.films = static_cast<int>(v);
    else if (arg == "--members") size.members = static_cast<int>(v);
    else if (arg == "--stock") size.stock = static_cast<int>(v);
    else return usage();
  }
  try {
    const auto summary = kelvo::bench::generate_shop(argv[1], size, seed);
    for (const auto& line : summary.lines()) std::cout << line << '\n';
  } catch (const std::exception& e) {
    std::cerr << "make-shop: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
