#include "till/pole_page_screen.h"

#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"
#include "till/device_port.h"

namespace kelvo::till {

using platform::qt::qs;
using platform::qt::typed_field;
using platform::qt::u16;

namespace {

constexpr std::array<const char*, kPoleTextCount> kTextNames = {"passiveText",   "printerOn", "printerOff",
                                                                "clearDisplay",  "firstLine", "secondLine"};

QLabel* notes(QWidget* parent) {
  auto* label = new QLabel(QStringLiteral("The settings for a standard ESC POS display are:\n"
                                          "Clear display: 27,64\n"
                                          "Set cursor first line: 11\n"
                                          "Set cursor second line: 11,10\n\n"
                                          "The printer control is used if the display and printer are daisy chained "
                                          "on the serial port."),
                           parent);
  label->setObjectName(QStringLiteral("notes"));
  label->setWordWrap(true);
  return label;
}

}  // namespace

PolePage::PolePage(records::ConfigBlock& config, Preview preview, QWidget* parent)
    : QWidget(parent), config_(config), preview_(std::move(preview)) {
  setObjectName(QStringLiteral("polePage"));
  const auto s = PoleSettings::load(config);

  use_ = new QCheckBox(QStringLiteral("Use"), this);
  use_->setObjectName(QStringLiteral("use"));
  use_->setChecked(s.use);
  port_ = new QComboBox(this);
  port_->setObjectName(QStringLiteral("port"));
  for (int i = 0; i < kPolePortCount; ++i) port_->addItem(QString::fromStdString(port_name(i)));
  port_->setCurrentIndex(s.port);
  columns1_ = typed_field(this, QStringLiteral("columns1"), qs(s.columns1), 2);
  columns2_ = typed_field(this, QStringLiteral("columns2"), qs(s.columns2), 2);
  for (QLineEdit* e : {columns1_, columns2_}) e->setMaximumWidth(60);

  auto* form = new QFormLayout;
  form->addRow(use_);
  form->addRow(QStringLiteral("Port"), port_);
  form->addRow(QStringLiteral("Columns in line 1"), columns1_);
  form->addRow(QStringLiteral("Columns in line 2"), columns2_);
  const auto& labels = PoleSettings::text_labels();
  for (int i = 0; i < kPoleTextCount; ++i) {
    texts_[i] = typed_field(this, QString::fromLatin1(kTextNames[i]), qs(s.texts[i]), PoleSettings::kTextLength);
    texts_[i]->setMinimumWidth(260);
    form->addRow(qs(labels[i]), texts_[i]);
  }
  auto* preview_button = new QPushButton(QStringLiteral("Preview"), this);
  preview_button->setObjectName(QStringLiteral("preview"));
  connect(preview_button, &QPushButton::clicked, this, [this] {
    if (preview_) preview_(typed_setup());
  });
  form->addRow(QString(), preview_button);

  auto* display = new QGroupBox(QStringLiteral("Pole display"), this);
  display->setLayout(form);
  auto* right = new QVBoxLayout;
  right->addWidget(notes(this));
  right->addStretch();
  auto* page = new QHBoxLayout(this);
  page->addWidget(display, 3, Qt::AlignTop);
  page->addLayout(right, 2);
}

PoleSettings PolePage::settings() const {
  PoleSettings s;
  s.use = use_->isChecked();
  s.port = port_->currentIndex();
  s.columns1 = u16(columns1_->text());
  s.columns2 = u16(columns2_->text());
  for (int i = 0; i < kPoleTextCount; ++i) s.texts[i] = u16(texts_[i]->text());
  return s;
}

PoleSetup PolePage::typed_setup() const {
  // The page's values go into a copy of the block through the same rules as OK, so the preview
  // shows what OK would keep.
  auto copy = std::make_unique<records::ConfigBlock>(config_);
  settings().store(*copy);
  return pole_setup(*copy);
}

}  // namespace kelvo::till
