#pragma once
// One generated large shop for a whole benchmark run, in a temporary folder removed at exit.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "shop_generator.h"

namespace kelvo::bench {

inline const std::filesystem::path& shop_folder() {
  struct Folder {
    Folder() {
      char pattern[] = "/tmp/kelvo-bench-XXXXXX";
      if (!::mkdtemp(pattern)) std::abort();
      path = pattern;
      generate_shop(path, ShopSize{}, 20240315);
    }
    ~Folder() {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
    std::filesystem::path path;
  };
  static Folder shop;
  return shop.path;
}

}  // namespace kelvo::bench
