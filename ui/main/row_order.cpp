#include "ui/main/row_order.h"

#include "data/collation.h"
#include "data/general_row.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <numeric>
#include <utility>

namespace sg8 {

namespace {

/// The text a column of texts shows, for sorting.
std::string columnText(const CustomGeneral& general, int column)
{
    switch (column) {
    case 1: return std::string(general.surname.utf8View()) + std::string(general.givenName.utf8View());
    case 2: return std::string(general.courtesyName.utf8View());
    case 3: return general.gender == 1 ? "男" : "女";
    default: return textToUtf8(weaponText(general.weaponType)).bytes();
    }
}

/// The int a numeric column shows; nothing for the columns of texts.
std::optional<std::int32_t> columnNumber(const CustomGeneral& general, int column)
{
    switch (column) {
    case 0: return general.id;
    case 4: return general.lifespan;
    case 5: return general.baseStamina;
    case 6: return general.baseStrength;
    case 7: return general.baseIntelligence;
    case 8: return general.righteousness;
    default: return std::nullopt;
    }
}

}  // namespace

void RowOrder::reset(std::size_t count)
{
    filter_.clear();
    sortColumn_ = -1;
    sortOrder_ = SortOrder::None;
    rows_.resize(count);
    std::iota(rows_.begin(), rows_.end(), std::size_t{0});
}

void RowOrder::clickColumn(int column)
{
    if (column != sortColumn_ || sortOrder_ == SortOrder::None) {
        sortColumn_ = column;
        sortOrder_ = SortOrder::Ascending;
    } else if (sortOrder_ == SortOrder::Ascending) {
        sortOrder_ = SortOrder::Descending;
    } else {
        sortColumn_ = -1;
        sortOrder_ = SortOrder::None;
    }
}

bool RowOrder::matches(const CustomGeneral& general, std::string& scratch) const
{
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), general.id).ptr;
    if (std::string_view(digits, static_cast<std::size_t>(end - digits)).find(filter_) != std::string_view::npos) {
        return true;
    }
    // The full name is the surname and the given name together: "张飞" finds 张 飞.
    scratch.assign(general.surname.utf8View());
    scratch.append(general.givenName.utf8View());
    return scratch.find(filter_) != std::string::npos ||
           general.courtesyName.utf8View().find(filter_) != std::string_view::npos;
}

void RowOrder::apply(const GeneralList& generals)
{
    rows_.clear();
    rows_.reserve(generals.size());
    std::string scratch;
    for (std::size_t record = 0; record < generals.size(); ++record) {
        if (filter_.empty() || matches(generals[record], scratch)) rows_.push_back(record);
    }
    sortRows(generals);
}

void RowOrder::sortRows(const GeneralList& generals)
{
    if (sortOrder_ == SortOrder::None || sortColumn_ < 0) return;
    const bool descending = sortOrder_ == SortOrder::Descending;
    // Equal values keep the file's order, whichever way the column is sorted.
    if (columnNumber(CustomGeneral{}, sortColumn_)) {
        std::vector<std::pair<std::int32_t, std::size_t>> keyed;
        keyed.reserve(rows_.size());
        for (std::size_t record : rows_) keyed.emplace_back(*columnNumber(generals[record], sortColumn_), record);
        std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto& a, const auto& b) {
            return descending ? b.first < a.first : a.first < b.first;
        });
        for (std::size_t i = 0; i < keyed.size(); ++i) rows_[i] = keyed[i].second;
        return;
    }
    std::vector<std::pair<std::string, std::size_t>> keyed;
    keyed.reserve(rows_.size());
    for (std::size_t record : rows_) {
        keyed.emplace_back(chineseSortKey(columnText(generals[record], sortColumn_)), record);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto& a, const auto& b) {
        return descending ? b.first < a.first : a.first < b.first;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) rows_[i] = keyed[i].second;
}

int RowOrder::rowOf(std::size_t record) const
{
    const auto found = std::find(rows_.begin(), rows_.end(), record);
    return found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin());
}

}  // namespace sg8
