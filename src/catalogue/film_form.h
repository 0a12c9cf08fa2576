#pragma once
// The model behind the item screen ("NEW ITEM", "Amend film"): its boxes with their limits,
// the two date choices, the layout, and the rules that turn the boxes into a film record.
#include <optional>

#include "catalogue/date_lists.h"
#include "catalogue/form_fields.h"
#include "catalogue/numbering.h"
#include "records/shop.h"

namespace kelvo::catalogue {

enum class FilmField {
  Number, Title, Category, Certificate, Supplier, Actor1, Actor2, Director, Language, Location, Format,
  ChargeBand, Cost, Rentals, Revenue, Website, Notes,
};
constexpr size_t kFilmFieldCount = 17;

class FilmForm {
 public:
  // A blank item: proposal (or an empty focused box when "Inhibit film start" is on), the
  // range's format name, band 1, bought today, cost 0.00, rentals "None", revenue 0, English.
  static FilmForm blank(const records::Shop& shop, FilmRange range);
  // "&Multiple": every box of the item just stored, rental state cleared, a fresh number.
  static FilmForm copy_of(const records::Shop& shop, const records::FilmRecord& stored, FilmRange range);
  static FilmForm amend(const records::FilmRecord& film, int current_year);

  FormLayout layout() const { return layout_; }
  void refuse() { layout_ = FormLayout::Retry; }
  text::u16 window_title() const;
  // Once refused, a new item keeps its number editable: otherwise an out-of-range number
  // could only be left with Cancel and everything typed would be lost.
  bool number_editable() const { return layout_ != FormLayout::Amend; }
  bool offers_next_and_multiple() const { return layout_ == FormLayout::New || layout_ == FormLayout::Copy; }
  bool number_focused() const { return number_focused_; }

  void set(FilmField f, text::u16view v) { boxes_.set(static_cast<size_t>(f), v); }
  const text::u16& get(FilmField f) const { return boxes_.get(static_cast<size_t>(f)); }
  static int limit(FilmField f);

  DateChoice purchased;    // date_added; 0 = not chosen
  DateChoice last_rental;  // last_hire; 0 = the "0" entry
  DateLists purchase_lists() const { return catalogue::purchase_lists(year_); }
  DateLists last_rental_lists() const { return catalogue::last_rental_lists(year_); }

  // Reads the boxes into the record as the screen does; fields not on the screen are kept.
  void store_into(records::FilmRecord& film) const;
  // The first check the record fails, in the screen's order, or nullptr.
  static const char16_t* refusal(const records::FilmRecord& film);

 private:
  FilmForm(FormLayout layout, int year);
  void load(const records::FilmRecord& film);
  FormLayout layout_;
  int year_;
  bool number_focused_ = false;
  TextBoxes<kFilmFieldCount> boxes_;
};

}  // namespace kelvo::catalogue
