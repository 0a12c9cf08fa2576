// A whole stored shop: wr.cfg, ADDRESS.RK, film.dat, member.dat and mans.dat as the input gives
// them, opened and checked the way kelvo-check does, which runs every start-up reader.
#include <sstream>

#include "fuzz_folder.h"
#include "records/shop_check.h"

using namespace kelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr const char* kNames[] = {"wr.cfg", "ADDRESS.RK", "film.dat", "member.dat", "mans.dat"};
  auto parts = fuzz::pieces(data, size, 5);
  for (size_t i = 0; i < 5; ++i) fuzz::put_file(kNames[i], parts[i].data(), parts[i].size());
  std::ostringstream out;
  records::run_check(fuzz::scratch_folder(), out);
  return 0;
}
