#pragma once
// In-memory index of a record file: (number, slot) pairs in ascending signed order, so the
// deleted records (number -1) form a block at the front. Lookups by binary search give the
// same entry as walking from the front: the first of equal numbers in index order.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kelvo::records {

struct IndexEntry {
  int64_t number = 0;
  int64_t slot = 0;
  bool operator==(const IndexEntry&) const = default;
};

class NumberIndex {
 public:
  // Entries in file order; the result is the order of a stable sort on the number.
  void build(std::vector<IndexEntry> in_file_order);
  std::optional<int64_t> find(int64_t number) const;
  bool contains(int64_t number) const { return find(number).has_value(); }
  // The slot of the first entry when it is a deleted one: the slot the next addition reuses.
  std::optional<int64_t> first_deleted_slot() const;
  // Takes the first (deleted) entry out, as reuse of its slot does.
  void take_first_deleted();
  // Inserts after any equal numbers, as the insertion sort does.
  void insert(int64_t number, int64_t slot);
  // Moves the live entry of the number to the end of the deleted block. False when absent.
  bool mark_deleted(int64_t number);
  // Undoes an insert: removes the entry of that number and slot.
  void erase(int64_t number, int64_t slot);
  const std::vector<IndexEntry>& entries() const { return entries_; }
  // The live entries numbered from `from` to `to`, in number order (prints over a range).
  std::span<const IndexEntry> between(int64_t from, int64_t to) const;
  size_t size() const { return entries_.size(); }

 private:
  std::vector<IndexEntry> entries_;
};

}  // namespace kelvo::records
