#pragma once
// Utilities "Export": a number range of films or members written as comma-separated text, a
// simple HTML page or an XML document, in UTF-16LE with CR LF line ends. The data files are
// only read. The output goes to a temporary file that replaces the named one only when it is
// complete, so a failed export never leaves a half file in place of a good one.
#include <optional>
#include <vector>

#include "exchange/export_formats.h"
#include "records/shop.h"

namespace kelvo::exchange {

// What the "Export" screen asks for, with its defaults.
struct ExportChoices {
  text::u16 start = u"1";
  text::u16 finish = u"2";
  ExportRecords records = ExportRecords::Films;
  ExportFormat format = ExportFormat::Text;
  bool by_category = false;  // "Category" rather than "All"
  text::u16 category;        // the chosen category name
  HtmlStyle html;
  bool unicode_header = true;  // the file starts with FF FE
};

// The two screens of the command; nullopt from either means Cancel.
class ExportScreens {
 public:
  virtual ~ExportScreens() = default;
  virtual std::optional<ExportChoices> choose(const ExportChoices& proposal,
                                              const std::vector<text::u16>& categories) = 0;
  // "Film database" or "Member database".
  virtual std::optional<FieldChoice> fields(ExportRecords which) = 0;
};

// The store's category names in configuration order, blank ones left out.
std::vector<text::u16> category_names(const records::ConfigBlock& config);

// "FILM.TXT", "MEMBER.XML", ...
text::u16 default_file_name(ExportRecords which, ExportFormat format);

// True when the target is one of the shop's own data files, which an export would replace.
bool is_shop_file(const records::Shop& shop, const std::filesystem::path& target);

// The whole command, with its messages.
void export_command(records::Shop& shop, ExportScreens& screens);

// Writes the chosen records to the file (relative to the shop's folder, or a full path) once
// the choices are made; shows the failure messages and "Complete.". False when nothing was
// written.
bool write_export(records::Shop& shop, const ExportChoices& choices, const FieldChoice& fields,
                  text::u16view file_name);

}  // namespace kelvo::exchange
