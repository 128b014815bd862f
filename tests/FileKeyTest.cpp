#include "introductions/core/FileKey.h"
#include "CaseName.h"
#include "introductions/core/MulticolourText.h"
#include "platform/core/TextCodec.h"

#include <gtest/gtest.h>

#include <ostream>

#include <random>

using namespace penrica;

namespace {

const CharFormat kDefault{};
const CharFormat kBoldRedHei{"黑体", 12, 0, kBold, 0x0000FF};

const StyledText kStyled{{{"穴", kDefault}, {"A\r\n", kBoldRedHei}, {"😀<vorn>", kDefault}},
                         kDefault};

std::string StoredUnder(std::uint8_t key, const StyledText& content) {
    return ShiftForFile(EncodeGbk(WriteFormatText(content).text), key);
}

struct ForeignCase {
    const char* name;
    std::uint8_t key;
    StyledText content;
};

void PrintTo(const ForeignCase& c, std::ostream* os) {
    *os << c.name;
}

class FileKeyForeign : public ::testing::TestWithParam<ForeignCase> {};

TEST_P(FileKeyForeign, ReadsUnderTheKeyItWasWrittenWith) {
    const std::string bytes = StoredUnder(GetParam().key, GetParam().content);
    EXPECT_EQ(DetectFileKey(bytes), GetParam().key);
    EXPECT_EQ(DecodeIntroduction(bytes), GetParam().content);
    // Saving it again uses our own key.
    EXPECT_EQ(EncodeIntroduction(DecodeIntroduction(bytes)).bytes,
              StoredUnder(kFileKey, GetParam().content));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileKeyForeign,
    ::testing::Values(ForeignCase{"styled under 0x01", 0x01, kStyled},
                      ForeignCase{"styled under 0x80", 0x80, kStyled},
                      ForeignCase{"styled under 0xFF", 0xFF, kStyled},
                      ForeignCase{"end record only", 0x21, {{}, kDefault}},
                      ForeignCase{"empty full record", 0x5A, {{}, kBoldRedHei}},
                      ForeignCase{"one letter", 0xC3, {{{"a", kDefault}}, kDefault}}),
    CaseName<ForeignCase>);

TEST(FileKey, OurOwnFilesAndEmptyFilesStayUnderOurKey) {
    EXPECT_EQ(DetectFileKey(""), kFileKey);
    EXPECT_EQ(DetectFileKey(StoredUnder(kFileKey, kStyled)), kFileKey);
    EXPECT_EQ(DetectFileKey(StoredUnder(kFileKey, {{}, kDefault})), kFileKey);
}

// Shifted back with our key these bytes hold "X<vorn>..." on one line: a record the reader takes.
// Under our key + 1 they are the writer's layout. Our key wins.
TEST(FileKey, AFileValidUnderOurKeyNeverGoesToAnother) {
    const std::uint8_t other = kFileKey + 1;
    const std::string bytes = ShiftForFile(EncodeGbk("同上<vorn>;unqm=\r\n"), other);
    ASSERT_EQ(BytesToText(UnshiftFromFile(bytes, kFileKey)).find("<vorn>") != std::string::npos,
              true);
    EXPECT_EQ(DetectFileKey(bytes), kFileKey);
}

TEST(FileKey, BytesOutsideTheLayoutReadAsEmpty) {
    std::mt19937 random(15);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        for (int i = 1 + random() % 300; i > 0; --i) {
            bytes.push_back(static_cast<char>(random()));
        }
        if (round % 3 == 0) {
            bytes += ShiftForFile("\r\n", static_cast<std::uint8_t>(random())); // a plausible end
        }
        const std::optional<std::uint8_t> key = DetectFileKey(bytes);
        EXPECT_TRUE(!key || *key == kFileKey) << round;
        if (!key) {
            EXPECT_EQ(DecodeIntroduction(bytes), StyledText{}) << round;
        }
    }
    const std::string good = StoredUnder(0x42, kStyled);
    const std::string cases[] = {
        good.substr(0, good.size() - 1),    // cut before its last LF
        good + ShiftForFile("x\r\n", 0x42), // a line that is no record
        good + ShiftForFile("\r\n", 0x42),  // an empty line
        ShiftForFile(EncodeGbk("9<vorn>0<vorn>x<vorn>a<vorn>beifen<vorn>宋体\r\n"), 0x42),
        ShiftForFile(EncodeGbk("9<vorn>0<vorn>0<vorn>a<vorn>backup<vorn>宋体\r\n"), 0x42),
        ShiftForFile(EncodeGbk("同下<vorn>a\r\n"), 0x42),
        ShiftForFile("hello\r\n", 0x42),
    };
    for (const std::string& bytes : cases) {
        EXPECT_EQ(DetectFileKey(bytes), std::nullopt);
        EXPECT_EQ(DecodeIntroduction(bytes), StyledText{});
    }
}

} // namespace
