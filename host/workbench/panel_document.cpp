#include "workbench/panel_document.hpp"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>

namespace panelhost {
namespace {

namespace fs = std::filesystem;

// Edits kept for undo; the oldest go past this.
constexpr size_t most_undo_steps = 500;

std::optional<std::string> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return bytes.str();
}

// Writes `text` beside `target`, then puts it in its place: a failed write (a full
// disk) leaves `target` as it was. The new file takes the permissions of the one it
// replaces.
bool write_in_place_of(const fs::path& target, const std::string& text, std::string& error) {
    std::error_code problem;
    fs::path temporary = target;
    temporary += ".saving";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), std::streamsize(text.size()));
        out.close();
        if (!out) {
            fs::remove(temporary, problem);
            error = "cannot write " + temporary.string();
            return false;
        }
    }
    if (fs::exists(target, problem))
        fs::permissions(temporary, fs::status(target, problem).permissions(), problem);
    fs::rename(temporary, target, problem);
    if (problem) {
        error = "cannot replace " + target.string() + ": " + problem.message();
        fs::remove(temporary, problem);
        return false;
    }
    return true;
}

} // namespace

bool PanelDocument::load(std::string& error) {
    undo_.clear();
    redo_.clear();
    std::optional<std::string> bytes = read_file(path_);
    text_ = saved_ = bytes.value_or("");
    if (!bytes) error = "cannot read the panel file " + path_;
    return bytes.has_value();
}

bool PanelDocument::file_differs() const {
    std::optional<std::string> bytes = read_file(path_);
    return !bytes || *bytes != saved_;
}

void PanelDocument::edit(std::string text) {
    if (text == text_) return;
    undo_.push_back(std::move(text_));
    if (undo_.size() > most_undo_steps) undo_.erase(undo_.begin());
    redo_.clear();
    text_ = std::move(text);
}

bool PanelDocument::undo() { return step_back(undo_, redo_); }

bool PanelDocument::redo() { return step_back(redo_, undo_); }

bool PanelDocument::step_back(std::vector<std::string>& from, std::vector<std::string>& to) {
    if (from.empty()) return false;
    to.push_back(std::move(text_));
    text_ = std::move(from.back());
    from.pop_back();
    return true;
}

bool PanelDocument::save(std::string& error) {
    // A link is followed, so that the file it names is the one replaced.
    std::error_code problem;
    fs::path target =
        fs::is_symlink(path_, problem) ? fs::canonical(path_, problem) : fs::path(path_);
    if (problem) {
        error = "cannot follow the panel file's link " + path_ + ": " + problem.message();
        return false;
    }
    if (!write_in_place_of(target, text_, error)) return false;
    saved_ = text_;
    return true;
}

bool PanelDocument::keep_unsaved(std::string& error) const {
    if (!unsaved()) {
        std::error_code ignored;
        fs::remove(unsaved_path(), ignored);
        return true;
    }
    return write_in_place_of(unsaved_path(), text_, error);
}

bool PanelDocument::recover() {
    std::optional<std::string> kept = read_file(unsaved_path());
    if (!kept) return false;
    if (*kept == text_) {
        std::error_code ignored;
        fs::remove(unsaved_path(), ignored);
        return false;
    }
    edit(std::move(*kept));
    return true;
}

} // namespace panelhost
