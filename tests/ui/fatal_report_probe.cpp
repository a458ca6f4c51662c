// Starts a window whose button handler runs out of memory; the fatal error report
// must end the program with exit code -1 before anything after the click runs.

#include "toolkit/application.h"
#include "toolkit/fatal_report.h"
#include "toolkit/message_box.h"
#include "toolkit/window.h"

#include <QApplication>
#include <QPushButton>

#include <cstdio>
#include <new>

int main(int argc, char** argv)
{
    sg8::Application application(argc, argv);
    sg8::installFatalReport();
    sg8::setNextAnswer(sg8::MessageResult::Ok);  // the report's box, answered without a screen
    const sg8::WindowDesign design{"Probe", "probe", 200, 100, {{sg8::ControlKind::Button, "button", "", 0, 0, 80, 30, "go"}}};
    sg8::Window window(design);
    window.bind("button", sg8::ControlEvent::Clicked, [] { throw std::bad_alloc(); });
    window.show();
    for (QPushButton* button : QApplication::topLevelWidgets().value(0)->findChildren<QPushButton*>()) button->click();
    std::puts("handler returned");
    return 0;
}
