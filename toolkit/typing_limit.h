#pragma once

// The typing limit of an edit box, on UTF-16 text as the window systems hold it.

#include <string>
#include <string_view>

namespace sg8 {

/// Bytes of the text in code page 936; a character the code page can't hold
/// counts as the "?" that stands for it. `newlineBytes` is what one line break
/// ("\n", or "\r\n" counted once) counts.
int codePageBytes(std::u16string_view text, int newlineBytes = 1);

/// What the user's change from `before` to `after` may keep under a typing limit
/// of `limit` bytes: the inserted characters are cut at the end until the text
/// fits, but a change that doesn't make the text longer in bytes always passes,
/// so text the program put in beyond the limit can still be edited down.
/// `cursor` receives the position just after what was kept of the insertion.
std::u16string limitTyping(std::u16string_view before, std::u16string_view after, int limit, int newlineBytes,
                           int* cursor);

/// How much of `inserted` may go in at the caret of a box holding `current` with
/// `selected` code units about to be replaced (the selection is counted as
/// removed): the longest start of it that keeps the box within `limit` bytes, or
/// all of it when that doesn't make the text longer in bytes. Never splits a
/// surrogate pair.
std::u16string_view allowedInsertion(std::u16string_view current, std::u16string_view selected,
                                     std::u16string_view inserted, int limit, int newlineBytes);

}  // namespace sg8
