#include "mail/mail_settings.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "records/file_io.h"
#include "text/email_address.h"
#include "text/format.h"

namespace kelvo::mail {

Security MailSettings::security() const {
  uint16_t v = text::get_u16(data());
  return v <= 2 ? static_cast<Security>(v) : Security::Plain;
}

std::optional<MailSettings> load_settings(const std::filesystem::path& folder) {
  auto bytes = records::read_whole(folder / kSettingsFile);
  if (!bytes) return std::nullopt;
  MailSettings s;
  std::memcpy(s.data(), bytes->data(), std::min(bytes->size(), MailSettings::kSize));
  return s;
}

bool save_settings(const std::filesystem::path& folder, const MailSettings& settings) {
  const auto file = folder / kSettingsFile;
  if (!records::write_file_atomic(file, settings.data(), MailSettings::kSize)) return false;
  // The replacement keeps an older file's mode; one made readable by others must not stay so
  // now that it may hold a password.
  std::error_code ec;
  std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::replace, ec);
  return !ec;
}

bool has_line_break(text::u16view s) { return s.find_first_of(u"\r\n") != text::u16view::npos; }

bool settings_are_safe(const MailSettings& s) {
  for (const auto& f : {s.server(), s.target(), s.sender(), s.user(), s.password()})
    if (has_line_break(f)) return false;
  return true;
}

std::optional<text::u16> address_problem(text::u16view field, text::u16view address) {
  const char* why = nullptr;
  switch (text::address_fault(address)) {
    case text::AddressFault::None: return std::nullopt;
    case text::AddressFault::LineBreak: return text::u16(kLineBreakRefused);
    case text::AddressFault::Empty: why = "%s: an e-mail address is needed"; break;
    case text::AddressFault::NotOneAt:
      why = "%s: an e-mail address has one @, with a name before it and a domain after it";
      break;
    case text::AddressFault::Forbidden:
      why = "%s: an e-mail address cannot hold blanks, control characters or < > ( ) , ; \" \\";
      break;
    case text::AddressFault::TooLong:
      why = "%s: an e-mail address has at most 254 characters, 64 of them before the @";
      break;
  }
  return text::format(why, {field});
}

std::optional<ServerAddress> split_server(text::u16view server) {
  std::string all = text::to_utf8(text::trimmed(server));
  if (all.empty()) return std::nullopt;
  ServerAddress a{all, 0};
  size_t colon = all.rfind(':');
  // An IPv6 literal is written in brackets, so a colon inside them is not a port.
  if (colon == std::string::npos || all.find(']', colon) != std::string::npos) {
    if (a.host.size() > 2 && a.host.front() == '[' && a.host.back() == ']') a.host = a.host.substr(1, a.host.size() - 2);
    return a;
  }
  std::string digits = all.substr(colon + 1);
  if (digits.empty() || digits.size() > 5 || !std::all_of(digits.begin(), digits.end(), ::isdigit)) return std::nullopt;
  a.port = std::stoi(digits);
  if (a.port < 1 || a.port > 65535) return std::nullopt;
  a.host = all.substr(0, colon);
  if (a.host.size() > 2 && a.host.front() == '[' && a.host.back() == ']') a.host = a.host.substr(1, a.host.size() - 2);
  if (a.host.empty()) return std::nullopt;
  return a;
}

}  // namespace kelvo::mail
