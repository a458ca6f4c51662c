#include "toolkit/controls.h"

#include "toolkit/qt/qt_controls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTextBlock>

#include <algorithm>
#include <limits>

namespace sg8::qt {

namespace {

/// The user's change from `before` to `after`, cut to the typing limit.
QString limitedChange(const QString& before, const QString& after, int limit, int newlineBytes, int* cursor)
{
    return fromUtf16(limitTyping(utf16Of(before), utf16Of(after), limit, newlineBytes, cursor));
}

class ResizeWatcher : public QObject {
public:
    ResizeWatcher(QObject* parent, std::function<void()> run) : QObject(parent), run_(std::move(run)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize) run_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> run_;
};

}  // namespace

void onResize(QWidget* watched, std::function<void()> run)
{
    watched->installEventFilter(new ResizeWatcher(watched, std::move(run)));
}

class LimitedLineEdit::Validator : public QValidator {
public:
    explicit Validator(LimitedLineEdit* edit) : QValidator(edit), edit_(edit) {}

    State validate(QString& input, int& pos) const override
    {
        if (edit_->programSetting_) return Acceptable;
        int cursor = pos;
        QString kept = limitedChange(edit_->accepted_, input, edit_->byteLimit_, 1, &cursor);
        if (kept != input) {
            input = kept;
            pos = cursor;
        }
        // Never Invalid: the line edit would stop undoing refused input after that.
        return Acceptable;
    }

private:
    LimitedLineEdit* edit_;
};

LimitedLineEdit::LimitedLineEdit(QWidget* parent, int byteLimit) : QLineEdit(parent), byteLimit_(byteLimit)
{
    setMaxLength(std::numeric_limits<int>::max());
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
    if (byteLimit_ > 0) setValidator(new Validator(this));
}

void LimitedLineEdit::setProgramText(const QString& text)
{
    programSetting_ = true;
    setText(text);
    programSetting_ = false;
    accepted_ = this->text();
}

LimitedTextEdit::LimitedTextEdit(QWidget* parent, int byteLimit) : QPlainTextEdit(parent), byteLimit_(byteLimit)
{
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!programSetting_) contentsChangedByUser();
    });
}

void LimitedTextEdit::setProgramText(const QString& text)
{
    programSetting_ = true;
    setPlainText(text);
    programSetting_ = false;
    accepted_ = toPlainText();
}

void LimitedTextEdit::contentsChangedByUser()
{
    const QString now = toPlainText();
    if (byteLimit_ > 0 && now != accepted_) {
        int cursor = 0;
        // A line break is CR LF, two bytes, in the text the box hands out.
        const QString kept = limitedChange(accepted_, now, byteLimit_, 2, &cursor);
        if (kept != now) {
            programSetting_ = true;
            QTextCursor edit(document());
            edit.select(QTextCursor::Document);
            edit.insertText(kept);
            programSetting_ = false;
            QTextCursor place = textCursor();
            place.setPosition(std::min(cursor, static_cast<int>(kept.size())));
            setTextCursor(place);
        }
        accepted_ = kept;
        return;
    }
    accepted_ = now;
}

RowModel::RowModel(QObject* parent, QStringList headers) : QAbstractTableModel(parent), headers_(std::move(headers)) {}

int RowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RowModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant RowModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return toQString(cell(index.row(), index.column()));
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

QVariant RowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < headers_.size()) {
        if (role == Qt::DisplayRole) return headers_[section];
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    }
    return {};
}

Qt::ItemFlags RowModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

int RowModel::appendRow()
{
    const int row = static_cast<int>(rows_.size());
    beginInsertRows({}, row, row);
    rows_.emplace_back(ListView::Row(static_cast<std::size_t>(headers_.size())));
    endInsertRows();
    return row;
}

void RowModel::setCell(int row, int column, std::string text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return;
    ListView::Row& cells = this->row(row);
    if (static_cast<std::size_t>(column) >= cells.size()) cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = std::move(text);
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

const std::string& RowModel::cell(int row, int column) const
{
    static const std::string none;
    if (row < 0 || row >= rowCount() || column < 0) return none;
    const ListView::Row& cells = this->row(row);
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)] : none;
}

ListView::Row& RowModel::row(int index) const
{
    std::optional<ListView::Row>& cells = rows_[static_cast<std::size_t>(index)];
    if (!cells) cells = source_ ? source_(index) : ListView::Row();
    return *cells;
}

void RowModel::setRows(int count, ListView::RowSource source)
{
    beginResetModel();
    std::vector<std::optional<ListView::Row>>(static_cast<std::size_t>(std::max(count, 0))).swap(rows_);
    source_ = std::move(source);
    endResetModel();
}

}  // namespace sg8::qt

namespace sg8 {

using qt::toQString;
using qt::toUtf8;
using qt::widgetOf;

namespace {

QTableView* tableOf(NativeControl* native) { return static_cast<QTableView*>(widgetOf(native)); }
qt::RowModel* rowsOf(NativeControl* native) { return static_cast<qt::RowModel*>(tableOf(native)->model()); }
QComboBox* comboOf(NativeControl* native) { return static_cast<QComboBox*>(widgetOf(native)); }

}  // namespace

std::string EditBox::text() const
{
    QWidget* widget = widgetOf(native_);
    if (auto* line = dynamic_cast<QLineEdit*>(widget)) return toUtf8(line->text());
    QString text = static_cast<QPlainTextEdit*>(widget)->toPlainText();
    return toUtf8(text.replace(QLatin1Char('\n'), QLatin1String("\r\n")));
}

void EditBox::setText(std::string_view utf8)
{
    QWidget* widget = widgetOf(native_);
    if (auto* line = dynamic_cast<qt::LimitedLineEdit*>(widget)) {
        line->setProgramText(toQString(utf8));
        return;
    }
    QString text = toQString(utf8);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    static_cast<qt::LimitedTextEdit*>(widget)->setProgramText(text);
}

std::string Label::caption() const { return toUtf8(static_cast<QLabel*>(widgetOf(native_))->text()); }
void Label::setCaption(std::string_view utf8) { static_cast<QLabel*>(widgetOf(native_))->setText(toQString(utf8)); }

std::string GroupBox::caption() const { return toUtf8(static_cast<QGroupBox*>(widgetOf(native_))->title()); }
void GroupBox::setCaption(std::string_view utf8)
{
    static_cast<QGroupBox*>(widgetOf(native_))->setTitle(toQString(utf8));
}

void Button::setEnabled(bool enabled) { widgetOf(native_)->setEnabled(enabled); }
bool Button::isEnabled() const { return widgetOf(native_)->isEnabled(); }

int ComboBox::count() const { return comboOf(native_)->count(); }
int ComboBox::selection() const { return comboOf(native_)->currentIndex(); }

void ComboBox::setSelection(std::int64_t index)
{
    const std::int64_t last = count() - 1;
    comboOf(native_)->setCurrentIndex(static_cast<int>(index > last ? last : index < -1 ? -1 : index));
}

std::int32_t ComboBox::itemNumber(int index) const
{
    if (index < 0 || index >= count()) return -1;
    const QVariant number = comboOf(native_)->itemData(index);
    return number.isValid() ? number.toInt() : 0;
}

std::string ComboBox::itemText(int index) const
{
    if (index < 0 || index >= count()) return {};
    return toUtf8(comboOf(native_)->itemText(index));
}

int ComboBox::addItem(std::string_view utf8, std::optional<std::int32_t> number)
{
    QComboBox* combo = comboOf(native_);
    combo->addItem(toQString(utf8), number ? QVariant(*number) : QVariant());
    return combo->count() - 1;
}

int ListView::rowCount() const { return rowsOf(native_)->rowCount(); }

int ListView::selectedRow() const
{
    const QModelIndexList rows = tableOf(native_)->selectionModel()->selectedRows();
    int first = -1;
    for (const QModelIndex& row : rows) {
        if (first < 0 || row.row() < first) first = row.row();
    }
    return first;
}

void ListView::selectRow(int row)
{
    QTableView* table = tableOf(native_);
    if (row < 0 || row >= rowCount()) {
        table->clearSelection();
        return;
    }
    table->selectRow(row);
    table->scrollTo(table->model()->index(row, 0));
}

int ListView::insertRow() { return rowsOf(native_)->appendRow(); }
void ListView::setCell(int row, int column, std::string_view utf8) { rowsOf(native_)->setCell(row, column, std::string(utf8)); }
std::string ListView::cell(int row, int column) const { return rowsOf(native_)->cell(row, column); }
void ListView::clear() { rowsOf(native_)->setRows(0, {}); }
void ListView::setRows(int count, RowSource source) { rowsOf(native_)->setRows(count, std::move(source)); }
void ListView::setEnabled(bool enabled) { widgetOf(native_)->setEnabled(enabled); }

void ListView::setSortIndicator(int column, SortOrder order)
{
    QHeaderView* header = tableOf(native_)->horizontalHeader();
    header->setSortIndicatorShown(order != SortOrder::None && column >= 0);
    if (order != SortOrder::None && column >= 0) {
        header->setSortIndicator(column, order == SortOrder::Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
}

}  // namespace sg8
