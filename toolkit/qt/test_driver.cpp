#include "toolkit/test_driver.h"

#include "toolkit/application.h"
#include "toolkit/qt/qt_controls.h"
#include "toolkit/qt/qt_keys.h"
#include "toolkit/qt/window_impl.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QUrl>

#include <stdexcept>

namespace sg8::driver {

namespace {

const Window::Impl::Control& controlOf(Window& window, std::string_view name)
{
    return window.impl().find(name, {ControlKind::Label, ControlKind::Button, ControlKind::EditBox,
                                     ControlKind::SearchBox, ControlKind::MultiLineEditBox, ControlKind::ComboBox,
                                     ControlKind::GroupBox, ControlKind::ListView});
}

QWidget* widgetOf(Window& window, std::string_view name) { return controlOf(window, name).widget; }

/// Whether the user's input reaches the window: not while another window is modal.
/// Qt Test hands its events to the widget itself, past the check the window system
/// makes, so the driver makes it.
bool takesInput(Window& window)
{
    QWidget* modal = QApplication::activeModalWidget();
    return !modal || modal == window.impl().widget;
}

QTableView* tableOf(Window& window, std::string_view list)
{
    return static_cast<QTableView*>(window.impl().find(list, {ControlKind::ListView}).widget);
}

/// The widget that takes the keyboard: the focus proxy of a control, or the control.
QWidget* keyboardTarget(Window& window, std::string_view control)
{
    QWidget* widget = widgetOf(window, control);
    widget->activateWindow();
    widget->setFocus(Qt::OtherFocusReason);
    return widget;
}

QPoint rowCentre(QTableView* table, int row)
{
    if (row < 0 || row >= table->model()->rowCount()) {
        return QPoint(4, table->viewport()->height() - 4);  // below the rows
    }
    const QModelIndex index = table->model()->index(row, 0);
    table->scrollTo(index);
    return table->visualRect(index).center();
}

}  // namespace

void click(Window& window, std::string_view button)
{
    if (!takesInput(window)) return;
    auto* target = static_cast<QPushButton*>(window.impl().find(button, {ControlKind::Button}).widget);
    QTest::mouseClick(target, Qt::LeftButton);
}

void clickRow(Window& window, std::string_view list, int row)
{
    if (!takesInput(window)) return;
    QTableView* table = tableOf(window, list);
    table->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, rowCentre(table, row));
}

void doubleClickRow(Window& window, std::string_view list, int row)
{
    if (!takesInput(window)) return;
    QTableView* table = tableOf(window, list);
    table->setFocus(Qt::MouseFocusReason);
    const QPoint at = rowCentre(table, row);
    // A double-click is a press and release, then a second press that the system reports as double.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void clickHeader(Window& window, std::string_view list, int column)
{
    if (!takesInput(window)) return;
    QHeaderView* header = tableOf(window, list)->horizontalHeader();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, header->height() / 2));
}

void typeText(Window& window, std::string_view control, std::string_view utf8)
{
    if (!takesInput(window)) return;
    QWidget* target = keyboardTarget(window, control);
    for (const char32_t codePoint : qt::toQString(utf8).toUcs4()) {
        if (codePoint == U'\n') {
            QTest::keyClick(target, Qt::Key_Return);
            continue;
        }
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString::fromUcs4(&codePoint, 1), Qt::NoModifier);
    }
}

void pasteText(Window& window, std::string_view control, std::string_view utf8)
{
    if (!takesInput(window)) return;
    QWidget* target = keyboardTarget(window, control);
    QApplication::clipboard()->setText(qt::toQString(utf8));
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
}

void commitInputMethod(Window& window, std::string_view control, std::string_view utf8)
{
    if (!takesInput(window)) return;
    QWidget* target = keyboardTarget(window, control);
    QInputMethodEvent event;
    event.setCommitString(qt::toQString(utf8));
    QApplication::sendEvent(target, &event);
}

void selectAllText(Window& window, std::string_view control)
{
    if (!takesInput(window)) return;
    QWidget* target = keyboardTarget(window, control);
    if (auto* line = qobject_cast<QLineEdit*>(target)) {
        line->selectAll();
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(target)) {
        text->selectAll();
    }
}

void placeCaret(Window& window, std::string_view control, int position)
{
    if (!takesInput(window)) return;
    QWidget* target = keyboardTarget(window, control);
    if (auto* line = qobject_cast<QLineEdit*>(target)) {
        line->setCursorPosition(position);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(target)) {
        QTextCursor cursor = text->textCursor();
        cursor.setPosition(position);
        text->setTextCursor(cursor);
    }
}

void pressKey(Window& window, std::string_view control, std::string_view chord)
{
    const std::optional<KeyChord> parsed = parseKeyChord(chord);
    if (!parsed) throw std::logic_error("no key named " + std::string(chord));
    if (!takesInput(window)) return;
    QWidget* target = control.empty() ? QApplication::focusWidget() : keyboardTarget(window, control);
    if (!target) target = window.impl().widget;
    const auto [key, modifiers] = qt::qtKeyOf(*parsed);
    QTest::keyClick(target, key, modifiers);
}

void pickItem(Window& window, std::string_view combo, int index)
{
    if (!takesInput(window)) return;
    auto* box = static_cast<QComboBox*>(window.impl().find(combo, {ControlKind::ComboBox}).widget);
    box->setFocus(Qt::MouseFocusReason);
    box->showPopup();
    QAbstractItemView* items = box->view();
    const QModelIndex item = items->model()->index(index, box->modelColumn());
    items->scrollTo(item);
    // An item may be wider than a narrow list shows it: click the part in view.
    const QPoint at = items->visualRect(item).intersected(items->viewport()->rect()).center();
    QTest::mouseClick(items->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    if (box->view()->isVisible()) box->hidePopup();
}

void closeWindow(Window& window)
{
    if (!takesInput(window)) return;
    if (window.impl().widget) window.impl().widget->close();
}

void resizeWindow(Window& window, int width, int height)
{
    // The design's sizes count the frame: 3 pixels each side and a 19-pixel caption.
    if (window.impl().widget) window.impl().widget->resize(width - 6, height - 25);
    processEvents();
}

bool dropFiles(Window& window, const std::vector<std::string>& utf8Paths)
{
    QWidget* target = window.impl().widget;
    if (!target || !takesInput(window)) return false;
    QMimeData files;
    QList<QUrl> urls;
    for (const std::string& path : utf8Paths) urls.push_back(QUrl::fromLocalFile(qt::toQString(path)));
    files.setUrls(urls);
    const QPoint middle = target->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(middle), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

std::string shownText(Window& window, std::string_view control)
{
    QWidget* widget = widgetOf(window, control);
    if (auto* line = qobject_cast<QLineEdit*>(widget)) return qt::toUtf8(line->text());
    if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        return qt::toUtf8(text->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n")));
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) return qt::toUtf8(label->text());
    if (auto* button = qobject_cast<QPushButton*>(widget)) return qt::toUtf8(button->text());
    if (auto* group = qobject_cast<QGroupBox*>(widget)) return qt::toUtf8(group->title());
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return qt::toUtf8(combo->currentText());
    if (auto* table = qobject_cast<QTableView*>(widget)) {
        auto* hint = table->viewport()->findChild<QLabel*>(QStringLiteral("hint"));
        return hint && hint->isVisible() ? qt::toUtf8(hint->text()) : std::string();
    }
    return {};
}

std::vector<std::string> comboItems(Window& window, std::string_view combo)
{
    auto* box = static_cast<QComboBox*>(window.impl().find(combo, {ControlKind::ComboBox}).widget);
    std::vector<std::string> items;
    for (int i = 0; i < box->count(); ++i) items.push_back(qt::toUtf8(box->itemText(i)));
    return items;
}

int shownRowCount(Window& window, std::string_view list) { return tableOf(window, list)->model()->rowCount(); }

std::string shownCell(Window& window, std::string_view list, int row, int column)
{
    QAbstractItemModel* rows = tableOf(window, list)->model();
    return qt::toUtf8(rows->data(rows->index(row, column), Qt::DisplayRole).toString());
}

std::vector<std::string> shownHeaders(Window& window, std::string_view list)
{
    QAbstractItemModel* rows = tableOf(window, list)->model();
    std::vector<std::string> headers;
    for (int column = 0; column < rows->columnCount(); ++column) {
        headers.push_back(qt::toUtf8(rows->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()));
    }
    return headers;
}

int shownSelectedRow(Window& window, std::string_view list) { return window.listView(list).selectedRow(); }

bool isEnabled(Window& window, std::string_view control) { return widgetOf(window, control)->isEnabled(); }

Rect controlRect(Window& window, std::string_view control)
{
    QWidget* widget = widgetOf(window, control);
    const QPoint topLeft = widget->mapTo(window.impl().widget, QPoint(0, 0));
    return {topLeft.x(), topLeft.y(), widget->width(), widget->height()};
}

Rect clientArea(Window& window)
{
    QWidget* widget = window.impl().widget;
    return widget ? Rect{0, 0, widget->width(), widget->height()} : Rect{0, 0, 0, 0};
}

}  // namespace sg8::driver
