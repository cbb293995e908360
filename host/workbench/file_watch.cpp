#include "workbench/file_watch.hpp"

namespace panelhost {

FileWatch::FileWatch(std::string path) : path_(std::move(path)) { changed(); }

bool FileWatch::changed() {
    if (path_.empty()) return false;
    std::error_code error;
    auto now = std::filesystem::last_write_time(path_, error);
    if (error || now == stamp_) return false;
    stamp_ = now;
    return true;
}

} // namespace panelhost
