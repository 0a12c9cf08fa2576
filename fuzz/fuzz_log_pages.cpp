// The transaction log as the viewer pages through it.
#include "fuzz_folder.h"
#include "records/transaction_log.h"

using namespace kelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::put_file("lgb4.dat", data, size);
  const auto file = fuzz::scratch_folder() / "lgb4.dat";
  for (int page = 0; page < 64; ++page)
    if (!records::read_log_page(file, page).has_next) break;
  return 0;
}
