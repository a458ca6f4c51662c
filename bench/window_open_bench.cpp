// Opens a generated file of many generals through the main window, as the open
// button does, and reports the time until every row can be scrolled to and the
// longest stall of the window thread meanwhile. It uses the toolkit and its test
// driver only, so it runs on every backend (Qt here, Win32 under Wine).
//
//   window_open_bench [generals=100000] [runs=3]
//
// A thread of its own posts a tick to the window thread every millisecond; the
// longest gap between two ticks run there is the longest the window thread was
// kept from answering.

#include "data/file_io.h"
#include "data/load.h"
#include "data/model.h"
#include "data/save_format.h"
#include "toolkit/application.h"
#include "toolkit/file_dialog.h"
#include "toolkit/message_box.h"
#include "toolkit/test_driver.h"
#include "ui/main/main_window.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration span) { return std::chrono::duration<double, std::milli>(span).count(); }

sg8::GeneralList makeGenerals(int count)
{
    const char* surnames[] = {"张", "王", "李", "赵", "刘", "陈", "欧阳", "诸葛"};
    const char* givenNames[] = {"三", "飞", "云", "亮", "备", "羽", "超", "忠"};
    sg8::GeneralList generals(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        sg8::CustomGeneral& g = generals[static_cast<std::size_t>(i)];
        g.id = 10000 + i;
        g.surname = sg8::GeneralText::fromUtf8(sg8::ByteString(std::string(surnames[i % 8])));
        g.givenName = sg8::GeneralText::fromUtf8(sg8::ByteString(std::string(givenNames[(i / 8) % 8])));
        g.courtesyName = sg8::GeneralText::fromUtf8(sg8::ByteString(std::string("子") + givenNames[i % 8]));
        g.biography = sg8::GeneralText::fromUtf8(sg8::ByteString("第" + std::to_string(i) + "名自创武将，生于乱世，以勇武闻名。"));
        g.modelCode = sg8::Text("m_" + std::to_string(i % 97));
        g.weaponType = 1 + i % 8;
        g.gender = 1 + i % 2;
        g.dialogueStyle = 1 + i % 9;
        g.birthYear = 150 + i % 50;
        g.lifespan = 40 + i % 40;
        g.baseStamina = i % 100;
        g.baseStrength = (i * 7) % 100;
        g.baseIntelligence = (i * 13) % 100;
        g.righteousness = (i * 3) % 100;
    }
    return generals;
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;

    const std::filesystem::path path = std::filesystem::temp_directory_path() / "sg8gen-window-bench.bytes";
    const sg8::ByteString bytes = sg8::encodeSaveFile(makeGenerals(count), 0);
    if (!sg8::replaceFile(path, bytes)) {
        std::fprintf(stderr, "bench: can't write %s\n", path.string().c_str());
        return 1;
    }
    std::printf("%d generals, %.1f MB file\n", count, static_cast<double>(bytes.size()) / 1e6);

    // The parts the worker does, alone, for comparison.
    {
        const Clock::time_point start = Clock::now();
        sg8::Result<sg8::LoadedFile> loaded = sg8::loadSaveFile(path);
        std::printf("alone: the core's load %.1f ms%s\n", milliseconds(Clock::now() - start), loaded ? "" : " (refused)");
    }

    sg8::Application application(argc, argv);
    sg8::Model model;
    sg8::initModel(model);
    sg8::MainWindow window(model);
    window.window().show();
    sg8::processEvents();
    sg8::takeShownMessages();  // answer every box without a screen
    sg8::ListView list = window.window().listView("超级列表框1");

    double bestReady = 1e300;
    double worstReady = 0;
    double worstStall = 0;
    for (int run = 1; run <= runs; ++run) {
        sg8::setNextFileName(sg8::pathToUtf8(path));
        const Clock::time_point start = Clock::now();
        // Touched on the window thread only; shared with ticks that run after the run ended.
        struct Ticks {
            Clock::time_point last;
            Clock::duration longest{};
        };
        const auto ticks = std::make_shared<Ticks>(Ticks{start});
        std::atomic<bool> ticking{true};
        std::thread ticker([&ticking, ticks] {
            while (ticking) {
                sg8::postToWindowThread([ticks] {
                    const Clock::time_point now = Clock::now();
                    ticks->longest = std::max(ticks->longest, now - ticks->last);
                    ticks->last = now;
                });
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        window.openSaveFile();  // the open button's handler, on the window thread
        Clock::time_point installed{};
        Clock::time_point ready{};
        while (ready == Clock::time_point{}) {
            sg8::processEvents();
            if (installed == Clock::time_point{} && !window.loading() && list.rowCount() == count) {
                installed = Clock::now();
                list.selectRow(count - 1);  // scrolls to the last row
            } else if (installed != Clock::time_point{} &&
                       !sg8::driver::shownCell(window.window(), "超级列表框1", count - 1, 0).empty()) {
                ready = Clock::now();  // the last row shows its cells
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        // A few more ticks, so that the drawing after the scroll counts too.
        const Clock::time_point settle = Clock::now() + std::chrono::milliseconds(50);
        while (Clock::now() < settle) {
            sg8::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ticking = false;
        ticker.join();
        sg8::processEvents();
        const double readyAfter = milliseconds(ready - start);
        const double stall = milliseconds(ticks->longest);
        bestReady = std::min(bestReady, readyAfter);
        worstReady = std::max(worstReady, readyAfter);
        worstStall = std::max(worstStall, stall);
        std::printf("run %d: rows installed after %.1f ms, every row reachable after %.1f ms; longest stall of the "
                    "window thread %.1f ms\n",
                    run, milliseconds(installed - start), readyAfter, stall);
        if (!sg8::takeShownMessages().empty()) std::printf("  (the load showed a message)\n");
    }
    std::printf("%d runs: every row reachable after %.1f ms at best, %.1f ms at worst (target 500); longest stall "
                "%.1f ms (target 50)\n",
                runs, bestReady, worstReady, worstStall);
    std::filesystem::remove(path);
    return 0;
}
