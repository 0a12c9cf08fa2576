#pragma once
// The pictures of the toolbar and the big buttons, drawn by the program itself so that they
// stay sharp at any size.
#include <QIcon>
#include <QPixmap>
#include <string_view>

namespace kelvo::shell {

// The icon of a command of the toolbar or the big buttons, by command identifier.
QIcon command_icon(std::string_view command, int size = 24);
QPixmap command_picture(std::string_view command, int size);

}  // namespace kelvo::shell
