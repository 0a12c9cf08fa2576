// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "catalogue/member_photo_screen.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "catalogue/member_photo.h"
#include "records/settings_rules.h"

namespace kelvo::catalogue {

NoPictureScreen::NoPictureScreen(QWidget* parent) : QDialog(parent) {
  setObjectName("No picture");
  setWindowTitle(tr("No picture"));
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel(
      tr("There is no picture on the clipboard.\n\n"
         "Open the member's photo in a picture viewer or camera program, select it and copy it "
         "(Edit, Copy or Ctrl+C). Then choose \"Add or update photo\" again and give the member number.\n\n"
         "The picture is reduced to 128 x 96 pixels for the member display and the photo ID card. "
         "To keep it at its own size, tick \"Hi res picture\" on the Options menu first."),
      this);
  text->setObjectName("explanation");
  text->setWordWrap(true);
  text->setMinimumWidth(380);
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

std::vector<uint32_t> photo_pixels(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  std::vector<uint32_t> out(static_cast<size_t>(rgb.width()) * static_cast<size_t>(rgb.height()));
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) out[static_cast<size_t>(y) * rgb.width() + x] = line[x] & 0x00ffffffu;
  }
  return out;
}

QImage photo_to_save(const QImage& clipboard, bool hi_res) {
  if (hi_res) return clipboard;
  return clipboard.scaled(kPhotoWidth, kPhotoHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool add_photo_from_clipboard(records::Shop& shop, QWidget* window) {
  QClipboard* clipboard = QApplication::clipboard();
  const QImage picture = clipboard->image();
  if (picture.isNull()) {
    NoPictureScreen screen(window);
    screen.exec();
    return false;
  }
  const QImage small = photo_to_save(picture, false);
  // The preview sits on the window while the number is asked, and goes with the command.
  QLabel* preview = nullptr;
  if (window) {
    preview = new QLabel(window);
    preview->setObjectName("photo_preview");
    preview->setPixmap(QPixmap::fromImage(small));
    preview->setFrameShape(QFrame::Box);
    preview->setFixedSize(kPhotoWidth + 2 * preview->frameWidth(), kPhotoHeight + 2 * preview->frameWidth());
    preview->move(20, 120);
    preview->raise();
    preview->show();
  }
  const bool hi_res = records::toggle_on(shop.config, records::Toggle::HiResPicture);
  const QImage saved = photo_to_save(picture, hi_res);
  const auto pixels = photo_pixels(saved);
  const bool ok = add_photo_command(shop, saved.width(), saved.height(), pixels.data());
  // The small picture takes the place of the copied one, as it is the one the member now has.
  if (ok && !hi_res) clipboard->setImage(small);
  delete preview;
  return ok;
}

}  // namespace kelvo::catalogue
