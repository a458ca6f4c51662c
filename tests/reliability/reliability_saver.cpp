// The saver that the real-world fault scripts drive: it writes a large generated
// file, or saves one over a path the way the editor does, so that a script can
// fill the disk under it, take away its write permission or kill it at random.
//
//   reliability_saver write PATH GENERALS SEED    writes the file directly (set-up)
//   reliability_saver save PATH GENERALS SEED [--backup]
//
// `save` prints "io <time>" on standard output just before its first file operation,
// and "saved <time>" or the error when it ends, times in microseconds since 1970;
// it exits 0 on success, 1 on a failed save and 2 on wrong arguments. The save
// keeps the file it replaces in the backup history under SG8GEN_BACKUP_DIR; when
// that isn't set, under "history" beside the save's folder, so that a script
// never writes into the user's own history.
#include "data/file_io.h"
#include "data/save.h"
#include "data/save_format.h"
#include "sample_generals.h"

#include <chrono>
#include <filesystem>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Wall-clock time, so that a script can tell how long after it started the saver
// each point comes, loading of the program included.
long long microsecondsNow()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

int usage()
{
    std::fputs("usage: reliability_saver write|save PATH GENERALS SEED [--backup]\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5 || argc > 6) return usage();
    const std::string_view command = argv[1];
    const std::filesystem::path path = sg8::pathFromUtf8(argv[2]);
    const auto count = static_cast<std::size_t>(std::strtoul(argv[3], nullptr, 10));
    const auto seed = static_cast<std::uint32_t>(std::strtoul(argv[4], nullptr, 10));
    const bool backup = argc == 6 && std::string_view(argv[5]) == "--backup";
    if (argc == 6 && !backup) return usage();

    const sg8::GeneralList generals = sg8::testing::sampleGenerals(count, seed);
    const auto trailerValue = static_cast<std::int32_t>(seed);
    if (command == "write") {
        return sg8::writeWholeFile(path, {sg8::encodeSaveFile(generals, trailerValue)}) ? 0 : 1;
    }
    if (command != "save") return usage();
    const char* chosen = std::getenv("SG8GEN_BACKUP_DIR");
    if (!chosen || !*chosen) {
        const std::filesystem::path history = std::filesystem::absolute(path).parent_path().parent_path() / "history";
        ::setenv("SG8GEN_BACKUP_DIR", history.c_str(), 1);
    }

    bool announced = false;
    sg8::setFaultInjector([&](sg8::IoStep) {
        if (!std::exchange(announced, true)) {
            std::printf("io %lld\n", microsecondsNow());
            std::fflush(stdout);
        }
        return 0;
    });
    const sg8::Result<sg8::SaveOutcome> saved =
        sg8::saveGeneralsTo(path, generals, trailerValue, backup ? sg8::Backup::Yes : sg8::Backup::No);
    if (!saved) {
        std::printf("failed: %s\n", saved.error().message.c_str());
        return 1;
    }
    std::printf("saved %lld\n", microsecondsNow());
    return 0;
}
