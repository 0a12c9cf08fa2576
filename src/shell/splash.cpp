#include "shell/splash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

namespace kelvo::shell {

QPixmap splash_picture() {
  QPixmap pm(400, 198);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 198);
  sky.setColorAt(0, QColor(0x17, 0x1d, 0x2b));
  sky.setColorAt(1, QColor(0x2b, 0x36, 0x4f));
  p.fillRect(pm.rect(), sky);

  // A strip of film running across the lower part, frames lit in warm colours.
  p.save();
  p.translate(-20, 128);
  p.rotate(-6);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x0c, 0x0f, 0x16));
  p.drawRect(QRectF(0, 0, 460, 46));
  const QColor frames[] = {QColor(0xf2, 0xc1, 0x4e), QColor(0xe0, 0x7a, 0x3a), QColor(0x4f, 0x9d, 0xd9),
                           QColor(0x6c, 0xc0, 0x8a), QColor(0xc8, 0x5a, 0x8f)};
  for (int i = 0; i < 11; ++i) {
    p.setBrush(frames[i % 5]);
    p.drawRoundedRect(QRectF(8 + i * 42, 9, 34, 28), 3, 3);
  }
  p.setBrush(QColor(0xee, 0xee, 0xee));
  for (int i = 0; i < 34; ++i) {
    p.drawRect(QRectF(4 + i * 13.5, 2.5, 6, 4));
    p.drawRect(QRectF(4 + i * 13.5, 39.5, 6, 4));
  }
  p.restore();

  QFont title("DejaVu Sans");
  title.setPixelSize(40);
  title.setBold(true);
  title.setLetterSpacing(QFont::AbsoluteSpacing, 4);
  p.setFont(title);
  p.setPen(QColor(0xf2, 0xc1, 0x4e));
  p.drawText(QRectF(0, 22, 400, 50), Qt::AlignHCenter, QStringLiteral("QUENDRIX"));
  QFont sub("DejaVu Sans");
  sub.setPixelSize(13);
  p.setFont(sub);
  p.setPen(QColor(0xd8, 0xde, 0xe8));
  p.drawText(QRectF(0, 72, 400, 20), Qt::AlignHCenter, QStringLiteral("Films, games and stock at the counter"));
  p.setPen(QColor(0x8e, 0x9a, 0xae));
  p.drawText(QRectF(0, 176, 392, 18), Qt::AlignRight, QStringLiteral("Release 0.1"));
  p.setPen(QPen(QColor(0x45, 0x50, 0x63), 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1, 1, 398, 196));
  return pm;
}

Splash::Splash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("splash");
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(400, 198);
}

void Splash::start() {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect r = screen->geometry();
    move(r.center() - QPoint(200, 99));
  }
  show();
  QTimer::singleShot(kShowMs, this, [this] {
    Q_EMIT finished();
    close();
  });
}

void Splash::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, splash_picture());
}

}  // namespace kelvo::shell
