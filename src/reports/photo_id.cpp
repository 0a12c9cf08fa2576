#include "reports/photo_id.h"

#include <algorithm>
#include <string>

#include "catalogue/member_photo.h"
#include "records/config_layout.h"
#include "reports/barcode.h"
#include "reports/letter_page.h"
#include "text/format.h"

namespace kelvo::reports {

namespace cfg = records::cfg;

namespace {

// The picture keeps the 4:3 shape of a member photo, 1.2 inches wide; the bars are narrow
// enough for an 18-digit number to stay on a card.
constexpr int kPictureTenthsWide = 12;
constexpr int kPictureTenthsHigh = 9;
constexpr int kCode39Module = 25;  // hundredths of a millimetre
constexpr int kEanModule = 33;

}  // namespace

PhotoIdSettings load_photo_id_settings(const records::ConfigBlock& c) {
  PhotoIdSettings s;
  s.origin_x = c.i32(cfg::kPhotoIdOriginX);
  s.origin_y = c.i32(cfg::kPhotoIdOriginY);
  s.picture = c.i32(cfg::kPhotoIdPicture) == 1 ? CardPicture::LetterBitmap : CardPicture::Photograph;
  s.element = static_cast<CardElement>(std::clamp(c.i32(cfg::kPhotoIdElement), 0, 2));
  s.text = c.str(cfg::kPhotoIdText, cfg::kPhotoIdTextWidth);
  return s;
}

void store_photo_id_settings(records::ConfigBlock& c, const PhotoIdSettings& s) {
  c.set_i32(cfg::kPhotoIdOriginX, s.origin_x);
  c.set_i32(cfg::kPhotoIdOriginY, s.origin_y);
  c.set_i32(cfg::kPhotoIdPicture, static_cast<int>(s.picture));
  c.set_i32(cfg::kPhotoIdElement, static_cast<int>(s.element));
  c.set_str(cfg::kPhotoIdText, cfg::kPhotoIdTextWidth, s.text);
}

bool take_card_origin(text::u16view x, text::u16view y, PhotoIdSettings& s, platform::Operator& op) {
  const auto ox = text::parse_whole_number(x);
  const auto oy = text::parse_whole_number(y);
  for (const auto& [value, name] : {std::pair{ox, u"Origin X"}, std::pair{oy, u"Origin Y"}}) {
    if (!value || *value < 1 || *value > 1000000) {
      op.message(u"Problem", text::u16(name) + u" must be a whole number above 0");
      return false;
    }
  }
  s.origin_x = static_cast<int>(*ox);
  s.origin_y = static_cast<int>(*oy);
  return true;
}

CardLayout card_layout(const PhotoIdSettings& s, int dpi, int char_height) {
  CardLayout l;
  l.picture_x = s.origin_x + 10;
  l.picture_y = s.origin_y + 10;
  l.picture_w = dpi * kPictureTenthsWide / 10;
  l.picture_h = dpi * kPictureTenthsHigh / 10;
  const int gap = dpi / 10;
  l.text_x = l.picture_x + l.picture_w + gap;
  l.name_y = l.picture_y;
  l.number_y = l.name_y + char_height;
  l.bottom_x = l.picture_x;
  l.bottom_y = l.picture_y + l.picture_h + gap;
  return l;
}

void photo_id_card(platform::Printer& p, const records::Shop& shop, const records::MemberRecord& m,
                   const PhotoIdSettings& s) {
  const CardLayout l = card_layout(s, p.dots_per_inch(), p.char_height());
  const std::string picture = s.picture == CardPicture::Photograph
                                  ? catalogue::photo_path(shop, m.number()).string()
                                  : find_any_case(shop.folder(), "LETTER.BMP").string();
  p.image(l.picture_x, l.picture_y, l.picture_w, l.picture_h, picture);
  p.text(l.text_x, l.name_y, text::format("%s, %s", {m.name(), m.initial()}));
  p.text(l.text_x, l.number_y, text::format("%I64d", {m.number()}));
  const Metric metric(p);
  switch (s.element) {
    case CardElement::Code39:
      draw_symbol(p, code39_symbol(std::to_string(m.number())), metric.hmm(l.bottom_x), metric.hmm(l.bottom_y),
                  kCode39Module);
      break;
    case CardElement::Ean:
      draw_symbol(p, ean13_symbol(ean13_code(m.number())), metric.hmm(l.bottom_x), metric.hmm(l.bottom_y),
                  kEanModule);
      break;
    case CardElement::Text:
      p.text(l.bottom_x, l.bottom_y, s.text);
      break;
  }
}

}  // namespace kelvo::reports
