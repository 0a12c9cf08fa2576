#include "catalogue/film_form_screen.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "catalogue/film_display.h"
#include "platform/qt/qt_text.h"

namespace kelvo::catalogue {

namespace {

using platform::qt::qs;

struct BoxLayout {
  FilmField field;
  const char* name;
  int column;  // 0 left, 1 right
};

// Left: what identifies the item, with the charge band under the title as the two boxes filled
// for every new item; right: buying and renting figures. Tab follows this order.
constexpr BoxLayout kBoxes[] = {
    {FilmField::Number, "number", 0},        {FilmField::Title, "title", 0},
    {FilmField::ChargeBand, "charge_band", 0},
    {FilmField::Category, "category", 0},    {FilmField::Certificate, "certificate", 0},
    {FilmField::Supplier, "supplier", 0},    {FilmField::Actor1, "actor_1", 0},
    {FilmField::Actor2, "actor_2", 0},       {FilmField::Director, "director", 0},
    {FilmField::Language, "language", 0},    {FilmField::Location, "location", 0},
    {FilmField::Format, "format", 1},
    {FilmField::Cost, "cost", 1},            {FilmField::Rentals, "rentals", 1},
    {FilmField::Revenue, "revenue", 1},      {FilmField::Website, "website", 1},
};

text::u16 label_of(const records::ConfigBlock& config, FilmField f) {
  switch (f) {
    case FilmField::Number: return film_label(config, FilmLabel::Number);
    case FilmField::Title: return film_label(config, FilmLabel::Title);
    case FilmField::Category: return film_label(config, FilmLabel::Category);
    case FilmField::Certificate: return film_label(config, FilmLabel::Certificate);
    case FilmField::Supplier: return film_label(config, FilmLabel::Supplier);
    case FilmField::Actor1: return film_label(config, FilmLabel::Actor1);
    case FilmField::Actor2: return film_label(config, FilmLabel::Actor2);
    case FilmField::Director: return film_label(config, FilmLabel::Director);
    case FilmField::Language: return film_label(config, FilmLabel::Language);
    case FilmField::Location: return film_label(config, FilmLabel::Location);
    case FilmField::Format: return film_label(config, FilmLabel::Format);
    case FilmField::ChargeBand: return film_label(config, FilmLabel::ChargeBand);
    case FilmField::Cost: return film_label(config, FilmLabel::Cost);
    case FilmField::Rentals: return film_label(config, FilmLabel::Rentals);
    case FilmField::Revenue: return film_label(config, FilmLabel::Revenue);
    case FilmField::Website: return u"Website";
    case FilmField::Notes: return u"Notes";
  }
  return {};
}

// The three lists of a date; each entry carries the value it stands for (0 for "0").
std::array<QComboBox*, 3> date_combos(const DateLists& lists, const DateChoice& chosen, const QString& prefix,
                                      QWidget* parent) {
  std::array<QComboBox*, 3> c{new QComboBox(parent), new QComboBox(parent), new QComboBox(parent)};
  const char* parts[] = {"_day", "_month", "_year"};
  for (int i = 0; i < 3; ++i) c[i]->setObjectName(prefix + parts[i]);
  for (const auto& d : lists.days()) c[0]->addItem(qs(d), qs(d).toInt());
  int m = lists.with_zero ? 0 : 1;
  for (const auto& name : lists.months()) c[1]->addItem(qs(name), m++);
  for (const auto& y : lists.years()) c[2]->addItem(qs(y), qs(y).toInt());
  const int values[] = {chosen.day, chosen.month, chosen.year};
  for (int i = 0; i < 3; ++i) c[i]->setCurrentIndex(c[i]->findData(values[i]));
  return c;
}

DateChoice read_choice(const std::array<QComboBox*, 3>& c) {
  auto value = [](QComboBox* b) { return b->currentIndex() < 0 ? 0 : b->currentData().toInt(); };
  return {value(c[0]), value(c[1]), value(c[2])};
}

// A date is three boxes under one label; each says which part it is.
void name_date(const std::array<QComboBox*, 3>& c, const QString& label) {
  c[0]->setAccessibleName(label + QObject::tr(" day"));
  c[1]->setAccessibleName(label + QObject::tr(" month"));
  c[2]->setAccessibleName(label + QObject::tr(" year"));
}

QWidget* date_row(const std::array<QComboBox*, 3>& c, QWidget* parent) {
  auto* w = new QWidget(parent);
  auto* h = new QHBoxLayout(w);
  h->setContentsMargins(0, 0, 0, 0);
  for (QComboBox* b : c) h->addWidget(b);
  h->addStretch();
  return w;
}

}  // namespace

FilmFormScreen::FilmFormScreen(const records::ConfigBlock& config, FilmForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName("NEW_ITEM");
  setWindowTitle(qs(form.window_title()));
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  int rows[2] = {0, 0};
  auto add_row = [&](int column, const QString& label, QWidget* w) {
    auto* l = new QLabel(label, this);
    l->setBuddy(w);
    grid->addWidget(l, rows[column], column * 2);
    grid->addWidget(w, rows[column], column * 2 + 1);
    ++rows[column];
  };
  for (const BoxLayout& box : kBoxes) {
    auto* edit = new QLineEdit(qs(form.get(box.field)), this);
    edit->setObjectName(box.name);
    edit->setMaxLength(FilmForm::limit(box.field));
    boxes_[static_cast<size_t>(box.field)] = edit;
    // Codes and figures get short boxes so the screen reads at a glance.
    const int limit = FilmForm::limit(box.field);
    const bool figure = box.field == FilmField::Number || box.field == FilmField::Cost ||
                        box.field == FilmField::Rentals || box.field == FilmField::Revenue;
    if (limit <= 3) edit->setFixedWidth(60);
    else if (limit <= 9) edit->setFixedWidth(100);
    else if (figure) edit->setFixedWidth(170);
    else edit->setMinimumWidth(240);
    add_row(box.column, qs(label_of(config, box.field)), edit);
    if (box.field == FilmField::Format) {
      purchased_ = date_combos(form.purchase_lists(), form.purchased, "purchased", this);
      name_date(purchased_, qs(film_label(config, FilmLabel::DatePurchased)));
      add_row(1, qs(film_label(config, FilmLabel::DatePurchased)), date_row(purchased_, this));
    }
    if (box.field == FilmField::Revenue) {
      last_rental_ = date_combos(form.last_rental_lists(), form.last_rental, "last_rental", this);
      name_date(last_rental_, qs(film_label(config, FilmLabel::LastRental)));
      add_row(1, qs(film_label(config, FilmLabel::LastRental)), date_row(last_rental_, this));
    }
  }
  auto* notes = new QLineEdit(qs(form.get(FilmField::Notes)), this);
  notes->setObjectName("notes");
  notes->setMaxLength(FilmForm::limit(FilmField::Notes));
  boxes_[static_cast<size_t>(FilmField::Notes)] = notes;
  const int last = std::max(rows[0], rows[1]);
  auto* notes_label = new QLabel(qs(label_of(config, FilmField::Notes)), this);
  notes_label->setBuddy(notes);
  grid->addWidget(notes_label, last, 0);
  grid->addWidget(notes, last, 1, 1, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  grid->setColumnMinimumWidth(2, 0);

  box(FilmField::Number)->setReadOnly(!form.number_editable());

  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName("ok");
  ok->setDefault(true);
  auto* next = new QPushButton(tr("&Next"), this);
  next->setObjectName("next");
  auto* multiple = new QPushButton(tr("&Multiple"), this);
  multiple->setObjectName("multiple");
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName("cancel");
  next->setVisible(form.offers_next_and_multiple());
  multiple->setVisible(form.offers_next_and_multiple());
  connect(ok, &QPushButton::clicked, this, [this] { finish(FormButton::Ok); });
  connect(next, &QPushButton::clicked, this, [this] { finish(FormButton::Next); });
  connect(multiple, &QPushButton::clicked, this, [this] { finish(FormButton::Multiple); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {ok, next, multiple, cancel}) buttons->addWidget(b);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(grid);
  outer->addSpacing(6);
  outer->addLayout(buttons);

  // Tab walks the left column, the right one, the notes and the buttons.
  QWidget* previous = nullptr;
  auto chain = [&](QWidget* w) {
    if (previous) setTabOrder(previous, w);
    previous = w;
  };
  for (const BoxLayout& box : kBoxes) {
    chain(boxes_[static_cast<size_t>(box.field)]);
    if (box.field == FilmField::Format)
      for (QComboBox* c : purchased_) chain(c);
    if (box.field == FilmField::Revenue)
      for (QComboBox* c : last_rental_) chain(c);
  }
  chain(notes);
  for (QPushButton* b : {ok, next, multiple, cancel}) chain(b);

  QLineEdit* first = form.number_focused() || box(FilmField::Number)->text().isEmpty() ? box(FilmField::Number)
                                                                                         : box(FilmField::Title);
  if (!form.number_editable()) first = box(FilmField::Title);
  first->setFocus();
}

void FilmFormScreen::store() {
  for (size_t i = 0; i < kFilmFieldCount; ++i) form_.set(static_cast<FilmField>(i), platform::qt::u16(boxes_[i]->text()));
  form_.purchased = read_choice(purchased_);
  form_.last_rental = read_choice(last_rental_);
}

void FilmFormScreen::finish(FormButton button) {
  store();
  button_ = button;
  accept();
}

FormButton FilmFormScreen::run() {
  button_ = FormButton::Cancel;
  return exec() == QDialog::Accepted ? button_ : FormButton::Cancel;
}

FormButton QtFilmFormView::edit(FilmForm& form) {
  FilmFormScreen screen(config_, form, parent_);
  return screen.run();
}

}  // namespace kelvo::catalogue
