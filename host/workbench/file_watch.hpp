// A file the workbench reads again when it changes: the panel file, the scenario.
#pragma once

#include <filesystem>
#include <string>

namespace panelhost {

class FileWatch {
  public:
    FileWatch() = default;
    // Watches `path` from its state now.
    explicit FileWatch(std::string path);

    bool watching() const { return !path_.empty(); }
    // Whether the file was written since the last call (or since watching began).
    bool changed();

  private:
    std::string path_;
    std::filesystem::file_time_type stamp_{};
};

} // namespace panelhost
