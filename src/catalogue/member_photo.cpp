#include "catalogue/member_photo.h"

#include <fcntl.h>
#include <unistd.h>

#include "catalogue/member_find.h"
#include "records/record_files.h"
#include "text/coding.h"
#include "text/format.h"

namespace kelvo::catalogue {

namespace {
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kFileHeaderSize = 14;
}  // namespace

std::vector<uint8_t> photo_file_bytes(int width, int height, const uint32_t* pixels) {
  const uint32_t colours_used = 0;
  const uint32_t image_size = static_cast<uint32_t>(width) * static_cast<uint32_t>(height) * 4;
  const uint32_t file_size = kInfoHeaderSize + 4 * colours_used + image_size + kFileHeaderSize;
  std::vector<uint8_t> b(file_size, 0);
  uint8_t* p = b.data();
  text::put_u16(p + 0, 19778);  // "BM"
  text::put_i32(p + 2, static_cast<int32_t>(file_size));
  text::put_i32(p + 10, static_cast<int32_t>(kInfoHeaderSize + 4 * colours_used + kFileHeaderSize));
  uint8_t* info = p + kFileHeaderSize;
  text::put_i32(info + 0, kInfoHeaderSize);
  text::put_i32(info + 4, width);
  text::put_i32(info + 8, height);
  text::put_u16(info + 12, 1);   // planes
  text::put_u16(info + 14, 32);  // bits per pixel
  text::put_i32(info + 16, 0);   // uncompressed
  text::put_i32(info + 20, static_cast<int32_t>(image_size));
  uint8_t* out = info + kInfoHeaderSize;
  for (int row = height - 1; row >= 0; --row)
    for (int x = 0; x < width; ++x, out += 4) text::put_i32(out, static_cast<int32_t>(pixels[row * width + x]));
  return b;
}

std::filesystem::path photo_path(const records::Shop& shop, int64_t number) {
  return shop.path(text::to_utf8(text::format("m%I64d.bmp", {number})));
}

bool save_member_photo(records::Shop& shop, int64_t number, int width, int height, const uint32_t* pixels) {
  if (find_member_by_number(shop, number) == 0) return false;
  const auto bytes = photo_file_bytes(width, height, pixels);
  const auto file = photo_path(shop, number);
  // Replaced whole: a photo cut short would otherwise stand under the member's name.
  const bool ok = records::write_file_atomic(file, bytes.data(), bytes.size());
  // A photo that did not reach the disk whole is not claimed by the member record.
  if (!ok) {
    platform::problem(shop.op(), u"Unable to open bitmap file");
    return false;
  }
  shop.member.set_has_photo(1);
  if (!records::rewrite_member(shop, shop.member)) return false;
  shop.op().activity(text::format("Image added to member %I64d", {number}));
  shop.op().activity(text::format("File size: %d", {static_cast<int>(bytes.size())}));
  shop.op().activity(u"  ");
  return true;
}

}  // namespace kelvo::catalogue

namespace kelvo::catalogue {
bool add_photo_command(records::Shop& shop, int width, int height, const uint32_t* pixels) {
  platform::PromptOptions o;
  o.proposal = u"1";
  auto a = shop.op().prompt(u"Add image to member number:", o);
  if (!a) return false;
  const int64_t number = find_member_by_number(shop, text::parse_int64(a->text));
  if (number == 0) return false;
  const auto caption = text::format("Member: %I64d %s", {number, shop.member.name()});
  if (shop.op().message(caption, u"Save picture?", platform::Buttons::OkCancel) != platform::Answer::Ok) return false;
  return save_member_photo(shop, number, width, height, pixels);
}
}  // namespace kelvo::catalogue
