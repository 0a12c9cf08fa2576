#include "exchange/import_records.h"

#include <array>
#include <climits>

#include "records/record_files.h"

namespace kelvo::exchange {

namespace {

using records::FilmRecord;
using records::MemberRecord;

template <class Record>
struct Field {
  const char16_t* label;
  size_t keep;  // characters of the column kept
  void (*apply)(Record&, text::u16view);
};

constexpr size_t kAll = text::u16::npos;

// A count from a column, only when above 0 and within the record's 32 bits.
std::optional<int32_t> positive_count(text::u16view s) {
  const long long v = text::parse_int64(s);
  if (v <= 0 || v > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(v);
}

// The number is read apart (letter replacement); its entry only names the column.
const std::array<Field<FilmRecord>, 11> kFilmFields{{
    {u"Number", kAll, nullptr},
    {u"Title", 39, [](FilmRecord& f, text::u16view s) { f.set_title(s); }},
    {u"Category", 3, [](FilmRecord& f, text::u16view s) { f.set_category(s); }},
    {u"Certificate", 2, [](FilmRecord& f, text::u16view s) { f.set_certificate(s); }},
    {u"Supplier", 3, [](FilmRecord& f, text::u16view s) { f.set_supplier(s); }},
    {u"Format", 5, [](FilmRecord& f, text::u16view s) { f.set_format(s); }},
    {u"Charge band", kAll,
     [](FilmRecord& f, text::u16view s) {
       const long long band = text::parse_int64(s);
       if (band >= 1 && band <= 8) f.set_charge_band(static_cast<int32_t>(band));
     }},
    {u"Purchase date", 11, [](FilmRecord& f, text::u16view s) { f.set_date_added(s); }},
    {u"Cost", kAll,
     [](FilmRecord& f, text::u16view s) {
       const float cost = static_cast<float>(text::parse_double(s));
       if (cost > 0) f.set_cost(cost);
     }},
    {u"Rentals", kAll,
     [](FilmRecord& f, text::u16view s) {
       if (auto n = positive_count(s)) f.set_rentals(*n);
     }},
    {u"Actor", 19, [](FilmRecord& f, text::u16view s) { f.set_actor_1(s); }},
}};

const std::array<Field<MemberRecord>, 18> kMemberFields{{
    {u"Number", kAll, nullptr},
    {u"Title", 5, [](MemberRecord& m, text::u16view s) { m.set_title(s); }},
    {u"Initial", 29, [](MemberRecord& m, text::u16view s) { m.set_initial(s); }},
    {u"Name", 29, [](MemberRecord& m, text::u16view s) { m.set_name(s); }},
    {u"Address 1", 29, [](MemberRecord& m, text::u16view s) { m.set_road(s); }},
    {u"Address 2", 29, [](MemberRecord& m, text::u16view s) { m.set_area(s); }},
    {u"Address 3", 29, [](MemberRecord& m, text::u16view s) { m.set_town(s); }},
    {u"Address 4", 9, [](MemberRecord& m, text::u16view s) { m.set_post_code(s); }},
    {u"Telephone", 19, [](MemberRecord& m, text::u16view s) { m.set_telephone1(s); }},
    {u"Comment", 29, [](MemberRecord& m, text::u16view s) { m.set_comment1(s); }},
    {u"Credit card", 39, [](MemberRecord& m, text::u16view s) { m.set_credit_card(s); }},
    {u"Date of birth", 11, [](MemberRecord& m, text::u16view s) { m.set_born(s); }},
    {u"Driving license", 29, [](MemberRecord& m, text::u16view s) { m.set_driving_licence(s); }},
    {u"Social", 29, [](MemberRecord& m, text::u16view s) { m.set_social(s); }},
    {u"Join date", 11, [](MemberRecord& m, text::u16view s) { m.set_join_date(s); }},
    {u"Total rented", kAll,
     [](MemberRecord& m, text::u16view s) {
       if (auto n = positive_count(s)) m.set_rented(*n);
     }},
    // A category outside what the member screen accepts (1 to 4000) would give a member that
    // can be neither amended nor told apart from a lost or suspended card by its number alone.
    {u"Category", kAll,
     [](MemberRecord& m, text::u16view s) {
       const long long c = text::parse_int64(s);
       if (c >= 1 && c <= 4000) m.set_category(static_cast<int32_t>(c));
     }},
    {u"Owe", kAll,
     [](MemberRecord& m, text::u16view s) {
       const float owed = static_cast<float>(text::parse_double(s));
       if (owed >= 0) m.set_owed(owed);
     }},
}};

template <class Record, size_t N>
void fill(Record& r, text::u16view line, const ColumnMap& map, const std::array<Field<Record>, N>& fields) {
  for (size_t i = 0; i < N && i < map.columns.size(); ++i) {
    auto text = column_text(line, map.columns[i], fields[i].keep);
    if (!text) continue;
    if (i == 0)
      r.set_number(import_number(*text, map.replacement));
    else
      fields[i].apply(r, *text);
  }
}

template <class Record, size_t N>
std::span<const char16_t* const> labels_of(const std::array<Field<Record>, N>& fields) {
  static const auto labels = [&] {
    std::array<const char16_t*, N> out{};
    for (size_t i = 0; i < N; ++i) out[i] = fields[i].label;
    return out;
  }();
  return labels;
}

bool number_in_range(int64_t n) { return n >= 1 && n <= records::kMaxNumber; }

}  // namespace

std::span<const char16_t* const> import_field_labels(ImportRecords which) {
  return which == ImportRecords::Films ? labels_of(kFilmFields) : labels_of(kMemberFields);
}

FilmRecord film_from_line(text::u16view line, const ColumnMap& map) {
  FilmRecord f;
  f.set_charge_band(1);
  fill(f, line, map, kFilmFields);
  return f;
}

MemberRecord member_from_line(text::u16view line, const ColumnMap& map) {
  MemberRecord m;
  m.set_category(1);
  fill(m, line, map, kMemberFields);
  return m;
}

bool worth_keeping(const FilmRecord& f) { return number_in_range(f.number()) && f.title().size() >= 2; }
bool worth_keeping(const MemberRecord& m) { return number_in_range(m.number()) && m.name().size() >= 2; }

}  // namespace kelvo::exchange
