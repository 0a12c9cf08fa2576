// Importing a 50,000-line film file against writing a film.dat of the same number of records
// whole: the import should cost no more than three times the writing.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "exchange/import.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "records/data_opening.h"
#include "records/file_io.h"
#include "records/film_record.h"
#include "records/shop.h"

namespace {

namespace fs = std::filesystem;
using namespace kelvo;

constexpr int kLines = 50000;

// Says "1" (films) and OK to everything.
class AgreeingOperator : public platform::Operator {
 public:
  platform::Answer message(text::u16view, text::u16view, platform::Buttons) override { return platform::Answer::Ok; }
  std::optional<platform::PromptAnswer> prompt(text::u16view, const platform::PromptOptions&) override {
    return platform::PromptAnswer{u"1", false, {}};
  }
  std::optional<int> choose(text::u16view, const std::vector<text::u16>&, int) override { return std::nullopt; }
  void warn() override {}
  void activity(text::u16view) override {}
};

class AllColumns : public exchange::ImportScreens {
 public:
  explicit AllColumns(fs::path file) : file_(std::move(file)) {}
  std::optional<fs::path> choose_file() override { return file_; }
  std::optional<exchange::ColumnAnswer> columns(exchange::ImportRecords, const std::vector<int>& proposal) override {
    exchange::ColumnAnswer a;
    for (int c : proposal) a.columns.push_back(text::from_utf8(std::to_string(c)));
    return a;
  }
  std::optional<text::u16> update_band() override { return std::nullopt; }
  platform::Progress& progress() override { return progress_; }

 private:
  fs::path file_;
  platform::NoProgress progress_;
};

struct Folder {
  Folder() {
    char pattern[] = "/tmp/kelvo-bench-import-XXXXXX";
    if (!::mkdtemp(pattern)) std::abort();
    path = pattern;
    // The columns of a text export with every box ticked, as a shop moving its stock would bring.
    std::u16string text = u"\xFEFF";
    for (int i = 1; i <= kLines; ++i) {
      const std::string n = std::to_string(i);
      text += text::from_utf8(n + ",The film of number " + n + ",DRA,15,SUP,DVD," + std::to_string(i % 8 + 1) +
                              ",01/02/2020,9.99," + std::to_string(i % 50) + ",An Actor\r\n");
    }
    std::ofstream(path / "films.txt", std::ios::binary) << text::utf16le_bytes(text);
    records::FilmRecord first;
    first.set_number(-1);
    records::write_file_atomic(path / "film.dat", first.data(), first.kSize);
  }
  ~Folder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  fs::path path;
};

const Folder& folder() {
  static Folder f;
  return f;
}

void BM_ImportFilms(benchmark::State& state) {
  AgreeingOperator op;
  platform::FixedClock clock({});
  platform::EnglishLocale locale;
  records::Shop shop(folder().path, op, clock, locale);
  AllColumns screens(folder().path / "films.txt");
  for (auto _ : state) {
    if (exchange::import_command(shop, screens) != exchange::ImportEnd::CloseDown) {
      state.SkipWithError("the import did not complete");
      break;
    }
  }
  if (records::file_size(folder().path / "film.dat") != uint64_t{kLines} * records::FilmRecord::kSize)
    state.SkipWithError("film.dat does not hold every line");
}
BENCHMARK(BM_ImportFilms)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteFilmFile(benchmark::State& state) {
  records::FilmRecord film;
  film.set_title(u"The film of number");
  for (auto _ : state) {
    records::FileReplacement out(folder().path / "written.dat");
    for (int i = 1; i <= kLines; ++i) {
      film.set_number(i);
      out.write(film.data(), film.kSize);
    }
    if (!out.commit()) state.SkipWithError("film file not written");
  }
}
BENCHMARK(BM_WriteFilmFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// File "Update items from file" adding 5,000 items to an open shop and deleting them again:
// each item is a record written and synced on its own.
class BandOne : public AllColumns {
 public:
  using AllColumns::AllColumns;
  std::optional<text::u16> update_band() override { return u"1"; }
};

void BM_UpdateItems(benchmark::State& state) {
  const fs::path shop_folder = folder().path / "shop";
  fs::create_directories(shop_folder);
  const fs::path adds = shop_folder / "adds.txt", deletes = shop_folder / "deletes.txt";
  std::u16string add_text, delete_text;
  for (int i = 1; i <= 5000; ++i) {
    const std::string n = std::to_string(1000000 + i);
    add_text += text::from_utf8(n + ",1,Added item " + n + ",DVD\n");
    delete_text += text::from_utf8(n + ",0\n");
  }
  std::ofstream(adds, std::ios::binary) << text::utf16le_bytes(add_text);
  std::ofstream(deletes, std::ios::binary) << text::utf16le_bytes(delete_text);
  AgreeingOperator op;
  text::DateTime day;
  day.year = 2026;
  day.month = 12;
  day.day = 7;
  platform::FixedClock clock(day);
  platform::EnglishLocale locale;
  records::Shop shop(shop_folder, op, clock, locale);
  if (!records::open_data(shop)) {
    state.SkipWithError("the shop did not open");
    return;
  }
  for (auto _ : state) {
    BandOne add(adds), remove(deletes);
    exchange::update_items_from_file(shop, add);
    exchange::update_items_from_file(shop, remove);
  }
  if (shop.films.counts().deleted < 5000) state.SkipWithError("the items were not added and deleted");
}
BENCHMARK(BM_UpdateItems)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
