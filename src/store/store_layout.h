#pragma once
// How a shop's files map onto the tables of a database store: record files become one row per
// slot, the two logs rows in commit order, wr.cfg its settings image plus one row per running
// figure, and every other file of the folder a named file, byte for byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo::store {

// Bumped when the tables change shape; a database of another format is not read.
constexpr int kStoreFormat = 1;

struct RecordTable {
  std::string_view file;
  std::string_view table;
  size_t record_size;
  bool numbered;  // the record starts with its 64-bit number (-1 once deleted)
};

// The fixed-record files, each with the table of its rows.
inline constexpr RecordTable kRecordTables[] = {
    {"film.dat", "film", 3040, true},
    {"member.dat", "member", 17660, true},
    {"mans.dat", "stock", 3116, true},
    {"resn.dat", "reservation_day", 29092, false},
};

// nullptr for a file that is not a record file.
const RecordTable* record_table(std::string_view file);
// lgb4.dat (the current log) and lgb2.dat (the one rolled over).
bool is_log_file(std::string_view file);

// The files without which a folder is not a shop.
inline constexpr std::string_view kRequiredFiles[] = {"film.dat", "member.dat", "wr.cfg"};

// What a row of shop_file says a file is.
enum class FileKind { Records, Log, Config, Bytes };
std::string_view kind_name(FileKind kind);
FileKind kind_of(std::string_view file);

// A stored file name lands inside the shop folder or nowhere: relative, `/`-separated, with no
// empty, "." or ".." part, so a damaged or hostile row cannot write outside the shop.
bool safe_file_name(std::string_view name);

// Where the rows of an imported log begin: at 0 and at each CR LF (0D 00 0A 00 at an even
// position of the UTF-16LE text), so the rows in order are the file again, whatever it holds.
std::vector<size_t> log_line_starts(const uint8_t* p, size_t n);

// The statements that create the tables of an empty store, in the connection's current schema.
std::string schema_statements();

}  // namespace kelvo::store
