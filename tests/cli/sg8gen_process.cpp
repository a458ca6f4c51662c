#include "tests/cli/sg8gen_process.h"

#include "data/file_io.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace sg8::testing {

#ifdef _WIN32
namespace {

// One argument of a Windows command line, quoted as CommandLineToArgvW reads it back.
std::wstring quoted(const std::wstring& argument)
{
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

HANDLE inheritableFile(const std::filesystem::path& path)
{
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

Outcome sg8gen(const TempFolder& folder, const std::vector<std::string>& arguments)
{
    const std::filesystem::path outPath = folder.path().parent_path() / (folder.path().filename().wstring() + L".out");
    const std::filesystem::path errPath = folder.path().parent_path() / (folder.path().filename().wstring() + L".err");

    std::wstring commandLine = quoted(std::filesystem::absolute(SG8GEN_PATH).wstring());
    for (const std::string& argument : arguments) commandLine += L" " + quoted(pathFromUtf8(argument).wstring());

    Outcome run;
    HANDLE out = inheritableFile(outPath);
    HANDLE err = inheritableFile(errPath);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = INVALID_HANDLE_VALUE;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const bool started = out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE &&
                         CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        folder.path().c_str(), &startup, &process);
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    if (err != INVALID_HANDLE_VALUE) CloseHandle(err);
    if (!started) {
        ADD_FAILURE() << "could not run sg8gen: error " << GetLastError();
        return run;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    run.exitCode = static_cast<int>(code);
    run.out = fileBytes(outPath);
    run.err = fileBytes(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}
#else
Outcome sg8gen(const TempFolder& folder, const std::vector<std::string>& arguments)
{
    const std::string outPath = (folder.path().parent_path() / (folder.path().filename().string() + ".out")).string();
    const std::string errPath = (folder.path().parent_path() / (folder.path().filename().string() + ".err")).string();
    const std::string cwd = folder.path().string();

    std::vector<std::string> argv = {SG8GEN_PATH};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv) pointers.push_back(argument.data());
    pointers.push_back(nullptr);

    // The child changes to the folder before it runs, so relative names land there.
    Outcome run;
    const pid_t child = fork();
    if (child == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 || ::chdir(cwd.c_str()) != 0) _exit(127);
        ::execve(pointers[0], pointers.data(), environ);
        _exit(127);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) {
        ADD_FAILURE() << "could not run sg8gen";
        return run;
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = fileBytes(outPath);
    run.err = fileBytes(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}

#endif

std::map<std::string, std::string> snapshot(const TempFolder& folder)
{
    std::map<std::string, std::string> files;
    for (const std::string& name : folder.names()) files[name] = fileBytes(folder / name);
    return files;
}

std::string fileBytes(const std::filesystem::path& path)
{
    return readWholeFile(path).bytes();
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes)
{
    ASSERT_TRUE(replaceFile(path, ByteString(bytes))) << path;
}

GeneralText utf8Text(std::string_view utf8)
{
    return GeneralText::fromUtf8(ByteString(std::string(utf8)));
}

GeneralList exoticGenerals()
{
    GeneralList generals(3);
    CustomGeneral& first = generals[0];
    first.id = 7001;
    first.surname = utf8Text("李");
    first.givenName = utf8Text("星😀");              // outside the code page
    first.courtesyName = utf8Text("𠀀한");            // beyond the BMP, Hangul
    first.biography = utf8Text("一行，\"引号\"\r\n二行\n三行,结束");
    first.voice = utf8Text("a,b");
    first.weaponType = 2;
    first.gender = 1;
    first.lifespan = 60;

    CustomGeneral& second = generals[1];
    second.id = -1;
    second.givenName = utf8Text("无姓");
    second.modelCode = utf8Text(" leading and trailing ");
    second.weaponType = 9;
    second.gender = 2;
    second.baseStrength = std::numeric_limits<std::int32_t>::max();
    second.baseStamina = std::numeric_limits<std::int32_t>::min();
    second.relation = 8959;  // the bytes FF 22 00 00
    second.opaque22 = -255;
    second.opaque39 = 123456;

    CustomGeneral& third = generals[2];
    third.id = 7003;
    third.surname = utf8Text("王");
    third.givenName = utf8Text("五");
    third.weaponType = 0;
    third.gender = 0;
    third.righteousness = -5;
    return generals;
}

}  // namespace sg8::testing
