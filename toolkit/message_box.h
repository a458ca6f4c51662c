#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg8 {

/// The buttons of a message box.
enum class MessageStyle { Ok, YesNo, YesNoCancel };

enum class MessageIcon { None, Error, Question, Warning, Information };

/// The answer of a message box. Each backend maps its own answers onto these.
enum class MessageResult { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

/// Shows a message box with no owner, modal, with Chinese buttons ("确定"; "是",
/// "否", "取消") whatever the system's language, and waits for the answer. The
/// box is wide enough for its caption. Escape or closing it without a button
/// answers Cancel for Yes/No/Cancel, No for Yes/No and OK for OK.
MessageResult messageBox(std::string_view text, MessageStyle style = MessageStyle::Ok,
                         std::string_view caption = "信息", MessageIcon icon = MessageIcon::None);

// Test hooks. Once a test has answered a box in advance, no box is ever shown on
// screen: each takes the next queued answer, or, when none is queued, the answer
// of closing it, and every box is recorded for the test to look at.

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageStyle style;
    MessageIcon icon;
    bool answeredInAdvance;  ///< false: no answer was queued for it
};

void setNextAnswer(MessageResult answer);
/// Drops the answers no box has taken; returns how many there were.
std::size_t dropUnusedAnswers();
/// The boxes shown since the last call, oldest first.
std::vector<ShownMessage> takeShownMessages();

}  // namespace sg8
