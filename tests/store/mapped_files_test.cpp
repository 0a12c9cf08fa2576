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
    if (c.mapped) {
      EXPECT_EQ(std::string(back, back + 2), "XY");
    }
  }
  fs::remove(file);
  const uint8_t x = 'X';
  EXPECT_FALSE(mapped.write(file, 0, &x, 1));
  fs::remove_all(folder);
}

// Within a run the file is looked at once, its bounds still kept; a file replaced whole and
// said so is looked at again, so the next write lands in the new file, not the one gone.
TEST(MappedFiles, ARunLooksOnceAndAgainAfterAReplacement) {
  const fs::path folder = fs::temp_directory_path() / ("kelvo-mapped-run-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path file = folder / "film.dat";
  std::ofstream(file, std::ios::binary) << "abcdefgh";
  MappedFiles mapped;
  const uint8_t xy[2] = {'X', 'Y'};
  {
    MappedFiles::Run run(mapped);
    EXPECT_TRUE(mapped.write(file, 0, xy, 2));
    EXPECT_TRUE(mapped.write(file, 6, xy, 2));
    EXPECT_FALSE(mapped.write(file, 7, xy, 2));
    EXPECT_EQ(content(file), "XYcdefXY");
    std::ofstream(folder / "new", std::ios::binary) << "ijklmnop";
    fs::rename(folder / "new", file);
    mapped.replaced(file);
    EXPECT_TRUE(mapped.write(file, 2, xy, 2));
    EXPECT_EQ(content(file), "ijXYmnop");
  }
  fs::remove_all(folder);
}

}  // namespace
}  // namespace kelvo::store
