#include "reports/receipts_sheet.h"

#include "records/config_layout.h"
#include "reports/letter_page.h"

namespace kelvo::reports {

namespace cfg = records::cfg;

int draw_logo(platform::Printer& p, const std::filesystem::path& folder, bool full_width) {
  const std::string bitmap = find_any_case(folder, "receipt.bmp").string();
  const auto size = p.image_size(bitmap);
  if (!size || size->width <= 0 || p.char_height() <= 0) return 0;
  const int page = p.page_width();
  const int width = full_width ? page : page / 2;
  const int x = full_width ? 0 : page / 4;
  const int height = static_cast<int>(static_cast<long long>(width) * size->height / size->width);
  if (!p.image(x, 10, width, height, bitmap)) return 0;
  return (height + 10) / p.char_height();
}

void till_logo(Sheet& sheet, const records::Shop& shop) {
  if (shop.config.i32(cfg::kIncludeLogoOff) != 0) return;  // stored 0 when ticked
  sheet.shift_by(draw_logo(sheet.printer(), shop.folder(), shop.config.i32(cfg::kLogoFullWidth) == 2));
}

void centred_store_lines(Sheet& sheet, const records::AddressLines& address, int first) {
  for (int i = 1; i <= 6; ++i) sheet.centred(first + i - 1, address.line(i));
}

text::u16 receipt_date(const records::Shop& shop, const text::DateTime& when) {
  return shop.locale().format_date(when, u"MMM d yyyy").value_or(u"");
}

}  // namespace kelvo::reports
