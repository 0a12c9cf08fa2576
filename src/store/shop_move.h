#pragma once
// Moving a whole shop between its folder and a database store, every file coming back byte for
// byte. Each move is all or nothing: an import is one database transaction, and an export
// that fails part-way takes away what it wrote.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace kelvo::store {

// One line of progress for each file moved ("film.dat: 5000 records").
using Progress = std::function<void(std::string_view line)>;

// Refused (nothing changed) when the folder is not a shop that is at rest, or the database
// already holds a shop; DbError when the server fails during the move (nothing stored).
void import_shop(const std::filesystem::path& folder, const std::string& url, const Progress& progress);
// Refused when the database holds no shop or the folder is not new or empty; DbError when the
// server fails during the move (the folder is left as it was found).
void export_shop(const std::string& url, const std::filesystem::path& folder, const Progress& progress);
// One file of the shop (`name`, as the folder names it) as the database holds it now, replacing
// the file of that name in `folder` whole: the folder keeps the old file or gets the new one.
// FolderInUse while kelvo runs on the folder; Refused when the database holds no shop or no
// such file; Unreachable or DbError when the server fails (the file left as it was).
void export_shop_file(const std::string& url, const std::string& name, const std::filesystem::path& folder);

}  // namespace kelvo::store
