#include "reports/letter_page.h"

#include <algorithm>

namespace kelvo::reports {

namespace {

char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; }

bool same_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

constexpr int kHeadLines = 6;
constexpr int kFirstHeadLine = 2;

}  // namespace

std::filesystem::path find_any_case(const std::filesystem::path& folder, std::string_view name) {
  const auto exact = folder / name;
  std::error_code ec;
  if (std::filesystem::exists(exact, ec)) return exact;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (same_ignoring_case(entry.path().filename().string(), name)) return entry.path();
  return exact;
}

void LetterPage::flow(text::u16view s) {
  const platform::Printer& p = page_.printer();
  const int width = p.page_width();
  text::u16 current;
  auto emit = [&] {
    line(current);
    current.clear();
  };
  for (char16_t c : s) {
    if (c == u'\n') continue;
    if (c == u'\r') {
      emit();
      continue;
    }
    current += c;
    if (p.text_width(current) <= width) continue;
    // Too wide: break at the last blank before this point, carrying the rest of the word over.
    const size_t blank = current.find_last_of(u' ');
    text::u16 rest;
    if (blank != text::u16::npos && blank > 0) {
      rest = current.substr(blank + 1);
      current.resize(blank);
    } else {
      rest = current.substr(current.size() - 1);
      current.pop_back();
    }
    emit();
    current = rest;
  }
  if (!current.empty()) emit();
}

void letter_head(LetterPage& page, const records::AddressLines& address, const std::filesystem::path& folder) {
  platform::Printer& p = page.printer();
  const int w = p.page_width();
  const std::string bitmap = find_any_case(folder, "letter.bmp").string();
  bool with_bitmap = false;
  if (const auto size = p.image_size(bitmap)) {
    const int width = w / 4;
    const int height = static_cast<int>(static_cast<long long>(width) * size->height / size->width);
    with_bitmap = p.image(10, 10, width, height, bitmap);
  }
  for (int i = 1; i <= kHeadLines; ++i) {
    page.at_line(kFirstHeadLine + i - 1);
    if (with_bitmap)
      page.left(address.line(i), w / 4 + 20);
    else
      page.centred(address.line(i));
  }
}

}  // namespace kelvo::reports
