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

}  // namespace sg8
