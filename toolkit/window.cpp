#include "toolkit/window.h"

#include "data/fatal.h"
#include "toolkit/qt_controls.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QUrl>

#include <map>
#include <stdexcept>

namespace sg8 {

using qt::widgetOf;

namespace {

// The design's sizes include a fixed single border and a caption bar, as the
// classic frame draws them: 3 pixels each side, a 19-pixel caption.
constexpr int kFrameWidth = 6;
constexpr int kFrameHeight = 25;

/// The top-level widget of a designed window.
class DesignedWidget : public QWidget {
public:
    std::function<bool()> closeRequest;
    std::function<void()> closed;
    std::function<void(std::vector<std::string>)> filesDropped;

protected:
    void closeEvent(QCloseEvent* event) override
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

    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (filesDropped && !localFiles(event->mimeData()).empty()) event->acceptProposedAction();
    }

    void dropEvent(QDropEvent* event) override
    {
        std::vector<std::string> files = localFiles(event->mimeData());
        if (!filesDropped || files.empty()) return;
        event->acceptProposedAction();
        filesDropped(std::move(files));
    }

private:
    static std::vector<std::string> localFiles(const QMimeData* mime)
    {
        std::vector<std::string> files;
        if (!mime->hasUrls()) return files;
        for (const QUrl& url : mime->urls()) {
            if (url.isLocalFile()) files.push_back(qt::toUtf8(url.toLocalFile()));
        }
        return files;
    }
};

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

QWidget* makeControl(const ControlDesign& control, QWidget* parent)
{
    switch (control.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(qt::toQString(control.caption), parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::Button:
        return new QPushButton(qt::toQString(control.caption), parent);
    case ControlKind::EditBox: {
        auto* edit = new qt::LimitedLineEdit(parent, control.byteLimit);
        edit->setAlignment(Qt::AlignCenter);
        edit->setText(qt::toQString(control.caption));
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
        table->setModel(new qt::RowModel(table, headers));
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
        return table;
    }
    }
    throw std::logic_error("unknown control kind");
}

}  // namespace

struct Window::Impl {
    QPointer<DesignedWidget> widget;
    std::map<std::string, std::pair<ControlKind, QWidget*>, std::less<>> controls;
    // Cleared when the window goes: a late signal then reaches no handler.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);

    NativeControl* find(std::string_view name, std::initializer_list<ControlKind> kinds) const
    {
        auto found = controls.find(name);
        if (found == controls.end()) throw std::logic_error("no control named " + std::string(name));
        for (ControlKind kind : kinds) {
            if (found->second.first == kind) return qt::nativeOf(found->second.second);
        }
        throw std::logic_error("control " + std::string(name) + " is of another kind");
    }

    std::function<void()> guarded(std::function<void()> handler) const
    {
        return [alive = std::weak_ptr<bool>(alive), handler = std::move(handler)] {
            if (alive.expired()) return;
            dieOnOutOfMemory([&] { handler(); });
        };
    }

    void centre()
    {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen) return;
        const QRect area = screen->availableGeometry();
        const QSize whole(widget->width() + kFrameWidth, widget->height() + kFrameHeight);
        widget->move(area.center() - QPoint(whole.width() / 2, whole.height() / 2));
    }
};

Window::Window(const WindowDesign& design) : impl_(std::make_unique<Impl>())
{
    auto* widget = new DesignedWidget;
    impl_->widget = widget;
    widget->setObjectName(qt::toQString(design.name));
    widget->setWindowTitle(qt::toQString(design.caption));
    widget->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    widget->setFixedSize(design.width - kFrameWidth, design.height - kFrameHeight);
    for (const ControlDesign& control : design.controls) {
        QWidget* parent = widget;
        if (!control.parent.empty()) parent = widgetOf(impl_->find(control.parent, {ControlKind::GroupBox}));
        QWidget* made = makeControl(control, parent);
        made->setObjectName(qt::toQString(control.name));
        made->setGeometry(control.left, control.top, control.width, control.height);
        impl_->controls.emplace(std::string(control.name), std::pair{control.kind, made});
    }
    impl_->centre();
}

Window::~Window()
{
    *impl_->alive = false;
    if (impl_->widget) {
        impl_->widget->closeRequest = nullptr;
        impl_->widget->closed = nullptr;
        impl_->widget->filesDropped = nullptr;
        impl_->widget->hide();
        impl_->widget->deleteLater();
    }
}

EditBox Window::editBox(std::string_view name) const
{
    return EditBox(impl_->find(name, {ControlKind::EditBox, ControlKind::MultiLineEditBox}));
}
Label Window::label(std::string_view name) const { return Label(impl_->find(name, {ControlKind::Label})); }
GroupBox Window::groupBox(std::string_view name) const { return GroupBox(impl_->find(name, {ControlKind::GroupBox})); }
Button Window::button(std::string_view name) const { return Button(impl_->find(name, {ControlKind::Button})); }
ComboBox Window::comboBox(std::string_view name) const { return ComboBox(impl_->find(name, {ControlKind::ComboBox})); }
ListView Window::listView(std::string_view name) const { return ListView(impl_->find(name, {ControlKind::ListView})); }

void Window::bind(std::string_view control, ControlEvent event, std::function<void()> handler)
{
    std::function<void()> run = impl_->guarded(std::move(handler));
    switch (event) {
    case ControlEvent::Clicked: {
        auto* button = static_cast<QPushButton*>(widgetOf(impl_->find(control, {ControlKind::Button})));
        QObject::connect(button, &QPushButton::clicked, button, [run] { run(); });
        return;
    }
    case ControlEvent::TextChanged: {
        QWidget* edit = widgetOf(impl_->find(control, {ControlKind::EditBox, ControlKind::MultiLineEditBox}));
        if (auto* line = dynamic_cast<QLineEdit*>(edit)) {
            QObject::connect(line, &QLineEdit::textChanged, line, [run] { run(); });
        } else {
            auto* text = static_cast<QPlainTextEdit*>(edit);
            QObject::connect(text, &QPlainTextEdit::textChanged, text, [run] { run(); });
        }
        return;
    }
    case ControlEvent::DoubleClicked: {
        auto* table = static_cast<QTableView*>(widgetOf(impl_->find(control, {ControlKind::ListView})));
        table->viewport()->installEventFilter(new DoubleClickFilter(table, run));
        return;
    }
    }
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
