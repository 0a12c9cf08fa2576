#pragma once
// "FIND MEMBER": one member found by a search, with OK (take this one), Next (look further)
// and Cancel (take nobody).
#include <QDialog>

#include "catalogue/catalogue_views.h"
#include "records/shop.h"

namespace kelvo::catalogue {

class MemberMatchScreen : public QDialog {
  Q_OBJECT
 public:
  MemberMatchScreen(const records::ConfigBlock& config, const records::MemberRecord& member,
                    QWidget* parent = nullptr);
  MatchChoice run();

 private:
  MatchChoice choice_ = MatchChoice::Cancel;
};

}  // namespace kelvo::catalogue
