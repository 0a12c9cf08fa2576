#pragma once
// A first-run shop, the export screens answered from a script, and the export file read back.
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "exchange/export.h"
#include "records/data_opening.h"
#include "records/record_files.h"
#include "support/scripted_operator.h"

namespace kelvo::exchange {

class ScriptedExportScreens : public ExportScreens {
 public:
  std::optional<ExportChoices> choices;        // nullopt: Cancel
  std::optional<FieldChoice> fields_answer = FieldChoice{};
  std::vector<text::u16> categories_offered;
  std::vector<ExportRecords> field_screens;    // each field screen shown

  std::optional<ExportChoices> choose(const ExportChoices&, const std::vector<text::u16>& categories) override {
    categories_offered = categories;
    return choices;
  }
  std::optional<FieldChoice> fields(ExportRecords which) override {
    field_screens.push_back(which);
    return fields_answer;
  }
};

class NamingOperator : public testing::ScriptedOperator {
 public:
  std::vector<std::string> questions;
  std::vector<platform::PromptOptions> options;
  std::optional<platform::PromptAnswer> prompt(text::u16view q, const platform::PromptOptions& o) override {
    questions.push_back(text::to_utf8(q));
    options.push_back(o);
    return ScriptedOperator::prompt(q, o);
  }
};

class ExportTest : public ::testing::Test {
 protected:
  ExportTest()
      : folder_(testing::fresh_folder()), clock_(testing::at(2026, 12, 7, 14, 5)), shop_(folder_, op_, clock_, locale_) {}
  ~ExportTest() override { std::filesystem::remove_all(folder_); }
  void SetUp() override { ASSERT_TRUE(records::open_data(shop_)); }

  records::FilmRecord film(int64_t number, std::u16string title, std::u16string category = u"") {
    records::FilmRecord f;
    f.set_number(number);
    f.set_title(title);
    f.set_category(category);
    f.set_charge_band(1);
    return f;
  }
  void add(records::FilmRecord f) { ASSERT_TRUE(records::add_film(shop_, f)); }
  void add(records::MemberRecord m) { ASSERT_TRUE(records::add_member(shop_, m)); }
  records::MemberRecord member(int64_t number, std::u16string name) {
    records::MemberRecord m;
    m.set_number(number);
    m.set_name(name);
    m.set_category(1);
    return m;
  }

  // Runs the command with these choices, the file name typed and the field boxes given.
  void run(ExportChoices c, std::optional<std::u16string> name, FieldChoice f = {}) {
    screens_.choices = c;
    screens_.fields_answer = f;
    op_.texts.push_back(name);
    export_command(shop_, screens_);
  }
  std::string bytes_of(const char* name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // The file as text, after checking its FF FE header.
  std::u16string read_back(const char* name) const {
    std::string b = bytes_of(name);
    EXPECT_GE(b.size(), 2u);
    EXPECT_EQ(b.substr(0, 2), "\xFF\xFE") << name;
    return decode(b.substr(2));
  }
  static std::u16string decode(const std::string& b) {
    EXPECT_EQ(b.size() % 2, 0u);
    std::u16string out;
    for (size_t i = 0; i + 1 < b.size(); i += 2)
      out += static_cast<char16_t>(static_cast<uint8_t>(b[i]) | (static_cast<uint8_t>(b[i + 1]) << 8));
    return out;
  }
  bool exists(const char* name) const { return std::filesystem::exists(folder_ / name); }

  std::filesystem::path folder_;
  NamingOperator op_;
  platform::FixedClock clock_;
  platform::EnglishLocale locale_;
  records::Shop shop_;
  ScriptedExportScreens screens_;
};

inline ExportChoices range(int64_t start, int64_t finish, ExportRecords r = ExportRecords::Films,
                           ExportFormat f = ExportFormat::Text) {
  ExportChoices c;
  c.start = text::from_utf8(std::to_string(start));
  c.finish = text::from_utf8(std::to_string(finish));
  c.records = r;
  c.format = f;
  return c;
}

inline FieldChoice only(std::initializer_list<int> boxes) {
  FieldChoice f;
  f.ticked.fill(false);
  for (int b : boxes) f.ticked[static_cast<size_t>(b - 1)] = true;
  return f;
}

}  // namespace kelvo::exchange
