// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "catalogue/member_match_screen.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogue/member_form_screen.h"
#include "platform/qt/qt_text.h"
#include "text/format.h"

namespace kelvo::catalogue {

using platform::qt::qs;

MemberMatchScreen::MemberMatchScreen(const records::ConfigBlock& config, const records::MemberRecord& m,
                                     QWidget* parent)
    : QDialog(parent) {
  setObjectName("FIND MEMBER");
  setWindowTitle(tr("FIND MEMBER"));
  auto* outer = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  auto row = [&](const char* name, MemberLabel l, const QString& v) {
    auto* value = new QLabel(v, this);
    value->setObjectName(name);
    value->setMinimumWidth(220);
    form->addRow(member_label(config, l) + ':', value);
  };
  row("number", MemberLabel::Number, qs(text::format("%I64d", {m.number()})));
  row("title", MemberLabel::Title, qs(m.title()));
  row("initial", MemberLabel::FirstName, qs(m.initial()));
  row("name", MemberLabel::LastName, qs(m.name()));
  row("road", MemberLabel::Road, qs(m.road()));
  row("area", MemberLabel::Town, qs(m.area()));
  row("post_code", MemberLabel::ZipPost, qs(m.post_code()));
  row("telephone1", MemberLabel::Telephone1, qs(m.telephone1()));
  outer->addLayout(form);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
  ok->setObjectName("ok");
  QPushButton* next = buttons->addButton(tr("Next"), QDialogButtonBox::ActionRole);
  next->setObjectName("next");
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  cancel->setObjectName("cancel");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { choice_ = MatchChoice::Select; accept(); });
  connect(next, &QPushButton::clicked, this, [this] { choice_ = MatchChoice::Next; accept(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  outer->addWidget(buttons);
}

MatchChoice MemberMatchScreen::run() {
  choice_ = MatchChoice::Cancel;
  exec();
  return choice_;
}

}  // namespace kelvo::catalogue
