#include "cli/console.h"

#include "data/file_io.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#endif

namespace sg8::cli {

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
#ifdef _WIN32
    // argv is in the ANSI code page there; the wide command line has every character.
    (void)argc;
    (void)argv;
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 0; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, utf8.data(), size, nullptr, nullptr);
        utf8.resize(utf8.size() - 1);
        arguments.push_back(std::move(utf8));
    }
    LocalFree(wide);
    return arguments;
#else
    return std::vector<std::string>(argv, argv + argc);
#endif
}

bool writeStdout(std::string_view bytes)
{
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return written == bytes.size() && std::fflush(stdout) == 0 && !std::ferror(stdout);
}

void reportError(std::string_view command, std::string_view message)
{
    const std::string line = "sg8gen" + (command.empty() ? "" : " " + std::string(command)) + ": " +
                             std::string(message) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void reportWarnings(std::string_view command, const std::vector<std::string>& warnings)
{
    for (const std::string& warning : warnings) reportError(command, "警告：" + warning);
}

std::optional<LoadedFile> loadForCommand(std::string_view command, const std::string& file, std::string_view untouched)
{
    Result<LoadedFile> loaded = loadSaveFile(pathFromUtf8(file));
    if (!loaded) {
        // The core's message names the file and says what is wrong.
        std::string message = loaded.error().message + "。";
        if (!untouched.empty()) message += untouched;
        reportError(command, message);
        return std::nullopt;
    }
    reportWarnings(command, loaded->warnings);
    return std::move(loaded.value());
}

}  // namespace sg8::cli
