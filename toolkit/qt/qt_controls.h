#pragma once

// The Qt widgets behind the toolkit's controls. Only toolkit sources include this.

#include "toolkit/controls.h"
#include "toolkit/typing_limit.h"

#include <QAbstractTableModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <QValidator>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sg8::qt {

inline QString toQString(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
inline std::string toUtf8(const QString& text) { return text.toUtf8().toStdString(); }

inline QWidget* widgetOf(NativeControl* native) { return reinterpret_cast<QWidget*>(native); }
inline NativeControl* nativeOf(QWidget* widget) { return reinterpret_cast<NativeControl*>(widget); }

inline std::u16string_view utf16Of(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}
inline QString fromUtf16(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

/// Runs `run` each time `watched` changes its size.
void onResize(QWidget* watched, std::function<void()> run);

/// A one-line edit box whose typing limit counts code-page-936 bytes.
class LimitedLineEdit : public QLineEdit {
public:
    LimitedLineEdit(QWidget* parent, int byteLimit);
    void setProgramText(const QString& text);

private:
    class Validator;
    int byteLimit_;
    bool programSetting_ = false;
    QString accepted_;
};

/// A multi-line edit box (lines end in CR LF to its users) with the same limit.
class LimitedTextEdit : public QPlainTextEdit {
public:
    LimitedTextEdit(QWidget* parent, int byteLimit);
    void setProgramText(const QString& text);

private:
    void contentsChangedByUser();
    int byteLimit_;
    bool programSetting_ = false;
    QString accepted_;
};

/// The rows of a report-style list view, as UTF-8, converted only when shown.
class RowModel : public QAbstractTableModel {
public:
    RowModel(QObject* parent, QStringList headers);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int appendRow();
    void setCell(int row, int column, std::string text);
    const std::string& cell(int row, int column) const;
    void setRows(int count, ListView::RowSource source);

private:
    ListView::Row& row(int index) const;

    QStringList headers_;
    ListView::RowSource source_;
    mutable std::vector<std::optional<ListView::Row>> rows_;
};

}  // namespace sg8::qt
