#include "toolkit/fatal_report.h"

#include "data/fatal.h"
#include "data/text.h"
#include "toolkit/application.h"
#include "toolkit/message_box.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace sg8 {

namespace {

[[noreturn]] void showReportAndExit(const std::string& text)
{
    // Also on standard error, for whoever started the program from a terminal or a
    // log; the stream writes its own line ends (CR LF on Windows).
    std::string lines = text;
    for (std::size_t at = lines.find("\r\n"); at != std::string::npos; at = lines.find("\r\n", at)) lines.erase(at, 1);
    std::fputs(lines.c_str(), stderr);
    std::fflush(stderr);
    messageBox(text, MessageStyle::Ok, "错误", MessageIcon::Error);
    std::_Exit(-1);
}

[[noreturn]] void fatalHandler(const Text& message)
{
    const std::string text = fatalReportText(textToUtf8(message).bytes());
    if (onWindowThread()) showReportAndExit(text);
    // Off the window thread the box is shown there; this thread never goes on.
    postToWindowThread([text] { showReportAndExit(text); });
    std::this_thread::sleep_for(std::chrono::minutes(1));
    std::_Exit(-1);
}

}  // namespace

std::string fatalReportText(const std::string& messageUtf8)
{
    // Out of memory has no error code; the routine and position are not numbered (0, 0).
    return "运行时出错!\r\n\r\n错误信息：" + messageUtf8 + "\r\n\r\n0, 0\r\n";
}

void installFatalReport() { setFatalHandler(fatalHandler); }

}  // namespace sg8
