#pragma once
// What a commit tells the other counters through the server's notifications, so that their next
// refresh takes it from what has already come instead of asking the server for the rows: with
// two counters every refresh brings the other's transaction, and that query was most of what
// sharing one database cost them. A notice only helps: a counter takes one when it follows on
// exactly what its working copy holds, and each record it rebuilds must match its writer's
// checksum; anything else is left to the refresh's query, which brings it as before.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo::store {

struct NoticeRecord {
  int table = 0;       // its place in kRecordTables
  int64_t slot = 0;
  int64_t prior = 0;   // the version the writer changed
  uint64_t hash = 0;   // image_hash of the record as written
  std::string stretches;  // stretches_between the prior record and the written one
};

struct NoticeLog {
  std::string file;
  std::string bytes;
};

struct NoticePart {
  int32_t offset = 0;
  int64_t whole = 0;  // the writer's part of the figure once the transaction stands
  double part = 0;
};

struct CommitNotice {
  // Set by the server: the versions and log entries the transaction drew, first to last (an
  // empty run has last = first - 1), and each record's new version in the order of `records`.
  int64_t first = 0, last = 0, first_log = 0, last_log = 0;
  std::vector<int64_t> written;
  // Set by the writer.
  std::string counter;
  std::vector<NoticeRecord> records;
  std::vector<NoticeLog> logs;
  std::vector<NoticePart> parts;
};

// A notification's payload is text of fewer than 8,000 bytes; the server adds its line to what
// the writer sends, so the writer leaves room for it.
constexpr size_t kNoticeRoom = 7600;

uint64_t image_hash(const uint8_t* bytes, size_t n);
// The bytes that differ, as runs of (u32 offset, u32 length, bytes); runs a few bytes apart go
// as one. Empty when nothing differs.
std::string stretches_between(const uint8_t* before, const uint8_t* after, size_t n);
// False, leaving `image` part written, when a run does not fit a record of n bytes.
bool apply_stretches(std::string_view stretches, uint8_t* image, size_t n);

// The writer's part of the payload; empty when it does not fit the room left.
std::string notice_body(const CommitNotice& notice);
// The server's line, then the writer's part; nullopt for anything malformed.
std::optional<CommitNotice> parse_notice(std::string_view payload);
// The server's line alone (first, last, first_log, last_log): enough to pass over a notice of a
// transaction the counter holds already.
std::optional<CommitNotice> parse_notice_span(std::string_view payload);

}  // namespace kelvo::store
