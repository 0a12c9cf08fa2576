// The film and member commands when their data file is gone or the disk is full, and the
// warning sound of a refused member amendment: what the counter says, and that nothing in
// memory moves when the record did not reach the disk.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <deque>
#include <functional>

#include "catalogue/film_maintenance.h"
#include "catalogue/member_maintenance.h"
#include "catalogue_fixture.h"
#include "records/file_io.h"

using namespace kelvo;
using namespace kelvo::catalogue;
using kelvo::cattest::CatalogueTest;
using kelvo::cattest::film;
using kelvo::cattest::member;
using platform::Answer;

namespace {

class OneFilmForm : public FilmFormView {
 public:
  int shown = 0;
  FormButton edit(FilmForm& form) override {
    if (shown++ > 0) return FormButton::Cancel;
    form.set(FilmField::Title, u"Two");
    return FormButton::Next;
  }
};

class OneMemberForm : public MemberFormView {
 public:
  std::function<void(MemberForm&)> typing = [](MemberForm& f) { f.set(MemberField::Name, u"Carter"); };
  int shown = 0;
  FormButton edit(MemberForm& form) override {
    if (shown++ > 0) return FormButton::Cancel;
    typing(form);
    return FormButton::Ok;
  }
};

class AuditFlows : public CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    shop_.config.set_i64(records::cfg::kNewSearches, 0);
  }
  void TearDown() override {
    if (full_) {
      ::setrlimit(RLIMIT_FSIZE, &old_limit_);
      ::signal(SIGXFSZ, old_handler_);
    }
    CatalogueTest::TearDown();
  }
  // A full disk: the files read as they are, every write fails.
  void fill_disk() {
    if (full_) return;
    full_ = true;
    ::getrlimit(RLIMIT_FSIZE, &old_limit_);
    old_handler_ = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit none = old_limit_;
    none.rlim_cur = 0;
    ::setrlimit(RLIMIT_FSIZE, &none);
  }

 private:
  bool full_ = false;
  struct rlimit old_limit_ {};
  void (*old_handler_)(int) = nullptr;
};

TEST_F(AuditFlows, StoringIntoAMissingFileIsAFatalError) {
  given_films({film(1, u"One")});
  given_members({member(1, u"Able")});
  std::filesystem::remove(shop_.path(records::files::kFilm));
  std::filesystem::remove(shop_.path(records::files::kMember));

  OneFilmForm items;
  EXPECT_EQ(new_items(shop_, items, FilmRange::Format1), 0);
  EXPECT_TRUE(op_.saw("Fatal error", "Data file: film.dat, not present."));
  EXPECT_EQ(items.shown, 1) << "the command ends";
  EXPECT_EQ(shop_.films.counts().live, 1);

  op_.reply({Answer::Ok});
  OneMemberForm people;
  EXPECT_EQ(add_members(shop_, views_, people, MemberAddKind::Plain), 0);
  EXPECT_TRUE(op_.saw("Fatal error", "Data file: member.dat, not present."));
  EXPECT_EQ(shop_.members.counts().live, 1);
  EXPECT_EQ(shop_.config.i64(records::cfg::kNewMembersToday), 0);
  EXPECT_TRUE(op_.activity_lines.empty());
}

TEST_F(AuditFlows, DeletionThatCannotBeWrittenSaysSoAndKeepsTheRecord) {
  given_films({film(42, u"Brazil")});
  given_members({member(8, u"Gone")});
  const auto films = shop_.films.counts();
  const auto members = shop_.members.counts();
  fill_disk();

  op_.type(u"42");
  op_.reply({Answer::Ok});
  EXPECT_FALSE(delete_film_command(shop_, views_));
  EXPECT_TRUE(op_.saw("Problem", "Not able to write film.dat"));
  EXPECT_TRUE(shop_.films.index().contains(42));
  EXPECT_EQ(shop_.films.counts().deleted, films.deleted);
  EXPECT_EQ(shop_.films.counts().live, films.live);

  op_.type(u"8");
  op_.reply({Answer::Ok});
  EXPECT_FALSE(delete_member_command(shop_, views_));
  EXPECT_TRUE(op_.saw("Problem", "Not able to write member.dat"));
  EXPECT_TRUE(shop_.members.index().contains(8));
  EXPECT_EQ(shop_.members.counts().deleted, members.deleted);

  EXPECT_EQ(log_text(), "") << "nothing deleted, nothing logged";
  EXPECT_TRUE(op_.activity_lines.empty());
}

TEST_F(AuditFlows, DeletionStillAsksBeforeWritingAndRefusesWhatIsOut) {
  given_films({film(42, u"Brazil"), film(43, u"Heat")});
  change_film(43, [](records::FilmRecord& f) { f.set_on_loan_to(8); });
  op_.type(u"43");
  EXPECT_FALSE(delete_film_command(shop_, views_));
  EXPECT_TRUE(op_.saw("Film is on loan", "Unable to delete"));
  EXPECT_EQ(op_.messages.size(), 1u) << "no question for a film that is out";

  const int64_t slot = *shop_.films.index().find(42);
  op_.type(u"42");
  op_.reply({Answer::Ok});
  ASSERT_TRUE(delete_film_command(shop_, views_));
  records::FilmRecord raw;
  ASSERT_EQ(shop_.films.read_slot(slot, raw), records::ReadResult::Ok);
  EXPECT_EQ(raw.number(), -1);
  EXPECT_EQ(raw.title(), u"");
  EXPECT_EQ(shop_.films.prefixes()[slot], (records::Prefix{0, 0}));
  const auto& e = shop_.films.index().entries();
  EXPECT_EQ(e[0].number, -1);
  EXPECT_EQ(e[0].slot, slot);
  EXPECT_EQ(e[1].number, 43);
  EXPECT_EQ(shop_.films.counts().deleted, 1);
  EXPECT_EQ(shop_.films.counts().live, 1);
}

TEST_F(AuditFlows, RefusedMemberAmendmentSoundsEvenWithSoundEffectsOff) {
  given_members({member(5, u"Smith")});
  shop_.config.set_i32(records::cfg::kSoundOff, 2);
  ASSERT_FALSE(shop_.config.sound_on());

  OneMemberForm screen;
  screen.typing = [](MemberForm& f) { f.set(MemberField::Name, u"S"); };
  op_.type(u"5");
  EXPECT_FALSE(amend_member(shop_, views_, screen));
  EXPECT_TRUE(op_.saw("Problem", "The name must have at least two characters."));
  EXPECT_EQ(op_.warnings, 1);

  OneMemberForm again;
  again.typing = [](MemberForm& f) { f.category = 4001; };
  op_.type(u"5");
  EXPECT_FALSE(amend_member(shop_, views_, again));
  EXPECT_TRUE(op_.saw("Problem", "Invalid category (1-4000)"));
  EXPECT_EQ(op_.warnings, 2);

  // A new member's refusals keep to the setting.
  OneMemberForm newcomer;
  newcomer.typing = [](MemberForm& f) { f.set(MemberField::Name, u"S"); };
  EXPECT_EQ(add_members(shop_, views_, newcomer, MemberAddKind::Plain), 0);
  EXPECT_EQ(op_.warnings, 2);
}

}  // namespace
