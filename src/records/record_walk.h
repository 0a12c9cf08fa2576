#pragma once
// Walking a record file for a list: the number index in ascending order from a first number to
// a last one, each record read through one cursor, progress reported as it goes. The list
// window and the prints read records only as far as they need them.
#include <algorithm>
#include <functional>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#include "platform/progress.h"
#include "records/file_io.h"
#include "records/record_files.h"
#include "records/shop.h"
#include "text/format.h"

namespace kelvo::records {

// A data file that a list cannot go through: one that does not open is "Data file: film.dat,
// not present." (caption "Fatal error"); one that opens but cannot be read is named as the finds
// name it, "Film.dat" (caption "Problem").
inline void report_unreadable(Shop& shop, std::string_view file_name, bool not_opened) {
  const text::u16 name = text::from_utf8(file_name);
  if (not_opened) {
    shop.op().message(u"Fatal error", text::format("Data file: %s, not present.", {name}));
    return;
  }
  text::u16 shown = name;
  if (!shown.empty()) shown[0] = text::fold_upper(shown[0]);
  platform::problem(shop.op(), shown);
}

template <class Record>
class IndexWalk {
 public:
  IndexWalk(Shop& shop, const RecordStore<Record>& store, std::string_view file_name,
            platform::Progress& progress, int64_t from = 1, int64_t to = kMaxNumber)
      : shop_(shop), store_(store), file_name_(file_name), progress_(progress), to_(to),
        cursor_(std::make_unique<RecordCursor>(store.file(), Record::kSize)) {
    const auto& e = store.index().entries();
    while (at_ < e.size() && e[at_].number < std::max<int64_t>(from, 1)) ++at_;
  }

  // The next live record in number order up to the last number. False at the end, when the
  // operator cancelled, or when the file failed (reported).
  bool next(Record& out) {
    const auto& e = store_.index().entries();
    if (stopped_) return false;
    if (at_ >= e.size() || e[at_].number > to_) return end();
    if (!progress_.step(u"Reading", static_cast<int64_t>(at_), static_cast<int64_t>(e.size()))) return stop();
    const ReadResult read = store_.read_slot(*cursor_, e[at_].slot, out);
    if (read != ReadResult::Ok) {
      stop();
      report_unreadable(shop_, file_name_, read == ReadResult::NotOpened);
      return false;
    }
    ++at_;
    return true;
  }
  bool cancelled_or_failed() const { return stopped_; }

 private:
  // The pass is over: its progress window goes before whatever follows (a message, the list).
  bool end() {
    progress_.finish();
    return false;
  }
  bool stop() {
    stopped_ = true;
    return end();
  }
  Shop& shop_;
  const RecordStore<Record>& store_;
  std::string_view file_name_;
  platform::Progress& progress_;
  int64_t to_;
  std::unique_ptr<RecordCursor> cursor_;
  size_t at_ = 0;
  bool stopped_ = false;
};

// Every record of the file in slot order, each handed to `visit(slot, record)` unless `wanted`
// rules its slot out. The records are looked at where the file's pages lie in memory (a record
// is its exact byte image), so the pass costs less than one read of the file. False when the
// operator cancelled or the file failed (reported).
template <class Record, class Wanted, class Visit>
bool for_each_in_file_order(Shop& shop, const RecordStore<Record>& store,
                            std::string_view file_name, platform::Progress& progress, Wanted wanted, Visit visit) {
  static_assert(sizeof(Record) == Record::kSize && alignof(Record) == 1);
  const int64_t slots = store.counts().total;
  const FileView file(store.file(), static_cast<uint64_t>(slots) * Record::kSize);
  if (!file.ok()) {
    report_unreadable(shop, file_name, !file.opened());
    return false;
  }
  const auto* records = std::launder(reinterpret_cast<const Record*>(file.data()));
  const int64_t per_step = std::max<int64_t>(1, (int64_t{1} << 20) / static_cast<int64_t>(Record::kSize));
  for (int64_t first = 0; first < slots; first += per_step) {
    if (!progress.step(u"Reading", first, slots)) {
      progress.finish();
      return false;
    }
    const int64_t last = std::min(slots, first + per_step);
    for (int64_t slot = first; slot < last; ++slot)
      if (wanted(slot)) visit(slot, records[slot]);
  }
  progress.finish();
  return true;
}

// The records of a number range, read once in file order however the numbers lie in the file,
// each turned into items by `make`; the items come back in number order.
template <class Record, class Item>
bool select_in_number_order(Shop& shop, const RecordStore<Record>& store,
                            std::string_view file_name, platform::Progress& progress, int64_t from, int64_t to,
                            const std::function<void(const Record&, std::vector<Item>&)>& make,
                            std::vector<Item>& out) {
  const int64_t slots = store.counts().total;
  // Where each slot stands in the number order, or -1 when it is deleted or outside the range.
  std::vector<int64_t> position(static_cast<size_t>(slots), -1);
  int64_t at = 0;
  for (const auto& e : store.index().entries())
    if (e.number >= std::max<int64_t>(from, 1) && e.number <= to && e.slot >= 0 && e.slot < slots)
      position[static_cast<size_t>(e.slot)] = at++;
  std::vector<std::pair<int64_t, Item>> found;
  std::vector<Item> made;
  const bool read = for_each_in_file_order(
      shop, store, file_name, progress, [&](int64_t slot) { return position[static_cast<size_t>(slot)] >= 0; },
      [&](int64_t slot, const Record& r) {
        made.clear();
        make(r, made);
        for (auto& item : made) found.emplace_back(position[static_cast<size_t>(slot)], std::move(item));
      });
  if (!read) return false;
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  out.clear();
  out.reserve(found.size());
  for (auto& f : found) out.push_back(std::move(f.second));
  return true;
}

}  // namespace kelvo::records
