#pragma once

// Key chords and Qt's keys, both ways. Only toolkit/qt sources include this.

#include "toolkit/keys.h"

#include <QKeyEvent>

#include <optional>
#include <utility>

namespace sg8::qt {

inline std::optional<KeyChord> chordOf(const QKeyEvent& event)
{
    KeyChord chord;
    chord.ctrl = event.modifiers().testFlag(Qt::ControlModifier);
    chord.shift = event.modifiers().testFlag(Qt::ShiftModifier);
    const int key = event.key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: chord.key = Key::Enter; return chord;
    case Qt::Key_Escape: chord.key = Key::Escape; return chord;
    case Qt::Key_Tab: chord.key = Key::Tab; return chord;
    case Qt::Key_Backtab: chord.key = Key::Tab; chord.shift = true; return chord;
    case Qt::Key_Up: chord.key = Key::Up; return chord;
    case Qt::Key_Down: chord.key = Key::Down; return chord;
    case Qt::Key_PageUp: chord.key = Key::PageUp; return chord;
    case Qt::Key_PageDown: chord.key = Key::PageDown; return chord;
    case Qt::Key_Home: chord.key = Key::Home; return chord;
    case Qt::Key_End: chord.key = Key::End; return chord;
    case Qt::Key_Backspace: chord.key = Key::Backspace; return chord;
    case Qt::Key_Delete: chord.key = Key::Delete; return chord;
    case Qt::Key_F2: chord.key = Key::F2; return chord;
    default: break;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        chord.key = Key::Letter;
        chord.letter = static_cast<char>('A' + (key - Qt::Key_A));
        return chord;
    }
    return std::nullopt;
}

/// The Qt key and modifiers that make the chord.
inline std::pair<Qt::Key, Qt::KeyboardModifiers> qtKeyOf(const KeyChord& chord)
{
    Qt::KeyboardModifiers modifiers;
    if (chord.ctrl) modifiers |= Qt::ControlModifier;
    if (chord.shift) modifiers |= Qt::ShiftModifier;
    Qt::Key key = Qt::Key_unknown;
    switch (chord.key) {
    case Key::Enter: key = Qt::Key_Return; break;
    case Key::Escape: key = Qt::Key_Escape; break;
    case Key::Tab: key = chord.shift ? Qt::Key_Backtab : Qt::Key_Tab; break;
    case Key::Up: key = Qt::Key_Up; break;
    case Key::Down: key = Qt::Key_Down; break;
    case Key::PageUp: key = Qt::Key_PageUp; break;
    case Key::PageDown: key = Qt::Key_PageDown; break;
    case Key::Home: key = Qt::Key_Home; break;
    case Key::End: key = Qt::Key_End; break;
    case Key::Backspace: key = Qt::Key_Backspace; break;
    case Key::Delete: key = Qt::Key_Delete; break;
    case Key::F2: key = Qt::Key_F2; break;
    case Key::Letter: key = static_cast<Qt::Key>(Qt::Key_A + (chord.letter - 'A')); break;
    }
    return {key, modifiers};
}

}  // namespace sg8::qt
