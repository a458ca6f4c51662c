#pragma once

#include "toolkit/design.h"

namespace sg8 {

/// BackupsWindow: the versions of the open file's backup history and what can be done with them.
const WindowDesign& backupsWindowDesign();

}  // namespace sg8
