#include "store/pg.h"

#include <libpq-fe.h>

#include <cstring>

namespace kelvo::store {

namespace {

void put_be(std::vector<uint8_t>& out, uint64_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

constexpr uint8_t kCopySignature[] = {'P', 'G', 'C', 'O', 'P', 'Y', '\n', 0xff, '\r', '\n', 0};
constexpr size_t kCopyHeader = sizeof kCopySignature + 8;  // signature, flags, extension length
constexpr size_t kCopyChunk = size_t{1} << 20;

// The server's words for a failure, without the trailing line break.
std::string trimmed(const char* message) {
  std::string m = message ? message : "";
  while (!m.empty() && (m.back() == '\n' || m.back() == ' ')) m.pop_back();
  return m;
}

}  // namespace

int64_t be64(const uint8_t* p) {
  uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v = (v << 8) | p[i];
  return static_cast<int64_t>(v);
}

int32_t be32(const uint8_t* p) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v = (v << 8) | p[i];
  return static_cast<int32_t>(v);
}

Value Value::i32(int32_t v) {
  Value out;
  put_be(out.data, static_cast<uint32_t>(v), 4);
  return out;
}

Value Value::i64(int64_t v) {
  Value out;
  put_be(out.data, static_cast<uint64_t>(v), 8);
  return out;
}

Value Value::f64(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  Value out;
  put_be(out.data, bits, 8);
  return out;
}

Value Value::array(uint32_t element_oid, const std::vector<Value>& elements) {
  Value out;
  bool nulls = false;
  for (const auto& e : elements) nulls |= e.is_null;
  put_be(out.data, elements.empty() ? 0 : 1, 4);  // dimensions
  put_be(out.data, nulls ? 1 : 0, 4);
  put_be(out.data, element_oid, 4);
  if (elements.empty()) return out;
  put_be(out.data, elements.size(), 4);
  put_be(out.data, 1, 4);  // lower bound
  for (const auto& e : elements) {
    put_be(out.data, e.is_null ? 0xffffffffu : static_cast<uint32_t>(e.data.size()), 4);
    out.data.insert(out.data.end(), e.data.begin(), e.data.end());
  }
  return out;
}

Result::~Result() {
  if (r_) PQclear(r_);
}
int Result::rows() const { return PQntuples(r_); }
int32_t Result::i32(int row, int col) const {
  return PQgetlength(r_, row, col) == 4 ? be32(reinterpret_cast<const uint8_t*>(PQgetvalue(r_, row, col))) : 0;
}
int64_t Result::i64(int row, int col) const {
  return PQgetlength(r_, row, col) == 8 ? be64(reinterpret_cast<const uint8_t*>(PQgetvalue(r_, row, col))) : 0;
}
std::string Result::text(int row, int col) const { return std::string(view(row, col)); }

std::string_view Result::view(int row, int col) const {
  if (row >= rows() || col >= PQnfields(r_)) return {};
  return std::string_view(PQgetvalue(r_, row, col), static_cast<size_t>(PQgetlength(r_, row, col)));
}

namespace {

// A server that has gone away without a word (a cable, a crashed machine) is given up after
// seconds, not after the system's TCP timeouts of many minutes: a counter says so and carries
// on. The URL may set each of these itself.
pg_conn* connect_to(const std::string& url) {
  const char* keys[] = {"connect_timeout", "tcp_user_timeout", "keepalives_idle", "keepalives_interval",
                        "keepalives_count", "dbname", nullptr};
  const char* values[] = {"5", "15000", "10", "5", "3", url.c_str(), nullptr};
  return PQconnectdbParams(keys, values, 1);
}

}  // namespace

Connection::Connection(const std::string& url) : c_(connect_to(url)) {
  if (PQstatus(c_) != CONNECTION_OK) {
    Unreachable error("cannot connect: " + trimmed(PQerrorMessage(c_)));
    PQfinish(c_);
    throw error;
  }
  // The server's notices are not the operator's business; its errors are reported.
  PQsetNoticeProcessor(c_, [](void*, const char*) {}, nullptr);
}

Connection::~Connection() { PQfinish(c_); }

void Connection::fail(std::string_view what) const {
  throw DbError(std::string(what) + ": " + trimmed(PQerrorMessage(c_)), {}, PQstatus(c_) != CONNECTION_OK);
}

namespace {

Result checked(pg_conn* c, PGresult* r, const char* what) {
  const auto status = r ? PQresultStatus(r) : PGRES_FATAL_ERROR;
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK || status == PGRES_COPY_IN || status == PGRES_COPY_OUT)
    return Result(r);
  std::string message = trimmed(r ? PQresultErrorMessage(r) : PQerrorMessage(c));
  const char* state = r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
  std::string sqlstate = state ? state : "";
  if (r) PQclear(r);
  // A server shut down or restarted ends the session with an error of class 57 (operator
  // intervention) before the connection drops.
  const bool lost = PQstatus(c) != CONNECTION_OK || sqlstate.rfind("57P", 0) == 0 || sqlstate.rfind("08", 0) == 0;
  throw DbError(std::string(what) + ": " + message, sqlstate, lost);
}

}  // namespace

std::vector<Connection::Notification> Connection::notifications(bool waiting) {
  // Not while a command is under way: its answer is read by whoever sent it.
  waiting = waiting && PQtransactionStatus(c_) != PQTRANS_ACTIVE;
  std::vector<Notification> out;
  // Each read takes a buffer's worth: read again while that brings more, the server's process
  // having more to send once there is room.
  for (size_t before = 0, reads = 0;; before = out.size(), ++reads) {
    if (waiting && PQconsumeInput(c_) == 0) throw DbError(PQerrorMessage(c_), "", PQstatus(c_) != CONNECTION_OK);
    while (PGnotify* n = PQnotifies(c_)) {
      out.push_back({n->be_pid, n->extra});
      PQfreemem(n);
    }
    if (!waiting || out.size() == before || reads == 1000) return out;
  }
}

int Connection::backend_pid() const { return PQbackendPID(c_); }

void Connection::exec(const std::string& sql) { checked(c_, PQexec(c_, sql.c_str()), "statement failed"); }

namespace {

// Parameters as libpq takes them, all in the binary format.
struct Params {
  explicit Params(const std::vector<Value>& params) {
    for (const auto& p : params) {
      // An empty value is not NULL: it still needs a place to point at.
      values.push_back(p.is_null ? nullptr : p.data.empty() ? "" : reinterpret_cast<const char*>(p.data.data()));
      lengths.push_back(static_cast<int>(p.data.size()));
      formats.push_back(1);
    }
  }
  int count() const { return static_cast<int>(values.size()); }
  std::vector<const char*> values;
  std::vector<int> lengths, formats;
};

}  // namespace

Result Connection::query(const std::string& sql, const std::vector<Value>& params) {
  const Params p(params);
  return checked(c_, PQexecParams(c_, sql.c_str(), p.count(), nullptr, p.values.data(), p.lengths.data(), p.formats.data(), 1),
                 "statement failed");
}

void Connection::prepare(const std::string& name, const std::string& sql) {
  checked(c_, PQprepare(c_, name.c_str(), sql.c_str(), 0, nullptr), "statement failed");
}

Result Connection::run_prepared(const std::string& name, const std::vector<Value>& params) {
  const Params p(params);
  return checked(c_, PQexecPrepared(c_, name.c_str(), p.count(), p.values.data(), p.lengths.data(), p.formats.data(), 1),
                 "statement failed");
}

Connection::CopyIn::CopyIn(Connection& c, const std::string& table_and_columns) : c_(c) {
  checked(c_.c_, PQexec(c_.c_, ("COPY " + table_and_columns + " FROM STDIN (FORMAT binary)").c_str()), "copy failed");
  buffer_.assign(std::begin(kCopySignature), std::end(kCopySignature));
  put_be(buffer_, 0, 4);  // flags
  put_be(buffer_, 0, 4);  // header extension length
}

void Connection::CopyIn::row(const std::vector<Value>& fields) {
  put_be(buffer_, fields.size(), 2);
  for (const auto& f : fields) {
    if (f.is_null) {
      put_be(buffer_, 0xffffffffu, 4);
      continue;
    }
    put_be(buffer_, f.data.size(), 4);
    buffer_.insert(buffer_.end(), f.data.begin(), f.data.end());
  }
  if (buffer_.size() >= kCopyChunk) flush();
}

void Connection::CopyIn::flush() {
  if (!buffer_.empty() &&
      PQputCopyData(c_.c_, reinterpret_cast<const char*>(buffer_.data()), static_cast<int>(buffer_.size())) != 1)
    c_.fail("copy failed");
  buffer_.clear();
}

void Connection::CopyIn::end() {
  put_be(buffer_, 0xffff, 2);  // trailer
  flush();
  if (PQputCopyEnd(c_.c_, nullptr) != 1) c_.fail("copy failed");
  checked(c_.c_, PQgetResult(c_.c_), "copy failed");
  while (PGresult* extra = PQgetResult(c_.c_)) PQclear(extra);
}

void Connection::copy_out(const std::string& query, const std::function<void(const std::vector<Value>&)>& visit) {
  checked(c_, PQexec(c_, ("COPY (" + query + ") TO STDOUT (FORMAT binary)").c_str()), "copy failed");
  bool header = true;
  std::vector<Value> fields;
  for (;;) {
    char* chunk = nullptr;
    const int n = PQgetCopyData(c_, &chunk, 0);
    if (n == -1) break;
    if (n < 0) fail("copy failed");
    // The server sends every row as one message; the first also carries the file header.
    const auto* p = reinterpret_cast<const uint8_t*>(chunk);
    const auto* end = p + n;
    if (header) {
      if (static_cast<size_t>(n) < kCopyHeader || std::memcmp(p, kCopySignature, sizeof kCopySignature) != 0) {
        PQfreemem(chunk);
        throw DbError("copy failed: not a binary copy");
      }
      p += kCopyHeader + static_cast<uint32_t>(be32(p + kCopyHeader - 4));
      header = false;
      if (p == end) {
        PQfreemem(chunk);
        continue;
      }
    }
    bool sound = end - p >= 2;
    const int count = sound ? static_cast<int16_t>((p[0] << 8) | p[1]) : 0;
    p += 2;
    fields.clear();
    for (int i = 0; sound && i < count; ++i) {
      if (end - p < 4) sound = false;
      if (!sound) break;
      const int32_t len = be32(p);
      p += 4;
      if (len < 0) {
        fields.push_back(Value::null());
        continue;
      }
      if (end - p < len) sound = false;
      if (!sound) break;
      fields.push_back(Value::bytes(p, static_cast<size_t>(len)));
      p += len;
    }
    PQfreemem(chunk);
    if (!sound) throw DbError("copy failed: a row cut short");
    if (count >= 0) visit(fields);  // -1 is the trailer
  }
  checked(c_, PQgetResult(c_), "copy failed");
  while (PGresult* extra = PQgetResult(c_)) PQclear(extra);
}

}  // namespace kelvo::store
