#pragma once
// wrmail.cfg: the mail settings as one 800-byte block, UTF-16 texts with a terminating 0.
//
//   0    2    security: 0 plain, 1 STARTTLS, 2 SMTPS          } in the block's reserved
//   4    156  login user name (77 characters)                 } first 320 bytes, zero in a
//   160  160  login password (79 characters)                  } file made by older versions
//   320  160  "SMTP server": host name, optionally host:port
//   480  160  "Target email": the recipient of reports
//   640  160  "Your email": the sender
// The file holds a password, so it is kept owner-only.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "records/record_image.h"

namespace kelvo::mail {

inline constexpr char kSettingsFile[] = "wrmail.cfg";
inline constexpr int kFieldLimit = 79;

enum class Security : uint16_t { Plain = 0, StartTls = 1, Smtps = 2 };

class MailSettings : public records::RecordImage<800> {
 public:
  KELVO_TEXT(user, 4, 156)
  KELVO_TEXT(password, 160, 160)
  KELVO_TEXT(server, 320, 160)
  KELVO_TEXT(target, 480, 160)
  KELVO_TEXT(sender, 640, 160)
  Security security() const;
  void set_security(Security s) { text::put_u16(data(), static_cast<uint16_t>(s)); }
};
static_assert(MailSettings::kSize == 800);

// The block of wrmail.cfg (a short file padded with zeros); nullopt when there is no such file.
std::optional<MailSettings> load_settings(const std::filesystem::path& folder);
// Creates wrmail.cfg anew, owner-only; false when it cannot be written.
bool save_settings(const std::filesystem::path& folder, const MailSettings& settings);

// A carriage return or line feed in an address or host name would let the text end an SMTP
// command or a header line and start one of its own.
bool has_line_break(text::u16view s);
// True when none of the fields that reach the conversation holds a line break.
bool settings_are_safe(const MailSettings& s);
inline constexpr char16_t kLineBreakRefused[] = u"E-mail fields cannot hold a line break";

// The message refusing `address`, typed or stored for `field` ("Target email", "Your email",
// "Member's email"), or nothing when it is a plain address that can go into a command.
std::optional<text::u16> address_problem(text::u16view field, text::u16view address);

// "host" or "host:port" of the server field; port 0 when none is given.
struct ServerAddress {
  std::string host;
  int port = 0;
};
std::optional<ServerAddress> split_server(text::u16view server);

}  // namespace kelvo::mail
