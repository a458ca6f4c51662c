#include "ui/main/start_program.h"

#include "data/file_io.h"
#include "data/model.h"
#include "toolkit/application.h"
#include "toolkit/fatal_report.h"
#include "ui/main/main_window.h"

namespace sg8 {

int startProgram(int argc, char** argv)
{
    Application application(argc, argv);
    installFatalReport();
    Model model;
    initModel(model);
    MainWindow window(model);
    const std::vector<std::string> arguments = application.arguments();
    if (!arguments.empty()) window.loadFile(pathFromUtf8(arguments.front()));
    application.run(window.window());
    return 0;
}

}  // namespace sg8
