#pragma once

#include "data/general.h"
#include "toolkit/controls.h"

namespace sg8 {

/// Sets the ten cells of row `row` of the general list from `general`, columns 0 to 9.
void fillGeneralRow(ListView list, int row, const CustomGeneral& general);

}  // namespace sg8
