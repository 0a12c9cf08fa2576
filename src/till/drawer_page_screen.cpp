#include "till/drawer_page_screen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"
#include "till/device_port.h"

namespace kelvo::till {

using platform::qt::typed_field;
using platform::qt::qs;
using platform::qt::u16;

namespace {

QWidget* makers_list(QWidget* parent) {
  auto* group = new QGroupBox(QStringLiteral("Printer control sequences"), parent);
  auto* list = new QListWidget(group);
  list->setObjectName(QStringLiteral("makers"));
  list->setSelectionMode(QAbstractItemView::NoSelection);
  list->setFocusPolicy(Qt::NoFocus);
  for (const char16_t* row : DrawerSettings::makers_sequences()) list->addItem(qs(row));
  list->setFixedHeight(list->sizeHintForRow(0) * 4 + 2 * list->frameWidth() + 4);
  auto* box = new QVBoxLayout(group);
  box->addWidget(list);
  return group;
}

QLabel* notes(QWidget* parent) {
  auto* label = new QLabel(
      QStringLiteral("The Epson TM-T88 receipt printer requires a control sequence of 27,112,0,25, 250 to open a "
                     "daisychained cash drawer.\n\n"
                     "The printer to be used is required to be specified on 'Receipts'\n\n"
                     "The settings for the com port protocols is from the Control panel, System, Device manager\n\n"
                     "The open till shortcut is the + key."),
      parent);
  label->setObjectName(QStringLiteral("notes"));
  label->setWordWrap(true);
  return label;
}

}  // namespace

DrawerPage::DrawerPage(records::ConfigBlock& config, QWidget* parent) : QWidget(parent), config_(config) {
  setObjectName(QStringLiteral("drawerPage"));
  const auto s = DrawerSettings::load(config);

  use_ = new QCheckBox(QStringLiteral("Use"), this);
  use_->setObjectName(QStringLiteral("use"));
  use_->setChecked(s.use);

  auto* connection = new QGroupBox(QStringLiteral("Connection"), this);
  direct_ = new QRadioButton(QStringLiteral("Direct connect"), connection);
  direct_->setObjectName(QStringLiteral("direct"));
  printer_ = new QRadioButton(QStringLiteral("Receipt printer connect"), connection);
  printer_->setObjectName(QStringLiteral("receiptPrinter"));
  (s.through_printer ? printer_ : direct_)->setChecked(true);
  auto* row = new QHBoxLayout(connection);
  row->addWidget(direct_);
  row->addWidget(printer_);
  row->addStretch();

  port_ = new QComboBox(this);
  port_->setObjectName(QStringLiteral("port"));
  for (int i = 0; i < kDrawerPortCount; ++i) port_->addItem(QString::fromStdString(port_name(i)));
  port_->setCurrentIndex(s.port);
  character_ = typed_field(this, QStringLiteral("openCharacter"), qs(s.open_character), 3);
  repeat_ = typed_field(this, QStringLiteral("repeat"), qs(s.repeat), 2);
  sequence_ = typed_field(this, QStringLiteral("controlSequence"), qs(s.control_sequence),
                          DrawerSettings::kSequenceLength);
  character_->setMaximumWidth(60);
  repeat_->setMaximumWidth(60);
  sequence_->setMinimumWidth(240);

  auto* direct = new QGroupBox(QStringLiteral("Direct connect"), this);
  auto* direct_form = new QFormLayout(direct);
  direct_form->addRow(QStringLiteral("Port"), port_);
  direct_form->addRow(QStringLiteral("Open character (0-255)"), character_);
  direct_form->addRow(QStringLiteral("Repeat (1-10)"), repeat_);
  auto* chained = new QGroupBox(QStringLiteral("Receipt printer connect"), this);
  auto* chained_form = new QFormLayout(chained);
  chained_form->addRow(QStringLiteral("Printer control sequence"), sequence_);

  auto* left = new QVBoxLayout;
  left->addWidget(use_);
  left->addWidget(connection);
  left->addWidget(direct);
  left->addWidget(chained);
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(makers_list(this));
  right->addWidget(notes(this));
  right->addStretch();
  auto* page = new QHBoxLayout(this);
  page->addLayout(left, 1);
  page->addLayout(right, 1);
}

DrawerSettings DrawerPage::settings() const {
  DrawerSettings s;
  s.use = use_->isChecked();
  s.through_printer = printer_->isChecked();
  s.port = port_->currentIndex();
  s.open_character = u16(character_->text());
  s.repeat = u16(repeat_->text());
  s.control_sequence = u16(sequence_->text());
  return s;
}

}  // namespace kelvo::till
