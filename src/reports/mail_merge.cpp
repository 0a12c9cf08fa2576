#include "reports/mail_merge.h"

#include "records/file_io.h"
#include "reports/letter_page.h"
#include "reports/letter_texts.h"
#include "reports/letters.h"
#include "text/coding.h"
#include "text/format.h"

namespace kelvo::reports {

namespace {

// A saved body of 998 characters takes 1996 bytes; the limit is read in characters so that
// every body the window saves can be loaded again.
constexpr size_t kMergeFileLimit = 1000;

void merge_page(LetterPage& page, const records::Shop& shop, const records::MemberRecord& m, text::u16view body) {
  for (int i = 1; i <= 6; ++i) {
    page.at_line(1 + i);
    page.centred(shop.address.line(i));
  }
  page.down(4);
  member_block(page, m, 0);
  const text::DateTime now = shop.now();
  page.right(text::format("%d %s %d", {now.day, text::month_name(now.month), now.year}));
  page.down(4);
  page.line(text::format("Dear Sir / Madam,           Member number: %I64d", {m.number()}));
  page.down(1);
  page.flow(body);
  page.line(u"Yours sincerely,");
  page.down(5);
  page.line(u"-------------------");
  page.line(u"Manager");
}

}  // namespace

bool merge_selects(const records::MemberRecord& m, MergeSelection s, int current_year) {
  switch (s) {
    case MergeSelection::All: return true;
    case MergeSelection::OweMoney: return m.owed() > 0;
    case MergeSelection::NotRentedThisYear: {
      const text::StampDate used = text::parse_stamp(m.last_used());
      return (used.valid ? used.year : 2) != current_year;
    }
  }
  return false;
}

MergeRun print_mail_merge(platform::Printer& p, records::Shop& shop, const MailMerge& merge,
                          platform::Progress& progress) {
  MergeRun run;
  const auto members = shop.members.index().between(merge.start_member, merge.end_member);
  const long long total = static_cast<long long>(members.size());
  const text::u16 body = with_crlf(merge.body);
  const int year = shop.now().year;
  records::MemberRecord m;
  auto cursor = shop.members.cursor();
  long long done = 0;
  for (const records::IndexEntry& e : members) {
    if (!progress.step(u"Mail merge", done++, total)) {
      run.cancelled = true;
      break;
    }
    if (shop.members.read_slot(cursor, e.slot, m) != records::ReadResult::Ok) {
      shop.op().message(u"Fatal error", u"Data file: member.dat, not present.");
      run.failed = true;
      break;
    }
    if (m.number() <= 0 || !merge_selects(m, merge.selection, year)) continue;
    if (run.pages > 0) p.new_page();
    LetterPage page(p);
    merge_page(page, shop, m, body);
    ++run.pages;
  }
  return run;
}

std::optional<text::u16> load_merge_text(const std::filesystem::path& file, platform::Operator& op) {
  const auto bytes = records::read_whole(file);
  if (!bytes) {
    op.message(u"Fatal error", u"File not present.");
    return std::nullopt;
  }
  if (bytes->empty() || bytes->size() % 2 != 0 || bytes->size() > 2 * kMergeFileLimit) {
    op.message(u"Problem", u"File of incorrect type");
    return std::nullopt;
  }
  return text::from_utf16le(bytes->data(), bytes->size());
}

bool save_merge_text(const std::filesystem::path& file, text::u16view body, platform::Operator& op) {
  const std::string bytes = text::utf16le_bytes(with_crlf(body));
  if (records::write_file_atomic(file, bytes.data(), bytes.size())) return true;
  op.message(u"Fatal error", u"File failure.");
  return false;
}

}  // namespace kelvo::reports
