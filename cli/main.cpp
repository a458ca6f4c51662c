#include "cli/commands.h"
#include "cli/console.h"

#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace sg8::cli;
    CLI::App app("sg8gen：三国群英传8 自创武将存档（.bytes）的命令行工具", "sg8gen");
    app.set_version_flag("--version", "sg8gen " SG8_VERSION);
    app.require_subcommand(1);
    app.allow_windows_style_options(false);  // a file name such as /x/a.bytes is never an option
    int exitCode = kExitOk;
    addListCommand(app, exitCode);
    addExportCommand(app, exitCode);
    addImportCommand(app, exitCode);
    addSetCommand(app, exitCode);
    addCheckCommand(app, exitCode);
    addBackupsCommand(app, exitCode);
    addRestoreCommand(app, exitCode);
    addDiffCommand(app, exitCode);

    std::vector<std::string> arguments = commandLineArguments(argc, argv);
    std::vector<char*> pointers;
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    try {
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::ParseError& e) {
        // --help and --version end parsing with exit code 0; everything else is a usage error.
        return app.exit(e) == 0 ? kExitOk : kExitUsage;
    } catch (const std::exception& e) {
        reportError("", std::string("内部错误：") + e.what());
        return kExitFailed;
    }
    return exitCode;
}
