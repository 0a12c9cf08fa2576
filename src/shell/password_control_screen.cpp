#include "shell/password_control_screen.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/help_window.h"
#include "platform/qt/qt_text.h"

namespace kelvo::shell {

using platform::qt::qs;

PasswordControlScreen::PasswordControlScreen(const records::ConfigBlock& config, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("PASSWORD CONTROL"));
  setObjectName(QStringLiteral("passwordControlScreen"));

  auto* group = new QGroupBox(QStringLiteral("Controlled"), this);
  group->setObjectName(QStringLiteral("controlled"));
  auto* grid = new QGridLayout(group);
  // Two columns read top to bottom, left column first, so the screen order is kept.
  const int rows = (records::kFlagCount + 1) / 2;
  int i = 0;
  for (const auto& f : records::flag_table()) {
    auto* b = new QCheckBox(qs(f.label), group);
    b->setObjectName(QStringLiteral("flag%1").arg(i));
    b->setChecked(records::restricted(config, f.flag));
    boxes_[i] = b;
    grid->addWidget(b, i % rows, i / rows);
    ++i;
  }

  auto* note = new QLabel(
      QStringLiteral("The selected items are not available to users other than 1 Administrator or 2 Manager"), this);
  note->setObjectName(QStringLiteral("note"));
  note->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::helpRequested, this, [] { platform::qt::HelpWindow::show_page(); });

  auto* all = new QVBoxLayout(this);
  all->addWidget(group);
  all->addWidget(note);
  all->addWidget(buttons);
}

void PasswordControlScreen::store(records::ConfigBlock& config) const {
  for (const auto& f : records::flag_table())
    records::set_restricted(config, f.flag, boxes_[static_cast<size_t>(f.flag)]->isChecked());
}

}  // namespace kelvo::shell
