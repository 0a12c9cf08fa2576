#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "store/mapped_files.h"

namespace kelvo::store {
namespace {

namespace fs = std::filesystem;

std::string content(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The file changed under the mapping between two writes: each write lands in the file as it is
// then, or is handed back to the caller, never stored past the end or into a file gone.
TEST(MappedFiles, EachWriteLandsInTheFileAsItIsNow) {
  const fs::path folder = fs::temp_directory_path() / ("kelvo-mapped-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path file = folder / "film.dat";
  const struct {
    const char* what;
    std::string before;  // written over the file (through a new file renamed over it when `replaced`)
    bool replaced;
    uint64_t offset;
    bool mapped;
    std::string after;
  } cases[] = {
      {"inside", "abcdefgh", false, 2, true, "abXYefgh"},
      {"at the very end", "abcdefgh", false, 6, true, "abcdefXY"},
      {"one byte past the end", "abcdefgh", false, 7, false, "abcdefgh"},
      {"the file replaced", "ijklmnop", true, 0, true, "XYklmnop"},
      {"the file grown", "abcdefghijkl", false, 10, true, "abcdefghijXY"},
      {"the file shrunk", "abcd", false, 4, false, "abcd"},
      {"the file emptied", "", false, 0, false, ""},
  };
  MappedFiles mapped;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path target = c.replaced ? folder / "new" : file;
    std::ofstream(target, std::ios::binary | std::ios::trunc) << c.before;
    if (c.replaced) fs::rename(target, file);
    const uint8_t xy[2] = {'X', 'Y'};
    EXPECT_EQ(mapped.write(file, c.offset, xy, 2), c.mapped);
    EXPECT_EQ(content(file), c.after);
    uint8_t back[2] = {};
    EXPECT_EQ(mapped.read(file, c.offset, back, 2), c.mapped);
    if (c.mapped) EXPECT_EQ(std::string(back, back + 2), "XY");
  }
  fs::remove(file);
  const uint8_t x = 'X';
  EXPECT_FALSE(mapped.write(file, 0, &x, 1));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace kelvo::store
