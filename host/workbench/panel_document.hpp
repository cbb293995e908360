// The panel file as the designer edits it on the page: its text as it stands now,
// the text last read from or written to the file, and the edits that can be undone
// and redone. Edits change the text here; only save() writes the file, and it
// writes exactly the text, byte for byte.
#pragma once

#include <string>
#include <vector>

namespace panelhost {

class PanelDocument {
  public:
    PanelDocument() = default;
    explicit PanelDocument(std::string path) : path_(std::move(path)) {}

    // Reads the file again, forgetting the edits. False, with `error` set, when it
    // cannot be read (the text is then empty).
    bool load(std::string& error);
    // Whether the file holds other bytes than the document last read or wrote:
    // someone else changed it.
    bool file_differs() const;

    const std::string& text() const { return text_; }
    const std::string& path() const { return path_; }
    bool unsaved() const { return text_ != saved_; }
    bool can_undo() const { return !undo_.empty(); }
    bool can_redo() const { return !redo_.empty(); }

    // Takes the text after one edit; the text before it can be had back by undo().
    void edit(std::string text);
    // Each false when there is nothing to undo or redo.
    bool undo();
    bool redo();
    // Writes the text to the file. False, with `error` set, when it cannot; the
    // file is then as it was.
    bool save(std::string& error);

    // Where edits not yet saved are kept: beside the file, its name with ".unsaved".
    std::string unsaved_path() const { return path_ + ".unsaved"; }
    // Writes the edits not yet saved to unsaved_path(), or removes that file when
    // there are none. Called after every change, it lets a workbench stopped (or
    // killed) before Save lose no edit. False, with `error` set, when the file cannot
    // be written.
    bool keep_unsaved(std::string& error) const;
    // Takes back the edits kept in unsaved_path() by a workbench that stopped before
    // saving them, as one edit: undo returns to the file's text. False when none
    // were kept.
    bool recover();

  private:
    // Puts the text in `to` and takes the last of `from` in its place: one undo
    // (or redo) step.
    bool step_back(std::vector<std::string>& from, std::vector<std::string>& to);

    std::string path_;
    std::string text_;
    std::string saved_; // what the file holds, as far as this document knows
    std::vector<std::string> undo_;
    std::vector<std::string> redo_;
};

} // namespace panelhost
