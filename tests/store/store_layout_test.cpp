#include <gtest/gtest.h>

#include <string>

#include "store/store_layout.h"

namespace kelvo::store {
namespace {

TEST(StoreLayout, FileNamesFromTheDatabaseStayInsideTheFolder) {
  const struct { std::string name; bool safe; } cases[] = {
      {"2026/thed1207.dat", true}, {"..x", true}, {"..", false}, {"2026/../../x", false}, {"/etc/passwd", false},
      {"a//b", false}, {"./a", false}, {"2026/", false}, {"", false}, {std::string("a\0b", 3), false},
  };
  for (const auto& c : cases) EXPECT_EQ(safe_file_name(c.name), c.safe) << c.name;
}

}  // namespace
}  // namespace kelvo::store
