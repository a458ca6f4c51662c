// The malformed-file table: damaged versions of a small three-general file, and
// files that aren't files. Each gives a clear error or a result with warnings,
// never a crash, and an open model stays as it was when the load fails.
#include "data/load.h"
#include "data/model.h"
#include "data/save_format.h"
#include "sample_generals.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace sg8 {
namespace {

using testing::ScratchFolder;
using testing::sampleGenerals;

const GeneralList kGenerals = sampleGenerals(3, 7);
const ByteString kFile = encodeSaveFile(kGenerals, 5);

struct Value {
    std::size_t offset;
    ValueKind kind;
};

// Where each value of kFile starts, walked by kinds and lengths.
std::vector<Value> valuesOf(const ByteString& file)
{
    std::vector<Value> values;
    for (std::size_t at = 0; at < file.size();) {
        const auto kind = static_cast<ValueKind>(file[at]);
        values.push_back({at, kind});
        at += kValueOverhead +
              (kind == ValueKind::TextValue ? static_cast<std::size_t>(readInt32LE(file.view(), at + 1)) : 0);
    }
    return values;
}

ByteString withInt32At(ByteString file, std::size_t offset, std::int32_t value)
{
    std::string bytes = file.bytes();
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>(u >> (8 * i));
    return ByteString(std::move(bytes));
}

// What every damaged file must give: an error with a message, or generals with a
// warning that says what was odd; never the same as a sound file would.
void expectErrorOrWarnings(const Result<LoadedFile>& loaded, std::size_t size)
{
    if (!loaded) {
        EXPECT_FALSE(loaded.error().message.empty());
        if (loaded.error().offset) {
            EXPECT_GE(*loaded.error().offset, 0);
            EXPECT_LE(*loaded.error().offset, static_cast<std::int64_t>(size));
        }
        return;
    }
    EXPECT_FALSE(loaded->warnings.empty()) << "a damaged file loads without a word";
    EXPECT_FALSE(loaded->verdict.byteExact);
}

// The windows' rule for an open: an error changes nothing, a result is installed whole.
class OpenModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        initModel(model);
        installFile(model, sampleGenerals(2, 99), 42, "/earlier/file.bytes");
        before = model;
    }

    void open(const ByteString& bytes)
    {
        Result<LoadedFile> loaded = loadSaveFile(bytes);
        expectErrorOrWarnings(loaded, bytes.size());
        if (!loaded) {
            ++errors;
            EXPECT_EQ(model.generals, before.generals);
            EXPECT_EQ(model.trailerValue, before.trailerValue);
            EXPECT_EQ(model.savePath, before.savePath);
        } else {
            ++withWarnings;
        }
    }

    Model model;
    Model before;
    int errors = 0;
    int withWarnings = 0;
};

TEST_F(OpenModel, TruncatedAtEveryByte)
{
    for (std::size_t size = 0; size < kFile.size(); ++size) {
        SCOPED_TRACE("first " + std::to_string(size) + " bytes");
        open(ByteString(kFile.bytes().substr(0, size)));
    }
    std::printf("truncations: %zu, errors %d, loaded with warnings %d\n", kFile.size(), errors, withWarnings);
}

TEST_F(OpenModel, WrongKindByteAtEachValue)
{
    const std::vector<Value> values = valuesOf(kFile);
    ASSERT_EQ(values.size(), 2u + 3u * kValuesPerGeneral + 1u);
    for (const Value& value : values) {
        for (int kind = 0; kind < 256; ++kind) {
            if (kind == static_cast<int>(value.kind)) continue;
            SCOPED_TRACE("kind byte " + std::to_string(kind) + " at offset " + std::to_string(value.offset));
            std::string bytes = kFile.bytes();
            bytes[value.offset] = static_cast<char>(kind);
            open(ByteString(std::move(bytes)));
        }
    }
    std::printf("wrong kind bytes: %zu values x 255, errors %d, loaded with warnings %d\n", values.size(), errors,
                withWarnings);
}

TEST_F(OpenModel, TextLengthsOutOfRange)
{
    int texts = 0;
    for (const Value& value : valuesOf(kFile)) {
        if (value.kind != ValueKind::TextValue) continue;
        ++texts;
        const auto pastEnd = static_cast<std::int32_t>(kFile.size() - value.offset);
        for (const std::int32_t length : {-1, INT_MIN, pastEnd, INT_MAX}) {
            SCOPED_TRACE("length " + std::to_string(length) + " at offset " + std::to_string(value.offset));
            const ByteString damaged = withInt32At(kFile, value.offset + 1, length);
            open(damaged);
            // The values can't be walked past such a length: an error, or the fallback says so.
            const Result<LoadedFile> loaded = loadSaveFile(damaged);
            if (loaded) {
                EXPECT_TRUE(loaded->readByCuttingRules);
            }
        }
    }
    EXPECT_EQ(texts, 3 * 10);
}

TEST_F(OpenModel, GeneralCounts)
{
    const struct {
        std::int32_t count;
        bool loads;  // with warnings
    } cases[] = {
        {INT_MAX, false},    // far more generals than bytes
        {1 << 24, false},
        {4, false},          // one more than the file holds
        {2, true},           // one general's values left over before the trailing value
        {0, true},
        {-1, false},
        {INT_MIN, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("count " + std::to_string(c.count));
        const ByteString damaged = withInt32At(kFile, 6 + 1, c.count);
        open(damaged);
        const Result<LoadedFile> loaded = loadSaveFile(damaged);
        EXPECT_EQ(loaded.ok(), c.loads);
        if (loaded) {
            EXPECT_EQ(loaded->generals.size(), static_cast<std::size_t>(c.count));
        }
    }
}

// Not a file of generals at all.
TEST_F(OpenModel, EmptyMissingAndFolder)
{
    ScratchFolder folder;
    std::ofstream(folder / "empty.bytes").close();
    std::filesystem::create_directory(folder / "folder.bytes");
    const struct {
        const char* name;
        const char* says;
    } cases[] = {
        {"empty.bytes", "文件是空的"},
        {"missing.bytes", "找不到该文件"},
        {"folder.bytes", "这是文件夹，不是文件"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<LoadedFile> loaded = loadSaveFile(folder / c.name);
        ASSERT_FALSE(loaded.ok());
        const std::string& message = loaded.error().message;
        EXPECT_NE(message.find("“" + std::string(c.name) + "”"), std::string::npos) << message;
        EXPECT_NE(message.find(c.says), std::string::npos) << message;
        EXPECT_NE(message.find("未载入任何武将"), std::string::npos) << message;
    }
}

}  // namespace
}  // namespace sg8
