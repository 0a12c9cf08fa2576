#pragma once
// Member photos: m<number>.bmp in the shop folder, a bitmap file made of the 14-byte file
// header and the device-independent bitmap (40-byte header, no colour table, 32-bit pixels).
#include <cstdint>
#include <vector>

#include "records/shop.h"

namespace kelvo::catalogue {

constexpr int kPhotoWidth = 128;
constexpr int kPhotoHeight = 96;
constexpr size_t kPhotoPiece = 30000;  // the file is written in pieces of at most this size

// The file's bytes for a picture of width x height pixels (0x00RRGGBB, top row first); the
// rows are stored bottom row first, as a bitmap with positive height expects.
std::vector<uint8_t> photo_file_bytes(int width, int height, const uint32_t* pixels);

std::filesystem::path photo_path(const records::Shop& shop, int64_t number);

// Writes the member's photo, sets has_photo and rewrites the member. Reports "Unable to open
// bitmap file" (caption "Problem") when the file cannot be made. The caller scales the picture.
bool save_member_photo(records::Shop& shop, int64_t number, int width, int height, const uint32_t* pixels);

}  // namespace kelvo::catalogue

namespace kelvo::catalogue {
// "Add or update photo" after the preview: asks for the member number and for confirmation,
// then saves the picture the caller has already brought to its final size.
bool add_photo_command(records::Shop& shop, int width, int height, const uint32_t* pixels);
}  // namespace kelvo::catalogue
