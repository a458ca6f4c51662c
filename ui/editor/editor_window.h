#pragma once

#include "data/model.h"
#include "ui/editor/editor_mapping.h"
#include "toolkit/window.h"

#include <cstddef>
#include <functional>
#include <map>
#include <string>

namespace sg8 {

/// The modal window in which one general of the model is edited. Creating it
/// copies general `index` into the working copy and fills the controls
/// (fillEditor); confirm stores the controls back into that general, cancel
/// stores nothing.
class EditorWindow {
public:
    EditorWindow(Model& model, std::size_t index);

    /// Shows the window modally; `whenClosed` runs once it has closed, by confirm,
    /// by cancel or by its close box.
    void showModal(std::function<void()> whenClosed) { window_.showModal(std::move(whenClosed)); }
    Window& window() { return window_; }

    // The handlers of the design.
    void fillEditor();
    void updateDeathYear();
    void confirmEdit();
    void cancelEdit();

private:
    struct ShownList {
        int selection = -1;  ///< the item picked right after the fill
        int otherItem = -2;  ///< the added item for a value the list has none for; -2 when none was added
    };
    void fillList(const EditorBinding& binding, std::int32_t value);

    Model& model_;
    std::size_t index_;
    Window window_;
    /// WorkingGeneral: the copy of the general that the controls are filled from and read back into.
    CustomGeneral working_;
    /// Each text box's content as it read right after the fill.
    std::map<std::string, std::string, std::less<>> shownTexts_;
    /// Each list as it was right after the fill.
    std::map<std::string, ShownList, std::less<>> shownLists_;
};

}  // namespace sg8
