#pragma once
// The seam to a shop kept on a database server. The counter keeps working on its folder, which
// then holds a working copy of the shop; every change is stored on the server first, as one
// transaction of the server, and reaches the working copy only once the server has taken it.
#include <cstdint>
#include <filesystem>
#include <span>

#include "records/journal.h"

namespace kelvo::records {

class RemoteStore {
 public:
  virtual ~RemoteStore() = default;
  // The writes a commit collected, stored as one transaction of the server; then the working
  // copy is brought up to date with them and with what other counters changed meanwhile. False
  // when the server refused them (another counter changed a record since it was read) or could
  // not be reached: the operator has been told, nothing is stored anywhere.
  virtual bool commit(const Journal& writes) = 0;
  // At the start of each operation: what other counters changed is brought into the working
  // copy and into memory. Silent when the server is away; the next commit says so.
  virtual void refresh() = 0;
  // While the counter waits for its operator, every few seconds: what the server sent meanwhile
  // is read and kept for the next refresh, so that the server need not keep it.
  virtual void hold_notices() = 0;
  // A file of the working copy as the store holds it in memory, for a pass over every record;
  // empty when it holds none, and the file is then read.
  virtual std::span<const uint8_t> held(const std::filesystem::path& file) = 0;
  // Around the opening's day close: one counter at a time, each seeing what the one before it
  // closed. False when the server cannot be reached (reported).
  virtual bool begin_day_close() = 0;
  virtual bool end_day_close() = 0;
};

}  // namespace kelvo::records
