#include "toolkit/controls.h"

#include "data/codepage.h"
#include "toolkit/qt_controls.h"

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

int codePointBytes(char32_t codePoint, int newlineBytes)
{
    if (codePoint == U'\n') return newlineBytes;
    if (codePoint < 0x80) return 1;
    char16_t units[2];
    std::size_t count = 1;
    if (codePoint >= 0x10000) {
        units[0] = static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
        units[1] = static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        count = 2;
    } else {
        units[0] = static_cast<char16_t>(codePoint);
    }
    return static_cast<int>(codePage936().fromUtf16(std::u16string_view(units, count)).size());
}

}  // namespace

int codePageBytes(QStringView text, int newlineBytes)
{
    int bytes = 0;
    for (char32_t codePoint : text.toUcs4()) bytes += codePointBytes(codePoint, newlineBytes);
    return bytes;
}

QString limitTyping(const QString& before, const QString& after, int limit, int newlineBytes, int* cursor)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) ++suffix;
    // Never split a surrogate pair between the kept and the inserted part.
    if (prefix > 0 && after[prefix - 1].isHighSurrogate()) --prefix;
    if (suffix > 0 && after[after.size() - suffix].isLowSurrogate()) --suffix;

    const QString inserted = after.mid(prefix, after.size() - prefix - suffix);
    *cursor = static_cast<int>(prefix + inserted.size());
    const int afterBytes = codePageBytes(after, newlineBytes);
    const int beforeBytes = codePageBytes(before, newlineBytes);
    if (afterBytes <= limit || afterBytes <= beforeBytes) return after;

    const int removedBytes = codePageBytes(QStringView(before).mid(prefix, before.size() - prefix - suffix), newlineBytes);
    const int keptBytes = beforeBytes - removedBytes;
    const int budget = std::max(limit - keptBytes, removedBytes);
    QString kept;
    int used = 0;
    for (char32_t codePoint : inserted.toUcs4()) {
        const int bytes = codePointBytes(codePoint, newlineBytes);
        if (used + bytes > budget) break;
        used += bytes;
        kept += QString::fromUcs4(&codePoint, 1);
    }
    *cursor = static_cast<int>(prefix + kept.size());
    return after.left(prefix) + kept + after.right(suffix);
}

class LimitedLineEdit::Validator : public QValidator {
public:
    explicit Validator(LimitedLineEdit* edit) : QValidator(edit), edit_(edit) {}

    State validate(QString& input, int& pos) const override
    {
        if (edit_->programSetting_) return Acceptable;
        int cursor = pos;
        QString kept = limitTyping(edit_->accepted_, input, edit_->byteLimit_, 1, &cursor);
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
        const QString kept = limitTyping(accepted_, now, byteLimit_, 2, &cursor);
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

}  // namespace sg8
