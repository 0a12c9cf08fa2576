// Two counters of one shop kept in a database, in one process, each with its own folder and
// connection: what one changes reaches the other at its next operation, figures add up, a record
// changed at the other counter is refused whole, the day closes once, a commit or its answer lost
// on the way is told as it went (connections cut under working counters are the two-process
// test's: tests/database_counters.sh). Needs a server: tests/database_store.sh starts one and
// names its socket folder in KELVO_TEST_DATABASE_HOST.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <tuple>
#include <utility>

#include "records/commit.h"
#include "records/config_figures.h"
#include "records/data_opening.h"
#include "records/file_io.h"
#include "records/record_files.h"
#include "records/transaction_log.h"
#include "scripted_counter.h"
#include "shop_generator.h"
#include "store/commit_notice.h"
#include "store/config_rows.h"
#include "store/counter_sql.h"
#include "store/counter_store.h"
#include "store/figure_parts.h"
#include "store/shop_move.h"
#include "relay.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using records::cfg::FigureType;

// The socket folder of the tests' server.
std::string server_host() { return std::getenv("KELVO_TEST_DATABASE_HOST"); }

std::string url(const std::string& database, const std::string& host = server_host()) {
  return "postgresql:///" + database + "?host=" + host + "&user=kelvo";
}

// One counter: its folder, its operator, the shop opened on the working copy.
struct Till {
  // The working copy is made at once; the shop opens when open() is called.
  Till(const fs::path& folder, const std::string& database, const char* name, text::DateTime day,
       const std::string& host = server_host())
      : clock(day), shop(make(folder), op, clock, locale), remote({url(database, host), name}, shop) {
    remote.make_working_copy();
    shop.set_remote(&remote);
  }
  static fs::path make(const fs::path& folder) {
    fs::create_directories(folder);
    return folder;
  }
  bool open() { return opened = records::open_data(shop, records::OpenMode::Counter); }
  bench::QueueOperator op;
  platform::FixedClock clock;
  platform::EnglishLocale locale;
  records::Shop shop;
  store::CounterStore remote;
  bool opened = false;
};

class DatabaseCounters : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("KELVO_TEST_DATABASE_HOST")) GTEST_SKIP() << "no server: run through tests/database_store.sh";
    static int made = 0;
    database = "counters_" + std::to_string(::getpid()) + "_" + std::to_string(++made);
    folder = fs::temp_directory_path() / database;
    store::Connection(url("postgres")).exec("CREATE DATABASE " + database);
    bench::generate_shop(folder / "shop", bench::ShopSize{120, 40, 6}, 7);
    store::import_shop(folder / "shop", url(database), [](std::string_view) {});
  }
  void TearDown() override {
    a.reset();
    b.reset();
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
  void open_both(text::DateTime day = bench::generated_shop_day()) {
    a = std::make_unique<Till>(folder / "a", database, "till a", day);
    b = std::make_unique<Till>(folder / "b", database, "till b", day);
    ASSERT_TRUE(a->open() && b->open());
  }
  // The block as the server holds it now.
  records::ConfigBlock server_block() {
    store::Connection db(url(database));
    const auto bytes = store::get_config(db);
    records::ConfigBlock block;
    std::copy(bytes.begin(), bytes.end(), block.data());
    return block;
  }
  int64_t first_live(const records::NumberIndex& index) {
    for (const auto& e : index.entries())
      if (e.number > 0) return e.number;
    return 0;
  }

  std::string database;
  fs::path folder;
  std::unique_ptr<Till> a, b;
};

double figure(const records::ConfigBlock& c, size_t at, FigureType type) {
  if (type == FigureType::I32) return c.i32(at);
  if (type == FigureType::I64) return static_cast<double>(c.i64(at));
  return c.f32(at);
}
void add_to(records::ConfigBlock& c, size_t at, FigureType type, double by) {
  if (type == FigureType::I32) c.set_i32(at, c.i32(at) + static_cast<int32_t>(by));
  if (type == FigureType::I64) c.set_i64(at, c.i64(at) + static_cast<int64_t>(by));
  if (type == FigureType::F32) c.set_f32(at, c.f32(at) + static_cast<float>(by));
}

// Each counter adds to a running figure from the same stale start and changes a setting of its
// own: both additions and both settings stand, at the server and at each counter. The lists of
// the last items rented are each counter's own, never taken from the other, and found again at
// the counter's next start.
TEST_F(DatabaseCounters, FiguresAddUpAndSettingsMeet) {
  struct Case {
    const char* name;
    size_t at;
    FigureType type;
    double by_a, by_b;
    bool b_refreshes_first;  // b takes a's change in before it stores its own
  };
  const Case cases[] = {
      {"takings", records::cfg::kTakingsToday, FigureType::F32, 2.50, 1.25, false},
      {"takings, a refund", records::cfg::kTakingsToday, FigureType::F32, 7.75, -7.75, true},
      {"transaction counter", records::cfg::kTransactionCounter, FigureType::I32, 1, 1, false},
      {"rentals today", records::cfg::kRentalsToday, FigureType::I64, 5, 3, true},
      {"last till close-out counter", records::cfg::kTillCloseouts + 8, FigureType::I32, -2, 2147483, false},
  };
  open_both();
  const size_t last_rented = records::cfg::kLastRentedItems + 17 * 8;
  int setting = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    a->remote.refresh();
    b->remote.refresh();
    const double start = figure(server_block(), c.at, c.type);
    add_to(a->shop.config, c.at, c.type, c.by_a);
    a->shop.config.set_str(records::cfg::category_name(setting), records::cfg::kCategoryNameWidth, u"Till A");
    a->shop.config.set_i64(last_rented, setting);
    ASSERT_TRUE(a->shop.save_config());
    add_to(b->shop.config, c.at, c.type, c.by_b);
    b->shop.config.set_str(records::cfg::category_name(setting + 1), records::cfg::kCategoryNameWidth, u"Till B");
    b->shop.config.set_i64(last_rented, -setting);
    if (c.b_refreshes_first) b->remote.refresh();
    ASSERT_TRUE(b->shop.save_config());
    a->remote.refresh();
    b->remote.refresh();
    const records::ConfigBlock server = server_block();
    for (const records::ConfigBlock* block : {&server, &std::as_const(a->shop.config), &std::as_const(b->shop.config)}) {
      EXPECT_EQ(figure(*block, c.at, c.type), start + c.by_a + c.by_b);
      EXPECT_EQ(block->store_category(setting), u"Till A");
      EXPECT_EQ(block->store_category(setting + 1), u"Till B");
    }
    EXPECT_EQ(a->shop.config.i64(last_rented), setting);
    setting += 2;
  }
  EXPECT_EQ(a->op.messages + b->op.messages, 0);
  a = std::make_unique<Till>(folder / "a2", database, "till a", bench::generated_shop_day());
  ASSERT_TRUE(a->open());
  EXPECT_EQ(a->shop.config.i64(last_rented), setting - 2);
  EXPECT_EQ(a->shop.config.store_category(setting - 1), u"Till B");
}

// A counter adds up a figure's parts as the server does, to the bit, at the limits of each
// kind: a float sum that single precision would lose on the way, a lone negative zero, a whole
// figure reaching the top of its width, and parts cancelling out.
TEST_F(DatabaseCounters, CounterSumsFiguresAsTheServer) {
  struct Case {
    const char* name;
    size_t at;
    const char* base;                // the imported value, as SQL
    std::vector<const char*> parts;  // one counter's part each, as SQL (whole or float)
  };
  const Case cases[] = {
      {"float: 2^24 and two ones", records::cfg::kTakingsToday, "16777216", {"1", "1"}},
      {"float: pence past 65,536", records::cfg::kTakingsToday, "65535.99", {"('2.99'::real)::float8", "('0.01'::real)::float8", "-('65538.99'::real)::float8 + 65536"}},
      {"float: negative zero alone", records::cfg::kTakingsToday, "'-0'", {"'-0'::float8"}},
      {"whole: the top of 32 bits", records::cfg::kTransactionCounter, "2147483000", {"600", "47"}},
      {"whole: 64 bits cancelling out", records::cfg::kRentalsToday, "5", {"-7", "2"}},
  };
  open_both();
  store::Connection db(url(database));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string at = std::to_string(c.at);
    const bool whole = c.at != records::cfg::kTakingsToday;
    db.exec("UPDATE config_figure SET i32 = CASE kind WHEN 'i32' THEN (" + std::string(c.base) + ")::integer END, i64 = CASE kind WHEN 'i64' THEN (" +
            c.base + ")::bigint END, f32 = CASE kind WHEN 'f32' THEN (" + c.base + ")::real END WHERE byte_offset = " + at);
    db.exec("DELETE FROM config_figure_part WHERE byte_offset = " + at);
    char counter = 'p';
    for (const char* part : c.parts)
      db.exec("INSERT INTO config_figure_part (counter, byte_offset, i, f, version) VALUES ('" + std::string(1, counter++) + "', " + at + ", " +
              (whole ? part : "0") + ", " + (whole ? "0" : part) + ", nextval('change_seq'))");
    store::FigureParts parts;
    parts.load(db);
    std::string server = db.query("SELECT kelvo_figure(" + at + ")").text(0, 0);
    std::reverse(server.begin(), server.end());
    EXPECT_EQ(parts.value(static_cast<int32_t>(c.at)), std::vector<uint8_t>(server.begin(), server.end()));
  }
}

// A transaction as the flows make one: a member rewritten, a log entry, a running figure.
bool transaction(Till& t, int64_t member, text::u16view name, bool logged = true,
                 size_t figure = records::cfg::kRentalsToday) {
  records::Commit commit(t.shop);
  records::MemberRecord m;
  if (!records::read_member(t.shop, member, m)) return false;
  m.set_name(name);
  t.shop.config.set_i64(figure, t.shop.config.i64(figure) + 1);
  return records::rewrite_member(t.shop, m) &&
         (!logged || records::append_log(t.shop, records::log_prefix(t.shop.now()) + u"  " + text::u16(name))) && commit.finish();
}

// The connection lost with a transaction on its way to the server, or with the server's answer on
// its way back, for a transaction with a log entry and for one without (a figure added, a member
// amended): the operator is told nothing was saved exactly when nothing was (or when the server
// stays out of reach for the lookup), and the figure counts once either way, at the server and at
// the counter after its next refresh. The counter started before, in the same process under the
// same name, logged its first transactions: a lost one of the new run is never taken for one of
// those.
TEST_F(DatabaseCounters, LostAnswerStandsExactlyWhenTheServerHasTheTransaction) {
  a = std::make_unique<Till>(folder / "a", database, "till a", bench::generated_shop_day());
  ASSERT_TRUE(a->open());
  const int64_t member = first_live(a->shop.members.index());
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(transaction(*a, member, u"Earlier run"));
  test::Relay relay(folder / "relay", server_host());
  a = std::make_unique<Till>(folder / "a2", database, "till a", bench::generated_shop_day(), relay.host());
  ASSERT_TRUE(a->open());
  // `unsure`: the server cannot be reached for the lookup either; the transaction stood, but
  // the counter cannot know it until its next refresh, which must then bring it whole.
  const struct {
    bool logged;
    test::Relay::Lose lose;
    bool unsure;
    bool stands;
  } cases[] = {{true, test::Relay::Lose::Call, false, false}, {true, test::Relay::Lose::Answer, false, true},
               {false, test::Relay::Lose::Answer, false, true}, {false, test::Relay::Lose::Call, false, false},
               {false, test::Relay::Lose::Answer, true, true}, {true, test::Relay::Lose::Answer, true, true}};
  int n = 0;
  for (const auto& c : cases) {
    const text::u16 name = u"Lost " + text::u16(1, static_cast<char16_t>(u'A' + n++));
    SCOPED_TRACE(text::to_utf8(name));
    a->remote.refresh();
    const int64_t before = server_block().i64(records::cfg::kRentalsToday);
    a->op.messages = 0;
    relay.lose_next_commit(c.lose);
    if (c.unsure) relay.refuse_next_connection();
    const bool told_saved = c.stands && !c.unsure;
    EXPECT_EQ(transaction(*a, member, name, c.logged), told_saved);
    EXPECT_EQ(a->op.messages, told_saved ? 0 : 1);
    if (!told_saved) {
      EXPECT_EQ(a->op.last_message, u"The database server cannot be reached. Nothing was saved; please try again.");
    }
    EXPECT_EQ(server_block().i64(records::cfg::kRentalsToday), before + c.stands);
    a->remote.refresh();
    EXPECT_EQ(a->shop.config.i64(records::cfg::kRentalsToday), before + c.stands);
    records::MemberRecord m;
    ASSERT_TRUE(records::read_member(a->shop, member, m));
    EXPECT_EQ(m.name() == name, c.stands);
  }
}

// Whether a counter's transaction had the server to itself (refreshed first: its answer moves
// its marks, and it writes its own log entry and figures) or crossed the other's (its own come
// at its next refresh, among the other's), each working copy ends as the server's shop, byte for
// byte, but for the counter's own lists of last items; and a counter's current member, changed
// and not stored, is left as it is when its own record comes back. Each counter also moves a
// figure the other never does: its working copy holds that figure whatever a refresh brings.
TEST_F(DatabaseCounters, WorkingCopiesEndAsTheServer) {
  open_both();
  std::vector<int64_t> members;
  for (const auto& e : a->shop.members.index().entries())
    if (e.number > 0 && members.size() < 2) members.push_back(e.number);
  const struct {
    Till* till;
    bool refresh_first;
    const char16_t* name;
  } steps[] = {{a.get(), true, u"A alone"}, {b.get(), false, u"B crossing A"}, {a.get(), false, u"A crossing B"},
               {b.get(), true, u"B after A"}, {b.get(), false, u"B again"}, {a.get(), false, u"A crossing B again"}};
  for (const auto& step : steps) {
    if (step.refresh_first) step.till->remote.refresh();
    const bool at_b = step.till == b.get();
    const size_t figure = at_b ? records::cfg::kReturnsToday : records::cfg::kNewMembersToday;
    ASSERT_TRUE(transaction(*step.till, members[at_b], step.name, true, figure)) << text::to_utf8(step.till->op.last_message);
  }
  ASSERT_TRUE(records::read_member(a->shop, members[0], a->shop.member));
  a->shop.member.set_name(u"Not stored");
  a->remote.refresh();
  b->remote.refresh();
  // Each took some of the other's transactions (and its own crossed ones) from their notices.
  EXPECT_GT(a->remote.notices_taken(), 0u);
  EXPECT_GT(b->remote.notices_taken(), 0u);
  store::export_shop(url(database), folder / "server", [](std::string_view) {});
  auto masked = [](std::vector<uint8_t> block) {
    for (size_t at : {records::cfg::kLastReturnedItems, records::cfg::kLastRentedItems})
      std::fill_n(block.begin() + static_cast<long>(at), 18 * 8, 0);
    return block;
  };
  for (const char* till : {"a", "b"}) {
    for (const char* file : {"film.dat", "member.dat", "mans.dat", "lgb4.dat", "wr.cfg"}) {
      SCOPED_TRACE(std::string(till) + " " + file);
      auto copy = records::read_whole(folder / till / file), server = records::read_whole(folder / "server" / file);
      ASSERT_TRUE(copy && server);
      if (std::string_view(file) == "wr.cfg") EXPECT_TRUE(masked(*copy) == masked(*server));
      else EXPECT_TRUE(*copy == *server);
    }
  }
  EXPECT_EQ(a->shop.member.name(), u"Not stored");
  // The counting pass, which reads the working copy where the store holds it, counts as a pass
  // over the server's shop in a folder.
  bench::QueueOperator op;
  records::Shop exported(folder / "server", op, a->clock, a->locale);
  ASSERT_TRUE(records::count_activity(exported) && records::count_activity(a->shop));
  const records::ActivityCounts &counted = a->shop.activity, &expected = exported.activity;
  EXPECT_GT(expected.active_films, 0);
  EXPECT_EQ(std::tie(counted.active_films, counted.overdue, counted.active_members, counted.total_owed, counted.total_credit),
            std::tie(expected.active_films, expected.overdue, expected.active_members, expected.total_owed, expected.total_credit));
}

// A counter keeps its log open between transactions. Rolled over under it, the way a start rolls
// it (renamed here, a file that keeps its links) or by another counter's start (sent whole, a new
// file), the next entry goes to the log under the name: both logs of the working copy end as the
// server's.
TEST_F(DatabaseCounters, LogRolledOverUnderTheOpenLogEndsAsTheServer) {
  for (const bool here : {true, false}) {
    SCOPED_TRACE(here ? "rolled at this counter" : "rolled by another counter's start");
    const std::string name = here ? "here" : "there";
    a = std::make_unique<Till>(folder / name, database, "till a", bench::generated_shop_day());
    ASSERT_TRUE(a->open());
    const int64_t member = first_live(a->shop.members.index());
    ASSERT_TRUE(transaction(*a, member, u"Before the roll"));
    if (here) {
      const fs::path log = a->shop.path(records::files::kLog), previous = a->shop.path(records::files::kPreviousLog);
      records::before_direct_change(log);
      records::remove_file(previous);
      ASSERT_TRUE(records::rename_file(log, previous));
    } else {
      // Any log rolls at the next start.
      store::Connection(url(database)).exec("UPDATE config_block SET image = overlay(image PLACING '\\xffffffff'::bytea FROM " +
                                            std::to_string(records::cfg::kLogCapacity + 1) + "), version = nextval('change_seq')");
      Till starting(folder / (name + "-c"), database, "till c", bench::generated_shop_day());
      ASSERT_TRUE(starting.open());
      a->remote.refresh();
    }
    ASSERT_TRUE(transaction(*a, member, u"After the roll"));
    a->remote.refresh();
    store::export_shop(url(database), folder / (name + "-server"), [](std::string_view) {});
    for (auto file : {records::files::kLog, records::files::kPreviousLog}) {
      SCOPED_TRACE(std::string(file));
      const auto copy = records::read_whole(a->shop.path(file));
      ASSERT_TRUE(copy);
      EXPECT_TRUE(*copy == records::read_whole(folder / (name + "-server") / file));
      if (file == records::files::kLog) {
        EXPECT_NE(std::string(copy->begin(), copy->end()).find(std::string_view("A\0f\0t\0e\0r\0", 10)), std::string::npos);
      }
    }
    a.reset();
  }
}

// A notice that follows on what the counter holds is taken only when the record it rebuilds has
// its writer's checksum: one that does not match (a writer whose working copy had moved, a damaged
// payload) is left to the server's rows, which here hold no change at all.
TEST_F(DatabaseCounters, NoticeTakenOnlyWhenTheRebuiltRecordMatches) {
  open_both();
  const int64_t member = first_live(b->shop.members.index()), slot = *b->shop.members.index().find(member);
  b->remote.refresh();
  store::Connection db(url(database));
  const std::string held = db.query("SELECT bytes FROM member WHERE slot = $1", {store::Value::i64(slot)}).text(0, 0);
  const int64_t version = db.query("SELECT version FROM member WHERE slot = $1", {store::Value::i64(slot)}).i64(0, 0);
  const int64_t top = db.query("SELECT last_value FROM change_seq").i64(0, 0);
  const int64_t log_top = db.query("SELECT CASE WHEN is_called THEN last_value ELSE 0 END FROM log_seq").i64(0, 0);
  std::string renamed = held;
  const size_t at = records::MemberRecord::k_name;
  renamed[at] = static_cast<char>(0xa7);  // a name no generated member has: "§"
  renamed[at + 1] = 0;
  const auto* before = reinterpret_cast<const uint8_t*>(held.data());
  const auto* after = reinterpret_cast<const uint8_t*>(renamed.data());
  const uint64_t hash = store::image_hash(after, renamed.size());
  for (const bool matches : {false, true}) {
    SCOPED_TRACE(matches ? "checksum matches" : "checksum one off");
    store::CommitNotice n;
    n.counter = "till w";
    n.records.push_back({1, slot, version, matches ? hash : hash + 1, store::stretches_between(before, after, renamed.size())});
    const std::string line = std::to_string(top + 1) + " " + std::to_string(top + 1) + " " + std::to_string(log_top + 1) +
                             " " + std::to_string(log_top) + " " + std::to_string(top + 1);
    db.query("SELECT pg_notify('kelvo', $1)", {store::Value::text(line + "\n" + store::notice_body(n))});
    const uint64_t taken = b->remote.notices_taken();
    b->remote.refresh();
    EXPECT_EQ(b->remote.notices_taken(), taken + (matches ? 1 : 0));
    ASSERT_TRUE(records::read_member(b->shop, member, b->shop.member));
    EXPECT_EQ(b->shop.member.name()[0] == u'\u00a7', matches);
  }
}

// A counter that waits reads what the other's commits told it, and its next refresh takes
// those notices as if they had just come. Past the bound it holds, it drops them, and that
// refresh asks the server instead: the same record either way.
TEST_F(DatabaseCounters, NoticesReadWhileWaitingAreTakenOrLeftToTheServer) {
  open_both();
  const int64_t member = first_live(a->shop.members.index()), other = first_live(b->shop.films.index());
  for (const size_t commits : {store::CounterStore::kNoticesHeld, store::CounterStore::kNoticesHeld + 1}) {
    SCOPED_TRACE(commits);
    // A meets B, so that its commits tell of themselves in full.
    records::FilmRecord f;
    ASSERT_TRUE(records::read_film(b->shop, other, f));
    f.set_title(u"Met " + text::from_utf8(std::to_string(commits)));
    ASSERT_TRUE(records::rewrite_film(b->shop, f));
    a->remote.refresh();
    b->remote.refresh();
    const uint64_t taken = b->remote.notices_taken();
    records::MemberRecord m;
    for (size_t i = 0; i < commits; ++i) {
      a->remote.refresh();
      ASSERT_TRUE(records::read_member(a->shop, member, m));
      m.set_name(u"Name " + text::from_utf8(std::to_string(commits * 1000 + i)));
      ASSERT_TRUE(records::rewrite_member(a->shop, m));
      b->remote.hold_notices();
    }
    for (int wait = 0; wait < 50; ++wait) {  // the last ones on their way
      b->remote.hold_notices();
      ::usleep(10000);
    }
    b->remote.refresh();
    EXPECT_EQ(b->remote.notices_taken() - taken, commits <= store::CounterStore::kNoticesHeld ? commits : 0);
    records::MemberRecord at_b;
    ASSERT_TRUE(records::read_member(b->shop, member, at_b));
    EXPECT_EQ(at_b.name(), m.name());
  }
}

// A save that changes nothing (as every rental ends, its block already stored) goes nowhere:
// it neither stores nor takes in the other counter's change, which the next command's refresh
// brings. It cost each rental a round trip, and with two counters a refresh of its own.
TEST_F(DatabaseCounters, SaveOfNothingMakesNoRoundTrip) {
  open_both();
  const int64_t member = first_live(a->shop.members.index());
  records::MemberRecord m;
  ASSERT_TRUE(records::read_member(b->shop, member, m));
  m.set_name(u"Changed at B");
  ASSERT_TRUE(records::rewrite_member(b->shop, m));
  ASSERT_TRUE(a->shop.save_config());
  ASSERT_TRUE(records::read_member(a->shop, member, m));
  EXPECT_NE(m.name(), u"Changed at B");
  a->remote.refresh();
  ASSERT_TRUE(records::read_member(a->shop, member, m));
  EXPECT_EQ(m.name(), u"Changed at B");
  EXPECT_EQ(a->op.messages + b->op.messages, 0);
}

// A record's text field, read and rewritten through the record files' own functions.
template <class R>
struct TextField {
  bool (*read)(records::Shop&, int64_t, R&);
  bool (*rewrite)(records::Shop&, const R&);
  text::u16 (R::*get)() const;
  void (R::*set)(text::u16view);
  bool write(Till& t, int64_t number, text::u16view value) const {
    R r;
    if (!read(t.shop, number, r)) return false;
    (r.*set)(value);
    return rewrite(t.shop, r);
  }
  text::u16 value(Till& t, int64_t number) const {
    R r;
    read(t.shop, number, r);
    return (r.*get)();
  }
};

// A record rewritten at one counter after the other read it: the second is refused whole with
// its words, its working copy keeps what the server holds, and its next operation sees the first.
template <class R>
void refused_then_stored(Till& a, Till& b, const TextField<R>& field, int64_t number, const char16_t* words) {
  ASSERT_TRUE(field.write(a, number, u"From till A"));
  const text::u16 before = field.value(b, number);
  EXPECT_FALSE(field.write(b, number, u"From till B"));
  EXPECT_EQ(b.op.last_message, words);
  EXPECT_EQ(field.value(b, number), before);
  b.remote.refresh();
  EXPECT_EQ(field.value(b, number), u"From till A");
  ASSERT_TRUE(field.write(b, number, u"From till B"));
  a.remote.refresh();
  EXPECT_EQ(field.value(a, number), u"From till B");
}

TEST_F(DatabaseCounters, RecordChangedAtTheOtherCounterIsRefused) {
  open_both();
  using records::FilmRecord, records::MemberRecord, records::StockRecord;
  refused_then_stored(*a, *b, TextField<MemberRecord>{records::read_member, records::rewrite_member, &MemberRecord::name, &MemberRecord::set_name},
                      first_live(a->shop.members.index()),
                      u"This member was changed at another counter. Nothing was saved; please try again.");
  refused_then_stored(*a, *b, TextField<FilmRecord>{records::read_film, records::rewrite_film, &FilmRecord::title, &FilmRecord::set_title},
                      first_live(a->shop.films.index()),
                      u"This film was changed at another counter. Nothing was saved; please try again.");
  refused_then_stored(*a, *b, TextField<StockRecord>{records::read_stock, records::rewrite_stock, &StockRecord::description, &StockRecord::set_description},
                      first_live(a->shop.stock.index()),
                      u"This stock line was changed at another counter. Nothing was saved; please try again.");
}

// A film changed and a log entry written by a transaction of another counter that has drawn
// its versions but not yet committed, while b stores a change and a log entry drawn after it: a
// takes b's member in at once, but b's log entry only after the open one's, which comes first in
// the log; and the film when that transaction's commit is visible, not never.
TEST_F(DatabaseCounters, RefreshNeverPassesATransactionStillCommitting) {
  open_both();
  const int64_t film = first_live(a->shop.films.index()), slot = *a->shop.films.index().find(film);
  const int64_t member = first_live(a->shop.members.index());
  // The log's first entry, which makes its file at the server, stored before the open one.
  ASSERT_TRUE(transaction(*b, member, u"Before the open one"));
  a->remote.refresh();
  store::Connection writer(url(database));
  writer.exec("BEGIN");
  writer.exec("SELECT c.* FROM film r, LATERAL kelvo_commit(0, 0, 'till w', 'w 1', ARRAY['film'], ARRAY[r.slot], ARRAY[r.version],"
              " ARRAY[r.number], ARRAY[false], ARRAY[overlay(r.bytes PLACING '\\x5700'::bytea FROM " +
              std::to_string(records::FilmRecord::k_title + 1) +
              ")], '{}', '{}', '{}', '{}', '{}', ARRAY['lgb4.dat'], ARRAY['\\x570d0a'::bytea], '{}', NULL, NULL, '{}', '{}', NULL) c"
              " WHERE r.slot = " + std::to_string(slot));
  ASSERT_TRUE(transaction(*b, member, u"After the open one"));
  const auto log_before = records::read_whole(folder / "a" / "lgb4.dat");
  records::FilmRecord f;
  for (bool committed : {false, true}) {
    SCOPED_TRACE(committed ? "committed" : "still committing");
    if (committed) writer.exec("COMMIT");
    a->remote.refresh();
    ASSERT_TRUE(records::read_member(a->shop, member, a->shop.member));
    EXPECT_EQ(a->shop.member.name(), u"After the open one");
    ASSERT_TRUE(records::read_film(a->shop, film, f));
    EXPECT_EQ(f.title()[0] == u'W', committed);
    if (!committed) {
      EXPECT_TRUE(records::read_whole(folder / "a" / "lgb4.dat") == log_before);
    }
  }
  store::export_shop(url(database), folder / "server", [](std::string_view) {});
  EXPECT_TRUE(records::read_whole(folder / "a" / "lgb4.dat") == records::read_whole(folder / "server" / "lgb4.dat"));
}

// The refresh's one plan, made while the log is empty (a new shop), must still read a long log
// by its index: planned as a scan of the table, it read the whole day's log at every refresh.
TEST_F(DatabaseCounters, RefreshPlannedOnAnEmptyLogReadsTheLogByItsIndex) {
  open_both();
  store::Connection counter(url(database)), other(url(database));
  ASSERT_EQ(counter.query("SELECT count(*) FROM log_entry").i64(0, 0), 0);
  counter.exec("ANALYZE log_entry");
  counter.exec("SELECT count(*) FROM kelvo_changes(0, 0, '{}'::bigint[])");
  other.exec("INSERT INTO log_entry (file, counter, transaction_id, bytes)"
             " SELECT 'lgb4.dat', 'till b', 'b ' || n, '\\x0d0a' FROM generate_series(1, 5000) n");
  const auto marks = counter.query("SELECT (SELECT last_value FROM change_seq), (SELECT max(seq) FROM log_entry)");
  // The backend's counts not yet sent to the server's statistics, which it sends only between
  // transactions.
  counter.exec("BEGIN");
  const std::string scans = "SELECT seq_scan FROM pg_stat_xact_user_tables WHERE relname = 'log_entry'";
  const int64_t scanned = counter.query(scans).i64(0, 0);
  const auto rows = counter.query("SELECT what FROM kelvo_changes(" + std::to_string(marks.i64(0, 0)) + ", " +
                                  std::to_string(marks.i64(0, 1) - 1) + ", '{}'::bigint[])");
  ASSERT_EQ(rows.rows(), 2);
  EXPECT_EQ(rows.text(1, 0), "log");
  EXPECT_EQ(counter.query(scans).i64(0, 0), scanned);
  counter.exec("COMMIT");
}

// The same new member number given at both counters before either saw the other's.
TEST_F(DatabaseCounters, NumberGivenAtBothCountersIsTakenOnce) {
  open_both();
  records::MemberRecord m;
  ASSERT_TRUE(records::read_member(a->shop, first_live(a->shop.members.index()), m));
  m.set_number(900001);
  records::MemberRecord copy_a = m, copy_b = m;
  ASSERT_TRUE(records::add_member_copy(a->shop, copy_a));
  const auto counts = b->shop.members.counts();
  EXPECT_FALSE(records::add_member_copy(b->shop, copy_b));
  EXPECT_EQ(b->op.last_message, u"Number in use.");
  EXPECT_EQ(b->shop.members.counts().live, counts.live);
  b->remote.refresh();
  EXPECT_TRUE(b->shop.members.index().contains(900001));
  EXPECT_EQ(b->shop.members.counts().live, counts.live + 1);
  EXPECT_EQ(store::Connection(url(database)).query("SELECT count(*) FROM member WHERE number = 900001").i64(0, 0), 1);
}

// Both counters start on the next day, the second from a working copy made before the first
// closed the day: the day is closed once (the history moved by one day, not two).
TEST_F(DatabaseCounters, DayClosesOnce) {
  const records::ConfigBlock before = server_block();
  ASSERT_GT(before.takings_today(), 0);
  const text::DateTime next = text::next_day(bench::generated_shop_day());
  b = std::make_unique<Till>(folder / "b", database, "till b", next);
  a = std::make_unique<Till>(folder / "a", database, "till a", next);
  ASSERT_TRUE(a->open());
  ASSERT_TRUE(b->open());
  for (const records::ConfigBlock* block : {&std::as_const(b->shop.config), &std::as_const(a->shop.config)}) {
    EXPECT_EQ(block->takings_today(), 0);
    EXPECT_EQ(block->f32(records::cfg::history_entry(0)), before.takings_today());
    EXPECT_EQ(block->f32(records::cfg::history_entry(1)), before.f32(records::cfg::history_entry(0)));
  }
  EXPECT_EQ(server_block().f32(records::cfg::history_entry(0)), before.takings_today());
}

// After a gap the date question is put before the day is taken from the other counters: held
// while the operator reads it, the day would stop their transactions. Cancelled, the opening
// ends and the server's day stays as it was; confirmed, the day closes.
TEST_F(DatabaseCounters, DateQuestionAskedBeforeTheDayIsHeld) {
  const float takings = server_block().takings_today();
  ASSERT_GT(takings, 0);
  const text::DateTime after_gap = text::next_day(text::next_day(bench::generated_shop_day()));
  for (const auto answer : {platform::Answer::Cancel, platform::Answer::Ok}) {
    const bool confirmed = answer == platform::Answer::Ok;
    SCOPED_TRACE(confirmed ? "confirmed" : "cancelled");
    a = std::make_unique<Till>(folder / (confirmed ? "ok" : "cancel"), database, "till a", after_gap);
    a->op.answer = answer;
    bool day_free = false;
    a->op.on_message = [&] {
      store::Connection other(url(database));
      day_free = other.query("SELECT pg_try_advisory_lock(" + std::to_string(store::kDayLock) + ")::int").i32(0, 0) == 1;
    };
    EXPECT_EQ(a->open(), confirmed);
    EXPECT_NE(a->op.last_message.find(u"Usage gap"), text::u16::npos);
    EXPECT_TRUE(day_free);
    EXPECT_EQ(server_block().takings_today(), confirmed ? 0 : takings);
    a.reset();
  }
}

// A counter started on a database in a folder that keeps a shop of its own: refused, the shop
// untouched; a new folder gets its working copy and is marked as one for the next start.
TEST_F(DatabaseCounters, WorkingCopyNeverLandsOnAShopFolder) {
  bench::QueueOperator op;
  platform::FixedClock clock(bench::generated_shop_day());
  platform::EnglishLocale locale;
  records::Shop own(folder / "shop", op, clock, locale);
  store::CounterStore remote({url(database), "till c"}, own);
  const auto before = records::read_whole(folder / "shop" / "member.dat");
  EXPECT_THROW(remote.make_working_copy(), store::Refused);
  EXPECT_EQ(records::read_whole(folder / "shop" / "member.dat"), before);
  EXPECT_FALSE(fs::exists(folder / "shop" / std::string(store::kSettingsFile)));
  a = std::make_unique<Till>(folder / "a", database, "till a", bench::generated_shop_day());
  EXPECT_EQ(store::read_counter_settings(folder / "a")->counter, "till a");
  a.reset();
  EXPECT_NO_THROW(a = std::make_unique<Till>(folder / "a", database, "till a", bench::generated_shop_day()));
}

}  // namespace
}  // namespace kelvo
