// File "Update items from file": a text file of item numbers, each followed by 0 to delete the
// item or by a flag, a title and a format to add it. The lines are applied a batch at a time,
// each batch one transaction: what was done before a failure or a Cancel stays done, a crash
// leaves whole batches, and a large file costs a few syncs per batch instead of one per item.
#include <optional>

#include "catalogue/deletion.h"
#include "exchange/import.h"
#include "records/commit.h"
#include "records/record_files.h"
#include "text/format.h"

namespace kelvo::exchange {

namespace {

using records::Shop;

constexpr int64_t kProgressEvery = 64;
constexpr int64_t kLinesPerCommit = 256;
constexpr size_t kTitleKept = 39;
constexpr size_t kFormatKept = 5;

// Only the character right after the first comma tells a deletion from an addition.
std::optional<char16_t> flag_of(text::u16view line) {
  const size_t comma = line.find(u',');
  if (comma == text::u16view::npos || comma + 1 >= line.size()) return std::nullopt;
  return line[comma + 1];
}

// The title starts two characters after the flag and runs to the next comma or CR; the format
// is what follows the next comma.
struct AddedItem {
  text::u16view title, format;
};
AddedItem item_of(text::u16view line) {
  AddedItem out;
  const size_t comma = line.find(u',');
  if (comma == text::u16view::npos || comma + 3 > line.size()) return out;
  text::u16view rest = line.substr(comma + 3);
  const size_t end = rest.find_first_of(u",\r");
  out.title = rest.substr(0, std::min(end, kTitleKept));
  if (end != text::u16view::npos && rest[end] == u',') out.format = *column_text(rest.substr(end), 2, kFormatKept);
  return out;
}

enum class Outcome { Done, Cancelled, Failed };

class Update {
 public:
  Update(Shop& shop, platform::Progress& progress, const std::filesystem::path& file, int64_t lines)
      : shop_(shop), progress_(progress), file_(file), lines_(lines) {}

  // Step 5.
  Outcome deletion_pass() {
    const Outcome end = each_line(0, [&](text::u16view line) {
      const int64_t number = text::parse_int64(line);
      if (number == 0 || flag_of(line) != u'0') return true;
      return delete_item(number);
    });
    if (end == Outcome::Failed) return end;
    shop_.op().activity(text::format("Total items deleted: %d", {done_}));
    return end;
  }

  // Steps 6 and 7.
  void addition_pass(int band) {
    records::FilmRecord model;
    model.set_charge_band(band);
    model.set_certificate(u"12");
    model.set_category(u"DRA");
    model.set_last_hire(u"NEW");
    done_ = 0;
    const Outcome end = each_line(lines_, [&](text::u16view line) {
      if (flag_of(line) == u'0') return true;
      return add_item(model, line);
    });
    if (end == Outcome::Failed) return;
    shop_.op().activity(text::format("Total items added: %d", {done_}));
    shop_.op().activity(u"  ");
  }

 private:
  // Every line of the file, the last one even without its LF; over-long lines are passed by.
  template <class Step>
  Outcome each_line(int64_t progress_from, Step step) {
    Utf16Lines in(file_);
    text::u16 line;
    bool lf = false;
    int64_t n = 0;
    for (bool more = true; more;) {
      Outcome end = Outcome::Done;
      begin_batch();
      for (int64_t k = 0; k < kLinesPerCommit && (more = in.next(line, lf)); ++k, ++n) {
        if (n % kProgressEvery == 0 && !progress_.step(u"Update items from file", progress_from + n, 2 * lines_)) {
          end = Outcome::Cancelled;
          break;
        }
        if (in.too_long()) continue;
        if (!step(text::u16view(line))) {
          end = Outcome::Failed;
          break;
        }
      }
      // What the batch did before a failure or a Cancel is kept.
      if (!finish_batch()) return Outcome::Failed;
      if (end != Outcome::Done) return end;
    }
    return Outcome::Done;
  }

  void begin_batch() {
    films_before_.emplace(shop_.films);
    commit_.emplace(shop_);
    batch_lines_.clear();
    batch_done_ = 0;
  }

  // The batch's lines reach the activity pane only once its records are on the disk; a refused
  // batch (its message shown by the commit) puts the index back as the file still is.
  bool finish_batch() {
    const bool written = commit_->finish();
    commit_.reset();
    if (!written) {
      films_before_->put_back();
      return false;
    }
    for (const auto& l : batch_lines_) shop_.op().activity(l);
    done_ += batch_done_;
    return true;
  }

  bool delete_item(int64_t number) {
    const auto slot = number > 0 ? shop_.films.index().find(number) : std::nullopt;
    if (!slot) {
      activity(text::format("Item to be deleted does not exist: %I64d", {static_cast<long long>(number)}));
      return true;
    }
    records::FilmRecord film;
    if (shop_.films.read_slot(*slot, film) != records::ReadResult::Ok) {
      shop_.op().message(u"Fatal error", catalogue::kFilmFile.not_present);
      return false;
    }
    if (film.on_loan_to() != 0) {
      activity(text::format("Item to be deleted is active: %I64d", {static_cast<long long>(number)}));
      return true;
    }
    if (!records::mark_film_deleted(shop_, film, *slot)) return false;
    ++batch_done_;
    return true;
  }

  bool add_item(const records::FilmRecord& model, text::u16view line) {
    const long long number = text::parse_int64(line);
    if (number < 1 || number > records::kMaxNumber) {
      activity(text::format("Item to be added has invalid number: %I64d", {number}));
      return true;
    }
    const AddedItem item = item_of(line);
    if (item.title.size() < 2) {
      activity(text::format("Item to be added has title less than 2 characters: %I64d", {number}));
      return true;
    }
    if (shop_.films.index().contains(number)) {
      activity(text::format("Item to be added is used: %I64d", {number}));
      return true;
    }
    records::FilmRecord film = model;
    film.set_number(number);
    film.set_title(item.title);
    film.set_format(item.format);
    if (!catalogue::data_file_present(shop_, shop_.films.file(), catalogue::kFilmFile)) return false;
    if (!records::add_film_copy(shop_, film)) return false;
    // The lines New item shows for every film it stores.
    activity(text::format("New film: %I64d %s", {number, film.title()}));
    activity(u"  ");
    activity(records::count_line("Film", shop_.films.counts()));
    activity(u"  ");
    ++batch_done_;
    return true;
  }

  void activity(text::u16 line) { batch_lines_.push_back(std::move(line)); }

  Shop& shop_;
  platform::Progress& progress_;
  std::filesystem::path file_;
  int64_t lines_;
  int done_ = 0;  // items deleted, then items added, by the batches written
  std::optional<records::Commit> commit_;
  std::optional<records::RecordStore<records::FilmRecord>::Memory> films_before_;
  std::vector<text::u16> batch_lines_;
  int batch_done_ = 0;
};

// Step 1: the band for added items; what is not a band from 1 to 8 is refused.
std::optional<int> ask_band(Shop& shop, ImportScreens& screens) {
  auto typed = screens.update_band();
  if (!typed) return std::nullopt;
  const auto band = text::parse_whole_number(*typed);
  if (!band || *band < 1 || *band > 8) {
    shop.op().message(u"Band", u"Outside range (1-8)");
    return std::nullopt;
  }
  return static_cast<int>(*band);
}

}  // namespace

void update_items_from_file(Shop& shop, ImportScreens& screens) {
  const auto band = ask_band(shop, screens);
  if (!band) return;
  const auto file = screens.choose_file();
  if (!file) return;
  const auto counts = open_import_file(shop, *file);
  if (!counts) return;
  const int64_t lines = update_line_count(*counts);
  if (lines == 0) {
    platform::problem(shop.op(), u"Non recognised format");
    return;
  }
  if (shop.op().message(u"File import", text::format("%d records to update", {static_cast<long long>(lines)}),
                        platform::Buttons::OkCancel) != platform::Answer::Ok)
    return;
  shop.op().activity(text::format("File import: %s", {text::from_utf8(file->string())}));
  platform::Progress& progress = screens.progress();
  Update update(shop, progress, *file, lines);
  if (update.deletion_pass() == Outcome::Done) update.addition_pass(*band);
  progress.finish();
}

}  // namespace kelvo::exchange
