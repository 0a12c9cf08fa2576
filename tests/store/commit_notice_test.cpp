#include "store/commit_notice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvo::store {
namespace {

std::vector<uint8_t> record(size_t n, uint8_t fill) { return std::vector<uint8_t>(n, fill); }

// A record rebuilt from its stretches is the record written, byte for byte, wherever the
// changes fall: the first byte, the last, runs joined across a short gap and kept apart by a
// longer one, and a record changed throughout.
TEST(CommitNotice, StretchesRebuildTheRecordWritten) {
  const struct {
    const char* what;
    std::vector<size_t> changed;
    size_t runs;
    size_t size = 3040;
  } cases[] = {
      {"nothing", {}, 0},
      {"first byte", {0}, 1},
      {"last byte", {3039}, 1},
      {"seven apart, one run", {100, 107}, 1},
      {"eight apart, two runs", {100, 116}, 2},
      {"word edges", {7, 8, 15, 16}, 1},
      {"first byte after a whole block", {32}, 1},
      {"block edges", {31, 32, 95, 96}, 2},
      // A member's 17,660 bytes end in 28 past the last whole block of 32.
      {"a member's tail after its last block", {17632}, 1, 17660},
      {"a member's last byte", {17659}, 1, 17660},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto before = record(c.size, 0x20);
    auto after = before;
    for (size_t at : c.changed) after[at] = 0x57;
    const std::string s = stretches_between(before.data(), after.data(), after.size());
    size_t runs = 0;
    for (size_t at = 0; at + 8 <= s.size(); ++runs) at += 8 + (static_cast<size_t>(static_cast<uint8_t>(s[at + 7])) |
                                                          static_cast<size_t>(static_cast<uint8_t>(s[at + 6])) << 8);
    EXPECT_EQ(runs, c.runs);
    auto rebuilt = before;
    ASSERT_TRUE(apply_stretches(s, rebuilt.data(), rebuilt.size()));
    EXPECT_EQ(rebuilt, after);
    EXPECT_EQ(image_hash(rebuilt.data(), rebuilt.size()), image_hash(after.data(), after.size()));
  }
  const auto zeros = record(17660, 0), ones = record(17660, 1);
  auto rebuilt = zeros;
  ASSERT_TRUE(apply_stretches(stretches_between(zeros.data(), ones.data(), 17660), rebuilt.data(), 17660));
  EXPECT_EQ(rebuilt, ones);
}

// A stretch that reaches past the record, or is cut short, is refused: a damaged notice never
// writes outside the record it names.
TEST(CommitNotice, StretchOutsideTheRecordIsRefused) {
  auto stretch = [](uint32_t offset, uint32_t length, size_t bytes) {
    std::string s;
    for (uint32_t v : {offset, length})
      for (int shift = 24; shift >= 0; shift -= 8) s.push_back(static_cast<char>((v >> shift) & 0xff));
    return s + std::string(bytes, 'x');
  };
  const struct {
    const char* what;
    std::string stretches;
    bool fits;
  } cases[] = {
      {"ends on the last byte", stretch(3039, 1, 1), true},
      {"one past the end", stretch(3039, 2, 2), false},
      {"starts past the end", stretch(3040, 1, 1), false},
      {"length wraps the offset", stretch(8, 0xffffffffu, 4), false},
      {"bytes cut short", stretch(0, 4, 3), false},
      {"header cut short", stretch(0, 1, 1).substr(0, 7), false},
  };
  for (const auto& c : cases) {
    auto image = record(3040, 0);
    EXPECT_EQ(apply_stretches(c.stretches, image.data(), image.size()), c.fits) << c.what;
  }
}

// What the writer sends, with the server's line before it, reads back as it was sent; a
// notice cut or altered anywhere is no notice at all, and the counter asks the server instead.
TEST(CommitNotice, PayloadReadsBackOrNotAtAll) {
  CommitNotice n;
  n.counter = "till 2";
  const auto before = record(17660, 0), after = record(17660, 0xff);
  n.records.push_back({1, 59, 812, image_hash(after.data(), 17660), stretches_between(before.data(), after.data(), 40)});
  n.records.push_back({0, 0, 1, 7, ""});
  n.logs.push_back({"lgb4.dat", std::string("R\0e\0n\0t\r\0\n\0", 12)});
  n.parts.push_back({1136, -3, 0.1f});
  const std::string body = notice_body(n);
  ASSERT_FALSE(body.empty());
  const std::string line = "900 914 77 78 913,914\n";
  const auto back = parse_notice(line + body);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->first, 900);
  EXPECT_EQ(back->last_log, 78);
  EXPECT_EQ(back->written, (std::vector<int64_t>{913, 914}));
  EXPECT_EQ(back->counter, "till 2");
  ASSERT_EQ(back->records.size(), 2u);
  EXPECT_EQ(back->records[0].stretches, n.records[0].stretches);
  EXPECT_EQ(back->records[0].hash, n.records[0].hash);
  EXPECT_EQ(back->records[1].stretches, "");
  EXPECT_EQ(back->logs[0].bytes, n.logs[0].bytes);
  EXPECT_EQ(back->parts[0].whole, -3);
  EXPECT_EQ(back->parts[0].part, double{0.1f});

  const struct {
    const char* what;
    std::string payload;
  } broken[] = {
      {"the server's line alone", "900 914 77 78 "},
      {"a version for each record but one", "900 914 77 78 914\n" + body},
      {"a word too many on the line", "900 914 77 78 913,914 1\n" + body},
      {"a run that ends before it starts", "900 898 77 78 913,914\n" + body},
      {"body cut in a record's digits", line + body.substr(0, body.find("\nl") - 3)},
      {"a character outside the digits", line + body.substr(0, body.size() - 2) + "*" + body.back()},
      {"an unknown line", line + body + "\nx 1"},
  };
  for (const auto& c : broken) EXPECT_FALSE(parse_notice(c.payload)) << c.what;
  const auto span = parse_notice_span("900 914 77 78 ");
  ASSERT_TRUE(span);
  EXPECT_EQ(span->last, 914);
}

// The counter's name goes in base64: each length of tail (none, one byte, two) as the standard
// writes it, and read back as it was.
TEST(CommitNotice, NamesOfEveryTailLengthGoAndComeBack) {
  const struct {
    std::string name, digits;
  } cases[] = {{"", ""}, {"a", "YQ=="}, {"ab", "YWI="}, {"abc", "YWJj"}, {std::string("\xff\0\xfe\x01", 4), "/wD+AQ=="}};
  for (const auto& c : cases) {
    CommitNotice n;
    n.counter = c.name;
    const std::string body = notice_body(n);
    EXPECT_EQ(body, "c " + c.digits) << c.digits;
    const auto back = parse_notice("1 0 1 0 \n" + body);
    ASSERT_TRUE(back) << c.digits;
    EXPECT_EQ(back->counter, c.name) << c.digits;
  }
}

// A transaction too large to tell in full makes no body, so the others ask the server.
TEST(CommitNotice, TooLargeForItsRoomMakesNoBody) {
  CommitNotice n;
  n.counter = "till 1";
  for (size_t size : {kNoticeRoom / 2, kNoticeRoom}) {
    n.logs = {{"lgb4.dat", std::string(size, 'x')}};
    EXPECT_EQ(notice_body(n).empty(), size == kNoticeRoom) << size;
  }
}

}  // namespace
}  // namespace kelvo::store
