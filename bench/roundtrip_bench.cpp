// Loads, verifies and saves a generated save file of 100,000 generals and compares
// the whole round trip with copying the same file by `cp`.
//
//   build/bench/sg8_roundtrip_bench [generals] [folder]
//   build/bench/sg8_roundtrip_bench write PATH [generals]   only writes the file
//
// The second form makes the file for whole-process figures, e.g.
//   /usr/bin/time -v build/cli/sg8gen set PATH --index 5 baseStrength=77

#include "data/file_io.h"
#include "data/load.h"
#include "data/save.h"
#include "data/save_format.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

sg8::GeneralList generate(int count)
{
    sg8::GeneralList generals(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        sg8::CustomGeneral& g = generals[static_cast<std::size_t>(i)];
        for (const sg8::FieldInfo& field : sg8::kFields) {
            if (field.kind == sg8::FieldKind::Int) g.intField(field.index) = i * 41 + field.index;
        }
        g.surname = sg8::Text::fromUtf8("诸葛");
        g.givenName = sg8::Text::fromUtf8("孔明");
        g.biography = sg8::Text::fromUtf8("琅琊阳都人，蜀汉丞相，鞠躬尽瘁，死而后已。");
        g.modelCode = sg8::Text("model_" + std::to_string(i));
    }
    return generals;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::string(argv[1]) == "write") {
        const int generals = argc > 3 ? std::atoi(argv[3]) : 100000;
        const sg8::Status written = sg8::replaceFile(argv[2], sg8::encodeSaveFile(generate(generals), 0));
        if (!written) std::fprintf(stderr, "%s\n", written.error().message.c_str());
        return written ? 0 : 1;
    }
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::filesystem::path folder = argc > 2 ? argv[2] : std::filesystem::temp_directory_path();
    const std::filesystem::path file = folder / "sg8-bench.bytes";
    const std::filesystem::path copy = folder / "sg8-bench-copy.bytes";
    // Each save keeps the replaced file in a backup history: the bench's own, beside its files.
    const std::filesystem::path history = folder / "sg8-bench-history";
#ifdef _WIN32
    _wputenv_s(L"SG8GEN_BACKUP_DIR", history.c_str());
#else
    setenv("SG8GEN_BACKUP_DIR", history.c_str(), 1);
#endif

    const sg8::ByteString original = sg8::encodeSaveFile(generate(count), 0);
    if (sg8::Status written = sg8::replaceFile(file, original); !written) {
        std::fprintf(stderr, "%s\n", written.error().message.c_str());
        return 1;
    }
    const double megabytes = static_cast<double>(original.size()) / 1e6;

    double best = 1e9, bestLoad = 1e9, bestSave = 1e9, bestCopy = 1e9, bestPlainCopy = 1e9;
    for (int run = 0; run < 5; ++run) {
        const Clock::time_point start = Clock::now();
        sg8::Result<sg8::LoadedFile> loaded = sg8::loadSaveFile(file);
        const double load = secondsSince(start);
        if (!loaded || !loaded->verdict.byteExact) {
            std::fprintf(stderr, "load failed\n");
            return 1;
        }
        const Clock::time_point saveStart = Clock::now();
        sg8::Result<sg8::SaveOutcome> saved =
            sg8::saveGeneralsTo(file, loaded->generals, loaded->trailerValue, sg8::Backup::No);
        const double save = secondsSince(saveStart);
        if (!saved) {
            std::fprintf(stderr, "%s\n", saved.error().message.c_str());
            return 1;
        }
        best = std::min(best, secondsSince(start));
        bestLoad = std::min(bestLoad, load);
        bestSave = std::min(bestSave, save);

        const std::string plain = "cp '" + file.string() + "' '" + copy.string() + "'";
        const Clock::time_point plainStart = Clock::now();
        if (std::system(plain.c_str()) != 0) return 1;
        bestPlainCopy = std::min(bestPlainCopy, secondsSince(plainStart));

        // cp with the same durability as the save: the copy is flushed to disk.
        const std::string command = "cp '" + file.string() + "' '" + copy.string() + "' && sync '" + copy.string() + "'";
        const Clock::time_point copyStart = Clock::now();
        if (std::system(command.c_str()) != 0) return 1;
        bestCopy = std::min(bestCopy, secondsSince(copyStart));
    }
    std::filesystem::remove(file);
    std::filesystem::remove(copy);

    std::printf("generals: %d, file: %.1f MB\n", count, megabytes);
    std::printf("load + verdict:              %7.3f s  %7.1f MB/s\n", bestLoad, megabytes / bestLoad);
    std::printf("save (encode, verify, write, read back): %7.3f s  %7.1f MB/s\n", bestSave, megabytes / bestSave);
    std::printf("whole round trip:            %7.3f s  %7.1f MB/s\n", best, megabytes / best);
    std::printf("cp + sync of the same file:  %7.3f s  %7.1f MB/s\n", bestCopy, megabytes / bestCopy);
    std::printf("cp alone:                    %7.3f s  %7.1f MB/s\n", bestPlainCopy, megabytes / bestPlainCopy);
    std::printf("round trip / (cp + sync):    %7.2f x (target: at most 4 x)\n", best / bestCopy);
    std::printf("round trip / cp alone:       %7.2f x\n", best / bestPlainCopy);
    return 0;
}
