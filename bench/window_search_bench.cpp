// Types a search into the main window over a generated file of many generals, one
// keystroke at a time through the test driver, and reports how long each
// keystroke keeps the window thread: from the key to the filtered rows drawn.
// Then sorts by a number column and by the name column, for comparison.
//
//   window_search_bench [generals=100000] [runs=3]

#include "data/file_io.h"
#include "data/model.h"
#include "data/save_format.h"
#include "toolkit/application.h"
#include "toolkit/file_dialog.h"
#include "toolkit/message_box.h"
#include "toolkit/test_driver.h"
#include "ui/main/main_window.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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
        g.baseStrength = (i * 7) % 100;
        g.weaponType = 1 + i % 8;
        g.gender = 1 + i % 2;
    }
    return generals;
}

/// The processor time of the whole program, which runs no other thread meanwhile:
/// on a busy machine it says more than the wall clock about the program's own cost.
std::vector<double> cpuTimes;

/// Runs `step` and the events it causes (the redraw included); the wall time taken.
template <typename Step>
double timed(Step step)
{
    const std::clock_t cpuStart = std::clock();
    const Clock::time_point start = Clock::now();
    step();
    sg8::processEvents();
    cpuTimes.push_back(1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
    return milliseconds(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;

    const std::filesystem::path path = std::filesystem::temp_directory_path() / "sg8gen-search-bench.bytes";
    if (!sg8::replaceFile(path, sg8::encodeSaveFile(makeGenerals(count), 0))) {
        std::fprintf(stderr, "bench: can't write %s\n", path.string().c_str());
        return 1;
    }

    sg8::Application application(argc, argv);
    sg8::Model model;
    sg8::initModel(model);
    sg8::MainWindow window(model);
    window.window().show();
    sg8::takeShownMessages();  // answer every box without a screen
    sg8::setNextFileName(sg8::pathToUtf8(path));
    window.openSaveFile();
    sg8::driver::waitUntil([&] { return !window.loading(); }, 60000);
    std::printf("%d generals loaded\n", static_cast<int>(model.generals.size()));

    // Ids, a surname, a full name, a courtesy name, and text that matches nothing.
    const std::vector<std::string> searches{"12345", "张飞", "子云", "欧阳亮", "无此人"};
    std::vector<double> keystrokes;
    for (int run = 0; run < runs; ++run) {
        for (const std::string& text : searches) {
            // One character at a time, as typed.
            std::size_t at = 0;
            while (at < text.size()) {
                std::size_t next = at + 1;
                while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
                const std::string character = text.substr(at, next - at);
                keystrokes.push_back(timed([&] { sg8::driver::typeText(window.window(), "搜索框", character); }));
                at = next;
            }
            keystrokes.push_back(timed([&] { sg8::driver::pressKey(window.window(), "搜索框", "Escape"); }));
        }
    }
    std::sort(keystrokes.begin(), keystrokes.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    std::printf("search: %zu keystrokes, median %.1f ms, slowest %.1f ms (target 50); processor time median %.1f ms, "
                "most %.1f ms\n",
                keystrokes.size(), keystrokes[keystrokes.size() / 2], keystrokes.back(), cpuTimes[cpuTimes.size() / 2],
                cpuTimes.back());

    for (int column : {6, 1}) {
        double slowest = 0;
        for (int click = 0; click < 3 * runs; ++click) {
            slowest = std::max(slowest, timed([&] { sg8::driver::clickHeader(window.window(), "超级列表框1", column); }));
        }
        std::printf("sort by column %d: slowest header click %.1f ms\n", column, slowest);
    }
    std::filesystem::remove(path);
    return 0;
}
