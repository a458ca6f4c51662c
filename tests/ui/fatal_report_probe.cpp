// A program whose button handler runs out of memory: the fatal error report must
// end it with exit code -1 before anything after the click runs. Built on the
// toolkit and its test driver alone, so it runs on every backend.

#include "toolkit/application.h"
#include "toolkit/fatal_report.h"
#include "toolkit/message_box.h"
#include "toolkit/test_driver.h"
#include "toolkit/window.h"

#include <cstdio>
#include <new>

int main(int argc, char** argv)
{
    sg8::Application application(argc, argv);
    sg8::installFatalReport();
    sg8::setNextAnswer(sg8::MessageResult::Ok);  // the report's box, answered without a screen
    const sg8::WindowDesign design{
        "Probe", "probe", 200, 100, {{sg8::ControlKind::Button, "button", "", 0, 0, 80, 30, "go"}}};
    sg8::Window window(design);
    window.bind("button", sg8::ControlEvent::Clicked, [] { throw std::bad_alloc(); });
    window.show();
    sg8::driver::click(window, "button");
    std::puts("handler returned");
    return 0;
}
