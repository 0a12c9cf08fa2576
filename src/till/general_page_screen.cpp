#include "till/general_page_screen.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"

namespace kelvo::till {

using platform::qt::typed_field;
using platform::qt::qs;
using platform::qt::u16;

namespace {

// A caption longer than an 800 x 600 desktop is wide is shown on two lines, broken at `at`;
// a screen reader still reads it as the one sentence it is.
QCheckBox* option(const QString& caption, bool on, const QString& name, QWidget* parent, qsizetype at = -1) {
  auto* box = new QCheckBox(parent);
  if (at > 0) {
    box->setText(caption.left(at).trimmed() + QLatin1Char('\n') + caption.mid(at).trimmed());
    box->setAccessibleName(caption);
  } else {
    box->setText(caption);
  }
  box->setObjectName(name);
  box->setChecked(on);
  return box;
}

}  // namespace

GeneralPage::GeneralPage(records::ConfigBlock& config, QWidget* parent) : QWidget(parent), config_(config) {
  setObjectName(QStringLiteral("generalPage"));
  const auto s = GeneralSettings::load(config);
  auto* top = new QHBoxLayout;
  top->addWidget(build_fields(s), 3);
  top->addWidget(build_categories(s), 2);
  auto* page = new QVBoxLayout(this);
  page->addLayout(top);
  page->addWidget(build_options(s));
  page->addWidget(build_overdue_detail(s));
  page->addStretch();
}

QWidget* GeneralPage::build_fields(const GeneralSettings& s) {
  auto* group = new QGroupBox(QStringLiteral("Rentals"), this);
  auto* form = new QFormLayout(group);
  rental_days_ = typed_field(group, QStringLiteral("rentalDays"), qs(s.rental_days), 3);
  deadline_ = typed_field(group, QStringLiteral("returnDeadline"), qs(s.return_deadline), 5);
  format1_ = typed_field(group, QStringLiteral("format1"), qs(s.format1), GeneralSettings::kFormatLength);
  format2_ = typed_field(group, QStringLiteral("format2"), qs(s.format2), GeneralSettings::kFormatLength);
  till_total_ = typed_field(group, QStringLiteral("tillTotal"), qs(s.till_total), 12);
  items_ = typed_field(group, QStringLiteral("itemsPerCustomer"), qs(s.items_per_customer), 3);
  for (QLineEdit* e : {rental_days_, deadline_, format1_, format2_, till_total_, items_}) e->setMaximumWidth(110);
  form->addRow(QStringLiteral("Default rental period (1-180 days)"), rental_days_);
  form->addRow(QStringLiteral("Return deadline (24 hr format)"), deadline_);
  form->addRow(QStringLiteral("Default format 1"), format1_);
  form->addRow(QStringLiteral("Default format 2"), format2_);
  form->addRow(QStringLiteral("Default till total"), till_total_);
  form->addRow(QStringLiteral("Total items allowed per customer"), items_);
  return group;
}

QWidget* GeneralPage::build_categories(const GeneralSettings& s) {
  auto* group = new QGroupBox(QStringLiteral("Categories (3 characters)"), this);
  auto* grid = new QGridLayout(group);
  constexpr int kRows = 6;
  for (int i = 0; i < records::cfg::kCategoryCount; ++i) {
    auto* edit = typed_field(group, QStringLiteral("category%1").arg(i + 1), qs(s.categories[i]),
                             GeneralSettings::kCategoryLength);
    edit->setMaximumWidth(48);
    auto* label = new QLabel(QString::number(i + 1), group);
    label->setBuddy(edit);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(label, i % kRows, 2 * (i / kRows));
    grid->addWidget(edit, i % kRows, 2 * (i / kRows) + 1);
    categories_[i] = edit;
  }
  return group;
}

QWidget* GeneralPage::build_options(const GeneralSettings& s) {
  auto* group = new QGroupBox(QStringLiteral("Options"), this);
  auto* column = new QVBoxLayout(group);
  column->setSpacing(3);
  cash_tendered_ = option(QStringLiteral("Display cash tendered dialog after each rental (necessary to print receipts or "
                                         "pole display)"),
                          s.cash_tendered, QStringLiteral("cashTendered"), group);
  member_list_ = option(QStringLiteral("On the member search display a list box of all matches rather than individually"),
                        s.member_list, QStringLiteral("memberList"), group);
  charge_per_day_ = option(QStringLiteral("The rental charge is the product of the charge band and the number of days"),
                           s.charge_per_day, QStringLiteral("chargePerDay"), group);
  const QString select_all = QStringLiteral("The return dialog will default to select all items held by member for "
                                            "return (as opposed to just the item originally entered).");
  select_all_ = option(select_all, s.select_all_on_return, QStringLiteral("selectAllOnReturn"), group,
                       select_all.indexOf(QLatin1Char('(')));
  auto_offer_ = option(QStringLiteral("Automatically offer item on rental"), s.auto_offer, QStringLiteral("autoOffer"), group);
  sundry_by_list_ = option(QStringLiteral("On sundry item sale select by list, (uncheck to enter item say if using a "
                                          "barcode scanner)."),
                           s.sundry_by_list, QStringLiteral("sundryByList"), group);
  for (QCheckBox* b : {cash_tendered_, member_list_, charge_per_day_, select_all_, auto_offer_, sundry_by_list_})
    column->addWidget(b);
  return group;
}

QWidget* GeneralPage::build_overdue_detail(const GeneralSettings& s) {
  auto* group = new QGroupBox(QStringLiteral("Overdue print detail"), this);
  auto* grid = new QGridLayout(group);
  const auto& choices = GeneralSettings::overdue_details();
  for (int i = 0; i < 4; ++i) {
    details_[i] = new QRadioButton(qs(choices[i]), group);
    details_[i]->setObjectName(QStringLiteral("overdueDetail%1").arg(i));
    details_[i]->setChecked(i == s.overdue_detail);
    grid->addWidget(details_[i], i / 2, i % 2);
  }
  return group;
}

GeneralSettings GeneralPage::settings() const {
  GeneralSettings s;
  s.rental_days = u16(rental_days_->text());
  s.return_deadline = u16(deadline_->text());
  s.format1 = u16(format1_->text());
  s.format2 = u16(format2_->text());
  s.till_total = u16(till_total_->text());
  s.items_per_customer = u16(items_->text());
  for (int i = 0; i < records::cfg::kCategoryCount; ++i) s.categories[i] = u16(categories_[i]->text());
  s.cash_tendered = cash_tendered_->isChecked();
  s.member_list = member_list_->isChecked();
  s.charge_per_day = charge_per_day_->isChecked();
  s.select_all_on_return = select_all_->isChecked();
  s.auto_offer = auto_offer_->isChecked();
  s.sundry_by_list = sundry_by_list_->isChecked();
  for (int i = 0; i < 4; ++i)
    if (details_[i]->isChecked()) s.overdue_detail = i;
  return s;
}

}  // namespace kelvo::till
