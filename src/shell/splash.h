#pragma once
// The picture shown for two seconds while the counter gets ready.
#include <QWidget>

namespace kelvo::shell {

class Splash : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kShowMs = 2000;
  Splash();
  // Centres itself on the screen, shows, and closes itself after two seconds.
  void start();

 Q_SIGNALS:
  void finished();

 protected:
  void paintEvent(QPaintEvent*) override;
};

// The splash picture itself, for the window and for looking at it.
QPixmap splash_picture();

}  // namespace kelvo::shell
