// The commit journal as a start finds it after a crash: decoded, and when whole, applied to a
// scratch shop (only the shop's own files, never a path outside it).
#include "fuzz_folder.h"
#include "records/journal.h"

using namespace kelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto journal = records::decode_journal(data, size);
  if (!journal) return 0;
  for (const auto& w : *journal)
    if (w.offset + w.bytes.size() > (uint64_t{1} << 24)) return 0;  // keep the scratch folder small
  records::apply_journal(fuzz::scratch_folder(), *journal);
  return 0;
}
