#pragma once
// A temporary working folder for the uploader, a fixed clock, and helpers to write film.dat.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "records/film_record.h"
#include "support/scripted_operator.h"

namespace kelvo::uploader::testing {

inline void write_films(const std::filesystem::path& folder, const std::vector<records::FilmRecord>& films) {
  std::ofstream out(folder / "film.dat", std::ios::binary | std::ios::trunc);
  for (const auto& f : films) out.write(reinterpret_cast<const char*>(f.data()), records::FilmRecord::kSize);
}

inline records::FilmRecord film(int64_t number, std::u16string_view title) {
  records::FilmRecord f;
  f.set_number(number);
  f.set_title(title);
  return f;
}

inline std::string file_bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// UTF-16LE bytes of ASCII text.
inline std::string le(std::string_view ascii) {
  std::string out;
  for (char c : ascii) {
    out.push_back(c);
    out.push_back('\0');
  }
  return out;
}

class UploaderTest : public ::testing::Test {
 protected:
  UploaderTest() : folder_(kelvo::testing::fresh_folder()), clock_(kelvo::testing::at(2026, 12, 7, 14, 5)) {}
  ~UploaderTest() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;
  platform::FixedClock clock_;
  platform::EnglishLocale locale_;
};

}  // namespace kelvo::uploader::testing
