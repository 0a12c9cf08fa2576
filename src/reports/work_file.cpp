#include "reports/work_file.h"

#include <algorithm>

#include "records/file_io.h"

namespace kelvo::reports {

bool write_work_file(const std::filesystem::path& file, const std::vector<WorkRecord>& records) {
  std::vector<uint8_t> bytes(records.size() * WorkRecord::kSize);
  for (size_t i = 0; i < records.size(); ++i)
    std::copy_n(records[i].data(), WorkRecord::kSize, bytes.data() + i * WorkRecord::kSize);
  return records::write_file_atomic(file, bytes.data(), bytes.size());
}

}  // namespace kelvo::reports
