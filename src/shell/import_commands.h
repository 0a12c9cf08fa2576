#pragma once
// Utilities "Import" (the program closes after a file was replaced) and File "Update items from
// file".

namespace kelvo::shell {

class MainWindow;

void import_records(MainWindow& w);
void update_items(MainWindow& w);

}  // namespace kelvo::shell
