// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "catalogue/member_form_screen.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <utility>

#include "platform/qt/qt_text.h"
#include "records/settings_rules.h"

namespace kelvo::catalogue {

using platform::qt::qs;
using platform::qt::u16;

namespace {

// The names a new shop starts with, for labels left empty by "Customize field names".
constexpr std::array<const char*, 35> kDefaultLabels = {
    "Number",        "Title",          "Middle name",   "Last name",      "Road",          "Town",
    "State",         "Zip / Post",     "Email",         "Driving licence", "Social",       "Category",
    "PIN",           "Comment 1",      "Comment 2",     "Credit card",    "CC Expiry",     "Date of birth",
    "Telephone 1",   "Telephone 2",    "Rental credits", "Discount",      "Family 1",      "Family 2",
    "Membership fee", "Total rented",  "Join date",     "Last used",      "Last returned", "Previous items",
    "On loan",       "Owed / Credit",  "First name",    "Membership type", "Membership expiry",
};

// Box width from its limit: short codes stay short, names get room for what they hold.
int box_width(const QWidget* w, int limit) {
  const int chars = std::clamp(limit, 6, 29);
  return w->fontMetrics().averageCharWidth() * chars + 20;
}

QFormLayout* form_in(QGroupBox* group) {
  auto* form = new QFormLayout(group);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->setVerticalSpacing(5);
  return form;
}

}  // namespace

QString member_label(const records::ConfigBlock& config, MemberLabel which) {
  const int i = static_cast<int>(which);
  const QString stored = qs(records::field_label(config, records::LabelTable::Member, i));
  return stored.isEmpty() ? QString::fromLatin1(kDefaultLabels[static_cast<size_t>(i)]) : stored;
}

DateBox::DateBox(const QString& name, const DateLists& lists, QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(4);
  day_ = new QComboBox(this);
  month_ = new QComboBox(this);
  year_ = new QComboBox(this);
  day_->setObjectName(name + "_day");
  month_->setObjectName(name + "_month");
  year_->setObjectName(name + "_year");
  // Each entry carries its value: "0" is 0, the month names 1 to 12.
  const auto days = lists.days();
  for (size_t i = 0; i < days.size(); ++i) day_->addItem(qs(days[i]), static_cast<int>(lists.with_zero ? i : i + 1));
  const auto months = lists.months();
  for (size_t i = 0; i < months.size(); ++i)
    month_->addItem(qs(months[i]), static_cast<int>(lists.with_zero ? i : i + 1));
  if (lists.with_zero) year_->addItem("0", 0);
  for (int y = lists.first_year; y <= lists.last_year; ++y) year_->addItem(QString::number(y), y);
  day_->setMaxVisibleItems(16);
  year_->setMaxVisibleItems(16);
  row->addWidget(day_);
  row->addWidget(month_);
  row->addWidget(year_);
  row->addStretch(1);
}

void DateBox::set(const DateChoice& c) {
  day_->setCurrentIndex(day_->findData(c.day));
  month_->setCurrentIndex(month_->findData(c.month));
  year_->setCurrentIndex(year_->findData(c.year));
}

DateChoice DateBox::get() const {
  auto value = [](const QComboBox* b) { return b->currentIndex() < 0 ? 0 : b->currentData().toInt(); };
  return {value(day_), value(month_), value(year_)};
}

QLineEdit* MemberFormScreen::add_box(MemberField f, const QString& object_name) {
  auto* e = new QLineEdit(this);
  e->setObjectName(object_name);
  e->setMaxLength(MemberForm::limit(f));
  e->setFixedWidth(box_width(e, MemberForm::limit(f)));
  boxes_[static_cast<size_t>(f)] = e;
  return e;
}

MemberFormScreen::MemberFormScreen(const records::ConfigBlock& config, MemberForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName("member_form");
  setWindowTitle(qs(form.window_title()));
  auto label = [&](MemberLabel l) { return member_label(config, l); };
  using F = MemberField;

  // Who the member is and where they live.
  auto* who = new QGroupBox(tr("Member"), this);
  auto* f1 = form_in(who);
  f1->addRow(label(MemberLabel::Number), add_box(F::Number, "number"));
  f1->addRow(label(MemberLabel::Title), add_box(F::Title, "title"));
  f1->addRow(label(MemberLabel::FirstName), add_box(F::Initial, "initial"));
  f1->addRow(label(MemberLabel::MiddleName), add_box(F::MiddleName, "middle_name"));
  f1->addRow(label(MemberLabel::LastName), add_box(F::Name, "name"));
  category_ = new QComboBox(this);
  category_->setObjectName("category");
  // Typed as well as chosen: the list ends at 3999 but the store takes 4000.
  category_->setEditable(true);
  category_->setInsertPolicy(QComboBox::NoInsert);
  category_->setMaxVisibleItems(16);
  for (int c = 1; c <= kHighestListedCategory; ++c) category_->addItem(QString::number(c));
  category_->setFixedWidth(box_width(category_, 8) + 20);
  f1->addRow(label(MemberLabel::Category), category_);
  membership_type_ = new QComboBox(this);
  membership_type_->setObjectName("type_of_membership");
  for (int t = 1; t <= kMembershipTypes; ++t) membership_type_->addItem(QString::number(t), t);
  membership_type_->setFixedWidth(category_->width());
  f1->addRow(label(MemberLabel::MembershipType), membership_type_);
  highlight_ = new QCheckBox(tr("Highlight comment on rental"), this);
  highlight_->setObjectName("highlight_comment");
  f1->addRow(QString(), highlight_);

  auto* where = new QGroupBox(tr("Address"), this);
  auto* f2 = form_in(where);
  f2->addRow(label(MemberLabel::Road), add_box(F::Road, "road"));
  f2->addRow(label(MemberLabel::Town), add_box(F::Area, "area"));
  f2->addRow(label(MemberLabel::State), add_box(F::Town, "town"));
  f2->addRow(label(MemberLabel::ZipPost), add_box(F::PostCode, "post_code"));

  // How to reach them and how they prove who they are.
  auto* contact = new QGroupBox(tr("Contact"), this);
  auto* f3 = form_in(contact);
  auto phone_row = [&](F number, F ext, const QString& name) {
    auto* row = new QWidget(this);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(add_box(number, name));
    h->addWidget(new QLabel(tr("Ext"), row));
    QLineEdit* e = add_box(ext, name + "_ext");
    e->setAccessibleName(label(number == F::Telephone1 ? MemberLabel::Telephone1 : MemberLabel::Telephone2) + tr(" ext"));
    e->setFixedWidth(box_width(e, 6));
    h->addWidget(e);
    return row;
  };
  f3->addRow(label(MemberLabel::Telephone1), phone_row(F::Telephone1, F::Telephone1Ext, "telephone1"));
  f3->addRow(label(MemberLabel::Telephone2), phone_row(F::Telephone2, F::Telephone2Ext, "telephone2"));
  f3->addRow(label(MemberLabel::Email), add_box(F::Email, "email"));

  auto* identity = new QGroupBox(tr("Identity and family"), this);
  auto* f4 = form_in(identity);
  born_ = new DateBox("born", form.birth_lists(), this);
  f4->addRow(label(MemberLabel::DateOfBirth), born_);
  f4->addRow(label(MemberLabel::DrivingLicence), add_box(F::DrivingLicence, "driving_licence"));
  f4->addRow(label(MemberLabel::Social), add_box(F::Social, "social"));
  f4->addRow(label(MemberLabel::Pin), add_box(F::Pin, "pin"));
  f4->addRow(label(MemberLabel::Family1), add_box(F::Family1, "family1"));
  f4->addRow(label(MemberLabel::Family2), add_box(F::Family2, "family2"));

  auto* card = new QGroupBox(tr("Payment card"), this);
  auto* f7 = form_in(card);
  f7->addRow(label(MemberLabel::CreditCard), add_box(F::CreditCard, "credit_card"));
  f7->addRow(label(MemberLabel::CcExpiry), add_box(F::CreditCardExpiry, "credit_card_expiry"));

  // The membership, the money and the notes.
  auto* account = new QGroupBox(tr("Membership and account"), this);
  auto* f5 = form_in(account);
  join_ = new DateBox("join_date", form.join_lists(), this);
  f5->addRow(label(MemberLabel::JoinDate), join_);
  expiry_ = new DateBox("expiry", form.expiry_lists(), this);
  f5->addRow(label(MemberLabel::MembershipExpiry), expiry_);
  // A date is three boxes under one label; each says which part it is.
  for (auto [box, which] : {std::pair{born_, MemberLabel::DateOfBirth}, std::pair{join_, MemberLabel::JoinDate},
                            std::pair{expiry_, MemberLabel::MembershipExpiry}}) {
    box->day()->setAccessibleName(label(which) + tr(" day"));
    box->month()->setAccessibleName(label(which) + tr(" month"));
    box->year()->setAccessibleName(label(which) + tr(" year"));
  }
  f5->addRow(label(MemberLabel::MembershipFee), add_box(F::MembershipFee, "membership_fee"));
  f5->addRow(label(MemberLabel::TotalRented), add_box(F::Rented, "rented"));
  f5->addRow(label(MemberLabel::RentalCredits), add_box(F::RentalCredits, "rental_credits"));
  f5->addRow(label(MemberLabel::Discount), add_box(F::Discount, "discount"));
  for (F f : {F::MembershipFee, F::Rented, F::RentalCredits, F::Discount}) box(f)->setFixedWidth(box_width(box(f), 12));

  auto* notes = new QGroupBox(tr("Comments"), this);
  auto* f6 = form_in(notes);
  f6->addRow(label(MemberLabel::Comment1), add_box(F::Comment1, "comment1"));
  f6->addRow(label(MemberLabel::Comment2), add_box(F::Comment2, "comment2"));

  // Names and the first address lines take what room their column has; long roads are common.
  f1->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
  f2->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
  for (F f : {F::Initial, F::MiddleName, F::Name, F::Road, F::Area}) box(f)->setMaximumWidth(QWIDGETSIZE_MAX);

  // Two pages of two columns: all seven groups side by side need a desktop wider than the
  // 800 x 600 the program allows. What a clerk fills in for every member comes first.
  auto* pages = new QTabWidget(this);
  pages->setObjectName("pages");
  auto page = [&](const QString& title, std::initializer_list<QWidget*> left,
                  std::initializer_list<QWidget*> right) {
    auto* p = new QWidget(pages);
    auto* columns = new QHBoxLayout(p);
    for (const auto& groups : {left, right}) {
      auto* v = new QVBoxLayout;
      for (QWidget* g : groups) v->addWidget(g);
      v->addStretch(1);
      columns->addLayout(v);
    }
    pages->addTab(p, title);
  };
  page(tr("Member"), {who, where}, {contact, notes});
  page(tr("Identity and account"), {identity, card}, {account});

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
  ok->setObjectName("ok");
  next_ = buttons->addButton(tr("&Next"), QDialogButtonBox::ActionRole);
  next_->setObjectName("next");
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  cancel->setObjectName("cancel");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { finish(FormButton::Ok); });
  connect(next_, &QPushButton::clicked, this, [this] { finish(FormButton::Next); });
  connect(cancel, &QPushButton::clicked, this, [this] { finish(FormButton::Cancel); });

  auto* outer = new QVBoxLayout(this);
  outer->addWidget(pages);
  outer->addWidget(buttons);

  // What the layout hides or locks.
  next_->setVisible(form.offers_next());
  box(F::Number)->setReadOnly(!form.number_editable());
  auto hide_row = [](QFormLayout* f, QWidget* w) {
    if (QWidget* l = f->labelForField(w)) l->hide();
    w->hide();
  };
  if (!form.shows_fee()) hide_row(f5, box(F::MembershipFee));
  if (!form.rental_credits_shown()) hide_row(f5, box(F::RentalCredits));
  load();
  (form.number_focused() ? box(F::Number) : box(F::Title))->setFocus();
}

void MemberFormScreen::load() {
  for (size_t i = 0; i < kMemberFieldCount; ++i) boxes_[i]->setText(qs(form_.get(static_cast<MemberField>(i))));
  category_->setCurrentText(QString::number(form_.category));
  membership_type_->setCurrentIndex(membership_type_->findData(form_.type_of_membership));
  highlight_->setChecked(form_.highlight_comment);
  born_->set(form_.born);
  join_->set(form_.join);
  expiry_->set(form_.expiry);
}

void MemberFormScreen::take() {
  for (size_t i = 0; i < kMemberFieldCount; ++i)
    if (!boxes_[i]->isReadOnly()) form_.set(static_cast<MemberField>(i), u16(boxes_[i]->text()));
  form_.category = static_cast<int>(text::parse_int64(u16(category_->currentText().trimmed())));
  form_.type_of_membership = membership_type_->currentIndex() < 0 ? 0 : membership_type_->currentData().toInt();
  form_.highlight_comment = highlight_->isChecked();
  form_.born = born_->get();
  form_.join = join_->get();
  form_.expiry = expiry_->get();
}

void MemberFormScreen::finish(FormButton b) {
  pressed_ = b;
  if (b == FormButton::Cancel) reject();
  else accept();
}

FormButton MemberFormScreen::run() {
  pressed_ = FormButton::Cancel;
  exec();
  take();
  return pressed_;
}

FormButton QtMemberFormView::edit(MemberForm& form) {
  MemberFormScreen screen(config_, form, parent_);
  return screen.run();
}

}  // namespace kelvo::catalogue
