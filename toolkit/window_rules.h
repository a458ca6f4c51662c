#pragma once

// The rules of windows that every backend follows alike, written once. Only
// toolkit sources include this.

#include "toolkit/keys.h"
#include "toolkit/message_box.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sg8 {

/// The answer of a message box closed without a button (Escape or its close box).
MessageResult closedBoxAnswer(MessageStyle style);

/// A key bound in a window: for the whole window, or only while one control has the focus.
struct KeyBinding {
    std::string control;  ///< empty: the whole window
    KeyChord chord;
    std::function<bool()> handler;
};

/// Runs the bindings of a key pressed while `focused` (a control's design name,
/// empty for none) has the focus: the control's own first, then the window's;
/// Enter in a multi-line box is never the window's. True when a handler used the
/// key, or when the window went while one ran (`alive` expired).
bool dispatchKey(const std::vector<KeyBinding>& keys, const KeyChord& chord, std::string_view focused,
                 bool focusInMultiLine, const std::weak_ptr<bool>& alive);

/// A control's place and size, in pixels of its parent.
struct Placement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

/// Where a control goes once its parent has grown by `grownWidth` × `grownHeight`
/// from its designed size: anchored to both edges it stretches, to the far edge
/// alone it moves.
Placement anchoredPlacement(Placement designed, unsigned anchors, int grownWidth, int grownHeight);

}  // namespace sg8
