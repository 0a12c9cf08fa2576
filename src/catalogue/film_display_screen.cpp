#include "catalogue/film_display_screen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogue/film_display.h"
#include "catalogue/film_find.h"
#include "platform/qt/qt_text.h"

namespace kelvo::catalogue {

using platform::qt::qs;

namespace {
// Lines shown in the right-hand column; the rest go on the left, website and notes below.
bool right_column(std::string_view name) {
  for (std::string_view n : {"format", "charge_band", "date_added", "cost", "rentals", "revenue", "last_hire",
                             "on_loan_to", "return_date", "renters", "last_7", "last_30"})
    if (n == name) return true;
  return false;
}
bool full_width(std::string_view name) { return name == "website" || name == "notes"; }
}  // namespace

FilmDisplayScreen::FilmDisplayScreen(records::Shop& shop, const records::FilmRecord& film, QWidget* parent)
    : QDialog(parent), shop_(shop) {
  setObjectName("FILM");
  setWindowTitle("FILM");
  // Shown, not edited: the boxes take the window's colour so nobody tries to type in them.
  setStyleSheet("QLineEdit[readOnly=\"true\"] { background: palette(window); }");
  grid_ = new QGridLayout;
  grid_->setHorizontalSpacing(10);
  int rows[2] = {0, 0};
  std::vector<std::pair<QLabel*, QLineEdit*>> wide;
  const auto lines = film_display_lines(shop.config, shop.locale(), film, shop.now());
  for (const DisplayLine& line : lines) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(line.name) + "_label");
    auto* value = new QLineEdit(this);
    value->setObjectName(QString::fromLatin1(line.name));
    value->setReadOnly(true);
    value->setMinimumWidth(180);
    label->setBuddy(value);
    if (full_width(line.name)) {
      wide.emplace_back(label, value);
    } else {
      const int c = right_column(line.name) ? 1 : 0;
      grid_->addWidget(label, rows[c], c * 2);
      grid_->addWidget(value, rows[c], c * 2 + 1);
      ++rows[c];
    }
  }
  int row = std::max(rows[0], rows[1]);
  for (auto [label, value] : wide) {
    grid_->addWidget(label, row, 0);
    grid_->addWidget(value, row++, 1, 1, 3);
  }
  grid_->setColumnStretch(1, 1);
  grid_->setColumnStretch(3, 1);

  auto* next_button = new QPushButton(tr("&Next"), this);
  next_button->setObjectName("next");
  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName("ok");
  ok->setDefault(true);
  connect(next_button, &QPushButton::clicked, this, &FilmDisplayScreen::next);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(next_button);
  setTabOrder(ok, next_button);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(grid_);
  outer->addSpacing(6);
  outer->addLayout(buttons);
  show_record(film);
  ok->setFocus();
}

void FilmDisplayScreen::show_record(const records::FilmRecord& film) {
  shown_ = film.number();
  for (const DisplayLine& line : film_display_lines(shop_.config, shop_.locale(), film, shop_.now())) {
    const QString name = QString::fromLatin1(line.name);
    findChild<QLabel*>(name + "_label")->setText(qs(line.label));
    auto* value = findChild<QLineEdit*>(name);
    value->setText(qs(line.value));
    value->setCursorPosition(0);
  }
}

void FilmDisplayScreen::next() {
  if (next_film(shop_, shown_) == 0) {
    accept();
    return;
  }
  show_record(shop_.film);
}

void show_film_screen(QWidget* parent, records::Shop& shop, const records::FilmRecord& film) {
  FilmDisplayScreen screen(shop, film, parent);
  screen.exec();
}

}  // namespace kelvo::catalogue
