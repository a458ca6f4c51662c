#include "toolkit/window_rules.h"

#include "data/fatal.h"
#include "toolkit/design.h"

namespace sg8 {

MessageResult closedBoxAnswer(MessageStyle style)
{
    switch (style) {
    case MessageStyle::YesNoCancel: return MessageResult::Cancel;
    case MessageStyle::YesNo: return MessageResult::No;
    case MessageStyle::Ok: break;
    }
    return MessageResult::Ok;
}

bool dispatchKey(const std::vector<KeyBinding>& keys, const KeyChord& chord, std::string_view focused,
                 bool focusInMultiLine, const std::weak_ptr<bool>& alive)
{
    for (const bool windowWide : {false, true}) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const KeyBinding binding = keys[i];  // the handler may bind or unbind keys
            if (binding.chord != chord) continue;
            if (windowWide ? !binding.control.empty() : binding.control != focused || focused.empty()) continue;
            if (windowWide && focusInMultiLine && chord.key == Key::Enter && !chord.ctrl) continue;
            const bool used = dieOnOutOfMemory([&] { return binding.handler(); });
            if (used || alive.expired()) return true;
        }
    }
    return false;
}

Placement anchoredPlacement(Placement designed, unsigned anchors, int grownWidth, int grownHeight)
{
    Placement place = designed;
    if (anchors & AnchorRight) {
        if (anchors & AnchorLeft) {
            place.width += grownWidth;
        } else {
            place.left += grownWidth;
        }
    }
    if (anchors & AnchorBottom) {
        if (anchors & AnchorTop) {
            place.height += grownHeight;
        } else {
            place.top += grownHeight;
        }
    }
    return place;
}

}  // namespace sg8
