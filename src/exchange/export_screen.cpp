#include "exchange/export_screen.h"
#include "platform/qt/ok_cancel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelvo::exchange {

namespace {

constexpr int kNumberLength = 19;

QString q(text::u16view s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }
text::u16 u(const QString& s) { return s.toStdU16String(); }

QRadioButton* radio(const char* label, const char* name, QWidget* parent) {
  auto* r = new QRadioButton(QString::fromLatin1(label), parent);
  r->setObjectName(QString::fromLatin1(name));
  return r;
}

QCheckBox* check(const QString& label, const QString& name, bool on, QWidget* parent) {
  auto* c = new QCheckBox(label, parent);
  c->setObjectName(name);
  c->setChecked(on);
  return c;
}

QGroupBox* group(const char* title, QWidget* parent, std::initializer_list<QWidget*> children) {
  auto* g = new QGroupBox(QString::fromLatin1(title), parent);
  auto* column = new QVBoxLayout(g);
  for (auto* c : children) column->addWidget(c);
  column->addStretch();
  return g;
}

}  // namespace

ExportScreen::ExportScreen(const ExportChoices& p, const std::vector<text::u16>& categories, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Export"));
  setObjectName(QStringLiteral("exportScreen"));

  auto* range = new QGroupBox(QStringLiteral("Range"), this);
  auto* range_form = new QFormLayout(range);
  start_ = new QLineEdit(q(p.start), range);
  finish_ = new QLineEdit(q(p.finish), range);
  for (auto [edit, name] : {std::pair{start_, "start"}, {finish_, "finish"}}) {
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(kNumberLength);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('9')) * (kNumberLength + 2));
  }
  range_form->addRow(QStringLiteral("&Start"), start_);
  range_form->addRow(QStringLiteral("&Finish"), finish_);

  films_ = radio("F&ilms", "films", this);
  members_ = radio("&Members", "members", this);
  auto* records = group("Records", this, {films_, members_});
  (p.records == ExportRecords::Films ? films_ : members_)->setChecked(true);

  text_ = radio("&Text", "text", this);
  html_ = radio("&HTML", "html", this);
  xml_ = radio("&XML", "xml", this);
  auto* format = group("Format", this, {text_, html_, xml_});
  (p.format == ExportFormat::Text ? text_ : p.format == ExportFormat::Html ? html_ : xml_)->setChecked(true);

  all_ = radio("&All", "all", this);
  by_category_ = radio("&Category", "category", this);
  categories_ = new QComboBox(this);
  categories_->setObjectName(QStringLiteral("categories"));
  for (const auto& c : categories) categories_->addItem(q(c));
  if (int i = categories_->findText(q(p.category)); i >= 0) categories_->setCurrentIndex(i);
  film_type_ = group("Film type", this, {all_, by_category_, categories_});
  (p.by_category ? by_category_ : all_)->setChecked(true);

  bold_number_ = check(QStringLiteral("Bold &number"), QStringLiteral("bold_number"), p.html.bold_number, this);
  bold_title_ = check(QStringLiteral("Bold t&itle"), QStringLiteral("bold_title"), p.html.bold_title, this);
  sizes_ = {radio("Sma&ll", "small", this), radio("M&edium", "medium", this), radio("Lar&ge", "large", this)};
  sizes_[static_cast<size_t>(p.html.size)]->setChecked(true);
  auto* size = group("Text size", this, {sizes_[0], sizes_[1], sizes_[2]});
  html_style_ = group("HTML", this, {bold_number_, bold_title_, size});

  unicode_header_ = check(QStringLiteral("&Unicode file header"), QStringLiteral("unicode_header"), p.unicode_header, this);

  auto* grid = new QGridLayout;
  grid->addWidget(range, 0, 0);
  grid->addWidget(records, 0, 1);
  grid->addWidget(format, 0, 2);
  grid->addWidget(film_type_, 1, 0);
  grid->addWidget(html_style_, 1, 1, 1, 2);
  auto* all = new QVBoxLayout(this);
  all->addLayout(grid);
  all->addWidget(unicode_header_);
  all->addWidget(platform::qt::ok_cancel_buttons(this));

  for (auto* r : {films_, members_, text_, html_, xml_, all_, by_category_})
    connect(r, &QRadioButton::toggled, this, [this] { follow_choices(); });
  follow_choices();
  start_->setFocus();
  start_->selectAll();
}

void ExportScreen::follow_choices() {
  film_type_->setEnabled(films_->isChecked());
  categories_->setEnabled(by_category_->isChecked() && categories_->count() > 0);
  html_style_->setEnabled(html_->isChecked());
}

ExportChoices ExportScreen::choices() const {
  ExportChoices c;
  c.start = u(start_->text());
  c.finish = u(finish_->text());
  c.records = films_->isChecked() ? ExportRecords::Films : ExportRecords::Members;
  c.format = text_->isChecked() ? ExportFormat::Text : html_->isChecked() ? ExportFormat::Html : ExportFormat::Xml;
  c.by_category = by_category_->isChecked();
  c.category = u(categories_->currentText());
  c.html.bold_number = bold_number_->isChecked();
  c.html.bold_title = bold_title_->isChecked();
  c.html.size = sizes_[1]->isChecked() ? TextSize::Medium : sizes_[2]->isChecked() ? TextSize::Large : TextSize::Small;
  c.unicode_header = unicode_header_->isChecked();
  return c;
}

ExportFieldsScreen::ExportFieldsScreen(ExportRecords which, QWidget* parent) : QDialog(parent) {
  setWindowTitle(which == ExportRecords::Films ? QStringLiteral("Film database") : QStringLiteral("Member database"));
  setObjectName(QStringLiteral("exportFieldsScreen"));
  const auto& labels = field_labels(which);
  auto* boxes = new QGroupBox(QStringLiteral("Fields"), this);
  auto* grid = new QGridLayout(boxes);
  for (int i = 0; i < FieldChoice::kBoxes; ++i) {
    boxes_[i] = check(q(labels[i]), QStringLiteral("field%1").arg(i + 1), true, boxes);
    grid->addWidget(boxes_[i], i % 5, i / 5);
  }
  entire_ = check(QStringLiteral("&Export entire"), QStringLiteral("entire"), false, this);
  auto* all = new QVBoxLayout(this);
  all->addWidget(boxes);
  all->addWidget(entire_);
  all->addWidget(platform::qt::ok_cancel_buttons(this));
}

FieldChoice ExportFieldsScreen::fields() const {
  FieldChoice f;
  for (int i = 0; i < FieldChoice::kBoxes; ++i) f.ticked[static_cast<size_t>(i)] = boxes_[i]->isChecked();
  f.entire = entire_->isChecked();
  return f;
}

std::optional<ExportChoices> QtExportScreens::choose(const ExportChoices& proposal,
                                                     const std::vector<text::u16>& categories) {
  ExportScreen screen(proposal, categories, parent_);
  if (screen.exec() != QDialog::Accepted) return std::nullopt;
  return screen.choices();
}

std::optional<FieldChoice> QtExportScreens::fields(ExportRecords which) {
  ExportFieldsScreen screen(which, parent_);
  if (screen.exec() != QDialog::Accepted) return std::nullopt;
  return screen.fields();
}

}  // namespace kelvo::exchange
