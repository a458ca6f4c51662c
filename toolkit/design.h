#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace sg8 {

/// The kinds of control a window design can hold.
enum class ControlKind {
    Label,
    Button,
    EditBox,           ///< one line, centred
    MultiLineEditBox,  ///< several lines, left-aligned, Enter starts a new line, no scroll bars
    ComboBox,          ///< drop-down list, non-editable
    GroupBox,
    ListView,          ///< report view: grid, full-row single selection, header that doesn't sort
};

/// An item of a drop-down list; only some lists give their items numbers.
struct ComboItem {
    std::string_view text;  ///< UTF-8
    std::optional<std::int32_t> number;
};

/// A column of a report-style list view.
struct ColumnDesign {
    std::string_view header;  ///< UTF-8
    int width;                ///< pixels
};

/// One control of a window: where it sits (relative to its parent's client area,
/// or the window's when `parent` is empty), its caption and, by kind, its items,
/// columns and typing limit.
struct ControlDesign {
    ControlKind kind;
    std::string_view name;    ///< the design name, also the control's object name
    std::string_view parent;  ///< a group box's name, or empty for the window
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string_view caption = {};       ///< UTF-8
    std::vector<ComboItem> items = {};
    std::vector<ColumnDesign> columns = {};
    int byteLimit = 0;                   ///< code-page-936 bytes the user may type, 0 for none
};

/// A window with a fixed border, a minimise box and no maximise box, placed in
/// the middle of the screen. The size is the whole window, frame included.
struct WindowDesign {
    std::string_view name;     ///< object name
    std::string_view caption;  ///< UTF-8
    int width = 0;
    int height = 0;
    std::vector<ControlDesign> controls;
};

}  // namespace sg8
