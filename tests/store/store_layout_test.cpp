#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "records/config_layout.h"
#include "store/config_rows.h"
#include "store/store_layout.h"

namespace kelvo::store {
namespace {

namespace cfg = records::cfg;

TEST(StoreLayout, FileNamesFromTheDatabaseStayInsideTheFolder) {
  const struct {
    std::string name;
    bool safe;
  } cases[] = {
      {"wr.cfg", true},         {"2026/thed1207.dat", true}, {"notes of the owner.txt", true},
      {"..x", true},            {"..", false},               {"../escaped", false},
      {"2026/../../x", false},  {"/etc/passwd", false},      {"a//b", false},
      {"./a", false},           {"a/.", false},              {"2026/", false},
      {"", false},              {std::string("a\0b", 3), false},
  };
  for (const auto& c : cases) EXPECT_EQ(safe_file_name(c.name), c.safe) << c.name;
}

TEST(StoreLayout, OnlyTheShopsOwnFilesAreKeptAsRows) {
  const struct {
    const char* name;
    FileKind kind;
  } cases[] = {
      {"film.dat", FileKind::Records},  {"member.dat", FileKind::Records}, {"mans.dat", FileKind::Records},
      {"resn.dat", FileKind::Records},  {"lgb4.dat", FileKind::Log},       {"lgb2.dat", FileKind::Log},
      {"wr.cfg", FileKind::Config},     {"2026/film.dat", FileKind::Bytes}, {"FILM.DAT", FileKind::Bytes},
      {"November.dat", FileKind::Bytes}, {"ADDRESS.RK", FileKind::Bytes},   {"m17.bmp", FileKind::Bytes},
  };
  for (const auto& c : cases) EXPECT_EQ(kind_of(c.name), c.kind) << c.name;
}

std::vector<uint8_t> utf16(const std::string& s) {
  std::vector<uint8_t> out;
  for (char ch : s) out.insert(out.end(), {static_cast<uint8_t>(ch), 0});
  return out;
}

TEST(StoreLayout, ALogIsCutAtItsLineBreaksOnly) {
  auto odd = std::vector<uint8_t>{'x', 0x0d, 0, 0x0a, 0, 'y'};  // a CR LF across code units
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    std::vector<size_t> starts;
  } cases[] = {
      {"empty", {}, {0}},
      {"one line", utf16("Switched on"), {0}},
      {"entries", utf16("\r\nRental\r\nOperator: 1\r\n"), {0, 16, 42}},
      {"text before the first break", utf16("ab\r\ncd"), {0, 4}},
      {"a break across code units", odd, {0}},
      {"a lone CR", utf16("a\rb"), {0}},
      {"a torn last code unit", [] { auto b = utf16("a\r\n"); b.push_back(0x0d); return b; }(), {0, 2}},
  };
  for (const auto& c : cases) EXPECT_EQ(log_line_starts(c.bytes.data(), c.bytes.size()), c.starts) << c.what;
}

std::vector<uint8_t> patterned_block() {
  std::vector<uint8_t> block(cfg::kSize);
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i * 7 + 1);
  return block;
}

TEST(StoreLayout, RunningFiguresAreTheCountedValuesAndNoSetting) {
  const struct {
    size_t offset;
    bool figure;
  } cases[] = {
      {cfg::kTakingsToday, true},         {cfg::kRolledDay, false},          {cfg::kTakingsPreviousDay, false},
      {cfg::kDayCounters, true},          {cfg::kCashRefundsToday, true},    {cfg::kArrearsWrittenOff + 3, true},
      {cfg::kReturnsToday + 7, true},     {cfg::kLastReturnedItems, false},  {cfg::kRentalsToday, true},
      {cfg::kLastRentedItems, false},     {cfg::kCategoryHighToday, true},   {cfg::kCategoryLowMonth + 39, true},
      {cfg::kRentalsPreviousDay, false},  {cfg::kNewMembersToday, true},     {cfg::kDefaultRentalDays, false},
      {cfg::kTransactionCounter, true},   {cfg::kCurrencySymbol, false},     {cfg::kDayValue2504 + 3, true},
      {cfg::kTakingsHistory, false},      {cfg::kDayFigures, true},          {cfg::kDayFiguresEnd - 1, true},
      {cfg::kDayFiguresEnd, false},       {cfg::kMembershipTakingsToday, true}, {cfg::kDefaultTillTotal, false},
      {cfg::series_entry(0, 0), false},   {cfg::kReservationCounter, true},  {cfg::kTillRentals, true},
      {cfg::kTillEnd - 1, true},          {cfg::kTillEnd, false},            {cfg::band_price(1), false},
      {cfg::kOperatorPasswords, false},   {cfg::kSize - 1, false},
  };
  auto block = patterned_block();
  const auto before = block;
  take_figures(block.data());
  for (const auto& c : cases) {
    const bool zeroed = block[c.offset] == 0 && before[c.offset] != 0;
    EXPECT_EQ(zeroed, c.figure) << "offset " << c.offset;
    if (!c.figure) {
      EXPECT_EQ(block[c.offset], before[c.offset]) << "offset " << c.offset;
    }
  }
}

TEST(StoreLayout, FiguresComeBackBitForBit) {
  auto block = patterned_block();
  // -0.0 and a NaN with a payload: a value passed through float arithmetic would lose them.
  const uint8_t negative_zero[] = {0, 0, 0, 0x80}, nan_payload[] = {1, 0, 0xc0, 0x7f};
  std::copy(std::begin(negative_zero), std::end(negative_zero), block.begin() + cfg::kTakingsToday);
  std::copy(std::begin(nan_payload), std::end(nan_payload), block.begin() + cfg::kDayFigures);
  const auto original = block;
  const auto figures = take_figures(block.data());
  for (const auto& f : figures) {
    EXPECT_EQ(f.value.size(), cfg::figure_width(f.type)) << f.offset;
    if (f.offset == static_cast<int32_t>(cfg::kTakingsToday)) {
      EXPECT_EQ(f.value, (std::vector<uint8_t>{0x80, 0, 0, 0}));
    }
    if (f.offset == static_cast<int32_t>(cfg::kRentalsToday)) {
      EXPECT_EQ(f.type, cfg::FigureType::I64);
    }
  }
  for (const auto& f : figures) ASSERT_TRUE(put_figure(block.data(), f.offset, f.value));
  EXPECT_EQ(block, original);
  const std::vector<uint8_t> four(4, 1);
  EXPECT_FALSE(put_figure(block.data(), -1, four));
  EXPECT_FALSE(put_figure(block.data(), static_cast<int32_t>(cfg::kSize) - 3, four));
  EXPECT_TRUE(put_figure(block.data(), static_cast<int32_t>(cfg::kSize) - 4, four));
}

}  // namespace
}  // namespace kelvo::store
