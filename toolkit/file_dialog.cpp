#include "toolkit/file_dialog.h"

#include "data/file_io.h"
#include "toolkit/backend.h"

#include <deque>
#include <filesystem>
#include <system_error>
#include <utility>

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

}  // namespace

std::vector<FileFilterEntry> parseFileFilter(std::string_view filter)
{
    std::vector<FileFilterEntry> entries;
    std::vector<std::string> parts;
    for (;;) {
        const std::size_t bar = filter.find('|');
        parts.emplace_back(filter.substr(0, bar));
        if (bar == std::string_view::npos) break;
        filter.remove_prefix(bar + 1);
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) entries.push_back({parts[i], parts[i + 1]});
    return entries;
}

std::string extensionOf(std::string_view defaultExtension)
{
    while (!defaultExtension.empty() && (defaultExtension.front() == '*' || defaultExtension.front() == '.')) {
        defaultExtension.remove_prefix(1);
    }
    return std::string(defaultExtension);
}

bool FileDialog::show()
{
    Hooks& state = hooks();
    const bool save = mode_ == Mode::Save;
    state.last = ShownFileDialog{std::string(design_.title), std::string(design_.filter), initialFolder_, fileName_,
                                 extensionOf(design_.defaultExtension), save};
    if (state.answeredByTests) {
        std::optional<std::string> answer;
        if (!state.answers.empty()) {
            answer = std::move(state.answers.front());
            state.answers.pop_front();
        }
        if (!answer) return false;
        const std::filesystem::path path = pathFromUtf8(*answer);
        std::error_code error;
        // What the dialog itself insists on: an open needs a file, a save a folder.
        if (!save && !std::filesystem::is_regular_file(path, error)) return false;
        if (save && !std::filesystem::is_directory(std::filesystem::absolute(path, error).parent_path(), error)) {
            return false;
        }
        fileName_ = pathToUtf8(std::filesystem::absolute(path, error));
        return true;
    }
    backend::FileDialogRequest request{design_.name,  design_.title, parseFileFilter(design_.filter),
                                       extensionOf(design_.defaultExtension), initialFolder_, fileName_, save};
    std::string chosen;
    if (!backend::showFileDialog(request, chosen)) return false;
    fileName_ = std::move(chosen);
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
