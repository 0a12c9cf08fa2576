#pragma once
// The film commands of the main window: new items, amend, delete, the finds and the multiple
// copy analysis. The window has already made the access test.
namespace kelvo::shell {

class MainWindow;

void new_film_format1(MainWindow& window);   // F5, toolbar "Add new inventory item", "New film"
void new_film_format2(MainWindow& window);   // F3
void amend_film(MainWindow& window);         // ^A
void delete_film(MainWindow& window);        // toolbar "Delete film"
void find_film(MainWindow& window);          // F2, toolbar "Find film"
void find_film_by_title(MainWindow& window); // ^N
void find_films_containing(MainWindow& window);
void multicopy_analysis(MainWindow& window);

}  // namespace kelvo::shell
