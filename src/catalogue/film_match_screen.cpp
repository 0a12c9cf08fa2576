#include "catalogue/film_match_screen.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogue/film_display.h"
#include "platform/qt/qt_text.h"

namespace kelvo::catalogue {

using platform::qt::qs;

FilmMatchScreen::FilmMatchScreen(const records::Shop& shop, const records::FilmRecord& film, QWidget* parent)
    : QDialog(parent) {
  setObjectName("FIND_FILM");
  setWindowTitle("FIND FILM");
  auto* form = new QFormLayout;
  // Enough to tell one copy or edition from another at the counter.
  for (const DisplayLine& line : film_display_lines(shop.config, shop.locale(), film, shop.now())) {
    const std::string_view n = line.name;
    if (n != "number" && n != "title" && n != "category" && n != "format" && n != "actor_1" && n != "director" &&
        n != "on_loan_to")
      continue;
    auto* value = new QLineEdit(qs(line.value), this);
    value->setObjectName(QString::fromLatin1(line.name));
    value->setReadOnly(true);
    value->setMinimumWidth(260);
    form->addRow(qs(line.label), value);
  }
  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName("ok");
  ok->setDefault(true);
  auto* next = new QPushButton(tr("&Next"), this);
  next->setObjectName("next");
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName("cancel");
  connect(ok, &QPushButton::clicked, this, [this] { choice_ = MatchChoice::Select; accept(); });
  connect(next, &QPushButton::clicked, this, [this] { choice_ = MatchChoice::Next; accept(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {ok, next, cancel}) buttons->addWidget(b);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(form);
  outer->addLayout(buttons);
}

MatchChoice FilmMatchScreen::run() {
  choice_ = MatchChoice::Cancel;
  return exec() == QDialog::Accepted ? choice_ : MatchChoice::Cancel;
}

MatchChoice offer_film_screen(QWidget* parent, const records::Shop& shop, const records::FilmRecord& film) {
  FilmMatchScreen screen(shop, film, parent);
  return screen.run();
}

}  // namespace kelvo::catalogue
