#include "counter/rental_screen.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>


namespace kelvo::counter::qt {

namespace {

QString q(const text::u16& s) { return QString::fromStdU16String(s); }
text::u16 u(const QString& s) { return s.toStdU16String(); }

// The screen showing the model's figures is not the clerk changing them.
void put(QLineEdit* box, const text::u16& value) {
  const QString v = q(value);
  const QSignalBlocker quiet(box);
  if (box->text() != v) box->setText(v);
}

}  // namespace

RentalDialog::RentalDialog(RentalModel& model, QWidget* parent) : QDialog(parent), model_(model) {
  setWindowTitle(QStringLiteral("RENTAL"));
  setObjectName(QStringLiteral("rental"));
  const RentalHeader& h = model.header();

  auto* top = new QHBoxLayout;
  auto pair = [&](const QString& label, QWidget* w) {
    auto* l = new QLabel(label);
    l->setBuddy(w);
    top->addWidget(l);
    top->addWidget(w);
  };
  pair(QStringLiteral("Transaction"), shown(QStringLiteral("transaction"), h.transaction, 8));
  pair(QStringLiteral("Rental no."), shown(QStringLiteral("rentalNumber"), h.rental_number, 6));
  pair(QStringLiteral("Type"), shown(QStringLiteral("type"), h.type, 8));
  top->addStretch();

  auto* member = new QGroupBox(QStringLiteral("Member"));
  auto* grid = new QGridLayout(member);
  int row = 0;
  auto field = [&](int col, const QString& label, QWidget* w, int span = 1) {
    grid->addWidget(new QLabel(label), row, col);
    grid->addWidget(w, row, col + 1, 1, span);
  };
  field(0, QStringLiteral("Number"), shown(QStringLiteral("memberNumber"), h.member_number, 12));
  field(2, QStringLiteral("Membership type"), shown(QStringLiteral("membershipType"), h.membership_type, 6));
  ++row;
  field(0, QStringLiteral("Name"), shown(QStringLiteral("name"), h.name, 28));
  auto* expiry = shown(QStringLiteral("expiry"), h.expiry, 10);
  if (h.expired) expiry->setStyleSheet(QStringLiteral("background: #f4b4b4;"));
  field(2, QStringLiteral("Expiry"), expiry);
  ++row;
  field(0, QStringLiteral("Address"), shown(QStringLiteral("address"), h.address, 28));
  field(2, QStringLiteral("Owed"), shown(QStringLiteral("owed"), h.owed, 8));
  ++row;
  auto* comment1 = shown(QStringLiteral("comment1"), h.comment1, 28);
  if (h.comment_highlighted) comment1->setStyleSheet(QStringLiteral("background: #fff3a0; font-weight: bold;"));
  field(0, QStringLiteral("Comment"), comment1);
  credits_ = shown(QStringLiteral("credits"), model.credits(), 6);
  field(2, QStringLiteral("Credits"), credits_);
  ++row;
  field(0, QStringLiteral("Comment 2"), shown(QStringLiteral("comment2"), h.comment2, 28));
  field(2, QStringLiteral("Last hired"), shown(QStringLiteral("lastHired"), h.last_hired, 10));
  ++row;
  field(0, QStringLiteral("Family"), shown(QStringLiteral("family1"), h.family1, 28));
  field(2, QStringLiteral("PIN"), shown(QStringLiteral("pin"), h.pin, 8));
  ++row;
  auto* family2 = shown(QStringLiteral("family2"), h.family2, 28);
  family2->setAccessibleName(QStringLiteral("Family 2"));  // the second line under "Family"
  field(0, QString(), family2);
  ++row;
  field(0, QStringLiteral("Telephone"), shown(QStringLiteral("telephone1"), h.telephone1, 18));
  field(2, QStringLiteral("Telephone 2"), shown(QStringLiteral("telephone2"), h.telephone2, 18));
  ++row;
  auto* earlier = new QComboBox;
  earlier->setObjectName(QStringLiteral("earlierItems"));
  for (const auto& e : h.earlier_items) earlier->addItem(q(e));
  earlier->setFocusPolicy(Qt::ClickFocus);
  field(0, QStringLiteral("Earlier items"), earlier, 3);

  items_ = new QListWidget;
  items_->setObjectName(QStringLiteral("items"));
  items_->setFocusPolicy(Qt::NoFocus);
  items_->setMinimumWidth(items_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 30);
  auto* current = new QLabel(h.current.empty() ? QString() : QStringLiteral("Current: ") + q(h.current));
  current->setObjectName(QStringLiteral("current"));
  auto* item_box = new QGroupBox(QStringLiteral("Items"));
  auto* item_layout = new QVBoxLayout(item_box);
  item_layout->addWidget(items_);
  item_layout->addWidget(current);

  auto* money = new QFormLayout;
  auto edit = [&](const char* name, int chars) {
    auto* e = new QLineEdit;
    e->setObjectName(QLatin1String(name));
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (chars + 3));
    return e;
  };
  days_ = edit("days", 6);
  days_->setMaxLength(4);
  due_ = new QLabel;
  due_->setObjectName(QStringLiteral("due"));
  auto* days_row = new QHBoxLayout;
  days_row->addWidget(days_);
  days_row->addWidget(new QLabel(QStringLiteral("Due:")));
  days_row->addWidget(due_);
  days_row->addStretch();
  auto* days_label = new QLabel(QStringLiteral("&Days"));
  days_label->setBuddy(days_);
  days_->setMaximumWidth(days_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8);
  money->addRow(days_label, days_row);
  sub_total_ = edit("subTotal", 9);
  money->addRow(QStringLiteral("&Sub total"), sub_total_);
  tax1_ = edit("tax1", 9);
  tax1_->setReadOnly(true);
  tax1_->setFocusPolicy(Qt::NoFocus);
  money->addRow(QStringLiteral("Tax 1"), tax1_);
  tax2_ = edit("tax2", 9);
  tax2_->setReadOnly(true);
  tax2_->setFocusPolicy(Qt::NoFocus);
  money->addRow(QStringLiteral("Tax 2"), tax2_);
  total_ = edit("total", 9);
  money->addRow(QStringLiteral("&Total"), total_);
  sundries_ = edit("sundries", 9);
  sundries_->setReadOnly(true);
  sundries_->setFocusPolicy(Qt::NoFocus);
  money->addRow(QStringLiteral("Sundries"), sundries_);
  comment_ = edit("comment", 30);
  comment_->setMaxLength(72);
  money->addRow(QStringLiteral("&Comment"), comment_);
  if (!model.taxed()) {
    tax1_->setEnabled(false);
    tax2_->setEnabled(false);
  }

  auto* middle = new QHBoxLayout;
  middle->addWidget(item_box, 3);
  middle->addLayout(money, 2);

  auto* buttons = new QHBoxLayout;
  auto* item = button(QStringLiteral("&ITEM"), "item");
  auto* free_item = button(QStringLiteral("F&ree item"), "freeItem");
  retail_ = button(QStringLiteral("Re&tail"), "retail");
  auto* amend = button(QStringLiteral("&Amend / Owe total"), "amend");
  auto* finish = button(QStringLiteral("&Finish"), "finish");
  auto* cancel = button(QStringLiteral("Cancel"), "cancel");
  help_ = button(QStringLiteral("Help"), "help");
  for (auto* b : {item, free_item, retail_, amend, finish, cancel, help_}) buttons->addWidget(b);
  finish->setDefault(true);
  free_item->setVisible(model.free_allowed());
  amend->setVisible(model.amend_allowed());
  retail_->setEnabled(false);
  help_->setEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(member);
  layout->addLayout(middle, 1);
  layout->addLayout(buttons);

  connect(item, &QPushButton::clicked, this, [this] { add_items(false); });
  connect(free_item, &QPushButton::clicked, this, [this] { add_items(true); });
  connect(amend, &QPushButton::clicked, this, [this] { act(model_.amend_or_owe()); });
  connect(finish, &QPushButton::clicked, this, [this] { act(model_.finish()); });
  connect(cancel, &QPushButton::clicked, this, &RentalDialog::reject);
  connect(help_, &QPushButton::clicked, this, [this] { if (on_help_) on_help_(); });
  connect(retail_, &QPushButton::clicked, this, [this] { if (on_retail_) on_retail_(); });

  connect(days_, &QLineEdit::textChanged, this, [this](const QString& t) { model_.set_days(u(t)); });
  connect(sub_total_, &QLineEdit::textChanged, this, [this](const QString& t) { model_.set_sub_total(u(t)); });
  connect(total_, &QLineEdit::textChanged, this, [this](const QString& t) { model_.set_total(u(t)); });
  connect(comment_, &QLineEdit::textChanged, this, [this](const QString& t) { model_.set_comment(u(t)); });

  setTabOrder(days_, sub_total_);
  setTabOrder(sub_total_, total_);
  setTabOrder(total_, comment_);
  setTabOrder(comment_, item);
  model_.changed = [this] { refresh(); };
  refresh();
  days_->setFocus();
}

RentalDialog::~RentalDialog() { model_.changed = nullptr; }

void RentalDialog::set_help(std::function<void()> help) {
  on_help_ = std::move(help);
  help_->setEnabled(static_cast<bool>(on_help_));
}

void RentalDialog::set_retail(std::function<void()> retail) {
  on_retail_ = std::move(retail);
  retail_->setEnabled(static_cast<bool>(on_retail_));
}

QLineEdit* RentalDialog::shown(const QString& name, const text::u16& value, int chars) {
  auto* e = new QLineEdit(q(value));
  e->setObjectName(name);
  e->setReadOnly(true);
  e->setFocusPolicy(Qt::NoFocus);
  e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QLatin1Char('M')) * chars / 2 + 16);
  e->setCursorPosition(0);
  return e;
}

QPushButton* RentalDialog::button(const QString& text, const char* name) {
  auto* b = new QPushButton(text);
  b->setObjectName(QLatin1String(name));
  b->setAutoDefault(false);
  return b;
}

void RentalDialog::refresh() {
  const auto& lines = model_.items();
  while (items_->count() > static_cast<int>(lines.size())) delete items_->takeItem(items_->count() - 1);
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    if (i < items_->count()) items_->item(i)->setText(q(lines[i]));
    else items_->addItem(q(lines[i]));
  }
  if (items_->count() > 0) items_->scrollToBottom();
  put(credits_, model_.credits());
  put(days_, model_.days());
  due_->setText(q(model_.due()));
  put(sub_total_, model_.sub_total());
  put(tax1_, model_.tax1());
  put(tax2_, model_.tax2());
  put(total_, model_.total());
  put(comment_, model_.comment());
  put(sundries_, model_.sundries());
}

void RentalDialog::act(std::optional<RentalEnd> end) {
  refresh();
  if (!end) return;
  end_ = *end;
  done(end_ == RentalEnd::Cancel ? QDialog::Rejected : QDialog::Accepted);
}

void RentalDialog::add_items(bool free) { act(model_.add_items(free)); }

void RentalDialog::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (offered_ || !model_.auto_offer()) return;
  offered_ = true;
  QTimer::singleShot(0, this, [this] { add_items(false); });
}

// Insert asks for another item from anywhere on the screen; the boxes pass it on unused.
void RentalDialog::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Insert && e->modifiers() == Qt::NoModifier) {
    add_items(false);
    return;
  }
  QDialog::keyPressEvent(e);
}

void RentalDialog::reject() {
  end_ = RentalEnd::Cancel;
  QDialog::reject();
}

RentalEnd QtRentalScreen::run_rental(RentalModel& model) {
  RentalDialog dialog(model, parent_);
  if (help) dialog.set_help(help);
  if (retail) dialog.set_retail(retail);
  else if (model.retail_available()) dialog.set_retail([&model] { model.sell_retail(); });
  dialog.exec();
  return dialog.end();
}

}  // namespace kelvo::counter::qt
