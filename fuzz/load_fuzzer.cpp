// Any bytes given to the loader: a result or an error, never a crash, a hang or
// unbounded memory. A file read by its values whose verdict says "byte for byte"
// encodes back to the very bytes read, and every result encodes to a file that
// loads back to that same result, so the save's own check lets it be saved.
#include "data/load.h"
#include "data/save_format.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>

using sg8::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const sg8::ByteString input(reinterpret_cast<const char*>(data), size);
    const sg8::Result<sg8::LoadedFile> loaded = sg8::loadSaveFile(input);
    if (!loaded) {
        require(!loaded.error().message.empty(), "an error has a message");
        return 0;
    }
    const sg8::LoadedFile& file = loaded.value();
    const sg8::ByteString again = sg8::encodeSaveFile(file.generals, file.trailerValue);
    require(file.verdict.byteExact == (again == input), "the verdict tells whether a save gives the bytes back");
    if (!file.verdict.byteExact) {
        require(file.verdict.firstDifference >= 0 &&
                    file.verdict.firstDifference <= static_cast<std::int64_t>(std::max(size, again.size())),
                "the first difference lies within the files");
        require(!file.verdict.reason.empty(), "a verdict that isn't byte for byte says why");
    }
    if (file.readByCuttingRules) require(!file.warnings.empty(), "a file read by the fallback says so");

    require(sg8::loadsBackAs(again, file.generals, file.trailerValue), "a loaded file passes the save's own check");

    const sg8::Result<sg8::LoadedFile> reloaded = sg8::loadSaveFile(again);
    require(reloaded.ok(), "a saved result loads again");
    require(!reloaded->readByCuttingRules && reloaded->verdict.byteExact && reloaded->warnings.empty(),
            "a saved result loads by its values, byte for byte, without warnings");
    require(reloaded->generals == file.generals, "a saved result loads back to the same generals");
    require(reloaded->trailerValue == file.trailerValue, "a saved result keeps its trailing value");
    return 0;
}
