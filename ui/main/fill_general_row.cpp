#include "ui/main/fill_general_row.h"

#include "data/general_row.h"

namespace sg8 {

void fillGeneralRow(ListView list, int row, const CustomGeneral& general)
{
    const std::array<std::string, 10> cells = generalRowCells(general);
    for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
        list.setCell(row, column, cells[static_cast<std::size_t>(column)]);
    }
}

ListView::RowSource generalRowSource(const GeneralList& generals)
{
    return [&generals](int row) {
        if (row < 0 || static_cast<std::size_t>(row) >= generals.size()) return ListView::Row(10);
        std::array<std::string, 10> cells = generalRowCells(generals[static_cast<std::size_t>(row)]);
        return ListView::Row(std::make_move_iterator(cells.begin()), std::make_move_iterator(cells.end()));
    };
}

}  // namespace sg8
