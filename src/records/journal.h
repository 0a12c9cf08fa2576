#pragma once
// The redo journal of one transaction: the after-image of every record, the log text and the
// changed bytes of wr.cfg, written and synced before any of them reaches its file. A complete
// journal found at start is applied again (every write is an after-image at a fixed position,
// so applying twice is applying once); a torn one is dropped, the files then being untouched.
//
// Layout of kelvo.jnl, little-endian:
//   "KVJNL001"  u32 write count
//   per write:  u8 kind (1 at offset, 2 whole file)  u8 name length  name  u64 offset  u32 length  bytes
//   u64 FNV-1a of everything above, "KVJNLEND"
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo::records {

constexpr std::string_view kJournalFile = "kelvo.jnl";

struct JournalWrite {
  std::string file;      // a data file of the shop's folder, by name
  uint64_t offset = 0;
  bool whole = false;    // the bytes are the file's whole new content
  std::vector<uint8_t> bytes;
};
using Journal = std::vector<JournalWrite>;

std::vector<uint8_t> encode_journal(const Journal& journal);
// nullopt for a torn, cut or foreign journal, or one naming a file the program never journals.
std::optional<Journal> decode_journal(const uint8_t* data, size_t len);

// Writes every entry to its file and syncs each file once. False at the first failure.
bool apply_journal(const std::filesystem::path& folder, const Journal& journal);

enum class JournalState { None, Complete, Torn };
struct JournalFound {
  JournalState state = JournalState::None;
  Journal journal;
};
// What kelvo.jnl holds, without changing anything.
JournalFound find_journal(const std::filesystem::path& folder);

enum class Recovery { None, Applied, Discarded, Failed };
// Run first at every start: a complete journal is applied and removed, a torn one removed.
Recovery recover_journal(const std::filesystem::path& folder);

// Crash injection for tests: the process ends (_exit) at the given step of the next commits
// (1 = after the journal is written, then after its sync, each applied write, each file sync,
// the journal's removal). 0 switches it off.
void set_commit_crash_step(int step);
// Called at each step of a commit.
void commit_step();

}  // namespace kelvo::records
