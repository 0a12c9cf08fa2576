#include "records/number_index.h"

#include <algorithm>

namespace kelvo::records {

namespace {
bool by_number(const IndexEntry& a, const IndexEntry& b) { return a.number < b.number; }
}  // namespace

void NumberIndex::build(std::vector<IndexEntry> in_file_order) {
  std::stable_sort(in_file_order.begin(), in_file_order.end(), by_number);
  entries_ = std::move(in_file_order);
}

std::optional<int64_t> NumberIndex::find(int64_t number) const {
  if (number == 0) return std::nullopt;
  auto it = std::lower_bound(entries_.begin(), entries_.end(), IndexEntry{number, 0}, by_number);
  if (it == entries_.end() || it->number != number) return std::nullopt;
  return it->slot;
}

std::optional<int64_t> NumberIndex::first_deleted_slot() const {
  if (entries_.empty() || entries_.front().number >= 0) return std::nullopt;
  return entries_.front().slot;
}

void NumberIndex::take_first_deleted() {
  if (first_deleted_slot()) entries_.erase(entries_.begin());
}

void NumberIndex::insert(int64_t number, int64_t slot) {
  auto it = std::upper_bound(entries_.begin(), entries_.end(), IndexEntry{number, 0}, by_number);
  entries_.insert(it, IndexEntry{number, slot});
}

bool NumberIndex::mark_deleted(int64_t number) {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), IndexEntry{number, 0}, by_number);
  if (number <= 0 || it == entries_.end() || it->number != number) return false;
  int64_t slot = it->slot;
  entries_.erase(it);
  insert(-1, slot);
  return true;
}

void NumberIndex::erase(int64_t number, int64_t slot) {
  auto it = std::find(entries_.begin(), entries_.end(), IndexEntry{number, slot});
  if (it != entries_.end()) entries_.erase(it);
}

std::span<const IndexEntry> NumberIndex::between(int64_t from, int64_t to) const {
  const auto first = std::lower_bound(entries_.begin(), entries_.end(), std::max<int64_t>(from, 1),
                                      [](const IndexEntry& e, int64_t n) { return e.number < n; });
  const auto last = std::upper_bound(first, entries_.end(), to,
                                     [](int64_t n, const IndexEntry& e) { return n < e.number; });
  return {first, last};
}

}  // namespace kelvo::records
