#include "shell/main_window_icons.h"

#include <QPainter>
#include <QPainterPath>

namespace kelvo::shell {

namespace {

enum class Motif { Film, Person, Calendar, Printer, List, Camera, Star, Clapper, Form, Envelope, Padlock, Disk };
enum class Badge { None, Plus, Cross, Find, Print, Alert, Coin, Out, Back };

struct Picture {
  Motif motif;
  Badge badge;
  QColor colour;
};

const QColor kFilmBlue(0x2f, 0x6f, 0xb5);
const QColor kMemberGreen(0x2e, 0x8b, 0x57);
const QColor kReserveViolet(0x7a, 0x4f, 0xa8);
const QColor kAlertRed(0xc0, 0x39, 0x2b);
const QColor kOfferGold(0xd8, 0x9a, 0x1c);
const QColor kSlate(0x4a, 0x55, 0x68);

Picture picture_for(std::string_view c) {
  if (c == "films.new_format1") return {Motif::Film, Badge::Plus, kFilmBlue};
  if (c == "films.list_overdue_verbose") return {Motif::List, Badge::Alert, kAlertRed};
  if (c == "films.print_overdue") return {Motif::Printer, Badge::Alert, kAlertRed};
  if (c == "members.photo") return {Motif::Camera, Badge::None, kMemberGreen};
  if (c == "options.special_offers") return {Motif::Star, Badge::None, kOfferGold};
  if (c == "films.list_actor") return {Motif::Person, Badge::Find, kOfferGold};
  if (c == "films.list_director") return {Motif::Clapper, Badge::Find, kOfferGold};
  if (c == "options.membership_form") return {Motif::Form, Badge::Print, kMemberGreen};
  if (c == "films.find") return {Motif::Film, Badge::Find, kFilmBlue};
  if (c == "films.delete") return {Motif::Film, Badge::Cross, kFilmBlue};
  if (c == "members.find") return {Motif::Person, Badge::Find, kMemberGreen};
  if (c == "members.delete") return {Motif::Person, Badge::Cross, kMemberGreen};
  if (c == "reservations.add") return {Motif::Calendar, Badge::Plus, kReserveViolet};
  if (c == "reservations.delete") return {Motif::Calendar, Badge::Cross, kReserveViolet};
  if (c == "reservations.print") return {Motif::Calendar, Badge::Print, kReserveViolet};
  if (c == "reservations.list") return {Motif::Calendar, Badge::Find, kReserveViolet};
  if (c == "options.overdue_letter1") return {Motif::Envelope, Badge::Alert, kAlertRed};
  if (c == "films.sell") return {Motif::Film, Badge::Coin, kFilmBlue};
  if (c == "utilities.log_off") return {Motif::Padlock, Badge::None, kSlate};
  if (c == "options.backup") return {Motif::Disk, Badge::None, kSlate};
  if (c == "counter.rent") return {Motif::Film, Badge::Out, QColor(0x1f, 0x7a, 0xc4)};
  if (c == "members.return_items") return {Motif::Film, Badge::Back, QColor(0xd3, 0x6b, 0x1e)};
  if (c == "members.add") return {Motif::Person, Badge::Plus, kMemberGreen};
  return {Motif::List, Badge::None, kSlate};
}

// Everything is drawn on a 32 x 32 grid and scaled.
void draw_motif(QPainter& p, Motif m, const QColor& c) {
  QPen outline(c.darker(150), 1.6);
  outline.setJoinStyle(Qt::RoundJoin);
  p.setPen(outline);
  p.setBrush(c);
  switch (m) {
    case Motif::Film: {
      p.drawRoundedRect(QRectF(5, 6, 22, 20), 2, 2);
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      for (int i = 0; i < 4; ++i) {
        p.drawRect(QRectF(7, 8 + i * 4.6, 2.4, 2.4));
        p.drawRect(QRectF(22.6, 8 + i * 4.6, 2.4, 2.4));
      }
      p.setBrush(c.lighter(160));
      p.drawRect(QRectF(11.5, 9, 9, 14));
      break;
    }
    case Motif::Person:
      p.drawEllipse(QPointF(16, 10.5), 5.5, 5.5);
      p.drawChord(QRectF(6, 17, 20, 20), 0, 180 * 16);
      break;
    case Motif::Calendar:
      p.setBrush(Qt::white);
      p.drawRoundedRect(QRectF(5, 7, 22, 20), 2, 2);
      p.setBrush(c);
      p.drawRect(QRectF(5, 7, 22, 6));
      p.setPen(Qt::NoPen);
      p.setBrush(c.lighter(130));
      for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 4; ++k) p.drawRect(QRectF(8 + k * 4.5, 15.5 + r * 3.6, 2.6, 2.2));
      break;
    case Motif::Printer:
      p.setBrush(Qt::white);
      p.drawRect(QRectF(10, 4, 12, 8));
      p.setBrush(c);
      p.drawRoundedRect(QRectF(4, 11, 24, 11), 2, 2);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(9, 18, 14, 10));
      break;
    case Motif::List:
      p.setBrush(Qt::white);
      p.drawRoundedRect(QRectF(6, 4, 20, 24), 2, 2);
      p.setPen(QPen(c, 2.2, Qt::SolidLine, Qt::RoundCap));
      for (int i = 0; i < 4; ++i) p.drawLine(QPointF(10, 10 + i * 4.5), QPointF(22, 10 + i * 4.5));
      break;
    case Motif::Camera:
      p.drawRoundedRect(QRectF(4, 10, 24, 16), 3, 3);
      p.drawRect(QRectF(11, 7, 10, 4));
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(16, 18), 5, 5);
      p.setBrush(c.darker(130));
      p.drawEllipse(QPointF(16, 18), 2.5, 2.5);
      break;
    case Motif::Star: {
      QPainterPath star;
      for (int i = 0; i < 10; ++i) {
        double r = i % 2 ? 5.5 : 13;
        double a = -M_PI / 2 + i * M_PI / 5;
        QPointF pt(16 + r * std::cos(a), 17 + r * std::sin(a));
        if (i == 0) star.moveTo(pt);
        else star.lineTo(pt);
      }
      star.closeSubpath();
      p.drawPath(star);
      break;
    }
    case Motif::Clapper:
      p.drawRect(QRectF(5, 13, 22, 14));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(5, 7, 22, 5));
      p.setPen(QPen(c.darker(150), 2.4));
      for (int i = 0; i < 4; ++i) p.drawLine(QPointF(8 + i * 5.5, 12), QPointF(11 + i * 5.5, 7));
      break;
    case Motif::Form:
      p.setBrush(Qt::white);
      p.drawRoundedRect(QRectF(7, 3, 18, 26), 2, 2);
      p.setBrush(c);
      p.drawEllipse(QPointF(12.5, 10), 3, 3);
      p.setPen(QPen(c, 2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(17, 9), QPointF(22, 9));
      p.drawLine(QPointF(10, 17), QPointF(22, 17));
      p.drawLine(QPointF(10, 22), QPointF(22, 22));
      break;
    case Motif::Envelope:
      p.setBrush(Qt::white);
      p.drawRect(QRectF(4, 8, 24, 17));
      p.drawPolyline(QPolygonF({QPointF(4, 8), QPointF(16, 18), QPointF(28, 8)}));
      break;
    case Motif::Padlock:
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(c.darker(130), 3));
      p.drawArc(QRectF(10, 4, 12, 14), 0, 180 * 16);
      p.drawLine(QPointF(10, 11), QPointF(10, 15));
      p.drawLine(QPointF(22, 11), QPointF(22, 15));
      p.setPen(outline);
      p.setBrush(c);
      p.drawRoundedRect(QRectF(7, 14, 18, 14), 2, 2);
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(16, 20), 2, 2);
      break;
    case Motif::Disk:
      p.drawRoundedRect(QRectF(5, 5, 22, 22), 2, 2);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(10, 5, 12, 8));
      p.drawRect(QRectF(9, 17, 14, 10));
      break;
  }
}

void draw_badge(QPainter& p, Badge b) {
  if (b == Badge::None) return;
  QColor colour = b == Badge::Cross || b == Badge::Alert ? kAlertRed
                  : b == Badge::Coin                     ? kOfferGold
                  : b == Badge::Find                     ? QColor(0x33, 0x3a, 0x48)
                                                         : QColor(0x21, 0x9a, 0x52);
  QPointF centre(24, 24);
  p.setPen(QPen(Qt::white, 1.5));
  p.setBrush(colour);
  p.drawEllipse(centre, 7.5, 7.5);
  QPen mark(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(mark);
  p.setBrush(Qt::NoBrush);
  switch (b) {
    case Badge::Plus:
      p.drawLine(QPointF(20, 24), QPointF(28, 24));
      p.drawLine(QPointF(24, 20), QPointF(24, 28));
      break;
    case Badge::Cross:
      p.drawLine(QPointF(21, 21), QPointF(27, 27));
      p.drawLine(QPointF(27, 21), QPointF(21, 27));
      break;
    case Badge::Find:
      p.setPen(QPen(Qt::white, 1.8));
      p.drawEllipse(QPointF(23, 23), 3, 3);
      p.setPen(mark);
      p.drawLine(QPointF(25.2, 25.2), QPointF(28, 28));
      break;
    case Badge::Print:
      p.setPen(QPen(Qt::white, 1.6));
      p.drawRect(QRectF(20.5, 22, 7, 4));
      p.drawRect(QRectF(22, 19.5, 4, 2.5));
      break;
    case Badge::Alert:
      p.drawLine(QPointF(24, 20), QPointF(24, 25));
      p.drawPoint(QPointF(24, 28));
      break;
    case Badge::Coin: {
      QFont f;
      f.setPixelSize(11);
      f.setBold(true);
      p.setFont(f);
      p.setPen(Qt::white);
      p.drawText(QRectF(16.5, 16.5, 15, 15), Qt::AlignCenter, QStringLiteral("$"));
      break;
    }
    case Badge::Out:
      p.drawLine(QPointF(20, 24), QPointF(28, 24));
      p.drawPolyline(QPolygonF({QPointF(25, 21), QPointF(28, 24), QPointF(25, 27)}));
      break;
    case Badge::Back:
      p.drawLine(QPointF(20, 24), QPointF(28, 24));
      p.drawPolyline(QPolygonF({QPointF(23, 21), QPointF(20, 24), QPointF(23, 27)}));
      break;
    case Badge::None: break;
  }
}

}  // namespace

QPixmap command_picture(std::string_view command, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);
  Picture pic = picture_for(command);
  draw_motif(p, pic.motif, pic.colour);
  draw_badge(p, pic.badge);
  return pixmap;
}

QIcon command_icon(std::string_view command, int size) {
  QIcon icon;
  icon.addPixmap(command_picture(command, size));
  icon.addPixmap(command_picture(command, size * 2));
  return icon;
}

}  // namespace kelvo::shell
