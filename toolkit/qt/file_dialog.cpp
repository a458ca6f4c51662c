#include "toolkit/backend.h"
#include "toolkit/qt/qt_controls.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace sg8::backend {

namespace {

/// The entries as the dialog's filters. A name that already shows its pattern is
/// kept as it is; "*.*" means every file.
QStringList nameFilters(const std::vector<FileFilterEntry>& entries)
{
    QStringList filters;
    for (const FileFilterEntry& entry : entries) {
        QString pattern = qt::toQString(entry.pattern);
        if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
        const QString name = qt::toQString(entry.name);
        filters << (name.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))
                        ? name
                        : name + QLatin1String(" (") + pattern + QLatin1Char(')'));
    }
    return filters;
}

}  // namespace

bool showFileDialog(const FileDialogRequest& request, std::string& chosen)
{
    const QStringList filters = nameFilters(request.filter);
    QFileDialog dialog(nullptr, qt::toQString(request.title));
    dialog.setObjectName(qt::toQString(request.name));
    // Qt's own dialog, so that all of it (dates, sizes, "Folder") speaks the
    // program's language whatever the system's locale.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setLocale(QLocale(QLocale::Chinese, QLocale::China));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(0));
    dialog.setDefaultSuffix(qt::toQString(request.extension));
    if (!request.initialFolder.empty()) dialog.setDirectory(qt::toQString(request.initialFolder));
    if (!request.initialFileName.empty()) {
        const QFileInfo last(qt::toQString(request.initialFileName));
        if (last.dir().exists()) dialog.setDirectory(last.dir());
        dialog.selectFile(last.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    chosen = qt::toUtf8(QDir::toNativeSeparators(dialog.selectedFiles().first()));
    return true;
}

}  // namespace sg8::backend
