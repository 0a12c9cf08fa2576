#include "reports/work_file.h"

#include <algorithm>

#include "records/file_io.h"

namespace kelvo::reports {

bool write_work_file(const std::filesystem::path& file, const std::vector<WorkRecord>& records) {
  // An array of work records is already the file's byte layout.
  static_assert(sizeof(WorkRecord) == WorkRecord::kSize);
  return records::write_file_atomic(file, records.data(), records.size() * WorkRecord::kSize,
                                    records::Durability::Scratch);
}

}  // namespace kelvo::reports
