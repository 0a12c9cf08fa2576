// Letters and forms on the recording printer (a fixed-pitch page 2400 wide, 96 characters of
// 25, lines of 50), their texts on disk byte for byte, and the mail merge selections.
#include "reports/letters.h"

#include <fstream>

#include <gtest/gtest.h>

#include "catalogue/catalogue_fixture.h"
#include "catalogue/member_photo.h"
#include "platform/recording_printer.h"
#include "reports/letter_commands.h"
#include "reports/mail_merge.h"
#include "text/format.h"

namespace kelvo::reports {
namespace {

using platform::Align;
using platform::RecordingPrinter;
using Kind = RecordingPrinter::Kind;

class LettersTest : public cattest::CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    for (int i = 1; i <= 6; ++i) shop_.address.set_line(i, text::format("Store line %d", {i}));
    ASSERT_EQ(p_.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
  }
  std::string file_bytes(std::string_view name) const {
    std::ifstream in(shop_.path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void write_file(std::string_view name, const std::string& bytes) const {
    std::ofstream(shop_.path(name), std::ios::binary) << bytes;
  }
  RecordingPrinter p_;
};

TEST_F(LettersTest, LetterHeadPutsTheStoreLinesBesideLetterBmpOrCentresThem) {
  for (const bool bitmap : {false, true}) {
    SCOPED_TRACE(bitmap ? "with LETTER.BMP" : "without a bitmap");
    RecordingPrinter p;
    ASSERT_EQ(p.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
    if (bitmap) {
      const std::vector<uint32_t> pixels(40 * 30, 0);
      const auto bytes = catalogue::photo_file_bytes(40, 30, pixels.data());
      write_file("LETTER.BMP", std::string(bytes.begin(), bytes.end()));  // found whatever its case
    }
    LetterPage page(p);
    letter_head(page, shop_.address, shop_.folder());
    EXPECT_EQ(page.line(), 7);
    for (int i = 1; i <= 6; ++i) {
      const auto* op = p.find_text(text::format("Store line %d", {i}));
      ASSERT_NE(op, nullptr);
      EXPECT_EQ(op->y, (i + 1) * 50);
      EXPECT_EQ(op->x, bitmap ? 2400 / 4 + 20 : 1200);
      EXPECT_EQ(op->align, bitmap ? Align::Left : Align::Centre);
    }
    int images = 0;
    for (const auto& op : p.ops())
      if (op.kind == Kind::Image) {
        ++images;
        EXPECT_EQ(op.x, 10);
        EXPECT_EQ(op.w, 600);
        EXPECT_EQ(op.h, 450);  // the bitmap's shape kept
      }
    EXPECT_EQ(images, bitmap ? 1 : 0);
  }
}

TEST_F(LettersTest, FlowedTextBreaksAtTheLastBlankAndOnCarriageReturns) {
  const text::u16 word(10, u'w');  // ten characters, so 8 words and 7 blanks fill 87 of 96
  text::u16 long_line;
  for (int i = 0; i < 9; ++i) long_line += (i ? u" " : u"") + word;
  const text::u16 unbroken(100, u'x');
  LetterPage page(p_);
  page.flow(u"first\r\n\r\n" + long_line + u"\r\n" + unbroken + u"\nend");
  EXPECT_EQ(p_.texts(), (std::vector<text::u16>{u"first", u"", long_line.substr(0, 87), word,
                                                 unbroken.substr(0, 96), u"xxxxend"}));
  EXPECT_EQ(p_.find_text(word)->y, 3 * 50);
}

TEST_F(LettersTest, UnpaidLetterOnlyForAMemberWhoOwes) {
  const struct {
    float owed;
    bool printed;
  } cases[] = {{0, false}, {-3, false}, {0.01f, true}, {12.5f, true}};
  records::MemberRecord m = cattest::member(7, u"Moreau", u"Luc");
  ASSERT_TRUE(records::add_member(shop_, m));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.owed);
    m.set_owed(c.owed);
    ASSERT_TRUE(records::rewrite_member(shop_, m));
    RecordingPrinter p;
    op_.messages.clear();
    op_.type(u"7");
    unpaid_letter_command(shop_, views_, p);
    EXPECT_EQ(p.documents(), c.printed ? 1 : 0);
    EXPECT_EQ(op_.saw("Problem", "No unpaid fees."), !c.printed);
    if (c.printed) {
      EXPECT_NE(p.find_text(text::format("According to our records the amount of %.2f", {c.owed})), nullptr);
      EXPECT_NE(p.find_text(u"Dear Sir / Madam,           Member number: 7"), nullptr);
    }
  }
}

TEST_F(LettersTest, LetterTextsAreWrittenByteExactAndReadBackWithinTheirLimit) {
  ASSERT_TRUE(save_letter_text(shop_, letter_files::kLetter1, u"Ta\u00e9\nb\r\nc\r"));
  EXPECT_EQ(file_bytes("Custfor2.txt"), std::string("T\0a\0\xe9\0\r\0\n\0b\0\r\0\n\0c\0\r\0\n\0", 22));
  EXPECT_EQ(closing_text(shop_, OverdueLetter::First), u"Ta\u00e9\r\nb\r\nc\r\n");

  const struct {
    std::string bytes;
    bool read;
  } files[] = {{"", false},
               {std::string(2 * 1999, 'a'), true},
               {std::string(2 * 2000, 'a'), false},
               {"abc", false}};  // half a character
  for (const auto& f : files) {
    write_file("Custfor8.txt", f.bytes);
    EXPECT_EQ(closing_text(shop_, OverdueLetter::Final) != default_closing(OverdueLetter::Final), f.read)
        << f.bytes.size();
  }

  // A file that cannot be replaced: the message, and the old one stays.
  std::filesystem::create_directory(shop_.path("Custform.txt"));
  EXPECT_FALSE(save_letter_text(shop_, letter_files::kForm, u"new"));
  EXPECT_TRUE(op_.saw("Fatal error", "File failure."));
  EXPECT_TRUE(std::filesystem::is_directory(shop_.path("Custform.txt")));
}

TEST_F(LettersTest, DefaultTextsHaveTheirClosingGapAndFormLinesOf62Characters) {
  const text::u16 closing = default_closing(OverdueLetter::First);
  EXPECT_NE(closing.find(u"Yours sincerely,\r\n\r\n\r\n\r\n\r\n\r\n---------------------\r\nManager"),
            text::u16::npos);
  EXPECT_EQ(default_closing(OverdueLetter::Final).find(u"If not returned in 48 hours"), 0u);
  const text::u16 form = default_form_text();
  int form_lines = 0;
  for (size_t at = form.find(u"Name "); at < form.size();) {
    const size_t end = form.find(u"\r\n", at);
    if (end > at) {
      EXPECT_EQ(end - at, 62u) << text::to_utf8(form.substr(at, end - at));
      ++form_lines;
    }
    at = end + 2;
  }
  EXPECT_EQ(form_lines, 8);  // name, address and two more, telephone, signed, identity, number
}

TEST_F(LettersTest, MemberDetailsPrintOnlyFilledFieldsAndThePreviousItems) {
  given_films({cattest::film(31, u"Vertigo")});
  records::MemberRecord m = cattest::member(9, u"Adeyemi", u"Tola", u"12 Mill Lane");
  m.set_title(u"Dr");
  m.set_telephone1(u"01632 960001");
  m.set_email(u"tola@example.org");
  m.set_rented(14);
  m.set_owed(-2.5f);
  m.set_previous_items(98, 31);
  m.set_previous_items(99, 77);  // no longer on file: listed without a title
  member_details(p_, shop_, m);
  const auto texts = p_.texts();
  const std::vector<text::u16> body(texts.begin() + 6, texts.end());  // after the six head lines
  EXPECT_EQ(body, (std::vector<text::u16>{u"Member number: 9", u"Dr Tola Adeyemi", u"12 Mill Lane", u"Tel. 01632 960001",
                                          u"Email: tola@example.org", u"Rented: 14", u"Category: 1",
                                          u"Membership type: 0", u"Owed: -2.50"}));
  EXPECT_EQ(p_.find_text(u"Member number: 9")->y, 9 * 50);
  EXPECT_EQ(p_.find_text(u"Rented: 14")->y - p_.find_text(u"Email: tola@example.org")->y, 2 * 50);

  RecordingPrinter rented;
  ASSERT_EQ(rented.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
  ASSERT_TRUE(rented_by_member(rented, shop_, m));
  const auto lines = rented.texts();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(std::vector<text::u16>(lines.end() - 3, lines.end()),
            (std::vector<text::u16>{u"Previously rented:", u"31              , Vertigo", u"77              , "}));
}

TEST(MailMergeSelection, OweMoneyAndNotRentedThisYear) {
  const struct {
    float owed;
    const char16_t* last_used;
    bool owes, not_this_year;
  } cases[] = {
      {0, u"NEW", false, true},          {-0.5f, u"", false, true},
      {0.01f, u"10:1531/12/2025", true, true}, {3, u"09:0001/01/2026", true, false},
  };
  for (const auto& c : cases) {
    records::MemberRecord m;
    m.set_owed(c.owed);
    m.set_last_used(c.last_used);
    EXPECT_TRUE(merge_selects(m, MergeSelection::All, 2026));
    EXPECT_EQ(merge_selects(m, MergeSelection::OweMoney, 2026), c.owes) << c.owed;
    EXPECT_EQ(merge_selects(m, MergeSelection::NotRentedThisYear, 2026), c.not_this_year)
        << text::to_utf8(c.last_used);
  }
}

TEST_F(LettersTest, MailMergeTextLoadsOnlyWholeTextsOfUpTo1000Characters) {
  const struct {
    std::optional<std::string> bytes;  // nullopt: no file
    const char* caption;               // of the refusal, or nullptr when loaded
    const char* body;
  } cases[] = {
      {std::nullopt, "Fatal error", "File not present."},
      {"", "Problem", "File of incorrect type"},
      {std::string(2000, 'a'), nullptr, nullptr},
      {std::string(2002, 'a'), "Problem", "File of incorrect type"},
      {"abc", "Problem", "File of incorrect type"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(shop_.path("merge.txt"));
    if (c.bytes) write_file("merge.txt", *c.bytes);
    op_.messages.clear();
    const auto text = load_merge_text(shop_.path("merge.txt"), op_);
    EXPECT_EQ(text.has_value(), c.caption == nullptr);
    if (c.caption) {
      EXPECT_TRUE(op_.saw(c.caption, c.body));
    }
  }
  ASSERT_TRUE(save_merge_text(shop_.path("merge.txt"), text::u16(998, u'z'), op_));
  EXPECT_EQ(load_merge_text(shop_.path("merge.txt"), op_), text::u16(998, u'z'));
}

}  // namespace
}  // namespace kelvo::reports
