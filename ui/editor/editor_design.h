#pragma once

#include "toolkit/design.h"

namespace sg8 {

/// EditorWindow: its caption, size and every control with its place, items and limits.
const WindowDesign& editorWindowDesign();

}  // namespace sg8
