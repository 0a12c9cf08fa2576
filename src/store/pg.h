#pragma once
// A thin shell around one libpq connection: statements with binary parameters and results, and
// the binary COPY in both directions, which moves whole record files as rows at the speed of a
// file copy. Every failure of the server or of the connection becomes a DbError carrying the
// server's own words; nothing here decides what a failure means for the shop.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct pg_conn;
struct pg_result;

namespace kelvo::store {

class DbError : public std::runtime_error {
 public:
  explicit DbError(const std::string& what, std::string sqlstate = {}, bool connection_lost = false)
      : std::runtime_error(what), sqlstate_(std::move(sqlstate)), lost_(connection_lost) {}
  // The server's five-character code of the error ("40P01"); empty when the server gave none.
  const std::string& sqlstate() const { return sqlstate_; }
  // The connection is gone: what was sent may or may not have been done.
  bool connection_lost() const { return lost_; }

 private:
  std::string sqlstate_;
  bool lost_;
};
// The server could not be reached, or refused the login.
class Unreachable : public DbError {
 public:
  explicit Unreachable(const std::string& what) : DbError(what, {}, true) {}
};
// What was asked is not done, for a reason found before anything changed.
class Refused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One value of a statement or a COPY row, as the server's binary format has it.
struct Value {
  static Value null() { return Value{{}, true}; }
  static Value bytes(const uint8_t* p, size_t n) { return Value{{p, p + n}, false}; }
  static Value text(std::string_view s) { return Value{{s.begin(), s.end()}, false}; }
  static Value i32(int32_t v);
  static Value i64(int64_t v);
  static Value f64(double v);
  // A one-dimensional array of elements of the type whose oid is given (20 bigint, 23 integer,
  // 25 text, 17 bytea, 701 double precision, 16 boolean).
  static Value array(uint32_t element_oid, const std::vector<Value>& elements);
  std::vector<uint8_t> data;
  bool is_null = false;
};

class Result {
 public:
  explicit Result(pg_result* r) : r_(r) {}
  ~Result();
  Result(Result&& o) noexcept : r_(o.r_) { o.r_ = nullptr; }
  Result(const Result&) = delete;
  Result& operator=(const Result&) = delete;
  int rows() const;
  // Binary results: integers in network order, text and bytea as their bytes (empty for a
  // field that is not there).
  int32_t i32(int row, int col) const;
  int64_t i64(int row, int col) const;
  std::string text(int row, int col) const;
  // The same bytes where the result holds them, for as long as it lives.
  std::string_view view(int row, int col) const;

 private:
  pg_result* r_;
};

class Connection {
 public:
  // Throws Unreachable when the server cannot be reached or refuses the login.
  explicit Connection(const std::string& url);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  void exec(const std::string& sql);
  Result query(const std::string& sql, const std::vector<Value>& params = {});
  // A statement parsed and planned once for the connection, then run by name.
  void prepare(const std::string& name, const std::string& sql);
  Result run_prepared(const std::string& name, const std::vector<Value>& params);
  // The notifications that came with the answers so far, in the order sent: the server process
  // that sent each, and its payload. With `waiting`, those sent since the last answer as well,
  // read without waiting for more.
  struct Notification {
    int from;
    std::string payload;
  };
  std::vector<Notification> notifications(bool waiting = false);
  int backend_pid() const;

  // COPY ... FROM STDIN (FORMAT binary): rows sent as they are added, finished by end().
  class CopyIn {
   public:
    CopyIn(Connection& c, const std::string& table_and_columns);
    void row(const std::vector<Value>& fields);
    void end();

   private:
    void flush();
    Connection& c_;
    std::vector<uint8_t> buffer_;
  };
  // COPY (query) TO STDOUT (FORMAT binary): each row handed over as its fields, in order.
  void copy_out(const std::string& query, const std::function<void(const std::vector<Value>&)>& visit);

 private:
  [[noreturn]] void fail(std::string_view what) const;
  pg_conn* c_;
};

// Big-endian numbers of the binary format.
int64_t be64(const uint8_t* p);
int32_t be32(const uint8_t* p);

}  // namespace kelvo::store
