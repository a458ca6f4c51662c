#pragma once

#include "data/general.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace sg8 {

/// The confirmed edits of the open file, for undo and redo: each holds the whole
/// record before and after, so that a step brings a record back exactly. It also
/// knows at which step the file was last saved, so that undoing back to that
/// step leaves nothing unsaved.
class EditHistory {
public:
    struct Edit {
        std::size_t record;
        CustomGeneral before;
        CustomGeneral after;
    };

    /// Forgets every edit; the file as it is now counts as saved.
    void clear();
    /// A confirmed edit; the edits undone before it can't be redone any more.
    void record(std::size_t record, CustomGeneral before, CustomGeneral after);
    /// The edit to undo, stepping back over it; nothing when there is none.
    const Edit* undo();
    /// The edit to redo, stepping forward over it; nothing when there is none.
    const Edit* redo();
    /// The file was saved as the edits stand now.
    void markSaved() { saved_ = done_; }
    /// Whether the records differ from the file as last saved (or loaded).
    bool unsaved() const { return saved_ != done_; }

private:
    std::vector<Edit> edits_;
    std::size_t done_ = 0;                  ///< edits_[0, done_) are in effect
    std::optional<std::size_t> saved_ = 0;  ///< done_ at the last save; nothing when no step returns there
};

}  // namespace sg8
