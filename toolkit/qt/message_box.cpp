#include "toolkit/backend.h"
#include "toolkit/qt/qt_controls.h"
#include "toolkit/window_rules.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

namespace sg8::backend {

namespace {

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

MessageResult showMessageBox(std::string_view text, MessageStyle style, std::string_view caption, MessageIcon icon)
{
    QString shownText = qt::toQString(text);
    shownText.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QString title = qt::toQString(caption);
    QMessageBox box(qtIcon(icon), title, shownText);
    box.setWindowModality(Qt::ApplicationModal);
    // Wide enough for the caption, with room for the title bar's buttons.
    const int captionWidth = QFontMetrics(QApplication::font()).horizontalAdvance(title) + 120;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(captionWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
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
    box.setEscapeButton(buttons.back().first);
    box.exec();
    for (const auto& [button, result] : buttons) {
        if (box.clickedButton() == button) return result;
    }
    return closedBoxAnswer(style);
}

}  // namespace sg8::backend
