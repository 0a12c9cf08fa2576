#pragma once
// The redo journal of the transactions: the after-image of every record, the log text and the
// changed bytes of wr.cfg, written and synced before any of them reaches its file. The journal
// stays in place. Each transaction adds one record after the last and is then written to its
// files without waiting for the disk: one disk sync per transaction. The files are synced only
// at a checkpoint, when the journal starts a new round from its top: once it is full, before a
// file is changed outside a transaction, and when the shop closes.
//
// A start applies every valid record of the round again, in order (each write is an after-image
// at a fixed position, so applying twice is applying once), syncs the files and begins a new
// round. A record is valid when its checksum holds, it carries the round's salt and it follows
// the one before it: what an earlier round or a torn write left in the file never is.
//
// Layout of kelvo.jnl, little-endian:
//   header:      "KVJNL002"  u64 salt (new each round)  u64 FNV-1a of the 16 bytes before
//   per record:  "KVJNLREC"  u64 salt  u64 sequence (1, 2, ... in the round)  u32 body length
//                body: u32 write count, per write: u8 kind (1 at offset, 2 whole file)
//                      u8 name length  name  u64 offset  u32 length  bytes
//                u64 FNV-1a of the record up to here
// A journal of the layout before ("KVJNL001", the body, u64 FNV-1a, "KVJNLEND"), left by a crash,
// is still applied.
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

// A journal file holding one transaction, as the commit writes the first of a round.
std::vector<uint8_t> encode_journal(const Journal& journal, uint64_t salt = 1);
// The writes of every valid record of a journal file, in order; nullopt when it holds none (a
// torn, cut or foreign journal, an empty round, a record naming a file the program never journals).
std::optional<Journal> decode_journal(const uint8_t* data, size_t len);

// Writes every entry to its file, without waiting for the disk. False at the first failure.
bool apply_journal(const std::filesystem::path& folder, const Journal& journal);

// The transaction added to the journal and synced: from here on it stands. False when it could
// not be written; nothing of it then reaches a file.
bool write_journal(const std::filesystem::path& folder, const Journal& journal);
// The transaction just journalled written to its files. False when a file did not take it: it
// is completed by the next commit or the next start.
bool apply_journalled(const std::filesystem::path& folder, const Journal& journal);
// Every file written since the round began synced, and a new round begun. Nothing to do when the
// round is empty.
bool checkpoint_journal(const std::filesystem::path& folder);

enum class JournalState { None, Complete, Torn };
struct JournalFound {
  JournalState state = JournalState::None;
  Journal journal;
};
// What kelvo.jnl holds, without changing anything: None also for an empty round.
JournalFound find_journal(const std::filesystem::path& folder);

enum class Recovery { None, Applied, Discarded, Failed };
// Run first at every start: the transactions of the journal are applied, the files synced and a
// new round begun (a torn journal is dropped that way).
Recovery recover_journal(const std::filesystem::path& folder);

// For tests: a round full at this many bytes (0: the program's own size), so that a few
// transactions reach a checkpoint.
void set_journal_round_capacity(uint64_t bytes);

// Crash injection for tests: the process ends (_exit) at the given step of the next commits
// (1 = after the journal is written, then after its sync, then after each applied write). 0
// switches it off.
void set_commit_crash_step(int step);
// Called at each step of a commit.
void commit_step();

}  // namespace kelvo::records
