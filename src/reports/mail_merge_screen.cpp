#include "reports/mail_merge_screen.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/qt/qt_progress.h"
#include "platform/qt/text_field.h"
#include "reports/barcode_labels.h"
#include "reports/letter_commands.h"

namespace kelvo::reports {

using platform::qt::field_text;
using platform::qt::qs;
using platform::qt::u16;

namespace {

// A member number typed for the range: a whole number from 1 to the highest number.
std::optional<int64_t> member_number(const QLineEdit* field) {
  const auto n = text::parse_whole_number(u16(field->text()));
  if (!n || *n < 1 || *n > kHighestLabelValue) return std::nullopt;
  return *n;
}

}  // namespace

MailMergeScreen::MailMergeScreen(records::Shop& shop, platform::Printer& printer, QWidget* parent)
    : QDialog(parent), shop_(shop), printer_(printer) {
  setObjectName(QStringLiteral("mailMerge"));
  setWindowTitle(QStringLiteral("Mailmerge"));
  choose_file_ = [this](bool save) {
    return save ? QFileDialog::getSaveFileName(this, QStringLiteral("Save"), qs(shop_.folder().u16string()))
                : QFileDialog::getOpenFileName(this, QStringLiteral("Load"), qs(shop_.folder().u16string()));
  };
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* range = new QFormLayout;
  const auto& index = shop.members.index().entries();
  const int64_t highest = index.empty() ? 1 : std::max<int64_t>(index.back().number, 1);
  start_ = new QLineEdit(QStringLiteral("1"), this);
  start_->setObjectName(QStringLiteral("startMember"));
  end_ = new QLineEdit(QString::number(highest), this);
  end_->setObjectName(QStringLiteral("endMember"));
  range->addRow(QStringLiteral("Start member"), start_);
  range->addRow(QStringLiteral("End member"), end_);
  top->addLayout(range);
  auto* group = new QGroupBox(QStringLiteral("Selection"), this);
  auto* choices = new QVBoxLayout(group);
  const char* names[] = {"All", "Owe money", "Not rented this year"};
  for (int i = 0; i < 3; ++i) {
    selections_[i] = new QRadioButton(QString::fromLatin1(names[i]), group);
    selections_[i]->setObjectName(QStringLiteral("selection%1").arg(i));
    choices->addWidget(selections_[i]);
  }
  selections_[0]->setChecked(true);
  top->addWidget(group);
  layout->addLayout(top);
  layout->addWidget(new QLabel(QStringLiteral("Text of the letter:"), this));
  body_ = platform::qt::limited_text_field(kMergeTextLimit, this);
  body_->setObjectName(QStringLiteral("body"));
  layout->addWidget(body_);

  auto* buttons = new QDialogButtonBox(this);
  const struct {
    const char* text;
    const char* name;
    void (MailMergeScreen::*action)();
  } actions[] = {{"Save", "save", &MailMergeScreen::save},
                 {"Load", "load", &MailMergeScreen::load},
                 {"Print", "print", &MailMergeScreen::print}};
  for (const auto& a : actions) {
    auto* b = buttons->addButton(QString::fromLatin1(a.text), QDialogButtonBox::ActionRole);
    b->setObjectName(QString::fromLatin1(a.name));
    connect(b, &QPushButton::clicked, this, a.action);
  }
  buttons->addButton(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(640, 480);
}

std::optional<MailMerge> MailMergeScreen::read_fields() {
  const auto start = member_number(start_);
  const auto end = member_number(end_);
  if (!start || !end) {
    platform::problem(shop_.op(), u"Outside range");
    return std::nullopt;
  }
  MailMerge m{.start_member = *start, .end_member = *end, .selection = MergeSelection::All, .body = field_text(body_)};
  for (int i = 0; i < 3; ++i)
    if (selections_[i]->isChecked()) m.selection = static_cast<MergeSelection>(i);
  return m;
}

void MailMergeScreen::save() {
  const QString file = choose_file_(true);
  if (!file.isEmpty()) save_merge_text(file.toStdString(), field_text(body_), shop_.op());
}

void MailMergeScreen::load() {
  const QString file = choose_file_(false);
  if (file.isEmpty()) return;
  if (auto body = load_merge_text(file.toStdString(), shop_.op()))
    platform::qt::show_text(body_, text::u16view(*body).substr(0, kMergeTextLimit));
}

void MailMergeScreen::print() {
  const auto merge = read_fields();
  if (!merge) return;
  platform::qt::QtProgress progress(this);
  last_run_ = print_mail_merge_document(shop_, printer_, progress, *merge);
}

}  // namespace kelvo::reports
