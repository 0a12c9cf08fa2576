#include "uploader/upload_settings_screen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"

namespace kelvo::uploader {

using platform::qt::qs;
using platform::qt::u16;

namespace {

constexpr int kTextLimit = 259;

QLineEdit* text_field(const text::u16& value, const char* name) {
  auto* edit = platform::qt::typed_field(nullptr, name, qs(value), kTextLimit);
  edit->setMinimumWidth(320);
  return edit;
}

QDialogButtonBox* ok_cancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->setObjectName("buttons");
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

UploadConfigScreen::UploadConfigScreen(UploadConfig& config, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("kelvoweb configuration"));
  server_ = text_field(config.ftp_server(), "ftp_server");
  user_ = text_field(config.ftp_user(), "ftp_user");
  password_ = text_field(config.ftp_password(), "ftp_password");
  password_->setEchoMode(QLineEdit::Password);
  upload_name_ = text_field(config.upload_name_raw(), "upload_name");
  interval_ = new QComboBox;
  interval_->setObjectName("upload_interval");
  for (int i = 0; i < kIntervalChoices; ++i) interval_->addItem(qs(interval_text(i)));
  interval_->setCurrentIndex(config.interval() >= 0 && config.interval() < kIntervalChoices ? config.interval() : 0);
  local_only_ = new QCheckBox(tr("Local file only"));
  local_only_->setObjectName("local_only");
  local_only_->setChecked(config.local_only());

  auto* form = new QFormLayout;
  form->addRow(tr("FTP server"), server_);
  form->addRow(tr("FTP username"), user_);
  form->addRow(tr("FTP password"), password_);
  form->addRow(tr("Upload filename"), upload_name_);
  form->addRow(tr("Upload interval"), interval_);
  form->addRow(QString(), local_only_);

  auto* note = new QLabel(
      tr("No configuration is needed on the web server: the inventory file is simply sent to it.\n"
         "kelvoweb must be installed in the same folder as the inventory file (film.dat).\n"
         "The sample page filmstock.htm in the installation folder shows the published file."));
  note->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(note);
  layout->addWidget(ok_cancel(this));
}

ConfigChoice UploadConfigScreen::choice() const {
  return {u16(server_->text().trimmed()), u16(user_->text()), u16(password_->text()),
          u16(upload_name_->text().trimmed()), interval_->currentIndex(), local_only_->isChecked()};
}

FieldSelectionScreen::FieldSelectionScreen(const exchange::FilmXmlFields& fields, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Selection"));
  static const char* const kLabels[exchange::kFilmXmlOptionalFields] = {
      "Category", "Certificate", "Supplier", "Actor 1", "Actor 2", "Director", "Format", "Cost", "Charge band",
      "Date added", "Rentals", "Revenue", "Language", "Location", "Last hire", "On loan to", "Return date",
      "Last rental by", "Previous to last rental by"};
  auto* group = new QGroupBox(tr("Fields published for each film"));
  auto* grid = new QGridLayout(group);
  // Number and title are always published; their boxes only say so.
  auto* number = new QCheckBox(tr("Number"));
  number->setObjectName("field_number");
  auto* title = new QCheckBox(tr("Title"));
  title->setObjectName("field_title");
  for (auto* box : {number, title}) {
    box->setChecked(true);
    box->setEnabled(false);
  }
  grid->addWidget(number, 0, 0);
  grid->addWidget(title, 1, 0);
  constexpr int kRows = 11;
  for (int i = 0; i < exchange::kFilmXmlOptionalFields; ++i) {
    auto* box = new QCheckBox(tr(kLabels[i]));
    box->setObjectName(QStringLiteral("field_%1").arg(i));
    box->setChecked(fields.includes(static_cast<exchange::FilmXmlField>(i)));
    boxes_[static_cast<size_t>(i)] = box;
    const int pos = i + 2;
    grid->addWidget(box, pos % kRows, pos / kRows);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(ok_cancel(this));
}

exchange::FilmXmlFields FieldSelectionScreen::fields() const {
  exchange::FilmXmlFields out;
  for (int i = 0; i < exchange::kFilmXmlOptionalFields; ++i)
    out.set(static_cast<exchange::FilmXmlField>(i), boxes_[static_cast<size_t>(i)]->isChecked());
  return out;
}

}  // namespace kelvo::uploader
