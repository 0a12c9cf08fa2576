#include "store/commit_notice.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstring>

namespace kelvo::store {

namespace {

constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kJoinGap = 8;  // differences closer than this go as one run

void put_u32(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xff));
}

uint32_t get_u32(std::string_view s, size_t at) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<uint8_t>(s[at + i]);
  return v;
}

// Written into a string sized once: a notice is some kilobytes, and a character appended at a
// time (each append checking the room left) was most of the work of writing a notice out.
std::string base64(std::string_view in) {
  std::string out((in.size() + 2) / 3 * 4, '=');
  const auto* p = reinterpret_cast<const uint8_t*>(in.data());
  char* o = out.data();
  size_t i = 0;
  for (; i + 3 <= in.size(); i += 3, o += 4) {
    const uint32_t v = uint32_t{p[i]} << 16 | uint32_t{p[i + 1]} << 8 | p[i + 2];
    o[0] = kDigits[v >> 18];
    o[1] = kDigits[v >> 12 & 63];
    o[2] = kDigits[v >> 6 & 63];
    o[3] = kDigits[v & 63];
  }
  if (const size_t n = in.size() - i; n > 0) {  // one or two bytes left: the rest stays '='
    const uint32_t v = uint32_t{p[i]} << 16 | (n == 2 ? uint32_t{p[i + 1]} << 8 : 0);
    o[0] = kDigits[v >> 18];
    o[1] = kDigits[v >> 12 & 63];
    if (n == 2) o[2] = kDigits[v >> 6 & 63];
  }
  return out;
}

// Each character's six bits, 64 for one that is not a digit.
const std::array<uint8_t, 256>& digit_values() {
  static const std::array<uint8_t, 256> values = [] {
    std::array<uint8_t, 256> v;
    v.fill(64);
    for (uint8_t i = 0; i < 64; ++i) v[static_cast<uint8_t>(kDigits[i])] = i;
    return v;
  }();
  return values;
}

std::optional<std::string> unbase64(std::string_view in) {
  if (in.size() % 4 != 0) return std::nullopt;
  const auto& values = digit_values();
  // Sized once, as the encoding is, and cut at the end for the padding.
  std::string out(in.size() / 4 * 3, '\0');
  char* o = out.data();
  for (size_t i = 0; i < in.size(); i += 4) {
    const auto* g = reinterpret_cast<const uint8_t*>(in.data() + i);
    const uint8_t a = values[g[0]], b = values[g[1]], c = values[g[2]], d = values[g[3]];
    if ((a | b | c | d) < 64) {  // four digits: all but the last group, mostly
      const uint32_t v = uint32_t{a} << 18 | uint32_t{b} << 12 | uint32_t{c} << 6 | d;
      *o++ = static_cast<char>(v >> 16);
      *o++ = static_cast<char>(v >> 8 & 0xff);
      *o++ = static_cast<char>(v & 0xff);
      continue;
    }
    uint32_t v = 0;
    size_t pad = 0;
    for (size_t k = 0; k < 4; ++k) {
      const char c = in[i + k];
      const uint8_t value = values[static_cast<uint8_t>(c)];
      if (c == '=' && i + 4 == in.size() && k >= 2 && (k == 3 || in[i + 3] == '=')) {
        ++pad;
      } else if (value == 64 || pad) {
        return std::nullopt;
      }
      v = (v << 6) | (value == 64 ? 0 : value);
    }
    for (size_t k = 0; k < 3 - pad; ++k) *o++ = static_cast<char>((v >> (16 - 8 * k)) & 0xff);
  }
  out.resize(static_cast<size_t>(o - out.data()));
  return out;
}

// The payload's fields, split at single spaces, empty ones kept.
std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> out;
  for (size_t from = 0;;) {
    const size_t space = line.find(' ', from);
    out.push_back(line.substr(from, space == std::string_view::npos ? std::string_view::npos : space - from));
    if (space == std::string_view::npos) return out;
    from = space + 1;
  }
}

template <class T>
bool number(std::string_view s, T& v, int base = 10) {
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
  return ec == std::errc() && end == s.data() + s.size() && !s.empty();
}

std::string hex(uint64_t v) {
  char buffer[17];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v, 16);
  return std::string(buffer, end);
}

bool server_line(std::string_view line, CommitNotice& n) {
  const auto f = fields(line);
  if (f.size() != 5 || !number(f[0], n.first) || !number(f[1], n.last) || !number(f[2], n.first_log) ||
      !number(f[3], n.last_log))
    return false;
  if (f[4].empty()) return true;
  for (size_t from = 0;;) {
    const size_t comma = f[4].find(',', from);
    int64_t v = 0;
    if (!number(f[4].substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from), v)) return false;
    n.written.push_back(v);
    if (comma == std::string_view::npos) return true;
    from = comma + 1;
  }
}

bool body_line(std::string_view line, CommitNotice& n) {
  const auto f = fields(line);
  if (f[0] == "c" && f.size() == 2) {
    auto counter = unbase64(f[1]);
    if (!counter) return false;
    n.counter = std::move(*counter);
    return true;
  }
  if (f[0] == "r" && f.size() == 6) {
    NoticeRecord r;
    auto stretches = unbase64(f[5]);
    if (!number(f[1], r.table) || !number(f[2], r.slot) || !number(f[3], r.prior) || !number(f[4], r.hash, 16) || !stretches)
      return false;
    r.stretches = std::move(*stretches);
    n.records.push_back(std::move(r));
    return true;
  }
  if (f[0] == "l" && f.size() == 3) {
    auto file = unbase64(f[1]), bytes = unbase64(f[2]);
    if (!file || !bytes) return false;
    n.logs.push_back({std::move(*file), std::move(*bytes)});
    return true;
  }
  if (f[0] == "p" && f.size() == 4) {
    NoticePart p;
    uint64_t bits = 0;
    if (!number(f[1], p.offset) || !number(f[2], p.whole) || !number(f[3], bits, 16)) return false;
    p.part = std::bit_cast<double>(bits);
    n.parts.push_back(p);
    return true;
  }
  return false;
}

}  // namespace

// FNV-1a over 64-bit words in four lanes, the tail byte by byte: a member record is 17 KB, hashed
// at both ends of every transaction, and one lane's chain of multiplications took a tenth of a
// counter's time with two counters working.
uint64_t image_hash(const uint8_t* bytes, size_t n) {
  constexpr uint64_t kPrime = 0x100000001b3ull;
  uint64_t lane[4] = {0xcbf29ce484222325ull, 0x84222325cbf29ce4ull, 0x9ce484222325cbf2ull, 0x2325cbf29ce48422ull};
  size_t i = 0;
  for (; i + 32 <= n; i += 32) {
    for (int k = 0; k < 4; ++k) {
      uint64_t word;
      std::memcpy(&word, bytes + i + 8 * k, 8);
      lane[k] = (lane[k] ^ word) * kPrime;
      lane[k] ^= lane[k] >> 29;
    }
  }
  uint64_t h = ((lane[0] * kPrime ^ lane[1]) * kPrime ^ lane[2]) * kPrime ^ lane[3];
  for (; i < n; ++i) h = (h ^ bytes[i]) * kPrime;
  return h ^ n;
}

std::string stretches_between(const uint8_t* before, const uint8_t* after, size_t n) {
  std::string out;
  for (size_t i = 0; i < n;) {
    // Most of a record is as it was: passed over 32 bytes at a time, then a word.
    if (i + 32 <= n && std::memcmp(before + i, after + i, 32) == 0) {
      i += 32;
      continue;
    }
    if (i + 8 <= n && std::memcmp(before + i, after + i, 8) == 0) {
      i += 8;
      continue;
    }
    if (before[i] == after[i]) {
      ++i;
      continue;
    }
    size_t end = i + 1;
    for (size_t k = end; k < n && k < end + kJoinGap; ++k)
      if (before[k] != after[k]) end = k + 1;
    put_u32(out, static_cast<uint32_t>(i));
    put_u32(out, static_cast<uint32_t>(end - i));
    out.append(reinterpret_cast<const char*>(after + i), end - i);
    i = end;
  }
  return out;
}

bool apply_stretches(std::string_view s, uint8_t* image, size_t n) {
  for (size_t at = 0; at < s.size();) {
    if (s.size() - at < 8) return false;
    const size_t offset = get_u32(s, at), length = get_u32(s, at + 4);
    at += 8;
    if (length > s.size() - at || offset > n || length > n - offset) return false;
    std::memcpy(image + offset, s.data() + at, length);
    at += length;
  }
  return true;
}

std::string notice_body(const CommitNotice& n) {
  std::string out = "c " + base64(n.counter);
  for (const auto& r : n.records) {
    out += "\nr " + std::to_string(r.table) + " " + std::to_string(r.slot) + " " + std::to_string(r.prior) + " " +
           hex(r.hash) + " " + base64(r.stretches);
    if (out.size() > kNoticeRoom) return {};
  }
  for (const auto& l : n.logs) {
    out += "\nl " + base64(l.file) + " " + base64(l.bytes);
    if (out.size() > kNoticeRoom) return {};
  }
  for (const auto& p : n.parts)
    out += "\np " + std::to_string(p.offset) + " " + std::to_string(p.whole) + " " + hex(std::bit_cast<uint64_t>(p.part));
  return out.size() > kNoticeRoom ? std::string() : out;
}

std::optional<CommitNotice> parse_notice_span(std::string_view payload) {
  CommitNotice n;
  if (!server_line(payload.substr(0, payload.find('\n')), n)) return std::nullopt;
  return n;
}

std::optional<CommitNotice> parse_notice(std::string_view payload) {
  CommitNotice n;
  size_t from = 0;
  bool counter_told = false;
  for (bool first_line = true; from <= payload.size(); first_line = false) {
    const size_t newline = payload.find('\n', from);
    const std::string_view line = payload.substr(from, newline == std::string_view::npos ? std::string_view::npos : newline - from);
    if (!(first_line ? server_line(line, n) : body_line(line, n))) return std::nullopt;
    counter_told = counter_told || (!first_line && line.rfind("c ", 0) == 0);
    if (newline == std::string_view::npos) break;
    from = newline + 1;
  }
  // Without the writer's part the notice only says to ask the server.
  if (!counter_told || n.written.size() != n.records.size() || n.last < n.first - 1 || n.last_log < n.first_log - 1)
    return std::nullopt;
  return n;
}

}  // namespace kelvo::store
