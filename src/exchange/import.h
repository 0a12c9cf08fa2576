#pragma once
// Utilities "Import" (the whole film or member file replaced from a text file, after which the
// program closes so that the next start indexes the new file) and File "Update items from
// file" (items of the film file deleted and added as a text file lists them).
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "exchange/import_records.h"
#include "platform/progress.h"
#include "records/shop.h"

namespace kelvo::exchange {

// The mapping screen's boxes as typed, so that what is not a number can be refused.
struct ColumnAnswer {
  std::vector<text::u16> columns;  // one per label of import_field_labels()
  bool replace = false;            // "Replace leading alphabetic character in the number field"
  text::u16 letter;
  text::u16 value;
};

// The screens of both commands beyond the ordinary prompts and message boxes.
class ImportScreens {
 public:
  virtual ~ImportScreens() = default;
  // The open-file screen for text and CSV files; nullopt when cancelled.
  virtual std::optional<std::filesystem::path> choose_file() = 0;
  // "Film database" / "Member database" with the proposed column numbers; nullopt on Cancel.
  virtual std::optional<ColumnAnswer> columns(ImportRecords which, const std::vector<int>& proposal) = 0;
  // "Film addition or deletion from text file": the band as typed; nullopt on Cancel.
  virtual std::optional<text::u16> update_band() = 0;
  virtual platform::Progress& progress() = 0;
};

// Where the file replaced by an import is kept until the next import of the same kind.
constexpr std::string_view kFilmSetAside = "temp2.dat";
constexpr std::string_view kMemberSetAside = "temp3.dat";

enum class ImportEnd { Ended, CloseDown };

// Utilities "Import". CloseDown once a file was replaced: the program must end, as its indexes
// describe the old file.
ImportEnd import_command(records::Shop& shop, ImportScreens& screens);

// File "Update items from file".
void update_items_from_file(records::Shop& shop, ImportScreens& screens);

// Both commands: the chosen file opened and counted, with "File not present." and "File has no
// content" when it cannot be used.
std::optional<TextCounts> open_import_file(records::Shop& shop, const std::filesystem::path& file);

// The typed mapping read as column numbers (0 for a column beyond the file's `fields`), or the
// screen's refusal shown and nullopt.
std::optional<ColumnMap> read_column_answer(records::Shop& shop, const ColumnAnswer& answer, int64_t fields);

}  // namespace kelvo::exchange
