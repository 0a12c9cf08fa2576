// The power goes off in the middle of a transaction: the shop, opened as the next start opens it,
// must hold it whole or not at all, with film.dat and member.dat agreeing and no journal waiting.
// The disk keeps nothing unsynced, or random blocks of it, and the renames and removals no folder
// sync has made durable up to a random one, in order, as a journalling file system keeps them.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "catalogue/member_history.h"
#include "catalogue/member_maintenance.h"
#include "counter/sale_basket.h"
#include "counter/stock_sale.h"
#include "counter_driver.h"
#include "exchange/import.h"
#include "records/journal.h"
#include "records/shop_check.h"
#include "shop_generator.h"
#include "text/coding.h"

namespace kelvo::crash {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using Snapshot = std::map<std::string, Bytes>;
Bytes read_file(const fs::path& file) { return records::read_whole(file).value_or(Bytes{}); }
class SimulatedDisk : public records::DiskObserver {
 public:
  static constexpr int kCutExit = 87;
  int events = 0;
  explicit SimulatedDisk(fs::path folder) : folder_(std::move(folder)) { file_system_synced(); }
  void cut_at(int event, bool blocks, uint32_t seed) { cut_at_ = event, blocks_ = blocks, rng_.seed(seed); }
  [[noreturn]] void cut() {
    records::set_disk_observer(nullptr);
    std::map<std::string, int> names = names_;
    for (size_t i = 0, kept = blocks_ ? rng_() % (ops_.size() + 1) : 0 % (ops_.size() + 1); i < kept; ++i) apply(ops_[i], names);
    std::map<int, Bytes> now;
    for (const auto& [name, inode] : listing()) now[file_[inode]] = read_file(folder_ / name), fs::remove(folder_ / name);
    for (const auto& [name, file] : names) {
      const Bytes bytes = !blocks_ || !now.count(file) ? content_[file] : blend(content_[file], now[file]);
      if (!records::write_file_atomic(folder_ / name, bytes.data(), bytes.size())) ::_exit(2);
    }
    ::_exit(kCutExit);
  }
  void created(const fs::path& f) override { if (in(f)) op({}, f.filename(), file_[inode_of(f)] = ++files_); }
  void written(int fd) override { if (file_.count(inode_of(link(fd), false))) event(); }
  // The descriptor may be open for writing only: the file is read again through its link.
  void synced(int fd) override {
    if (const ino_t inode = inode_of(link(fd), false); file_.count(inode)) content_[file_[inode]] = read_file(link(fd)), event();
  }
  void file_system_synced() override {
    names_.clear(), ops_.clear();
    for (const auto& [name, inode] : listing())
      content_[names_[name] = file_.count(inode) ? file_[inode] : (file_[inode] = ++files_)] = read_file(folder_ / name);
    event();
  }
  void folder_synced(const fs::path& folder) override {
    if (folder == folder_) std::for_each(ops_.begin(), ops_.end(), [&](const Op& op) { apply(op, names_); }), ops_.clear(), event();
  }
  void renamed(const fs::path& from, const fs::path& to, ino_t moved, ino_t) override { if (in(to)) op(from.filename(), to.filename(), file_[moved]); }
  void removed(const fs::path& f, ino_t inode) override { if (in(f)) op(f.filename(), {}, file_[inode]); }
 private:
  struct Op { std::string from, to; int file; };  // no `from` for a creation, no `to` for a removal
  void op(const fs::path& from, const fs::path& to, int file) { ops_.push_back({from.string(), to.string(), file}), event(); }
  bool in(const fs::path& file) const { return file.parent_path() == folder_; }
  void event() { if (++events == cut_at_) cut(); }
  static void apply(const Op& op, std::map<std::string, int>& names) { if (names.erase(op.from), !op.to.empty()) names[op.to] = op.file; }
  // Each 4 KiB block as synced or as written since, at either length: past what was kept, zeros.
  Bytes blend(const Bytes& synced, const Bytes& written) {
    Bytes out(rng_() % 2 ? synced.size() : written.size(), 0);
    for (size_t at = 0; at < out.size(); at += 4096)
      if (const Bytes& from = rng_() % 2 ? synced : written; at < from.size())
        std::copy_n(from.begin() + at, std::min({size_t{4096}, from.size() - at, out.size() - at}), out.begin() + at);
    return out;
  }
  static std::string link(int fd) { return "/proc/self/fd/" + std::to_string(fd); }
  static ino_t inode_of(const fs::path& file, bool link = true) {
    struct stat st {};
    return (link ? ::lstat : ::stat)(file.c_str(), &st) == 0 ? st.st_ino : 0;
  }
  std::map<std::string, ino_t> listing() const {
    std::map<std::string, ino_t> out;
    for (const auto& e : fs::directory_iterator(folder_))
      if (e.is_regular_file()) out[e.path().filename().string()] = inode_of(e.path());
    return out;
  }
  fs::path folder_;
  std::map<ino_t, int> file_;  // files are numbered apart from inodes, which the file system reuses
  int files_ = 0, cut_at_ = 0;
  std::map<std::string, int> names_;  // the names and contents as on the disk, then the creations,
  std::map<int, Bytes> content_;      // renames and removals not yet there
  std::vector<Op> ops_;
  bool blocks_ = false;
  std::mt19937 rng_;
};

struct NewMemberForm : catalogue::MemberFormView {
  catalogue::FormButton edit(catalogue::MemberForm& f) override {
    return f.set(catalogue::MemberField::Name, u"Powercut"), f.set(catalogue::MemberField::MembershipFee, u"5.00"), catalogue::FormButton::Ok;
  }
} form;
struct UpdateScreens : exchange::ImportScreens {
  fs::path file;
  platform::NoProgress none;
  std::optional<fs::path> choose_file() override { return file; }
  std::optional<exchange::ColumnAnswer> columns(exchange::ImportRecords, const std::vector<int>&) override { return std::nullopt; }
  std::optional<text::u16> update_band() override { return u"1"; }
  platform::Progress& progress() override { return none; }
} update;
// Found before the children fork: a member with five items out since `day`, stock lines, a file
// of two new items (`update`), the day it is late. `rented_to` is the run's last rental.
int64_t holder = 0, rented_to = 0, films_after_update = 0;
std::vector<int64_t> stock_lines;
text::DateTime late = bench::generated_shop_day();
fs::path root, base, work;
int* step_ends = static_cast<int*>(::mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
// After a cut the shop holds the state after one of the steps, or the `first_part` of the last,
// made durable before its transaction (a lost card is stopped whatever follows).
using Step = std::function<bool(Counter&)>;
struct Transaction { const char* name; std::vector<Step> steps; Step first_part = nullptr; };
bool rent_five(Counter& c) { std::mt19937 rng(5); return (rented_to = c.rent_five(rng)) != 0; }
Step return_late(const int64_t& member) { return [&member](Counter& c) { return c.clock().set(late), c.return_all(member); }; }
Step lost_card(platform::Answer copy) {
  return [copy](Counter& c) {
    const auto before = (c.op().answer = copy, c.op().typed = {text::format("%I64d", {holder})}, c.shop().members.counts().live);
    return catalogue::lost_card(c.shop(), c.screens()), copy != platform::Answer::Yes || c.shop().members.counts().live == before + 1;
  };
}
const std::vector<Transaction> kTransactions = {
    {"rental of five items", {rent_five}},
    {"late return with its settlement", {return_late(holder)}},
    {"rental and its return, the journal reused between them", {rent_five, return_late(rented_to)}},
    {"rental, then its counter of the day set outside a transaction",
     {rent_five, [](Counter& c) { return c.shop().config.set_i64(records::cfg::kRentalsToday, 77), c.shop().save_config(); }}},
    {"sale of stock", {[](Counter& c) {
       counter::SaleBasket basket(c.shop(), c.till());
       for (int64_t line : stock_lines) basket.add(line, 2);
       return counter::commit_stock_sale(c.shop(), basket);
     }}},
    {"new member with a fee",
     {[](Counter& c) { return catalogue::add_members(c.shop(), c.screens(), form, catalogue::MemberAddKind::Plain) == 1; }}},
    {"return, then the member's lost card stopped and copied to a new number",
     {return_late(holder), lost_card(platform::Answer::Yes)}, lost_card(platform::Answer::No)},
    {"batch of items updated from a file",
     {[](Counter& c) { return exchange::update_items_from_file(c.shop(), update), c.shop().films.counts().live == films_after_update; }}},
};

// `steps` of `t` in a child on a fresh copy of the shop (the last only to its first part), cut at `event`
// (0 never): the events it made (0 after a cut, -1 when it failed), each step's in `step_ends`.
constexpr int kAtEnd = 1 << 20;
int run(const Transaction& t, size_t steps, bool first_part, int event, bool blocks = false, uint32_t seed = 0) {
  fs::remove_all(work = root / "work");
  fs::copy(base, work);
  if (::fork() == 0) {
    auto c = std::make_unique<Counter>(work, bench::generated_shop_day());
    if (!c->open()) ::_exit(2);
    records::set_journal_round_capacity(48 << 10);  // two rentals do not fit: the second begins a new round
    SimulatedDisk disk(work);
    records::set_disk_observer(&disk);
    disk.cut_at(event == kAtEnd ? 0 : event, blocks, seed);
    bool done = true;
    for (size_t i = 0; i < steps && done; ++i)
      done = first_part && i + 1 == steps ? t.first_part(*c) : t.steps[i](*c), step_ends[i] = disk.events;
    if (event == kAtEnd) disk.cut();
    if (event == 0) c.reset();  // closed as at the end of a day: the reference
    ::_exit(done ? 0 : 3);
  }
  int status = 0;
  ::wait(&status);
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  EXPECT_TRUE(code == 0 || code == SimulatedDisk::kCutExit) << "the counter ended with " << code;
  return code == 0 ? step_ends[steps ? steps - 1 : 0] : code == SimulatedDisk::kCutExit ? 0 : -1;
}

// The files a transaction may change, after the next start: it finds the shop consistent.
Snapshot reopen() {
  {
    Counter c(work, bench::generated_shop_day());
    records::LoanLedger ledger;
    if (!records::open_data(c.shop(), records::OpenMode::Counter, &ledger)) return ADD_FAILURE() << "the shop does not open", Snapshot{};
    for (const auto& problem : records::find_inconsistencies(c.shop(), ledger)) ADD_FAILURE() << problem;
  }
  EXPECT_NE(records::find_journal(work).state, records::JournalState::Complete) << "a journal still waits after the start";
  Snapshot s;
  for (const char* name : {"film.dat", "member.dat", "mans.dat", "wr.cfg", "lgb4.dat", "resn.dat"}) s[name] = read_file(work / name);
  return s;
}
void make_shop() {
  fs::create_directories(base = (root = fs::temp_directory_path() / ("kelvo-cut-" + std::to_string(::getpid()))) / "base");
  bench::generate_shop(base, bench::ShopSize{60, 24, 10}, 11);
  Counter c(base, bench::generated_shop_day());
  ASSERT_TRUE(c.open());
  c.shop().config.set_i32(records::cfg::kLogCapacity, 1000);
  ASSERT_TRUE(c.shop().save_config());
  std::mt19937 rng(3);
  ASSERT_NE(holder = c.rent_five(rng), 0);
  for (int i = 0; i < 12; ++i) late = text::next_day(late);
  films_after_update = c.shop().films.counts().live + 2;
  records::StockRecord r;
  for (const auto& e : c.shop().stock.index().entries())
    if (e.number > 0 && c.shop().stock.read_slot(e.slot, r) == records::ReadResult::Ok && r.quantity() >= 2) stock_lines.push_back(e.number);
  // Additions only: a deletion pass would be a batch of its own.
  const std::string bytes = text::utf16le_bytes(u"\uFEFFNumber,Flag,Title,Format\r\n900001,1,Cut one,DVD\r\n900002,1,Cut two,DVD\r\n");
  ASSERT_TRUE(records::write_file_atomic(update.file = root / "update.txt", bytes.data(), bytes.size()));
}

TEST(PowerCutTest, EveryTransactionIsWholeOrAbsentAfterAnyCut) {
  ASSERT_NO_FATAL_FAILURE(make_shop());
  const char* env = std::getenv("KELVO_POWER_CUTS");
  const int wanted = env && std::atoi(env) > 0 ? std::atoi(env) : 2000;
  std::mt19937 rng(20261208);
  // The states a cut may leave: none, after each step, the last's first part, whole; once step k
  // has returned, only those from k on.
  struct Plan { const Transaction* t; std::vector<Snapshot> states; std::vector<int> ends; int events; };
  std::vector<Plan> plans;
  for (const Transaction& t : kTransactions) {
    SCOPED_TRACE(t.name);
    Plan p{&t, {}, {}, 0};
    for (size_t k = 0; k <= t.steps.size() + (t.first_part ? 1 : 0); ++k) {
      ASSERT_GE(p.events = run(t, std::min(k, t.steps.size()), t.first_part && k == t.steps.size(), k ? 0 : kAtEnd), 0);
      p.states.push_back(reopen());
    }
    ASSERT_GT(p.events, 0) << "the transaction did not run through";
    ASSERT_NE(p.states.back(), p.states.front()) << "it changed nothing";
    p.ends.assign(step_ends, step_ends + t.steps.size());
    plans.push_back(std::move(p));
  }
  int cuts = 0, whole = 0;
  auto cut = [&](const Plan& p, int event, bool blocks, uint32_t seed) {
    SCOPED_TRACE(std::string(p.t->name) + ", cut at " + std::to_string(event) + (blocks ? ", blocks kept by seed " + std::to_string(seed) : ""));
    if (++cuts, run(*p.t, p.t->steps.size(), false, event, blocks, seed) < 0) return;
    const Snapshot s = reopen();
    whole += s == p.states.back();
    const auto from = std::count_if(p.ends.begin(), p.ends.end(), [&](int end) { return end < event; });
    if (std::find(p.states.begin() + static_cast<long>(event == kAtEnd ? p.states.size() - 1 : static_cast<size_t>(from)), p.states.end(), s) == p.states.end())
      ADD_FAILURE() << "the transaction is neither whole nor absent, or one finished before is lost";
  };
  for (const Plan& p : plans)
    for (int at = 1; at <= p.events + 1 && !HasFailure(); ++at)
      for (bool blocks : {false, true}) cut(p, at > p.events ? kAtEnd : at, blocks, static_cast<uint32_t>(rng()));
  for (size_t i = 0; cuts < wanted && !HasFailure(); ++i) {
    const Plan& p = plans[i % plans.size()];
    cut(p, 1 + static_cast<int>(rng() % static_cast<uint32_t>(p.events)), true, static_cast<uint32_t>(rng()));
  }
  EXPECT_TRUE(whole > 0 && whole < cuts) << whole << " of " << cuts << " cuts kept the transaction whole";
  fs::remove_all(root);
}

}  // namespace
}  // namespace kelvo::crash
