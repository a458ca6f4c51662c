#include "toolkit/message_box.h"

#include "toolkit/qt_controls.h"

#include <QMessageBox>
#include <QPushButton>

#include <deque>

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

MessageResult closeAnswer(MessageStyle style)
{
    switch (style) {
    case MessageStyle::YesNoCancel: return MessageResult::Cancel;
    case MessageStyle::YesNo: return MessageResult::No;
    case MessageStyle::Ok: break;
    }
    return MessageResult::Ok;
}

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

MessageResult messageBox(std::string_view text, MessageStyle style, std::string_view caption, MessageIcon icon)
{
    Hooks& state = hooks();
    if (state.answeredByTests) {
        const bool queued = !state.answers.empty();
        MessageResult answer = queued ? state.answers.front() : closeAnswer(style);
        if (queued) state.answers.pop_front();
        state.shown.push_back({std::string(text), std::string(caption), style, icon, queued});
        return answer;
    }

    QString shownText = qt::toQString(text);
    shownText.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(qtIcon(icon), qt::toQString(caption), shownText);
    box.setWindowModality(Qt::ApplicationModal);
    std::vector<std::pair<QAbstractButton*, MessageResult>> buttons;
    auto add = [&](const char* label, QMessageBox::ButtonRole role, MessageResult result) {
        buttons.emplace_back(box.addButton(QString::fromUtf8(label), role), result);
    };
    switch (style) {
    case MessageStyle::Ok:
        add("确定", QMessageBox::AcceptRole, MessageResult::Ok);
        break;
    case MessageStyle::YesNo:
        add("是", QMessageBox::YesRole, MessageResult::Yes);
        add("否", QMessageBox::NoRole, MessageResult::No);
        break;
    case MessageStyle::YesNoCancel:
        add("是", QMessageBox::YesRole, MessageResult::Yes);
        add("否", QMessageBox::NoRole, MessageResult::No);
        add("取消", QMessageBox::RejectRole, MessageResult::Cancel);
        break;
    }
    box.setDefaultButton(static_cast<QPushButton*>(buttons.front().first));
    if (style != MessageStyle::YesNo) box.setEscapeButton(buttons.back().first);
    box.exec();
    for (const auto& [button, result] : buttons) {
        if (box.clickedButton() == button) return result;
    }
    return closeAnswer(style);
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
