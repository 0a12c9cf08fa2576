#include "reports/photo_id_screen.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "reports/photo_id.h"

namespace kelvo::reports {

using platform::qt::qs;
using platform::qt::u16;

namespace {

QButtonGroup* choices(QGroupBox* box, std::initializer_list<const char*> texts, const char* name, int checked) {
  auto* layout = new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  int id = 0;
  for (const char* t : texts) {
    auto* b = new QRadioButton(QString::fromLatin1(t), box);
    b->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(name)).arg(id));
    group->addButton(b, id);
    layout->addWidget(b);
    b->setChecked(id++ == checked);
  }
  return group;
}

}  // namespace

PhotoIdScreen::PhotoIdScreen(records::Shop& shop, QWidget* parent) : QDialog(parent), shop_(shop) {
  setObjectName(QStringLiteral("photoIdConfiguration"));
  setWindowTitle(QStringLiteral("Photo ID card configuration"));
  const PhotoIdSettings s = load_photo_id_settings(shop.config);
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  origin_x_ = new QLineEdit(QString::number(s.origin_x), this);
  origin_x_->setObjectName(QStringLiteral("originX"));
  origin_y_ = new QLineEdit(QString::number(s.origin_y), this);
  origin_y_->setObjectName(QStringLiteral("originY"));
  form->addRow(QStringLiteral("Origin X"), origin_x_);
  form->addRow(QStringLiteral("Origin Y"), origin_y_);
  layout->addLayout(form);

  auto* picture = new QGroupBox(QStringLiteral("Picture"), this);
  picture_ = choices(picture, {"Customer photograph", "Letter heading bitmap"}, "picture", static_cast<int>(s.picture));
  layout->addWidget(picture);

  auto* bottom = new QGroupBox(QStringLiteral("Under the picture"), this);
  element_ = choices(bottom, {"Code 39 barcode", "UAN barcode (with check digit)", "Text"}, "element",
                     static_cast<int>(s.element));
  text_ = new QLineEdit(qs(s.text), bottom);
  text_->setObjectName(QStringLiteral("cardText"));
  text_->setMaxLength(static_cast<int>(kCardTextLimit));
  text_->setEnabled(s.element == CardElement::Text);
  bottom->layout()->addWidget(text_);
  connect(element_, &QButtonGroup::idClicked, text_, [this](int id) { text_->setEnabled(id == 2); });
  layout->addWidget(bottom);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void PhotoIdScreen::accept() {
  PhotoIdSettings s = load_photo_id_settings(shop_.config);
  if (!take_card_origin(u16(origin_x_->text()), u16(origin_y_->text()), s, shop_.op())) return;
  s.picture = static_cast<CardPicture>(picture_->checkedId());
  s.element = static_cast<CardElement>(element_->checkedId());
  s.text = u16(text_->text());
  store_photo_id_settings(shop_.config, s);
  shop_.save_config();
  QDialog::accept();
}

}  // namespace kelvo::reports
