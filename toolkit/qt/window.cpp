#include "toolkit/window.h"

#include "data/fatal.h"
#include "toolkit/backend.h"
#include "toolkit/qt/qt_controls.h"
#include "toolkit/qt/qt_keys.h"
#include "toolkit/qt/window_impl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QUrl>

#include <stdexcept>

namespace sg8 {

using qt::widgetOf;

namespace {

// The design's sizes include a fixed single border and a caption bar, as the
// classic frame draws them: 3 pixels each side, a 19-pixel caption.
constexpr int kFrameWidth = 6;
constexpr int kFrameHeight = 25;

std::vector<std::string> localFiles(const QMimeData* mime)
{
    std::vector<std::string> files;
    if (!mime->hasUrls()) return files;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) files.push_back(qt::toUtf8(url.toLocalFile()));
    }
    return files;
}

/// Runs a handler on every double-click in a list view, on a row or not: the
/// handler reads the selected row, not where the click fell.
class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(QObject* parent, std::function<void()> run) : QObject(parent), run_(std::move(run)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            run_();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> run_;
};

/// Hands the keys pressed in one window to its key bindings before its controls see them.
class KeyFilter : public QObject {
public:
    explicit KeyFilter(Window::Impl* window) : window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        auto* target = static_cast<QWidget*>(watched);
        if (!window_->widget || (target != window_->widget && !window_->widget->isAncestorOf(target))) return false;
        const std::optional<KeyChord> chord = qt::chordOf(*static_cast<QKeyEvent*>(event));
        return chord && window_->handleKey(*chord, target);
    }

private:
    Window::Impl* window_;
};

QWidget* makeControl(const ControlDesign& control, QWidget* parent)
{
    switch (control.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(qt::toQString(control.caption), parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    }
    case ControlKind::Button:
        return new QPushButton(qt::toQString(control.caption), parent);
    case ControlKind::EditBox:
    case ControlKind::SearchBox: {
        auto* edit = new qt::LimitedLineEdit(parent, control.byteLimit);
        edit->setAlignment(control.kind == ControlKind::EditBox ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        edit->setPlaceholderText(qt::toQString(control.hint));
        edit->setProgramText(qt::toQString(control.caption));
        return edit;
    }
    case ControlKind::MultiLineEditBox: {
        auto* edit = new qt::LimitedTextEdit(parent, control.byteLimit);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setTabChangesFocus(true);
        edit->setProgramText(qt::toQString(control.caption));
        return edit;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(false);
        for (const ComboItem& item : control.items) {
            combo->addItem(qt::toQString(item.text), item.number ? QVariant(*item.number) : QVariant());
        }
        combo->setCurrentIndex(control.items.empty() ? -1 : 0);
        return combo;
    }
    case ControlKind::GroupBox:
        return new QGroupBox(qt::toQString(control.caption), parent);
    case ControlKind::ListView: {
        auto* table = new QTableView(parent);
        QStringList headers;
        for (const ColumnDesign& column : control.columns) headers << qt::toQString(column.header);
        auto* rows = new qt::RowModel(table, headers);
        table->setModel(rows);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setShowGrid(true);
        table->setSortingEnabled(false);
        table->setWordWrap(false);
        table->setFrameShape(QFrame::Box);
        table->setLineWidth(1);
        table->verticalHeader()->hide();
        table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
        QHeaderView* header = table->horizontalHeader();
        header->setSectionsClickable(false);
        header->setSortIndicatorShown(false);
        header->setHighlightSections(false);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        header->setStretchLastSection(false);
        for (int i = 0; i < static_cast<int>(control.columns.size()); ++i) {
            header->resizeSection(i, control.columns[static_cast<std::size_t>(i)].width);
        }
        QPalette colours = table->palette();
        colours.setColor(QPalette::Base, Qt::white);
        colours.setColor(QPalette::Text, Qt::black);
        // The selection shows only while the list has the focus.
        colours.setColor(QPalette::Inactive, QPalette::Highlight, Qt::white);
        colours.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
        table->setPalette(colours);
        if (!control.hint.empty()) {
            // The hint sits in the empty list's middle and goes as soon as it has rows.
            auto* hint = new QLabel(qt::toQString(control.hint), table->viewport());
            hint->setObjectName(QStringLiteral("hint"));
            hint->setAlignment(Qt::AlignCenter);
            hint->setWordWrap(true);
            hint->setStyleSheet(QStringLiteral("color: gray"));
            auto update = [table, rows, hint] {
                hint->setGeometry(table->viewport()->rect());
                hint->setVisible(rows->rowCount() == 0);
            };
            QObject::connect(rows, &QAbstractItemModel::modelReset, hint, update);
            QObject::connect(rows, &QAbstractItemModel::rowsInserted, hint, update);
            qt::onResize(table->viewport(), update);
            update();
        }
        return table;
    }
    }
    throw std::logic_error("unknown control kind");
}

}  // namespace

namespace qt {

void DesignedWidget::closeEvent(QCloseEvent* event)
{
    if (closeRequest && !closeRequest()) {
        event->ignore();
        return;
    }
    event->accept();
    if (closed) {
        // Whoever waits for the close may destroy this window: not from inside its own event.
        QMetaObject::invokeMethod(this, [this] {
            std::function<void()> run = closed;  // the call may destroy this window
            if (run) run();
        }, Qt::QueuedConnection);
    }
}

void DesignedWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (filesDropped && !localFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void DesignedWidget::dropEvent(QDropEvent* event)
{
    std::vector<std::string> files = localFiles(event->mimeData());
    if (!filesDropped || files.empty()) return;
    event->acceptProposedAction();
    filesDropped(std::move(files));
}

void DesignedWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (resized) resized();
}

}  // namespace qt

const Window::Impl::Control& Window::Impl::find(std::string_view control,
                                                std::initializer_list<ControlKind> kinds) const
{
    auto found = controls.find(control);
    if (found == controls.end()) throw std::logic_error("no control named " + std::string(control));
    for (ControlKind kind : kinds) {
        if (found->second.kind == kind) return found->second;
    }
    throw std::logic_error("control " + std::string(control) + " is of another kind");
}

NativeControl* Window::Impl::native(std::string_view control, std::initializer_list<ControlKind> kinds) const
{
    return qt::nativeOf(find(control, kinds).widget);
}

std::function<void()> Window::Impl::guarded(std::function<void()> handler) const
{
    return [alive = std::weak_ptr<bool>(alive), handler = std::move(handler)] {
        if (alive.expired()) return;
        dieOnOutOfMemory([&] { handler(); });
    };
}

std::string Window::Impl::controlOf(const QWidget* target) const
{
    for (; target && target != widget; target = target->parentWidget()) {
        for (const auto& [controlName, control] : controls) {
            if (control.widget == target) return controlName;
        }
    }
    return {};
}

bool Window::Impl::handleKey(const KeyChord& chord, const QWidget* target)
{
    const std::string focused = controlOf(target);
    const bool inMultiLine = !focused.empty() && controls.at(focused).kind == ControlKind::MultiLineEditBox;
    return dispatchKey(keys, chord, focused, inMultiLine, alive);
}

void Window::Impl::layOut()
{
    if (!widget) return;
    for (auto& entry : controls) {
        Control& control = entry.second;
        const QSize parentNow = control.parent.empty() ? widget->size() : controls.at(control.parent).widget->size();
        const QSize parentDesigned =
            control.parent.empty() ? designedClient : controls.at(control.parent).designed.size();
        const int grownWidth = parentNow.width() - parentDesigned.width();
        const int grownHeight = parentNow.height() - parentDesigned.height();
        const QRect& designed = control.designed;
        const Placement place = anchoredPlacement({designed.left(), designed.top(), designed.width(), designed.height()},
                                                  control.anchors, grownWidth, grownHeight);
        control.widget->setGeometry(place.left, place.top, place.width, place.height);
    }
}

void Window::Impl::centre()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize whole(widget->width() + kFrameWidth, widget->height() + kFrameHeight);
    widget->move(area.center() - QPoint(whole.width() / 2, whole.height() / 2));
}

Window::Window(const WindowDesign& design) : impl_(std::make_unique<Impl>())
{
    auto* widget = new qt::DesignedWidget;
    impl_->name = std::string(design.name);
    impl_->widget = widget;
    impl_->designedClient = QSize(design.width - kFrameWidth, design.height - kFrameHeight);
    widget->setObjectName(qt::toQString(design.name));
    widget->setWindowTitle(qt::toQString(design.caption));
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    if (design.resizable) flags |= Qt::WindowMaximizeButtonHint;
    widget->setWindowFlags(flags);
    if (design.resizable) {
        widget->setMinimumSize(impl_->designedClient);
        widget->resize(impl_->designedClient);
    } else {
        widget->setFixedSize(impl_->designedClient);
    }
    for (const ControlDesign& control : design.controls) {
        QWidget* parent = widget;
        if (!control.parent.empty()) parent = impl_->find(control.parent, {ControlKind::GroupBox}).widget;
        QWidget* made = makeControl(control, parent);
        made->setObjectName(qt::toQString(control.name));
        const QRect place(control.left, control.top, control.width, control.height);
        made->setGeometry(place);
        if (design.resizable && control.kind == ControlKind::ListView) {
            static_cast<QTableView*>(made)->horizontalHeader()->setStretchLastSection(true);
        }
        impl_->controls.emplace(std::string(control.name),
                                Impl::Control{control.kind, made, place, control.anchors, std::string(control.parent)});
    }
    widget->resized = [impl = impl_.get()] { impl->layOut(); };
    impl_->keyFilter = std::make_unique<KeyFilter>(impl_.get());
    qApp->installEventFilter(impl_->keyFilter.get());
    impl_->centre();
    registerWindow(this);
}

Window::~Window()
{
    unregisterWindow(this);
    *impl_->alive = false;
    qApp->removeEventFilter(impl_->keyFilter.get());
    if (impl_->widget) {
        impl_->widget->closeRequest = nullptr;
        impl_->widget->closed = nullptr;
        impl_->widget->filesDropped = nullptr;
        impl_->widget->resized = nullptr;
        impl_->widget->hide();
        impl_->widget->deleteLater();
    }
}

const std::string& Window::name() const { return impl_->name; }

EditBox Window::editBox(std::string_view name) const
{
    return EditBox(impl_->native(name, {ControlKind::EditBox, ControlKind::SearchBox, ControlKind::MultiLineEditBox}));
}
Label Window::label(std::string_view name) const { return Label(impl_->native(name, {ControlKind::Label})); }
GroupBox Window::groupBox(std::string_view name) const { return GroupBox(impl_->native(name, {ControlKind::GroupBox})); }
Button Window::button(std::string_view name) const { return Button(impl_->native(name, {ControlKind::Button})); }
ComboBox Window::comboBox(std::string_view name) const { return ComboBox(impl_->native(name, {ControlKind::ComboBox})); }
ListView Window::listView(std::string_view name) const { return ListView(impl_->native(name, {ControlKind::ListView})); }

void Window::bind(std::string_view control, ControlEvent event, std::function<void()> handler)
{
    std::function<void()> run = impl_->guarded(std::move(handler));
    switch (event) {
    case ControlEvent::Clicked: {
        auto* button = static_cast<QPushButton*>(impl_->find(control, {ControlKind::Button}).widget);
        QObject::connect(button, &QPushButton::clicked, button, [run] { run(); });
        return;
    }
    case ControlEvent::TextChanged: {
        QWidget* edit =
            impl_->find(control, {ControlKind::EditBox, ControlKind::SearchBox, ControlKind::MultiLineEditBox}).widget;
        if (auto* line = dynamic_cast<QLineEdit*>(edit)) {
            QObject::connect(line, &QLineEdit::textChanged, line, [run] { run(); });
        } else {
            auto* text = static_cast<QPlainTextEdit*>(edit);
            QObject::connect(text, &QPlainTextEdit::textChanged, text, [run] { run(); });
        }
        return;
    }
    case ControlEvent::DoubleClicked: {
        auto* table = static_cast<QTableView*>(impl_->find(control, {ControlKind::ListView}).widget);
        table->viewport()->installEventFilter(new DoubleClickFilter(table, run));
        return;
    }
    }
}

void Window::onHeaderClicked(std::string_view list, std::function<void(int column)> handler)
{
    auto* table = static_cast<QTableView*>(impl_->find(list, {ControlKind::ListView}).widget);
    QHeaderView* header = table->horizontalHeader();
    header->setSectionsClickable(static_cast<bool>(handler));
    QObject::disconnect(header, &QHeaderView::sectionClicked, nullptr, nullptr);
    if (!handler) return;
    QObject::connect(header, &QHeaderView::sectionClicked, header,
                     [alive = std::weak_ptr<bool>(impl_->alive), handler = std::move(handler)](int column) {
                         if (alive.expired()) return;
                         dieOnOutOfMemory([&] { handler(column); });
                     });
}

void Window::bindKey(std::string_view chord, std::function<bool()> handler) { bindKey("", chord, std::move(handler)); }

void Window::bindKey(std::string_view control, std::string_view chord, std::function<bool()> handler)
{
    const std::optional<KeyChord> parsed = parseKeyChord(chord);
    if (!parsed) throw std::logic_error("no key named " + std::string(chord));
    if (!control.empty()) impl_->find(control, {ControlKind::Label, ControlKind::Button, ControlKind::EditBox,
                                                ControlKind::SearchBox, ControlKind::MultiLineEditBox,
                                                ControlKind::ComboBox, ControlKind::GroupBox, ControlKind::ListView});
    impl_->keys.push_back({std::string(control), *parsed, std::move(handler)});
}

void Window::onCloseRequest(std::function<bool()> handler)
{
    impl_->widget->closeRequest = [alive = std::weak_ptr<bool>(impl_->alive), handler = std::move(handler)] {
        if (alive.expired()) return true;
        return dieOnOutOfMemory([&] { return handler(); });
    };
}

void Window::onFilesDropped(std::function<void(std::vector<std::string>)> handler)
{
    impl_->widget->setAcceptDrops(static_cast<bool>(handler));
    impl_->widget->filesDropped = [alive = std::weak_ptr<bool>(impl_->alive), handler = std::move(handler)](
                                      std::vector<std::string> files) {
        if (alive.expired()) return;
        dieOnOutOfMemory([&] { handler(std::move(files)); });
    };
}

std::string Window::caption() const { return impl_->widget ? qt::toUtf8(impl_->widget->windowTitle()) : std::string(); }

void Window::setCaption(std::string_view utf8)
{
    if (impl_->widget) impl_->widget->setWindowTitle(qt::toQString(utf8));
}

void Window::focus(std::string_view control)
{
    QWidget* widget = impl_->controls.count(control) ? impl_->controls.find(control)->second.widget : nullptr;
    if (!widget) throw std::logic_error("no control named " + std::string(control));
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* line = dynamic_cast<QLineEdit*>(widget)) line->selectAll();
}

std::string Window::focusedControl() const { return impl_->controlOf(QApplication::focusWidget()); }

void Window::show()
{
    impl_->widget->show();
    impl_->widget->activateWindow();
}

void Window::showModal(std::function<void()> whenClosed)
{
    impl_->widget->closed = impl_->guarded(std::move(whenClosed));
    impl_->widget->setWindowModality(Qt::ApplicationModal);
    show();
}

void Window::close()
{
    if (!impl_->widget) return;
    QMetaObject::invokeMethod(impl_->widget.data(), [widget = impl_->widget] {
        if (widget) widget->close();
    }, Qt::QueuedConnection);
}

bool Window::isVisible() const { return impl_->widget && impl_->widget->isVisible(); }

}  // namespace sg8
