// records/shop.h (through export_screen.h) comes before any Qt header: a record count there is named "slots".
#include "exchange/export_screen.h"
#include "shell/export_commands.h"

#include "shell/main_window.h"

namespace kelvo::shell {

void export_records(MainWindow& w) {
  exchange::QtExportScreens screens(&w);
  exchange::export_command(w.shop(), screens);
}

}  // namespace kelvo::shell
