#pragma once
// The work files f2.dat (films) and m2.dat (members): 212-byte records written whole by every
// sort and read back by position for the list window and the prints.
//
// | offset | size | field                                                  |
// |      0 |    8 | number, signed 64-bit                                  |
// |      8 |   84 | text 1, 41 characters (film title, member last name)   |
// |     92 |   60 | text 2, 29 characters (film category; rentals count)   |
// |    152 |   60 | text 3, 29 characters (film charge band; last_hire)    |
#include <filesystem>
#include <string_view>
#include <vector>

#include "records/record_image.h"
#include "records/record_store.h"

namespace kelvo::reports {

class WorkRecord : public records::RecordImage<212> {
 public:
  KELVO_I64(number, 0)
  KELVO_TEXT(text1, 8, 84)
  KELVO_TEXT(text2, 92, 60)
  KELVO_TEXT(text3, 152, 60)
};
static_assert(sizeof(WorkRecord) == 212);

constexpr std::string_view kFilmWorkFile = "f2.dat";
constexpr std::string_view kMemberWorkFile = "m2.dat";

// Replaces the work file whole: a reader never sees a half-written one. False when it could not
// be written (the old file, if any, stays).
bool write_work_file(const std::filesystem::path& file, const std::vector<WorkRecord>& records);

// Reads a work file from the front, one record after the other.
class WorkFileReader {
 public:
  explicit WorkFileReader(const std::filesystem::path& file) : cursor_(file, WorkRecord::kSize) {}
  // False at the end of the file (or when it cannot be read).
  bool next(WorkRecord& out) { return cursor_.read(at_++, out.data()) == records::ReadResult::Ok; }
  int64_t position() const { return at_; }
  bool opened() const { return cursor_.opened(); }

 private:
  records::RecordCursor cursor_;
  int64_t at_ = 0;
};

}  // namespace kelvo::reports
