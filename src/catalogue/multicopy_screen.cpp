#include "catalogue/multicopy_screen.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace kelvo::catalogue {

using platform::qt::qs;

MulticopyScreen::MulticopyScreen(const MulticopyResult& result, QWidget* parent) : QDialog(parent) {
  setObjectName("MULTICOPY");
  setWindowTitle("Multiple copy analysis");
  auto* title = new QLabel(qs(result.title_line), this);
  title->setObjectName("title_line");
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  auto* last_7 = new QLabel(qs(result.last_7), this);
  last_7->setObjectName("last_7");
  auto* last_30 = new QLabel(qs(result.last_30), this);
  last_30->setObjectName("last_30");
  auto* form = new QFormLayout;
  form->addRow(tr("In the last 7 days"), last_7);
  form->addRow(tr("In the last 30 days"), last_30);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(title);
  outer->addLayout(form);
  outer->addWidget(buttons);
  setMinimumWidth(320);
}

void show_multicopy_screen(QWidget* parent, const MulticopyResult& result) {
  MulticopyScreen screen(result, parent);
  screen.exec();
}

}  // namespace kelvo::catalogue
