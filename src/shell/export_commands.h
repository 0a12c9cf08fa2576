#pragma once
// Utilities "Export": films or members to a text, HTML or XML file.

namespace kelvo::shell {

class MainWindow;

void export_records(MainWindow& w);

}  // namespace kelvo::shell
