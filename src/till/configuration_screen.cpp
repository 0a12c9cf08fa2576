#include "till/configuration_screen.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kelvo::till {

ConfigurationScreen::ConfigurationScreen(std::vector<ConfigurationPage> pages, QWidget* parent)
    : QDialog(parent), tabs_(new QTabWidget(this)) {
  setWindowTitle(QStringLiteral("Configuration"));
  setObjectName(QStringLiteral("configurationScreen"));
  tabs_->setObjectName(QStringLiteral("pages"));
  for (auto& page : pages) {
    tabs_->addTab(page.widget, page.title);
    applies_.push_back(std::move(page.apply));
  }
  tabs_->setCurrentIndex(0);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("buttons"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);
}

void ConfigurationScreen::apply_pages() const {
  for (const auto& apply : applies_)
    if (apply) apply();
}

}  // namespace kelvo::till
