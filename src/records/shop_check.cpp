#include "records/shop_check.h"

#include <stdlib.h>

#include <algorithm>

#include "platform/clock.h"
#include "platform/console_operator.h"
#include "platform/locale.h"
#include "records/file_io.h"
#include "records/journal.h"

namespace kelvo::records {

namespace {

std::string num(int64_t n) { return std::to_string(n); }

template <class R>
void find_duplicates(const RecordStore<R>& store, const char* what, std::vector<std::string>& out) {
  const auto& e = store.index().entries();
  for (size_t i = 0; i < e.size();) {
    size_t j = i + 1;
    while (j < e.size() && e[j].number == e[i].number) ++j;
    if (e[i].number > 0 && j - i > 1)
      out.push_back(std::string(what) + " number " + num(e[i].number) + " is used by " + num(static_cast<int64_t>(j - i)) + " records");
    i = j;
  }
}

}  // namespace

std::vector<std::string> find_inconsistencies(const Shop& shop, const LoanLedger& ledger) {
  std::vector<std::string> out;
  auto member_loans = ledger.member_loans;
  std::sort(member_loans.begin(), member_loans.end());
  auto film_loans = ledger.film_loans;
  std::sort(film_loans.begin(), film_loans.end());
  auto member_holds = [&](int64_t member, int64_t item) {
    return std::binary_search(member_loans.begin(), member_loans.end(), std::make_pair(member, item));
  };
  auto film_lent_to = [&](int64_t item, int64_t member) {
    return std::binary_search(film_loans.begin(), film_loans.end(), std::make_pair(item, member));
  };
  for (auto [item, member] : film_loans) {
    if (!shop.members.index().contains(member))
      out.push_back("Film " + num(item) + " is on loan to member " + num(member) + ", who is not on record");
    else if (!member_holds(member, item))
      out.push_back("Film " + num(item) + " is on loan to member " + num(member) + ", who does not hold it");
  }
  for (auto [member, item] : member_loans) {
    if (!shop.films.index().contains(item))
      out.push_back("Member " + num(member) + " holds film " + num(item) + ", which is not on record");
    else if (!film_lent_to(item, member))
      out.push_back("Member " + num(member) + " holds film " + num(item) + ", which is not on loan to them");
  }
  find_duplicates(shop.films, "Film", out);
  find_duplicates(shop.members, "Member", out);
  find_duplicates(shop.stock, "Stock", out);
  return out;
}

namespace {

// The shop as the next start will see it: a complete journal applied to copies of its files in a
// temporary folder, so that the shop itself is never written. Empty when there is nothing to apply.
class AppliedCopy {
 public:
  explicit AppliedCopy(const std::filesystem::path& folder, std::ostream& out) {
    const JournalFound found = find_journal(folder);
    if (found.state == JournalState::Torn)
      out << "An unfinished transaction (kelvo.jnl) will be dropped at the next start\n";
    if (found.state != JournalState::Complete) return;
    out << "A committed transaction (kelvo.jnl) will be completed at the next start; checked as completed\n";
    char templ[] = "/tmp/kelvo-check-XXXXXX";
    if (!::mkdtemp(templ)) return;
    copy_ = templ;
    for (auto name : {files::kFilm, files::kMember, files::kStock, files::kConfig, files::kAddress, files::kReservations,
                      files::kLog})
      if (records::file_size(folder / name)) copy_file_replacing(folder / name, copy_ / name);
    if (!apply_journal(copy_, found.journal)) out << "The transaction journal cannot be applied\n";
  }
  ~AppliedCopy() {
    std::error_code ec;
    if (!copy_.empty()) std::filesystem::remove_all(copy_, ec);
  }
  std::filesystem::path folder_or(const std::filesystem::path& folder) const { return copy_.empty() ? folder : copy_; }

 private:
  std::filesystem::path copy_;
};

}  // namespace

int run_check(const std::filesystem::path& shop_folder, std::ostream& out) {
  AppliedCopy applied(shop_folder, out);
  const std::filesystem::path folder = applied.folder_or(shop_folder);
  platform::ConsoleOperator console(out);
  platform::SystemClock clock;
  platform::EnglishLocale locale;
  Shop shop(folder, console, clock, locale);
  LoanLedger ledger;
  if (!open_data(shop, OpenMode::CheckOnly, &ledger)) return 2;
  for (const auto& line : startup_lines(shop)) out << text::to_utf8(line) << '\n';
  auto problems = find_inconsistencies(shop, ledger);
  for (const auto& line : problems) out << line << '\n';
  if (problems.empty()) return 0;
  out << problems.size() << " inconsistencies found\n";
  return 1;
}

}  // namespace kelvo::records
