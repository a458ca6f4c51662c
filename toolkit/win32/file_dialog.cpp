#include "toolkit/backend.h"
#include "toolkit/win32/win32_text.h"

#include <commdlg.h>

#include <filesystem>
#include <system_error>

namespace sg8::backend {

namespace {

/// The filter as the dialog takes it: name and pattern pairs, each ended by a
/// NUL, the whole by another.
std::wstring filterOf(const std::vector<FileFilterEntry>& entries)
{
    std::wstring filter;
    for (const FileFilterEntry& entry : entries) {
        filter += win32::wide(entry.name);
        filter += L'\0';
        filter += win32::wide(entry.pattern);
        filter += L'\0';
    }
    filter += L'\0';
    return filter;
}

}  // namespace

bool showFileDialog(const FileDialogRequest& request, std::string& chosen)
{
    const std::wstring filter = filterOf(request.filter);
    const std::wstring title = win32::wide(request.title);
    const std::wstring extension = win32::wide(request.extension);
    std::wstring folder = win32::wide(request.initialFolder);
    std::wstring file(32768, L'\0');
    if (!request.initialFileName.empty()) {
        // A full path opens its own folder with its name filled in.
        const std::filesystem::path last(win32::wide(request.initialFileName));
        std::error_code error;
        if (last.has_parent_path() && std::filesystem::is_directory(last.parent_path(), error)) {
            folder = last.parent_path().wstring();
        }
        lstrcpynW(file.data(), last.filename().c_str(), static_cast<int>(file.size()));
    }

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    dialog.Flags |= request.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
    const BOOL accepted = request.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!accepted) return false;
    chosen = win32::utf8(file.c_str());
    return true;
}

}  // namespace sg8::backend
