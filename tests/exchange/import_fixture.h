#pragma once
// A first-run shop, the import screens answered from a script, and UTF-16 text files made the
// ways a spreadsheet or an editor writes them.
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "exchange/import.h"
#include "records/data_opening.h"
#include "records/record_files.h"
#include "support/scripted_operator.h"

namespace kelvo::exchange {

class ScriptedImportScreens : public ImportScreens, public platform::Progress {
 public:
  std::optional<std::filesystem::path> file;
  // nullopt: Cancel; an empty list of columns: the proposal as it stands.
  std::optional<ColumnAnswer> answer = ColumnAnswer{};
  std::optional<text::u16> band = u"1";
  std::vector<int> proposed;
  int cancel_at_step = -1;  // the progress step at which the operator presses Cancel
  int steps = 0;

  std::optional<std::filesystem::path> choose_file() override { return file; }
  std::optional<ColumnAnswer> columns(ImportRecords, const std::vector<int>& proposal) override {
    proposed = proposal;
    if (answer && answer->columns.empty())
      for (int c : proposal) answer->columns.push_back(text::from_utf8(std::to_string(c)));
    return answer;
  }
  std::optional<text::u16> update_band() override { return band; }
  platform::Progress& progress() override { return *this; }
  bool step(text::u16view, int64_t, int64_t) override { return steps++ != cancel_at_step; }
};

// How a text file is laid out on disk.
struct Layout {
  bool header = true;     // FF FE first
  bool crlf = true;       // CR LF rather than LF alone
  bool last_lf = true;    // the last line ends with its line end
};

inline std::string utf16_file(const std::vector<std::u16string>& lines, Layout l) {
  std::u16string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    text += lines[i];
    if (i + 1 < lines.size() || l.last_lf) text += l.crlf ? u"\r\n" : u"\n";
  }
  std::string bytes = l.header ? "\xFF\xFE" : "";
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

class ImportTest : public ::testing::Test {
 protected:
  ImportTest()
      : folder_(testing::fresh_folder()), clock_(testing::at(2026, 12, 7, 14, 5)), shop_(folder_, op_, clock_, locale_) {}
  ~ImportTest() override { std::filesystem::remove_all(folder_); }
  void SetUp() override { ASSERT_TRUE(records::open_data(shop_)); }

  void write(const char* name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  std::string bytes_of(const std::string& name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  bool exists(const char* name) const { return std::filesystem::exists(folder_ / name); }

  // Utilities "Import" of the given kind ("1" films, "2" members) from a file of the folder.
  ImportEnd import(const char* kind, const char* file) {
    op_.texts.push_back(text::from_utf8(kind));
    screens_.file = folder_ / file;
    return import_command(shop_, screens_);
  }

  template <class Record>
  std::vector<Record> records_in(const char* name) const {
    const std::string b = bytes_of(name);
    std::vector<Record> out(b.size() / Record::kSize);
    for (size_t i = 0; i < out.size(); ++i) std::memcpy(out[i].data(), b.data() + i * Record::kSize, Record::kSize);
    return out;
  }

  void add_film(int64_t number, std::u16string title, int64_t on_loan_to = 0) {
    records::FilmRecord f;
    f.set_number(number);
    f.set_title(title);
    f.set_charge_band(1);
    ASSERT_TRUE(records::add_film(shop_, f));
    if (on_loan_to) {
      f.set_on_loan_to(on_loan_to);
      ASSERT_TRUE(records::rewrite_film(shop_, f));
    }
  }

  std::filesystem::path folder_;
  testing::ScriptedOperator op_;
  platform::FixedClock clock_;
  platform::EnglishLocale locale_;
  records::Shop shop_;
  ScriptedImportScreens screens_;
};

}  // namespace kelvo::exchange
