#include "data/load.h"

#include "data/cutting.h"
#include "data/file_io.h"
#include "data/large_pages.h"
#include "data/save_format.h"

#include <algorithm>
#include <optional>

namespace sg8 {
namespace {

Error formatError(std::string message, std::optional<std::int64_t> offset = std::nullopt,
                  std::optional<int> general = std::nullopt)
{
    Error error;
    if (general) message = "第 " + std::to_string(*general) + " 名武将：" + message;
    if (offset) message += "（字节偏移 " + std::to_string(*offset) + "）";
    error.message = std::move(message);
    error.offset = offset;
    error.general = general;
    return error;
}

/// What the two readers note besides the generals, for warnings and the verdict.
struct Findings {
    std::size_t leadingBytes = 0;       // bytes before the first value
    std::size_t ignoredValues = 0;      // values between the last general and the trailing value
    std::vector<int> olderLayout;       // generals with two texts after portraitId
    std::vector<std::string> idWarnings;
};

void noteIds(Findings& findings, int general, std::int32_t first, std::int32_t second)
{
    if (first == second) return;
    findings.idWarnings.push_back("第 " + std::to_string(general) + " 名武将的两个 ID 不一致（" +
                                  std::to_string(first) + " 与 " + std::to_string(second) +
                                  "）：已按第一个 ID 载入，保存时两处都写入 " + std::to_string(first) + "。");
}

// The primary reader: walks the values by their kind bytes and lengths, checking
// every length against the bytes that remain before using it.
class ValueReader {
public:
    explicit ValueReader(std::string_view bytes) : bytes_(bytes) {}

    std::size_t offset() const { return pos_; }
    bool atEnd() const { return pos_ >= bytes_.size(); }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    void seek(std::size_t offset) { pos_ = offset; }

    std::optional<ValueKind> peekKind() const
    {
        if (atEnd()) return std::nullopt;
        const auto kind = static_cast<std::uint8_t>(bytes_[pos_]);
        if (kind == static_cast<std::uint8_t>(ValueKind::IntValue)) return ValueKind::IntValue;
        if (kind == static_cast<std::uint8_t>(ValueKind::TextValue)) return ValueKind::TextValue;
        return std::nullopt;
    }

    /// Checks the value at the current offset and steps over it.
    Status skip()
    {
        const std::optional<ValueKind> kind = peekKind();
        if (!kind) return unexpected("一个值");
        return *kind == ValueKind::IntValue ? readInt("整数值").status() : readText("文本值").status();
    }

    Result<std::int32_t> readInt(std::string_view what)
    {
        if (peekKind() != ValueKind::IntValue) return unexpectedError(what, "整数值");
        if (remaining() < kValueOverhead) return truncated(what);
        if (static_cast<std::uint8_t>(bytes_[pos_ + 5]) != kValueEnd) return noEnd(what, pos_ + 5);
        const std::int32_t value = readInt32LE(bytes_, pos_ + 1);
        pos_ += kValueOverhead;
        return value;
    }

    Result<std::string_view> readText(std::string_view what)
    {
        if (peekKind() != ValueKind::TextValue) return unexpectedError(what, "文本值");
        if (remaining() < kValueOverhead) return truncated(what);
        const std::int32_t length = readInt32LE(bytes_, pos_ + 1);
        if (length < 0 || static_cast<std::size_t>(length) > remaining() - kValueOverhead) {
            return formatError(std::string(what) + "的长度 " + std::to_string(length) + " 超出了文件剩余的字节",
                               static_cast<std::int64_t>(pos_ + 1));
        }
        const std::size_t end = pos_ + 5 + static_cast<std::size_t>(length);
        if (static_cast<std::uint8_t>(bytes_[end]) != kValueEnd) return noEnd(what, end);
        const std::string_view payload = bytes_.substr(pos_ + 5, static_cast<std::size_t>(length));
        pos_ = end + 1;
        return payload;
    }

private:
    Status unexpected(std::string_view what) const { return unexpectedError(what, "值"); }

    Error unexpectedError(std::string_view what, const char* expected) const
    {
        if (atEnd()) return truncated(what);
        char found[8];
        std::snprintf(found, sizeof found, "%02X", static_cast<unsigned>(static_cast<std::uint8_t>(bytes_[pos_])));
        return formatError(std::string(what) + "处应为" + expected + "，却是类型字节 " + found,
                           static_cast<std::int64_t>(pos_));
    }

    Error truncated(std::string_view what) const
    {
        return formatError("文件在" + std::string(what) + "处提前结束", static_cast<std::int64_t>(pos_));
    }

    Error noEnd(std::string_view what, std::size_t at) const
    {
        return formatError(std::string(what) + "没有以 FF 结束", static_cast<std::int64_t>(at));
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

Error inGeneral(Error error, int general)
{
    error.general = general;
    error.message = "第 " + std::to_string(general) + " 名武将：" + error.message;
    return error;
}

struct Parsed {
    GeneralList generals;
    std::int32_t trailerValue = 0;
};

// Reads one general's values into `general`; `number` is its 1-based place.
Status readGeneral(ValueReader& reader, CustomGeneral& general, int number, Findings& findings)
{
    auto intInto = [&](std::int32_t& field, std::string_view what) -> Status {
        Result<std::int32_t> value = reader.readInt(what);
        if (!value) return value.error();
        field = value.value();
        return Status();
    };
    auto textInto = [&](GeneralText& field, std::string_view what) -> Status {
        Result<std::string_view> utf8 = reader.readText(what);
        if (!utf8) return utf8.error();
        field = GeneralText::fromUtf8(utf8.value());
        return Status();
    };

    std::int32_t secondId = 0;
    Status status = intInto(general.id, "ID");
    if (status) status = intInto(secondId, "第二个 ID");
    if (!status) return status;
    noteIds(findings, number, general.id, secondId);

    // The texts and ints from the surname on, in field order; after portraitId an
    // older layout has only two texts, so the kind of the value after modelCode decides.
    for (int index = 1; index < kFieldCount && status; ++index) {
        const FieldInfo& field = kFields[static_cast<std::size_t>(index)];
        if (index == 8 && reader.peekKind() != ValueKind::TextValue) {
            findings.olderLayout.push_back(number);
            index = 10;
            continue;
        }
        status = field.kind == FieldKind::Int ? intInto(general.intField(index), field.name)
                                              : textInto(general.textField(index), field.name);
    }
    return status;
}

// Reads the file value by value.
Result<Parsed> readByKinds(std::string_view bytes, Findings& findings)
{
    const std::size_t first = bytes.find(static_cast<char>(ValueKind::IntValue));
    if (first == std::string_view::npos) {
        return formatError(bytes.empty() ? "文件是空的" : "文件中没有任何整数值：这不是自创武将存档文件");
    }
    findings.leadingBytes = first;
    ValueReader reader(bytes);
    reader.seek(first);

    Result<std::int32_t> header = reader.readInt("文件头");
    if (!header) return header.error();
    if (header.value() != 1) {
        return formatError("第一个值是 " + std::to_string(header.value()) + "，不是 1：这不是自创武将存档文件",
                           static_cast<std::int64_t>(first));
    }
    const std::size_t countOffset = reader.offset();
    Result<std::int32_t> count = reader.readInt("武将数");
    if (!count) return count.error();
    const std::int32_t n = count.value();
    if (n < 0) return formatError("武将数为负数（" + std::to_string(n) + "）", static_cast<std::int64_t>(countOffset));
    const std::size_t room = reader.remaining() / kEmptyOlderGeneralSize;
    if (static_cast<std::size_t>(n) > room) {
        return formatError("文件声明了 " + std::to_string(n) + " 名武将，但剩余的 " +
                               std::to_string(reader.remaining()) + " 字节最多只能容纳 " + std::to_string(room) + " 名",
                           static_cast<std::int64_t>(countOffset));
    }

    Parsed parsed;
    parsed.generals.reserve(static_cast<std::size_t>(n));
    preferLargePages(parsed.generals.data(), static_cast<std::size_t>(n) * sizeof(CustomGeneral));
    parsed.generals.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        Status status = readGeneral(reader, parsed.generals[static_cast<std::size_t>(i)], i + 1, findings);
        if (!status) return inGeneral(status.error(), i + 1);
    }

    // The trailing value is the last value of the file; values before it are ignored.
    std::size_t lastOffset = 0;
    std::size_t values = 0;
    while (!reader.atEnd()) {
        lastOffset = reader.offset();
        if (Status status = reader.skip(); !status) return status.error();
        ++values;
    }
    if (values == 0) return formatError("文件在结尾值处提前结束", static_cast<std::int64_t>(reader.offset()));
    reader.seek(lastOffset);
    Result<std::int32_t> trailer = reader.readInt("结尾值");
    if (!trailer) return trailer.error();
    parsed.trailerValue = trailer.value();
    findings.ignoredValues = values - 1;
    return parsed;
}

// The fallback: the cutting rules. The file is cut at its FF 22 seams; general i
// takes segments 31(i-1)+3 to 31(i-1)+33, and the segments that hold an int and
// texts are split at 0xFF into pieces.
constexpr std::size_t kSegmentsPerGeneral = 31;

std::int32_t pieceInt(std::string_view piece)
{
    std::uint32_t value = 0;
    for (std::size_t i = std::min<std::size_t>(piece.size(), 4); i-- > 0;) {
        value = (value << 8) | static_cast<std::uint8_t>(piece[i]);
    }
    return static_cast<std::int32_t>(value);
}

GeneralText pieceText(std::string_view piece)
{
    const std::int32_t length = piece.size() > 1 ? pieceInt(piece.substr(1)) : 0;
    if (length <= 0) return {};
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), piece.size());
    return GeneralText::fromUtf8(piece.substr(piece.size() - n));
}

std::vector<std::string_view> pieces(std::string_view segment)
{
    std::vector<std::string_view> result;
    if (segment.empty()) return result;
    std::size_t start = 0;
    for (std::size_t at = segment.find('\xFF'); at != std::string_view::npos; at = segment.find('\xFF', start)) {
        result.push_back(segment.substr(start, at - start));
        start = at + 1;
    }
    if (start < segment.size()) result.push_back(segment.substr(start));
    return result;
}

Result<Parsed> readByCuttingRules(std::string_view bytes, Findings& findings)
{
    const std::vector<std::string_view> segments =
        segmentViews(bytes, static_cast<std::uint8_t>(ValueKind::IntValue), kValueEnd);
    if (segments.empty()) return formatError("文件中找不到任何值的分隔（FF 22）");
    if (pieceInt(segments[0]) != 1) {
        return formatError("第一个值是 " + std::to_string(pieceInt(segments[0])) + "，不是 1：这不是自创武将存档文件");
    }
    if (segments.size() < 2) return formatError("文件只有文件头，没有武将数");
    const std::int32_t n = pieceInt(segments[1]);
    if (n < 0) return formatError("武将数为负数（" + std::to_string(n) + "）");
    const std::size_t needed = kSegmentsPerGeneral * static_cast<std::size_t>(n) + 2;
    if (segments.size() < needed) {
        return formatError("文件声明了 " + std::to_string(n) + " 名武将，但只有 " +
                           std::to_string((segments.size() - 2) / kSegmentsPerGeneral) + " 名武将的数据");
    }
    findings.leadingBytes = bytes.find(static_cast<char>(ValueKind::IntValue));

    // Records are added as they are read: a file of bare seams can declare many
    // generals cheaply, and fails at the first one.
    Parsed parsed;
    for (int i = 0; i < n; ++i) {
        const std::size_t b = kSegmentsPerGeneral * static_cast<std::size_t>(i) + 2;  // 0-based segment of the id
        CustomGeneral& general = parsed.generals.emplace_back();
        general.id = pieceInt(segments[b]);

        const std::vector<std::string_view> names = pieces(segments[b + 1]);
        if (names.size() < 5) return formatError("ID 与姓名所在的段少于 5 段", std::nullopt, i + 1);
        noteIds(findings, i + 1, general.id, pieceInt(names[0]));
        for (int k = 0; k < 4; ++k) general.textField(1 + k) = pieceText(names[static_cast<std::size_t>(k) + 1]);

        const std::vector<std::string_view> looks = pieces(segments[b + 2]);
        if (looks.size() < 3) return formatError("头像 ID 与模型代码所在的段少于 3 段", std::nullopt, i + 1);
        general.portraitId = pieceInt(looks[0]);
        general.illustrationCode = pieceText(looks[1]);
        general.modelCode = pieceText(looks[2]);
        if (looks.size() >= 6) {
            general.modelHelmet = pieceText(looks[3]);
            general.modelLeftShoulder = pieceText(looks[4]);
            general.modelRightShoulder = pieceText(looks[5]);
        } else {
            findings.olderLayout.push_back(i + 1);
        }

        general.weaponType = pieceInt(segments[b + 3]);
        general.gender = pieceInt(segments[b + 4]);
        const std::vector<std::string_view> speech = pieces(segments[b + 5]);
        if (speech.size() < 2) return formatError("对话风格与语音所在的段少于 2 段", std::nullopt, i + 1);
        general.dialogueStyle = pieceInt(speech[0]);
        general.voice = pieceText(speech[1]);
        for (int field = 15; field < kFieldCount; ++field) {
            general.intField(field) = pieceInt(segments[b + 6 + static_cast<std::size_t>(field - 15)]);
        }
    }

    // The trailing value: the payload of the value that starts at the last seam.
    const std::size_t lastSeam = bytes.rfind(std::string_view("\xFF\x22", 2));
    const std::string_view tail = bytes.substr(lastSeam + 2);
    parsed.trailerValue = pieceInt(tail.substr(0, tail.find('\xFF')));
    findings.ignoredValues = segments.size() - needed;
    return parsed;
}

std::string joinNumbers(const std::vector<int>& numbers)
{
    std::string joined;
    const std::size_t shown = std::min<std::size_t>(numbers.size(), 10);
    for (std::size_t i = 0; i < shown; ++i) joined += (i ? "、" : "") + std::to_string(numbers[i]);
    if (numbers.size() > shown) joined += " 等";
    return joined;
}

void describe(LoadedFile& file, const Findings& findings, const ByteString& contents, const std::string& irregularity)
{
    std::vector<std::string> reasons;
    if (file.readByCuttingRules) {
        file.warnings.push_back("文件格式不规范（" + irregularity + "），已按分隔规则读取；保存时将按规范格式重写。");
        reasons.push_back("文件格式不规范");
    }
    if (findings.leadingBytes > 0) {
        file.warnings.push_back("文件开头有 " + std::to_string(findings.leadingBytes) +
                                " 个字节不属于任何值，已忽略；保存时不会写回。");
        reasons.push_back("开头有多余字节");
    }
    if (!findings.olderLayout.empty()) {
        file.warnings.push_back(std::to_string(findings.olderLayout.size()) + " 名武将（第 " +
                                joinNumbers(findings.olderLayout) +
                                " 名）是旧版格式，缺少三个模型部件文本；保存时将补上空文本。");
        reasons.push_back("旧版格式");
    }
    for (const std::string& warning : findings.idWarnings) file.warnings.push_back(warning);
    if (!findings.idWarnings.empty()) reasons.push_back("两个 ID 不一致");
    if (findings.ignoredValues > 0) {
        file.warnings.push_back("最后一名武将与结尾值之间有 " + std::to_string(findings.ignoredValues) +
                                " 个值被忽略；保存时不会写回。");
        reasons.push_back("结尾值之前有被忽略的值");
    }

    // A file read value by value with nothing to remark holds exactly what the
    // encoder writes: every value is kept as it was read, texts with their exact
    // bytes. (The fuzz targets hold this against encodeSaveFile.)
    if (reasons.empty()) return;
    const std::int64_t difference = firstDifference(file.generals, file.trailerValue, contents.view());
    if (difference < 0) return;
    file.verdict.byteExact = false;
    file.verdict.firstDifference = difference;
    std::string reason;
    for (const std::string& part : reasons) reason += (reason.empty() ? "" : "；") + part;
    file.verdict.reason = reason.empty() ? "原因不明" : reason;
}

}  // namespace

Result<LoadedFile> loadSaveFile(const ByteString& contents)
{
    LoadedFile file;
    Findings findings;
    Result<Parsed> parsed = readByKinds(contents.view(), findings);
    std::string irregularity;
    if (!parsed) {
        const Error primary = parsed.error();
        irregularity = primary.message;
        findings = Findings{};
        parsed = readByCuttingRules(contents.view(), findings);
        // When neither reader can make sense of the file, the value-by-value
        // reader's error says best where it goes wrong.
        if (!parsed) return primary;
        file.readByCuttingRules = true;
    }
    file.generals = std::move(parsed.value().generals);
    file.trailerValue = parsed.value().trailerValue;
    describe(file, findings, contents, irregularity);
    return file;
}

bool loadsBackAs(const ByteString& bytes, const GeneralList& generals, std::int32_t trailerValue)
{
    // Walks the values and compares each with what it must hold, without building
    // a second copy of the generals. A text must hold the exact bytes, and those
    // bytes must read back as the very text the general holds.
    ValueReader reader(bytes.view());
    auto holds = [&](std::int32_t expected) {
        Result<std::int32_t> value = reader.readInt("值");
        return value && value.value() == expected;
    };
    auto holdsText = [&](const GeneralText& expected) {
        Result<std::string_view> utf8 = reader.readText("值");
        return utf8 && utf8.value() == expected.utf8View() &&
               utf8ToText(utf8.value()) == expected.text();
    };
    struct Field {
        decltype(holds)& ints;
        decltype(holdsText)& texts;
        bool operator()(std::int32_t value) const { return ints(value); }
        bool operator()(const GeneralText& text) const { return texts(text); }
    } matches{holds, holdsText};

    if (!holds(1) || !holds(static_cast<std::int32_t>(generals.size()))) return false;
    for (const CustomGeneral& general : generals) {
        if (!holds(general.id)) return false;
#define SG8_MATCH_FIELD(index, name, kind) \
    if (!matches(general.name)) return false;
        SG8_GENERAL_FIELDS(SG8_MATCH_FIELD)
#undef SG8_MATCH_FIELD
    }
    return holds(trailerValue) && reader.atEnd();
}

Result<LoadedFile> loadSaveFile(const std::filesystem::path& path)
{
    constexpr std::string_view nothingLoaded = "。未载入任何武将";
    const FileIdentity stamp = fileStamp(path);
    Result<ByteString> contents = readFile(path);
    if (!contents) {
        Error error = contents.error();
        error.message += nothingLoaded;
        return error;
    }
    Result<LoadedFile> loaded = loadSaveFile(contents.value());
    if (!loaded) {
        Error error = loaded.error();
        error.message = "无法载入" + quotedFileName(path) + "：文件已损坏，或者不是自创武将存档。详情：" + error.message +
                        std::string(nothingLoaded);
        return error;
    }
    loaded->identity = identityOfRead(stamp, contents.value());
    return loaded;
}

}  // namespace sg8
