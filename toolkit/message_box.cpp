#include "toolkit/message_box.h"

#include "toolkit/backend.h"
#include "toolkit/window_rules.h"

#include <deque>
#include <utility>

namespace sg8 {

namespace {

struct Hooks {
    bool answeredByTests = false;
    std::deque<MessageResult> answers;
    std::vector<ShownMessage> shown;
};

Hooks& hooks()
{
    static Hooks instance;
    return instance;
}

}  // namespace

MessageResult messageBox(std::string_view text, MessageStyle style, std::string_view caption, MessageIcon icon)
{
    Hooks& state = hooks();
    if (!state.answeredByTests) return backend::showMessageBox(text, style, caption, icon);
    const bool queued = !state.answers.empty();
    const MessageResult answer = queued ? state.answers.front() : closedBoxAnswer(style);
    if (queued) state.answers.pop_front();
    state.shown.push_back({std::string(text), std::string(caption), style, icon, queued});
    return answer;
}

void setNextAnswer(MessageResult answer)
{
    hooks().answeredByTests = true;
    hooks().answers.push_back(answer);
}

std::size_t dropUnusedAnswers() { return std::exchange(hooks().answers, {}).size(); }

std::vector<ShownMessage> takeShownMessages()
{
    hooks().answeredByTests = true;
    return std::exchange(hooks().shown, {});
}

}  // namespace sg8
