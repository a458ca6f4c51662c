#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg8 {

/// The toolkit's own object behind a control; the windows never look inside.
struct NativeControl;

/// Typed handles on the controls of a window. A handle is a plain reference: it
/// is valid while its window lives. Texts are UTF-8.

class EditBox {
public:
    std::string text() const;
    /// Shows the text whole, also when it is longer than the typing limit.
    void setText(std::string_view utf8);

    explicit EditBox(NativeControl* native) : native_(native) {}

private:
    NativeControl* native_;
};

class Label {
public:
    std::string caption() const;
    void setCaption(std::string_view utf8);

    explicit Label(NativeControl* native) : native_(native) {}

private:
    NativeControl* native_;
};

class GroupBox {
public:
    std::string caption() const;
    void setCaption(std::string_view utf8);

    explicit GroupBox(NativeControl* native) : native_(native) {}

private:
    NativeControl* native_;
};

class Button {
public:
    void setEnabled(bool enabled);
    bool isEnabled() const;

    explicit Button(NativeControl* native) : native_(native) {}

private:
    NativeControl* native_;
};

/// A drop-down list whose items may carry item numbers.
class ComboBox {
public:
    int count() const;
    /// The 0-based index of the picked item, -1 when none is picked.
    int selection() const;
    /// Above the last item picks the last; -1 or below leaves none picked.
    void setSelection(std::int64_t index);
    /// The item's number (0 for an item without one), -1 for an index outside the items.
    std::int32_t itemNumber(int index) const;
    /// The item's text, empty for an index outside the items.
    std::string itemText(int index) const;
    /// Appends an item after the design's; returns its index.
    int addItem(std::string_view utf8, std::optional<std::int32_t> number = std::nullopt);

    explicit ComboBox(NativeControl* native) : native_(native) {}

private:
    NativeControl* native_;
};

/// Which way a list view's sort indicator points.
enum class SortOrder { None, Ascending, Descending };

/// A report-style list view. Its rows are in the order they were added or given;
/// the program sorts and filters by giving the rows anew.
class ListView {
public:
    using Row = std::vector<std::string>;
    /// The cells of a row, asked for the first time the row is needed.
    using RowSource = std::function<Row(int row)>;

    int rowCount() const;
    /// The selected row, 0-based, -1 when none is.
    int selectedRow() const;
    void selectRow(int row);
    /// Appends an empty row and returns its index.
    int insertRow();
    void setCell(int row, int column, std::string_view utf8);
    std::string cell(int row, int column) const;
    /// Removes every row.
    void clear();
    /// Replaces every row at once by `count` rows whose cells `source` gives when
    /// a row is first shown, read or changed: one change for the view, however many rows.
    void setRows(int count, RowSource source);
    void setEnabled(bool enabled);
    /// Shows the sort indicator on one column's header (none with SortOrder::None).
    void setSortIndicator(int column, SortOrder order);

    explicit ListView(NativeControl* native) : native_(native) {}

private:
    NativeControl* native_;
};

}  // namespace sg8
