#include "data/save_file_sniff.h"

#include "data/file_io.h"
#include "data/save_format.h"

#include <cstdint>
#include <string>

namespace sg8 {
namespace {

constexpr char kIntKind = static_cast<char>(ValueKind::IntValue);
constexpr char kEnd = static_cast<char>(kValueEnd);

// Fed the file piece by piece, decides as soon as it can whether either of the
// loader's readers accepts the header: the value-by-value reader takes the int
// value at the first 0x22 byte, which must be 1; the cutting rules take the bytes
// from there to the first FF 22 seam, whose first four (fewer if the segment is
// shorter) must read 1 little-endian.
class HeaderSniffer {
public:
    /// False once the answer is known.
    bool feed(std::string_view piece)
    {
        for (const char byte : piece) {
            if (!seenFirst_) {
                seenFirst_ = byte == kIntKind;
                continue;
            }
            if (byte == kIntKind && previous_ == kEnd && after_ >= 1) return decide(readsOne(after_ - 1));
            if (head_.size() < kValueOverhead - 1) {
                head_.push_back(byte);
                if (head_ == std::string_view("\x01\x00\x00\x00\xFF", 5)) return decide(true);
            }
            previous_ = byte;
            ++after_;
        }
        return true;
    }

    /// The answer once the whole file was fed (or an answer was found sooner).
    bool verdict() const { return verdict_; }

private:
    bool decide(bool saveFile)
    {
        verdict_ = saveFile;
        return false;
    }

    // The first segment's int, as the cutting rules read it.
    bool readsOne(std::size_t segmentLength) const
    {
        std::uint32_t value = 0;
        for (std::size_t i = std::min<std::size_t>({segmentLength, head_.size(), 4}); i-- > 0;) {
            value = (value << 8) | static_cast<std::uint8_t>(head_[i]);
        }
        return value == 1;
    }

    bool seenFirst_ = false;
    std::string head_;       // the first bytes after the first 0x22
    std::size_t after_ = 0;  // bytes seen after the first 0x22
    char previous_ = 0;
    bool verdict_ = false;
};

}  // namespace

bool startsLikeSaveFile(std::string_view bytes)
{
    HeaderSniffer sniffer;
    sniffer.feed(bytes);
    return sniffer.verdict();
}

Status looksLikeSaveFile(const std::filesystem::path& path)
{
    HeaderSniffer sniffer;
    bool empty = true;
    Status read = readFileInPieces(path, [&](std::string_view piece) {
        empty = empty && piece.empty();
        return sniffer.feed(piece);
    });
    if (!read) {
        Error error = std::move(read).error();
        error.message += "。未载入任何武将";
        return error;
    }
    if (sniffer.verdict()) return Status();
    Error error;
    error.message = quotedFileName(path) + (empty ? "是空文件，" : "") + "不是自创武将存档文件（.bytes），未载入任何武将";
    return error;
}

}  // namespace sg8
