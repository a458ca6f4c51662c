#pragma once

#include "data/general.h"
#include "toolkit/controls.h"

#include <cstddef>
#include <string>
#include <vector>

namespace sg8 {

/// Which records the general list shows, and in which order: the records that
/// match the search text, in the file's order or sorted by one column. Each row
/// knows its record, so an edit from a filtered or sorted list reaches the right
/// general, and the file keeps its order.
class RowOrder {
public:
    /// A new list of `count` records: all shown, in the file's order, no search, no sort.
    void reset(std::size_t count);

    /// The search text (UTF-8): a record matches when it occurs in its id, its
    /// full name (surname and given name) or its courtesy name. Empty: all match.
    void setFilter(std::string utf8) { filter_ = std::move(utf8); }
    const std::string& filter() const { return filter_; }

    /// A click on a column's header: the first sorts up, a second down, a third
    /// returns to the file's order; another column starts again at up.
    void clickColumn(int column);
    int sortColumn() const { return sortColumn_; }
    SortOrder sortOrder() const { return sortOrder_; }

    /// Works out the rows from the records, by the search text and the sort.
    void apply(const GeneralList& generals);

    int rowCount() const { return static_cast<int>(rows_.size()); }
    std::size_t recordOf(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    /// The row that shows the record, -1 when none does.
    int rowOf(std::size_t record) const;

private:
    /// Whether the search text occurs in the general's id, full name or courtesy
    /// name; `scratch` is room for the full name, reused from one general to the next.
    bool matches(const CustomGeneral& general, std::string& scratch) const;
    void sortRows(const GeneralList& generals);

    std::vector<std::size_t> rows_;
    std::string filter_;
    int sortColumn_ = -1;
    SortOrder sortOrder_ = SortOrder::None;
};

}  // namespace sg8
