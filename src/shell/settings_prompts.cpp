// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "shell/settings_prompts.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "records/config_layout.h"
#include "shell/main_window.h"
#include "text/format.h"

namespace kelvo::shell::settings {

namespace {

using platform::qt::qs;
using platform::qt::u16;
namespace cfg = records::cfg;

platform::PromptOptions prompt_options(text::u16 proposal) {
  platform::PromptOptions o;
  o.proposal = std::move(proposal);
  o.max_length = records::kSettingsPromptLength;
  return o;
}

void outside_range(records::Shop& shop) {
  shop.warn();
  shop.op().message(u"Problem", u"Outside range");
}

QDialogButtonBox* ok_cancel(QDialog* d) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, d);
  QObject::connect(buttons, &QDialogButtonBox::accepted, d, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::reject);
  return buttons;
}

QTableWidget* label_table(const records::ConfigBlock& config, records::LabelTable which, QWidget* parent) {
  int n = records::label_count(which);
  auto* table = new QTableWidget(n, 1, parent);
  table->setObjectName(which == records::LabelTable::Film ? "film_labels" : "member_labels");
  table->setHorizontalHeaderLabels({QObject::tr("Label shown on the screens")});
  table->horizontalHeader()->setStretchLastSection(true);
  for (int i = 0; i < n; ++i) {
    table->setItem(i, 0, new QTableWidgetItem(qs(records::field_label(config, which, i))));
    table->setVerticalHeaderItem(i, new QTableWidgetItem(QString::number(i + 1)));
  }
  return table;
}

void store_labels(records::ConfigBlock& config, records::LabelTable which, const QTableWidget* table) {
  for (int i = 0; i < table->rowCount(); ++i)
    if (const QTableWidgetItem* item = table->item(i, 0))
      records::set_field_label(config, which, i, u16(item->text()));
}

}  // namespace

void list_font_size(MainWindow& w) {
  records::Shop& shop = w.shop();
  int64_t stored = shop.config.i64(cfg::kListFontSize);
  QDialog d(&w);
  d.setObjectName("printer_font_size");
  d.setWindowTitle(QObject::tr("Printer font size"));
  auto* layout = new QVBoxLayout(&d);
  layout->addWidget(new QLabel(QObject::tr("Lines on a printed page of a listing:"), &d));
  auto* row = new QHBoxLayout;
  auto* slider = new QSlider(Qt::Horizontal, &d);
  slider->setObjectName("lines");
  slider->setRange(records::kFewestListLines, records::kMostListLines);
  slider->setValue(records::list_font_slider(stored));
  slider->setMinimumWidth(260);
  auto* value = new QLabel(QString::number(slider->value()), &d);
  value->setMinimumWidth(32);
  QObject::connect(slider, &QSlider::valueChanged, value, [value](int v) { value->setNum(v); });
  row->addWidget(new QLabel(QObject::tr("Large"), &d));
  row->addWidget(slider);
  row->addWidget(new QLabel(QObject::tr("Tiny"), &d));
  row->addWidget(value);
  layout->addLayout(row);
  auto* printer_default = new QCheckBox(QObject::tr("Use the printer default"), &d);
  printer_default->setObjectName("printer_default");
  printer_default->setChecked(stored == 0);
  slider->setEnabled(stored != 0);
  QObject::connect(printer_default, &QCheckBox::toggled, slider, [slider](bool on) { slider->setEnabled(!on); });
  layout->addWidget(printer_default);
  layout->addWidget(ok_cancel(&d));
  if (d.exec() != QDialog::Accepted) return;
  shop.config.set_i64(cfg::kListFontSize, records::list_font_value(slider->value(), printer_default->isChecked()));
  shop.save_config();
}

void indent_listings(MainWindow& w) {
  records::Shop& shop = w.shop();
  auto answer = shop.op().prompt(u"Indent (in characters, 0-40)", prompt_options(u"10"));
  if (!answer) return;
  auto indent = records::parse_indent(answer->text);
  if (!indent) return outside_range(shop);
  shop.config.set_i64(cfg::kListIndent, *indent);
  shop.save_config();
  shop.op().message(u"Indent set to", text::format("%I64d", {static_cast<long long>(*indent)}));
}

void start_number(MainWindow& w, records::StartNumber which) {
  records::Shop& shop = w.shop();
  records::StartNumberText words = records::start_number_text(which);
  auto answer = shop.op().prompt(words.prompt, prompt_options(records::start_number_proposal(shop.config, which)));
  if (!answer) return;
  auto start = records::parse_start_number(answer->text);
  if (!start) return outside_range(shop);
  records::store_start_number(shop.config, which, *start);
  shop.save_config();
  shop.op().message(words.caption, text::format("%I64d", {static_cast<long long>(*start)}));
}

void toggle(MainWindow& w, records::Toggle t) {
  records::flip_toggle(w.shop().config, t);
  w.shop().save_config();
}

void default_debt(MainWindow& w) {
  toggle(w, records::Toggle::DefaultDebtPaid);
  records::Confirmation c = records::debt_allocation_confirmation(w.shop().config);
  w.shop().op().message(c.caption, c.text);
}

void default_overdue(MainWindow& w) {
  toggle(w, records::Toggle::DefaultOverduePaid);
  records::Confirmation c = records::overdue_allocation_confirmation(w.shop().config);
  w.shop().op().message(c.caption, c.text);
}

void clock_display(MainWindow& w) {
  records::Shop& shop = w.shop();
  bool shown = records::clock_shown(shop.config);
  auto row = shop.op().choose(u"Clock display", {u"Analogue clock", u"No clock"}, shown ? 0 : 1);
  if (!row) return;
  records::set_clock_shown(shop.config, *row == 0);
  shop.save_config();
  w.apply_clock_setting();
}

void customize_field_names(MainWindow& w) {
  records::Shop& shop = w.shop();
  QDialog d(&w);
  d.setObjectName("field_names");
  d.setWindowTitle(QObject::tr("Customize field names"));
  auto* layout = new QVBoxLayout(&d);
  layout->addWidget(new QLabel(QObject::tr("The labels the film and member screens show beside each field."), &d));
  auto* tabs = new QTabWidget(&d);
  QTableWidget* films = label_table(shop.config, records::LabelTable::Film, tabs);
  QTableWidget* members = label_table(shop.config, records::LabelTable::Member, tabs);
  films->setAccessibleName(QObject::tr("Film fields"));
  members->setAccessibleName(QObject::tr("Member fields"));
  tabs->addTab(films, QObject::tr("Film fields"));
  tabs->addTab(members, QObject::tr("Member fields"));
  layout->addWidget(tabs);
  layout->addWidget(ok_cancel(&d));
  d.resize(460, 560);
  if (d.exec() != QDialog::Accepted) return;
  store_labels(shop.config, records::LabelTable::Film, films);
  store_labels(shop.config, records::LabelTable::Member, members);
  shop.save_config();
}

void calendar(MainWindow& w) {
  QDialog d(&w);
  d.setObjectName("calendar");
  d.setWindowTitle(QObject::tr("Calendar"));
  auto* layout = new QVBoxLayout(&d);
  auto* cal = new QCalendarWidget(&d);
  cal->setGridVisible(true);
  layout->addWidget(cal);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &d);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
  layout->addWidget(buttons);
  d.exec();
}

void about(MainWindow& w) {
  QMessageBox::about(&w, QObject::tr("About QUENDRIX"),
                     QObject::tr("<b>QUENDRIX</b> counter program<br>Release %1, built %2<br><br>"
                                 "Rentals, returns, members, films and stock for the shop counter.")
                         .arg(QStringLiteral("0.1"), QStringLiteral(__DATE__)));
}

}  // namespace kelvo::shell::settings
