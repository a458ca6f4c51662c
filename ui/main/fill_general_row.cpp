#include "ui/main/fill_general_row.h"

#include "ui/main/general_row.h"

namespace sg8 {

void fillGeneralRow(ListView list, int row, const CustomGeneral& general)
{
    const std::array<std::string, 10> cells = generalRowCells(general);
    for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
        list.setCell(row, column, cells[static_cast<std::size_t>(column)]);
    }
}

std::vector<ListView::Row> generalRows(const GeneralList& generals)
{
    std::vector<ListView::Row> rows;
    rows.reserve(generals.size());
    for (const CustomGeneral& general : generals) {
        std::array<std::string, 10> cells = generalRowCells(general);
        rows.emplace_back(std::make_move_iterator(cells.begin()), std::make_move_iterator(cells.end()));
    }
    return rows;
}

}  // namespace sg8
