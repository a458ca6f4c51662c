#pragma once

// The Qt side of a Window, shared by the window and the test driver. Only
// toolkit/qt sources include this.

#include "toolkit/design.h"
#include "toolkit/keys.h"
#include "toolkit/window_rules.h"
#include "toolkit/window.h"

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sg8 {

namespace qt {

/// The top-level widget of a designed window.
class DesignedWidget : public QWidget {
public:
    std::function<bool()> closeRequest;
    std::function<void()> closed;
    std::function<void(std::vector<std::string>)> filesDropped;
    std::function<void()> resized;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace qt

struct Window::Impl {
    struct Control {
        ControlKind kind;
        QWidget* widget;
        QRect designed;       ///< place and size in the design
        unsigned anchors;
        std::string parent;   ///< a group box's name, or empty
    };
    std::string name;
    QPointer<qt::DesignedWidget> widget;
    QSize designedClient;
    std::map<std::string, Control, std::less<>> controls;
    std::vector<KeyBinding> keys;
    std::unique_ptr<QObject> keyFilter;
    // Cleared when the window goes: a late signal then reaches no handler.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);

    const Control& find(std::string_view control, std::initializer_list<ControlKind> kinds) const;
    NativeControl* native(std::string_view control, std::initializer_list<ControlKind> kinds) const;
    std::function<void()> guarded(std::function<void()> handler) const;
    /// The design name of the control that is `widget` or holds it, empty for none.
    std::string controlOf(const QWidget* widget) const;
    /// Runs the key bindings for a key pressed on `target`; true when one used it.
    bool handleKey(const KeyChord& chord, const QWidget* target);
    void layOut();
    void centre();
};

}  // namespace sg8
