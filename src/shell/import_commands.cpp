// records/shop.h (through import_screen.h) comes before any Qt header: a record count there is named "slots".
#include "exchange/import_screen.h"
#include "shell/import_commands.h"

#include "shell/main_window.h"

namespace kelvo::shell {

void import_records(MainWindow& w) {
  exchange::QtImportScreens screens(&w, w.shop().folder());
  // The indexes in memory describe the file just replaced: the next start builds them anew.
  // The configuration block is untouched by an import, so the ordinary shutdown still saves it.
  if (exchange::import_command(w.shop(), screens) == exchange::ImportEnd::CloseDown) w.quit();
}

void update_items(MainWindow& w) {
  exchange::QtImportScreens screens(&w, w.shop().folder());
  exchange::update_items_from_file(w.shop(), screens);
}

}  // namespace kelvo::shell
