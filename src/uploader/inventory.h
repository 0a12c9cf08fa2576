#pragma once
// The web inventory: a copy of film.dat taken so the counter's file is never held open, and
// the XML document made from the copy. Both are written under temporary names and renamed, so
// a failed or interrupted run leaves the previous copy and document whole.
#include <filesystem>

#include "exchange/xml_film_item.h"
#include "text/utf16.h"

namespace kelvo::uploader {

inline constexpr char kFilmFile[] = "film.dat";
inline constexpr char kCopyFile[] = "filmstock.dat";

// film.dat to filmstock.dat. False when film.dat cannot be read or the copy not written.
bool copy_film_file(const std::filesystem::path& folder);

enum class ConvertResult { Done, NoCopy, NoOutput };

// filmstock.dat to the XML document `xml_file`: FF FE, the head, one item per live slot in
// slot order with the chosen fields, the tail.
ConvertResult convert_inventory(const std::filesystem::path& folder, const std::filesystem::path& xml_file,
                                const exchange::FilmXmlFields& fields);

// An upload name that would replace one of the files the uploader or the counter keeps in the
// folder (film.dat, kelvow.cfg, ...), or that leaves the folder.
bool is_unsafe_upload_name(text::u16view name);

}  // namespace kelvo::uploader
