#include "records/shop.h"

#include "records/commit.h"

#include "records/config_layout.h"
#include "records/file_io.h"
#include "records/journal.h"

namespace kelvo::records {

Shop::Shop(std::filesystem::path folder, platform::Operator& op, const platform::Clock& clock,
           const platform::Locale& locale)
    : folder_(std::move(folder)), op_(&op), clock_(&clock), locale_(&locale) {
  films.set_file(path(files::kFilm));
  members.set_file(path(files::kMember));
  stock.set_file(path(files::kStock));
  films.set_pending(pending_.get());
  members.set_pending(pending_.get());
  stock.set_pending(pending_.get());
}

Shop::~Shop() {
  if (!remote_) checkpoint_journal(folder_);
}

void Shop::set_remote(RemoteStore* remote) {
  remote_ = remote;
  if (!remote) return pending_->set_direct_commit(nullptr);
  pending_->set_direct_commit([this] {
    Commit commit(*this);
    return commit.finish();
  });
}

void Shop::warn() const {
  if (config.sound_on()) op_->warn();
}

bool Shop::save_config() {
  if (pending_->open()) return true;
  // The server compares the block with what it holds itself.
  if (remote_) {
    Commit commit(*this);
    return commit.finish();
  }
  // A block that wr.cfg already holds (a transaction's commit wrote it) costs no second write.
  if (config.has_saved_image() && config.unsaved_ranges().empty() && records::file_size(path(files::kConfig)) == cfg::kSize)
    return true;
  if (config.save(path(files::kConfig)) == SaveResult::Ok) return true;
  op_->message(u"Problem", u"WR.CFG");
  return false;
}

}  // namespace kelvo::records
