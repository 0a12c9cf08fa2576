#include <gtest/gtest.h>

#include <string>
#include <vector>

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

std::vector<uint8_t> utf16(const std::string& s) {
  std::vector<uint8_t> out;
  for (char ch : s) out.insert(out.end(), {static_cast<uint8_t>(ch), 0});
  return out;
}

TEST(StoreLayout, ALogIsCutAtItsLineBreaksOnly) {
  auto torn = utf16("a\r\n");
  torn.push_back(0x0d);
  const struct { const char* what; std::vector<uint8_t> bytes; std::vector<size_t> starts; } cases[] = {
      {"empty", {}, {0}},
      {"entries", utf16("\r\nRental\r\nOperator: 1\r\n"), {0, 16, 42}},
      {"a break across code units", {'x', 0x0d, 0, 0x0a, 0, 'y'}, {0}},
      {"a lone CR", utf16("a\rb"), {0}},
      {"a torn last code unit", torn, {0, 2}},
  };
  for (const auto& c : cases) EXPECT_EQ(log_line_starts(c.bytes.data(), c.bytes.size()), c.starts) << c.what;
}

}  // namespace
}  // namespace kelvo::store
