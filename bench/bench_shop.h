#pragma once
// One generated large shop for a whole benchmark run, in a temporary folder removed at exit.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

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
      settle_on_disk(path);
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

// One plain sequential read of a file, the yardstick of the benchmarks: the bytes read, or -1.
inline int64_t read_through(const std::filesystem::path& file, std::vector<char>& buf) {
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  int64_t total = 0;
  for (ssize_t n; (n = ::read(fd, buf.data(), buf.size())) > 0;) total += n;
  ::close(fd);
  return total;
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
