#pragma once
// One generated large shop for a whole benchmark run, in a temporary folder removed at exit.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/clock.h"
#include "platform/locale.h"
#include "records/data_opening.h"
#include "records/shop.h"
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

// The generated shop opened once, as the counter opens it, with the benchmark's own operator.
template <class Operator>
class OpenedShop {
 public:
  OpenedShop() : clock_(generated_shop_day()) {
    shop_ = std::make_unique<records::Shop>(shop_folder(), op_, clock_, locale_);
    if (!records::open_data(*shop_, records::OpenMode::CheckOnly)) std::abort();
  }
  records::Shop& shop() { return *shop_; }
  Operator& op() { return op_; }
  const std::filesystem::path& folder() const { return shop_folder(); }

 private:
  Operator op_;
  platform::FixedClock clock_;
  platform::EnglishLocale locale_;
  std::unique_ptr<records::Shop> shop_;
};

}  // namespace kelvo::bench
