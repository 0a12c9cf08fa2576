#include "catalogue/deletion.h"

#include <filesystem>
#include <system_error>

namespace kelvo::catalogue {

bool data_file_present(records::Shop& shop, const std::filesystem::path& file, const DataFileWords& words) {
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) return true;
  shop.op().message(u"Fatal error", words.not_present);
  return false;
}

}  // namespace kelvo::catalogue
