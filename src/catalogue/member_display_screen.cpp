// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "catalogue/member_display_screen.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogue/film_display.h"
#include "catalogue/member_find.h"
#include "catalogue/member_form_screen.h"
#include "catalogue/member_photo.h"
#include "platform/qt/qt_text.h"
#include "text/format.h"

namespace kelvo::catalogue {

using platform::qt::qs;

namespace {

struct Field {
  const char* name;
  std::optional<MemberLabel> label;
  const char* fixed;  // the caption when the field has no configured label
};

// Shown in two columns of groups; the object names are the record's field names.
const std::vector<std::pair<const char*, std::vector<Field>>>& groups() {
  static const std::vector<std::pair<const char*, std::vector<Field>>> g = {
      {"Address",
       {{"road", MemberLabel::Road, nullptr},
        {"area", MemberLabel::Town, nullptr},
        {"town", MemberLabel::State, nullptr},
        {"post_code", MemberLabel::ZipPost, nullptr},
        {"telephone1", MemberLabel::Telephone1, nullptr},
        {"telephone2", MemberLabel::Telephone2, nullptr},
        {"email", MemberLabel::Email, nullptr}}},
      {"Notes",
       {{"category", MemberLabel::Category, nullptr},
        {"comment1", MemberLabel::Comment1, nullptr},
        {"comment2", MemberLabel::Comment2, nullptr},
        {"family1", MemberLabel::Family1, nullptr},
        {"family2", MemberLabel::Family2, nullptr},
        {"born", MemberLabel::DateOfBirth, nullptr}}},
      {"Account",
       {{"owed", MemberLabel::Owed, nullptr},
        {"rental_credits", MemberLabel::RentalCredits, nullptr},
        {"discount", MemberLabel::Discount, nullptr},
        {"credit_card", MemberLabel::CreditCard, nullptr},
        {"credit_card_expiry", MemberLabel::CcExpiry, nullptr}}},
      {"Membership",
       {{"join_date", MemberLabel::JoinDate, nullptr},
        {"type_of_membership", MemberLabel::MembershipType, nullptr},
        {"expiry", MemberLabel::MembershipExpiry, nullptr},
        {"rented", MemberLabel::TotalRented, nullptr},
        {"last_used", std::nullopt, "Last rented"},
        {"last_returned", MemberLabel::LastReturned, nullptr}}},
  };
  return g;
}

QString phone(text::u16view number, text::u16view ext) {
  return ext.empty() ? qs(number) : qs(number) + QObject::tr("  Ext ") + qs(ext);
}

}  // namespace

MemberDisplayScreen::MemberDisplayScreen(records::Shop& shop, const records::MemberRecord& member, QWidget* parent)
    : QDialog(parent), shop_(shop) {
  setObjectName("MEMBER");
  setWindowTitle(tr("MEMBER"));
  auto* outer = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  photo_ = new QLabel(this);
  photo_->setObjectName("photo");
  photo_->setFixedSize(kPhotoWidth, kPhotoHeight);
  photo_->setFrameShape(QFrame::StyledPanel);
  photo_->setAlignment(Qt::AlignCenter);
  top->addWidget(photo_, 0, Qt::AlignTop);
  auto* id = new QFormLayout;
  heading_ = new QLabel(this);
  heading_->setObjectName("heading");
  QFont big = heading_->font();
  big.setPointSize(big.pointSize() + 5);
  big.setBold(true);
  heading_->setFont(big);
  id->addRow(heading_);
  auto add_id = [&](const char* name, MemberLabel l) {
    auto* v = new QLabel(this);
    v->setObjectName(name);
    v->setTextInteractionFlags(Qt::TextSelectableByMouse);
    id->addRow(member_label(shop.config, l) + ':', v);
  };
  add_id("number", MemberLabel::Number);
  add_id("title", MemberLabel::Title);
  add_id("initial", MemberLabel::FirstName);
  add_id("middle_name", MemberLabel::MiddleName);
  add_id("name", MemberLabel::LastName);
  top->addLayout(id, 1);
  outer->addLayout(top);

  grid_ = new QGridLayout;
  int i = 0;
  for (const auto& [caption, fields] : groups()) {
    auto* box = new QGroupBox(tr(caption), this);
    auto* form = new QFormLayout(box);
    for (const Field& f : fields) {
      auto* v = new QLabel(box);
      v->setObjectName(f.name);
      v->setTextInteractionFlags(Qt::TextSelectableByMouse);
      v->setMinimumWidth(230);
      form->addRow((f.label ? member_label(shop.config, *f.label) : tr(f.fixed)) + ':', v);
    }
    grid_->addWidget(box, i / 2, i % 2);
    ++i;
  }
  auto* items = new QGroupBox(tr("Items"), this);
  auto* item_form = new QFormLayout(items);
  on_loan_ = new QComboBox(items);
  on_loan_->setObjectName("on_loan");
  previous_ = new QComboBox(items);
  previous_->setObjectName("previous_items");
  on_loan_->setMinimumWidth(160);
  previous_->setMinimumWidth(160);
  item_form->addRow(member_label(shop.config, MemberLabel::OnLoan) + ':', on_loan_);
  item_form->addRow(member_label(shop.config, MemberLabel::PreviousItems) + ':', previous_);
  // Beside the name rather than under the groups: the screen then fits 800 x 600.
  top->addWidget(items, 0, Qt::AlignTop);
  outer->addLayout(grid_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* next = buttons->addButton(tr("Next"), QDialogButtonBox::ActionRole);
  next->setObjectName("next");
  QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
  ok->setObjectName("ok");
  ok->setDefault(true);
  connect(next, &QPushButton::clicked, this, &MemberDisplayScreen::next);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  outer->addWidget(buttons);
  show_record(member);
}

QLabel* MemberDisplayScreen::value(const QString& field) { return findChild<QLabel*>(field); }

QString MemberDisplayScreen::shown(const QString& field) const {
  if (auto* l = findChild<QLabel*>(field)) return l->text();
  return {};
}

bool MemberDisplayScreen::photo_shown() const { return !photo_->pixmap().isNull(); }

void MemberDisplayScreen::show_record(const records::MemberRecord& m) {
  number_ = m.number();
  heading_->setText(qs(text::format("%s %s %s", {m.title(), m.initial(), m.name()})).simplified());
  auto put = [this](const char* field, const QString& v) { value(field)->setText(v); };
  put("number", qs(text::format("%I64d", {m.number()})));
  put("title", qs(m.title()));
  put("initial", qs(m.initial()));
  put("middle_name", qs(m.middle_name()));
  put("name", qs(m.name()));
  put("road", qs(m.road()));
  put("area", qs(m.area()));
  put("town", qs(m.town()));
  put("post_code", qs(m.post_code()));
  put("telephone1", phone(m.telephone1(), m.telephone1_ext()));
  put("telephone2", phone(m.telephone2(), m.telephone2_ext()));
  put("email", qs(m.email()));
  put("category", QString::number(m.category()));
  put("comment1", qs(m.comment1()));
  put("comment2", qs(m.comment2()));
  put("family1", qs(m.family1()));
  put("family2", qs(m.family2()));
  put("born", qs(m.born()));
  put("owed", qs(text::format("%.2f", {m.owed()})));
  put("rental_credits", QString::number(m.rental_credits()));
  put("discount", qs(text::format("%.2f", {m.discount()})));
  put("credit_card", qs(m.credit_card()));
  put("credit_card_expiry", qs(m.credit_card_expiry()));
  put("join_date", qs(m.join_date()));
  put("type_of_membership", QString::number(m.type_of_membership()));
  put("expiry", qs(m.expiry()));
  put("rented", QString::number(m.rented()));
  put("last_used", qs(shown_last_hire(shop_.locale(), m.last_used())));
  put("last_returned", qs(shown_last_hire(shop_.locale(), m.last_returned())));
  // A member in arrears stands out at the counter.
  value("owed")->setStyleSheet(m.owed() > 0 ? "color:#b00020; font-weight:bold;" : QString());

  on_loan_->clear();
  for (int k = 0; k < records::MemberRecord::kLoanSlots; ++k)
    if (m.on_loan(k) != 0) on_loan_->addItem(QString::number(m.on_loan(k)));
  previous_->clear();
  for (int k = 0; k < records::MemberRecord::kHistory; ++k)
    if (m.previous_items(k) != 0) previous_->addItem(QString::number(m.previous_items(k)));

  QPixmap picture;
  if (m.has_photo() != 0) {
    QImage image(QString::fromStdString(photo_path(shop_, m.number()).string()));
    if (!image.isNull())
      picture = QPixmap::fromImage(image.scaled(kPhotoWidth, kPhotoHeight, Qt::IgnoreAspectRatio,
                                                Qt::SmoothTransformation));
  }
  photo_->setPixmap(picture);
  photo_->setText(picture.isNull() ? tr("No photo") : QString());
}

void MemberDisplayScreen::next() {
  if (next_member(shop_, number_) == 0) {
    accept();
    return;
  }
  show_record(shop_.member);
}

}  // namespace kelvo::catalogue
