#include "shell/tip_of_day.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "records/config_layout.h"
#include "records/settings_rules.h"

namespace kelvo::shell {

TipOfDayDialog::TipOfDayDialog(records::ConfigBlock& config, QWidget* parent)
    : QDialog(parent), config_(&config), index_(records::take_tip(config)) {
  setObjectName("tip_of_day");
  setWindowTitle(tr("Tip of the day"));
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(QStringLiteral("  Did you know ..."), this);
  heading->setStyleSheet("font-size:16px; font-weight:bold; color:#2f6fb5;");
  layout->addWidget(heading);
  text_ = new QLabel(this);
  text_->setObjectName("tip_text");
  text_->setWordWrap(true);
  text_->setMinimumHeight(80);
  text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text_->setFrameShape(QFrame::StyledPanel);
  text_->setMargin(10);
  text_->setStyleSheet("background:#fffbe8; font-size:13px;");
  layout->addWidget(text_);
  show_at_start_ = new QCheckBox(tr("Show tips at start"), this);
  show_at_start_->setObjectName("show_tips");
  show_at_start_->setChecked(true);
  layout->addWidget(show_at_start_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  QPushButton* next = buttons->addButton(tr("&Next tip"), QDialogButtonBox::ActionRole);
  next->setObjectName("next_tip");
  connect(next, &QPushButton::clicked, this, &TipOfDayDialog::next_tip);
  connect(buttons, &QDialogButtonBox::accepted, this, &TipOfDayDialog::accept);
  layout->addWidget(buttons);
  text_->setText(platform::qt::qs(records::tips()[index_]));
  resize(440, 230);
}

void TipOfDayDialog::next_tip() {
  index_ = records::next_tip(index_);
  config_->set_i32(records::cfg::kTipIndex, records::next_tip(index_));
  text_->setText(platform::qt::qs(records::tips()[index_]));
}

void TipOfDayDialog::accept() {
  records::set_tips_shown_at_start(*config_, show_at_start_->isChecked());
  QDialog::accept();
}

}  // namespace kelvo::shell
