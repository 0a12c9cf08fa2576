#pragma once
// Small file helpers shared by every data file: whole-file writes by temporary file and rename,
// whole-record reads and writes at a byte position, and file sizes. No data file stays open
// between operations.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace kelvo::records {

// Writes the bytes to "<file>.tmp" beside it, flushes, then renames over the file.
bool write_file_atomic(const std::filesystem::path& file, const void* data, size_t len);
// Size of a regular file, or nullopt when it does not exist or cannot be read.
std::optional<uint64_t> file_size(const std::filesystem::path& file);
// Reads up to len bytes at pos; returns the count read, or -1 when the file cannot be opened.
long long read_at(const std::filesystem::path& file, uint64_t pos, void* out, size_t len);
// Writes exactly len bytes at pos of an existing file and waits until they are on the disk. Open failure and short write are
// told apart so that each gets its own message.
enum class WriteResult { Ok, NotOpened, ShortWrite };
WriteResult write_at(const std::filesystem::path& file, uint64_t pos, const void* data, size_t len);
// Appends bytes (flushed to the disk), creating the file when missing. False when it cannot be opened or written.
bool append_bytes(const std::filesystem::path& file, const void* data, size_t len);
// Whole file into memory (nullopt when it cannot be opened).
std::optional<std::vector<uint8_t>> read_whole(const std::filesystem::path& file);

}  // namespace kelvo::records
