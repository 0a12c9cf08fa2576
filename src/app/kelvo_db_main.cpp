// kelvo-db: moves a whole shop from its folder into a PostgreSQL database and back.
#include <iostream>
#include <string_view>

#include "store/pg.h"
#include "store/shop_move.h"

namespace {

// Exit statuses, as the README gives them.
constexpr int kMoved = 0;
constexpr int kFailed = 1;     // the server or a file failed during the move; nothing was kept
constexpr int kUsage = 2;
constexpr int kRefused = 3;    // refused before anything changed
constexpr int kNoServer = 4;   // the server could not be reached or refused the login

int usage() {
  std::cerr << "usage: kelvo-db import FOLDER URL\n"
               "       kelvo-db export URL FOLDER\n"
               "URL is a PostgreSQL connection string, e.g. postgresql://user@host/dbname\n";
  return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return usage();
  const std::string_view command = argv[1];
  auto progress = [](std::string_view line) { std::cout << line << std::endl; };
  try {
    if (command == "import") kelvo::store::import_shop(argv[2], argv[3], progress);
    else if (command == "export") kelvo::store::export_shop(argv[2], argv[3], progress);
    else return usage();
  } catch (const kelvo::store::Refused& e) {
    std::cerr << "kelvo-db: " << e.what() << '\n';
    return kRefused;
  } catch (const kelvo::store::Unreachable& e) {
    std::cerr << "kelvo-db: " << e.what() << '\n';
    return kNoServer;
  } catch (const std::exception& e) {
    std::cerr << "kelvo-db: " << e.what() << "; nothing was " << (command == "import" ? "stored" : "written") << '\n';
    return kFailed;
  }
  std::cout << (command == "import" ? "Shop imported." : "Shop exported.") << std::endl;
  return kMoved;
}
