#include "exchange/export.h"

#include <system_error>

#include "exchange/xml_film_item.h"
#include "records/config_layout.h"
#include "records/file_io.h"
#include "text/coding.h"

namespace kelvo::exchange {

namespace {

constexpr int kFileNameLimit = 34;

// The export in UTF-16LE, written through the one replacement of a whole file: the target
// changes only when the export is complete.
class StagedFile {
 public:
  explicit StagedFile(std::filesystem::path target) : out_(std::move(target)) {}
  bool opened() const { return out_.opened(); }
  void bytes(std::initializer_list<uint8_t> b) { out_.write(b.begin(), b.size()); }
  void put(text::u16view s) {
    const std::string bytes = text::utf16le_bytes(s);
    out_.write(bytes.data(), bytes.size());
  }
  bool commit() { return out_.commit(); }

 private:
  records::FileReplacement out_;
};


// The index entries to export: from the first live number not below start while not above
// finish, in ascending number order.
std::vector<records::IndexEntry> entries_in_range(const records::NumberIndex& index, int64_t start, int64_t finish) {
  std::vector<records::IndexEntry> out;
  for (const auto& e : index.entries()) {
    if (e.number < start || e.number <= 0) continue;
    if (e.number > finish) break;
    out.push_back(e);
  }
  return out;
}

template <class Record, class Entry>
bool write_records(records::Shop& shop, const records::RecordStore<Record>& store, const char16_t* not_present,
                   const std::vector<records::IndexEntry>& entries, StagedFile& out, Entry entry) {
  auto cursor = store.cursor();
  Record r;
  for (const auto& e : entries) {
    if (store.read_slot(cursor, e.slot, r) != records::ReadResult::Ok) {
      shop.op().message(u"Fatal error", not_present);
      return false;
    }
    out.put(entry(r));
  }
  return true;
}

}  // namespace

bool is_shop_file(const records::Shop& shop, const std::filesystem::path& target) {
  namespace files = records::files;
  for (auto name : {files::kFilm, files::kMember, files::kStock, files::kConfig, files::kAddress,
                    files::kReservations, files::kLog, files::kPreviousLog}) {
    std::error_code ec;
    if (std::filesystem::equivalent(target, shop.path(name), ec)) return true;
  }
  return false;
}

std::vector<text::u16> category_names(const records::ConfigBlock& config) {
  std::vector<text::u16> out;
  for (int i = 1; i <= records::cfg::kCategoryCount; ++i) {
    auto name = config.store_category(i);
    if (!name.empty()) out.push_back(std::move(name));
  }
  return out;
}

text::u16 default_file_name(ExportRecords which, ExportFormat format) {
  text::u16 name = which == ExportRecords::Films ? u"FILM" : u"MEMBER";
  switch (format) {
    case ExportFormat::Text: return name + u".TXT";
    case ExportFormat::Html: return name + u".HTM";
    case ExportFormat::Xml: return name + u".XML";
  }
  return name;
}

bool write_export(records::Shop& shop, const ExportChoices& c, const FieldChoice& fields, text::u16view file_name) {
  const bool films = c.records == ExportRecords::Films;
  const int64_t start = text::parse_int64(c.start);
  const int64_t finish = text::parse_int64(c.finish);
  auto entries = entries_in_range(films ? shop.films.index() : shop.members.index(), start, finish);
  if (entries.empty()) {
    platform::problem(shop.op(), u"No items in range.");
    return false;
  }
  const char16_t* not_present = films ? u"Data file: film.dat, not present." : u"Data file: member.dat, not present.";
  if (!records::file_size(films ? shop.films.file() : shop.members.file())) {
    shop.op().message(u"Fatal error", not_present);
    return false;
  }
  const auto target = shop.path(text::to_utf8(file_name));
  if (is_shop_file(shop, target)) {
    platform::problem(shop.op(), u"Unable to open file.");
    return false;
  }
  StagedFile out(target);
  if (!out.opened()) {
    platform::problem(shop.op(), u"Unable to open file.");
    return false;
  }
  if (c.unicode_header) out.bytes({0xFF, 0xFE});

  bool ok = false;
  switch (c.format) {
    case ExportFormat::Text:
      break;
    case ExportFormat::Html:
      out.put(html_head(c.html.size));
      break;
    case ExportFormat::Xml:
      out.put(kXmlHead);
      break;
  }
  if (films) {
    ok = write_records(shop, shop.films, not_present, entries, out, [&](const records::FilmRecord& f) -> text::u16 {
      if (c.by_category && f.category() != c.category) return {};
      switch (c.format) {
        case ExportFormat::Text: return text_film_line(f, fields);
        case ExportFormat::Html: return html_film_line(f, fields, c.html);
        case ExportFormat::Xml: return xml_film_item(f);
      }
      return {};
    });
  } else {
    ok = write_records(shop, shop.members, not_present, entries, out, [&](const records::MemberRecord& m) {
      switch (c.format) {
        case ExportFormat::Text: return text_member_line(m, fields);
        case ExportFormat::Html: return html_member_line(m, fields, c.html);
        case ExportFormat::Xml: return xml_member_item(m);
      }
      return text::u16{};
    });
  }
  if (!ok) return false;
  if (c.format == ExportFormat::Html) out.put(kHtmlTail);
  if (c.format == ExportFormat::Xml) out.put(kXmlTail);
  if (!out.commit()) {
    platform::problem(shop.op(), u"Unable to open file.");
    return false;
  }
  shop.op().message(u"File export", u"Complete.");
  return true;
}

void export_command(records::Shop& shop, ExportScreens& screens) {
  auto choices = screens.choose(ExportChoices{}, category_names(shop.config));
  if (!choices) return;
  const int64_t start = text::parse_int64(choices->start);
  if (start <= 0 || start > text::parse_int64(choices->finish)) {
    platform::problem(shop.op(), u"Invalid range");
    return;
  }
  const bool films = choices->records == ExportRecords::Films;
  // The category filter is for films only; the screen greys it for members.
  if (!films) choices->by_category = false;
  platform::PromptOptions ask;
  ask.proposal = default_file_name(choices->records, choices->format);
  ask.max_length = kFileNameLimit;
  auto name = shop.op().prompt(films ? u"Enter the film file path/name:" : u"Enter the member file path/name:", ask);
  if (!name || name->text.empty()) return;
  FieldChoice fields;
  if (choices->format != ExportFormat::Xml) {
    auto chosen = screens.fields(choices->records);
    if (!chosen) return;
    fields = *chosen;
  }
  write_export(shop, *choices, fields, name->text);
}

}  // namespace kelvo::exchange
