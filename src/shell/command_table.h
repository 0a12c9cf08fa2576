#pragma once
// Every command of the main window in one table: where it sits in the menus, its text and
// keys, the access rule that guards it and the handler that runs it. Menus, toolbar, keys and
// big buttons are all built from this table and all end in MainWindow::run.
#include <optional>
#include <string_view>
#include <vector>

#include "records/access.h"
#include "records/config_block.h"

namespace kelvo::shell {

class MainWindow;
using Handler = void (*)(MainWindow&);
using CheckMark = bool (*)(const records::ConfigBlock&);

// Who may run a command.
enum class Guard { Open, Administrator, Flag };

struct Command {
  std::string_view id;        // "films.amend"; empty for a separator
  std::string_view menu;      // "Films", "Films/Print"; empty: reached by keys or buttons only
  std::string_view text;      // as shown, with the ampersand of its underlined letter; "-" separator
  std::string_view keys;      // keys bound to the command, comma-separated ("Ctrl+A")
  std::string_view shown;     // shortcut text shown in the menu, when it is not `keys`
  Guard guard = Guard::Open;
  records::Flag flag = records::Flag::Configuration;  // when guard == Flag
  Handler handler = nullptr;  // nullptr: belongs to work not yet done; shown greyed
  CheckMark check = nullptr;  // menu items with a check mark
};

const std::vector<Command>& commands();
const Command* find_command(std::string_view id);
// The commands whose operation is not there yet, in table order.
std::vector<std::string_view> not_yet_wired();
// The top-level menus in the order they first appear.
std::vector<std::string_view> top_menus();

// The access test shared by menus, keys, toolbar and big buttons.
bool command_allowed(const Command& c, const records::ConfigBlock& config, records::AccessState state);

// The toolbar: 20 buttons in four groups, each naming the command it sends.
struct ToolButton {
  std::string_view tooltip;
  std::string_view command;
};
constexpr int kToolGroups = 5;
const std::vector<std::vector<ToolButton>>& toolbar_groups();

// The four big buttons, in focus order, and what a click and Enter run.
struct BigButtonCommand {
  std::string_view caption;
  std::string_view click;
  std::string_view enter;  // the fourth one finds a member from the keyboard
};
const std::vector<BigButtonCommand>& big_buttons();

}  // namespace kelvo::shell
