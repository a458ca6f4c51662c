#include "data/fatal.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace sg8 {
namespace {

[[noreturn]] void writeToStandardError(const Text& message)
{
    const ByteString utf8 = textToUtf8(message);
    std::fprintf(stderr, "错误: %s\n", utf8.bytes().c_str());
    std::exit(-1);
}

std::atomic<FatalHandler> installedHandler{&writeToStandardError};

}  // namespace

FatalHandler setFatalHandler(FatalHandler handler)
{
    return installedHandler.exchange(handler ? handler : &writeToStandardError);
}

Text outOfMemoryMessage(std::size_t bytesAsked)
{
    // Built without allocating through the converter: the message must come out
    // when memory is short. "分配 " and " 字节内存失败!" in code page 936.
    static const std::string before = "\xB7\xD6\xC5\xE4 ";
    static const std::string after = " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!";
    return Text(before + std::to_string(bytesAsked) + after);
}

void reportOutOfMemory(std::size_t bytesAsked)
{
    installedHandler.load()(outOfMemoryMessage(bytesAsked));
    std::abort();  // a handler that returns breaks its contract
}

}  // namespace sg8
