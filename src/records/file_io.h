#pragma once
// The data files are read and written through the file helpers of the platform; the records
// keep naming them as their own, so every record file, index and journal reads the same.
#include "platform/file_io.h"

namespace kelvo::records {

using platform::append_bytes;
using platform::kMovedAway;
using platform::kWholeFile;
using platform::set_changed_hook;
using platform::before_direct_change;
using platform::create_exclusive;
using platform::DirectChangeHook;
using platform::DiskObserver;
using platform::Fd;
using platform::remove_file;
using platform::rename_file;
using platform::set_direct_change_hook;
using platform::set_disk_observer;
using platform::sync_data;
using platform::sync_file_system;
using platform::truncate_file;
using platform::writable_file;
using platform::copy_file_replacing;
using platform::Durability;
using platform::file_size;
using platform::FileReplacement;
using platform::FileView;
using platform::new_file_mode;
using platform::open_regular;
using platform::pread_all;
using platform::pwrite_all;
using platform::read_at;
using platform::read_whole;
using platform::sync_folder;
using platform::write_all;
using platform::write_at;
using platform::write_file_atomic;
using platform::WriteResult;

}  // namespace kelvo::records
