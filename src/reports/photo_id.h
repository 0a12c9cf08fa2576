#pragma once
// The photo ID card of a member: the picture, the name and number beside it, and below them a
// Code 39 or EAN-13 barcode of the member number or a line of the store's own text.
#include "platform/operator.h"
#include "platform/printer.h"
#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::reports {

enum class CardPicture { Photograph = 0, LetterBitmap = 1 };
enum class CardElement { Code39 = 0, Ean = 1, Text = 2 };

constexpr size_t kCardTextLimit = 79;

struct PhotoIdSettings {
  int origin_x = 0;  // printer units
  int origin_y = 0;
  CardPicture picture = CardPicture::Photograph;
  CardElement element = CardElement::Code39;
  text::u16 text;
};

PhotoIdSettings load_photo_id_settings(const records::ConfigBlock& c);
void store_photo_id_settings(records::ConfigBlock& c, const PhotoIdSettings& s);

// The typed origins, each a whole number above 0; otherwise "<field> must be a whole number
// above 0" (caption "Problem") and the settings stay as they were.
bool take_card_origin(text::u16view x, text::u16view y, PhotoIdSettings& s, platform::Operator& op);

// Where the parts of a card go, in printer units (the barcode's module in hundredths of a mm).
struct CardLayout {
  int picture_x = 0, picture_y = 0, picture_w = 0, picture_h = 0;
  int text_x = 0, name_y = 0, number_y = 0;
  int bottom_x = 0, bottom_y = 0;
};
CardLayout card_layout(const PhotoIdSettings& s, int dots_per_inch, int char_height);

// One card on the page of the begun printer.
void photo_id_card(platform::Printer& p, const records::Shop& shop, const records::MemberRecord& m,
                   const PhotoIdSettings& s);

}  // namespace kelvo::reports
