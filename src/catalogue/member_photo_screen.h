#pragma once
// "Add or update photo": the picture on the clipboard, previewed on the main window at
// 128 x 96 and saved as the member's photo, small unless "Hi res picture" is on.
#include <cstdint>
#include <vector>

#include <QDialog>
#include <QImage>

#include "records/shop.h"

namespace kelvo::catalogue {

// "No picture": tells how to bring a picture to the clipboard.
class NoPictureScreen : public QDialog {
  Q_OBJECT
 public:
  explicit NoPictureScreen(QWidget* parent = nullptr);
};

// The picture as the photo file takes it: 0x00RRGGBB, top row first.
std::vector<uint32_t> photo_pixels(const QImage& image);
// The picture at the size it is saved: 128 x 96, or as it is with "Hi res picture".
QImage photo_to_save(const QImage& clipboard, bool hi_res);

// The whole command on the given window; true when a photo was saved.
bool add_photo_from_clipboard(records::Shop& shop, QWidget* window);

}  // namespace kelvo::catalogue
