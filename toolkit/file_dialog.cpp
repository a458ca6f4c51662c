#include "toolkit/file_dialog.h"

#include "toolkit/qt_controls.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <deque>

namespace sg8 {

namespace {

struct Hooks {
    bool answeredByTests = false;
    std::deque<std::optional<std::string>> answers;
    std::optional<ShownFileDialog> last;
};

Hooks& hooks()
{
    static Hooks instance;
    return instance;
}

/// "name|pattern|name|pattern" as the dialog's filters. A name that already shows
/// its pattern is kept as it is; "*.*" means every file.
QStringList nameFilters(std::string_view filter)
{
    const QStringList parts = qt::toQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
        const QString& name = parts[i];
        filters << (name.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))
                        ? name
                        : name + QLatin1String(" (") + pattern + QLatin1Char(')'));
    }
    return filters;
}

QString suffixOf(std::string_view extension)
{
    QString suffix = qt::toQString(extension);
    while (suffix.startsWith(QLatin1Char('*')) || suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
    return suffix;
}

}  // namespace

bool OpenFileDialog::show()
{
    const QStringList filters = nameFilters(design_.filter);
    Hooks& state = hooks();
    state.last = ShownFileDialog{std::string(design_.title), qt::toUtf8(filters.join(QLatin1String(";;"))),
                                 initialFolder_, fileName_, qt::toUtf8(suffixOf(design_.defaultExtension))};
    if (state.answeredByTests) {
        std::optional<std::string> answer;
        if (!state.answers.empty()) {
            answer = std::move(state.answers.front());
            state.answers.pop_front();
        }
        // What the dialog itself insists on: the chosen file exists.
        if (!answer || !QFileInfo(qt::toQString(*answer)).isFile()) return false;
        fileName_ = qt::toUtf8(QFileInfo(qt::toQString(*answer)).absoluteFilePath());
        return true;
    }

    QFileDialog dialog(nullptr, qt::toQString(design_.title));
    dialog.setObjectName(qt::toQString(design_.name));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(0));
    dialog.setDefaultSuffix(suffixOf(design_.defaultExtension));
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!initialFolder_.empty()) dialog.setDirectory(qt::toQString(initialFolder_));
    if (!fileName_.empty()) {
        const QFileInfo last(qt::toQString(fileName_));
        if (last.dir().exists()) dialog.setDirectory(last.dir());
        dialog.selectFile(last.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    fileName_ = qt::toUtf8(QDir::toNativeSeparators(dialog.selectedFiles().first()));
    return true;
}

void setNextFileName(std::optional<std::string> utf8Path)
{
    hooks().answeredByTests = true;
    hooks().answers.push_back(std::move(utf8Path));
}

std::size_t dropUnusedFileNames() { return std::exchange(hooks().answers, {}).size(); }

std::optional<ShownFileDialog> lastFileDialog() { return hooks().last; }

}  // namespace sg8
