#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace sg8 {

/// The kinds of control a window design can hold.
enum class ControlKind {
    Label,             ///< a caption, left-aligned and centred vertically in its box
    Button,
    EditBox,           ///< one line, centred
    SearchBox,         ///< one line, left-aligned, showing its hint while empty
    MultiLineEditBox,  ///< several lines, left-aligned, Enter starts a new line, no scroll bars
    ComboBox,          ///< drop-down list, non-editable
    GroupBox,
    ListView,          ///< report view: grid, full-row single selection; its hint shows while it has no rows
};

/// Which edges of the window a control keeps its distance to when the window is
/// resized. Left and right together stretch it; right alone moves it; the same
/// for top and bottom.
enum Anchor : unsigned {
    AnchorLeft = 1,
    AnchorTop = 2,
    AnchorRight = 4,
    AnchorBottom = 8,
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
    std::string_view hint = {};          ///< search box: grey text while empty; list view: text while it has no rows
    unsigned anchors = AnchorLeft | AnchorTop;
};

/// A window placed in the middle of the screen, with a minimise box. A fixed
/// window has a fixed border and no maximise box; a resizable one can be resized
/// and maximised, never below its designed size, and its controls follow their
/// anchors (a list view's last column takes the width it gains). The size is the
/// whole window, frame included.
struct WindowDesign {
    std::string_view name;     ///< object name
    std::string_view caption;  ///< UTF-8
    int width = 0;
    int height = 0;
    std::vector<ControlDesign> controls;
    bool resizable = false;
};

}  // namespace sg8
