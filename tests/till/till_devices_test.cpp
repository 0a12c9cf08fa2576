// The bytes that reach the drawer and the pole display, read back from a pseudo-terminal standing
// in for the serial port.
#include <sys/file.h>

#include <chrono>

#include "records/config_block.h"
#include "till/device_port.h"
#include "till/till_worker.h"
#include "till_fixture.h"

namespace kelvo::testing {
namespace {

namespace cfg = records::cfg;
using till::read_control_sequence;

TEST(ControlSequence, DecimalValuesSeparatedByCommasOneByteEach) {
  const struct {
    std::u16string typed;
    Bytes expected;
  } cases[] = {
      {u"27,112,0,25,250", bytes({27, 112, 0, 25, 250})},
      {u"", {}},
      {u"11", bytes({11})},
      {u" 11, 10", bytes({11, 10})},        // blanks before a value are skipped
      {u"27,,64", bytes({27, 0, 64})},      // an empty value is 0
      {u"27,112,", bytes({27, 112, 0})},
      {u"7x,8", bytes({7, 8})},             // a value ends at the first non-digit
      {u"255,256,-1", bytes({255, 0, 255})},  // the low eight bits
  };
  for (const auto& c : cases) EXPECT_EQ(read_control_sequence(c.typed), c.expected) << text::to_utf8(c.typed);
}

class Drawer : public ::testing::Test {
 protected:
  Drawer() {
    config.set_i64(cfg::kDrawerInUse, 1);
    config.set_i64(cfg::kDrawerPort, 0);
  }
  records::ConfigBlock config;
  Pty com1;
  PortVariable com1_is{"KELVO_COM1", com1.path};
  PortVariable com2_is{"KELVO_COM2", "/nonexistent/ttyS1"};
  Problems problems;
};

class NoSpooler : public till::RawSpooler {
 public:
  bool print_raw(const std::string&, const std::string&, const Bytes&) override {
    ADD_FAILURE() << "a direct drawer went to the spooler";
    return false;
  }
};

TEST_F(Drawer, OpenCharacterRepeatTimesOnItsPort) {
  const struct {
    const char* name;
    int64_t in_use, port, character, repeat;
    bool held_elsewhere;
    Bytes expected;
    std::vector<std::string> problems;
  } cases[] = {
      {"repeat 3 of 7", 1, 0, 7, 3, false, bytes({7, 7, 7}), {}},
      {"repeat at its top", 1, 0, 255, 10, false, Bytes(10, 255), {}},
      {"a newline stays one byte", 1, 0, 10, 1, false, bytes({10}), {}},
      {"a damaged repeat", 1, 0, 7, 1'000'000'000, false, Bytes(10, 7), {}},
      {"not in use: the missing port is not even tried", 0, 1, 7, 3, false, {}, {}},
      {"port held by another program", 1, 0, 7, 3, true, {}, {"Unable to open port"}},
      {"no such port", 1, 1, 7, 3, false, {}, {"Unable to open port"}},
  };
  NoSpooler spooler;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    config.set_i64(cfg::kDrawerInUse, c.in_use);
    config.set_i64(cfg::kDrawerPort, c.port);
    config.set_i64(cfg::kDrawerOpenCharacter, c.character);
    config.set_i64(cfg::kDrawerRepeat, c.repeat);
    Problems seen;
    const int other = ::open(com1.path.c_str(), O_RDWR | O_NOCTTY);
    if (c.held_elsewhere) ::flock(other, LOCK_EX);
    till::open_drawer(till::drawer_setup(config), spooler, seen);
    ::close(other);
    EXPECT_EQ(com1.received(), c.expected);
    EXPECT_EQ(seen.seen(), c.problems);
  }
}

TEST_F(Drawer, APortThatNeverDrainsIsGivenUpAfterTwoSecondsWithoutHoldingTheCounter) {
  config.set_i64(cfg::kDrawerOpenCharacter, 7);
  config.set_i64(cfg::kDrawerRepeat, 3);
  com1.stop_draining();
  NoSpooler spooler;
  till::TillWorker worker(problems);
  till::DeviceTill device(config, worker, spooler);

  using Clock = std::chrono::steady_clock;
  const auto asked = Clock::now();
  device.open_drawer();
  EXPECT_LT(Clock::now() - asked, std::chrono::milliseconds(200));
  worker.wait_idle();
  const auto took = Clock::now() - asked;
  EXPECT_GE(took, std::chrono::milliseconds(1900));
  EXPECT_LT(took, std::chrono::milliseconds(3500));
  EXPECT_EQ(problems.seen(), std::vector<std::string>{"Unable write to port"});
}

// --- The pole display ---------------------------------------------------------------------------

till::PoleSetup esc_pos_display(const std::string& device) {
  till::PoleSetup p;
  p.in_use = true;
  p.device = device;
  p.columns1 = 20;
  p.columns2 = 20;
  p.printer_off = bytes({27, 61, 2});
  p.printer_on = bytes({27, 61, 1});
  p.clear = bytes({27, 64});
  p.first_line = bytes({11});
  p.second_line = bytes({11, 10});
  p.passive = u"Welcome";
  return p;
}

TEST(PoleText, SingleBytesCutToTheColumns) {
  const struct {
    const char* name;
    std::u16string text;
    int columns1, columns2;
    Bytes expected;
  } cases[] = {
      {"ASCII", u"Total: 12.50", 20, 20, bytes("Total: 12.50")},
      {"Latin-1 letters", u"Caf\u00e9 cr\u00e8me \u00a3", 20, 20, bytes("Caf\xe9 cr\xe8me \xa3")},
      {"beyond Latin-1", u"\u20ac5 \u2603", 20, 20, bytes("?5 ?")},
      {"one ? for a character outside the plane", u"a\U0001F600b", 20, 20, bytes("a?b")},
      {"control characters are never sent as such", u"a\x1b" u"b\x85" u"c\x7f", 20, 20, bytes("a?b?c?")},
      {"exactly the columns", u"12345678901234567890", 20, 0, bytes("12345678901234567890")},
      {"cut to line 1 without line 2", u"123456789012345678901", 20, 0, bytes("12345678901234567890")},
      {"the rest on line 2", u"Welcome to the shop!", 10, 5, bytes("Welcome to") + bytes({11, 10}) + bytes(" the ")},
      {"no columns: not cut", u"123456789012345678901", 0, 0, bytes("123456789012345678901")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto pole = esc_pos_display("/dev/null");
    pole.columns1 = c.columns1;
    pole.columns2 = c.columns2;
    EXPECT_EQ(till::pole_text(pole, c.text), c.expected);
  }
}

TEST(PoleDisplay, FrameSwitchesTheChainedPrinterOffClearsWritesAndSwitchesItBackOn) {
  Pty com2;
  Problems problems;
  auto pole = esc_pos_display(com2.path);
  pole.columns1 = 10;
  pole.columns2 = 0;
  till::show_on_pole(pole, till::pole_total_text(1234.5f), problems);
  EXPECT_EQ(com2.received(), bytes({27, 61, 2}) + bytes({27, 64, 11}) + bytes("Total: 123") + bytes({27, 61, 1}));
  EXPECT_TRUE(problems.seen().empty());

  pole.device = "/nonexistent/ttyS1";
  till::show_on_pole(pole, u"Welcome", problems);
  EXPECT_EQ(problems.seen(), std::vector<std::string>{"Unable to open port"});
}

TEST(DeviceTill, OutputsGoOutInTheOrderAskedAndNothingWhenNotInUse) {
  Pty com1, com2;
  PortVariable com1_is{"KELVO_COM1", com1.path};
  PortVariable com2_is{"KELVO_COM2", com2.path};
  records::ConfigBlock config;
  config.set_i64(cfg::kDrawerPort, 0);
  config.set_i64(cfg::kDrawerOpenCharacter, 7);
  config.set_i64(cfg::kDrawerRepeat, 3);
  config.set_i32(cfg::kPolePort, 1);
  config.set_i32(cfg::kPoleColumns1, 20);
  config.set_str(cfg::kPoleTexts, cfg::kPoleTextWidth, u"Thank you");
  config.set_str(cfg::kPoleTexts + 3 * cfg::kPoleTextWidth, cfg::kPoleTextWidth, u"27,64");
  config.set_str(cfg::kPoleTexts + 4 * cfg::kPoleTextWidth, cfg::kPoleTextWidth, u"11");
  Problems problems;
  NoSpooler spooler;
  till::TillWorker worker(problems);
  till::DeviceTill device(config, worker, spooler);

  const auto settle = [&] {
    device.pole_total(8.5f);
    device.open_drawer();
    device.pole_passive();
    worker.wait_idle();
  };
  settle();  // neither device in use: no port is so much as opened
  EXPECT_TRUE(com1.received().empty());
  EXPECT_TRUE(com2.received().empty());

  config.set_i64(cfg::kDrawerInUse, 1);
  config.set_i32(cfg::kPoleInUse, 2);
  settle();
  EXPECT_EQ(com1.received(), bytes({7, 7, 7}));
  EXPECT_EQ(com2.received(), bytes({27, 64, 11}) + bytes("Total: 8.50") + bytes({27, 64, 11}) + bytes("Thank you"));
  EXPECT_TRUE(problems.seen().empty());
}

}  // namespace
}  // namespace kelvo::testing
