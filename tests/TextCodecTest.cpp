#include "platform/core/TextCodec.h"

#include <gtest/gtest.h>

using namespace penrica;

namespace {

TEST(GbkCodec, KnownBytes) {
    EXPECT_EQ(EncodeGbk("！"), "\xA3\xA1");
    EXPECT_EQ(EncodeGbk("穴位"), "\xD1\xA8\xCE\xBB");
    EXPECT_EQ(EncodeGbk("640！480"), "640\xA3\xA1"
                                     "480");
    EXPECT_EQ(DecodeGbk("\xD3\xA1\xCC\xC3"), "印堂");
}

TEST(GbkCodec, RoundTripsEveryKindOfText) {
    for (const char* text : {"", "abc\r\n", "印堂 穴位！", "配置项=字符格式1", "😀 emoji",
                             "𠀀 rare ideograph", "€ sign", "鿿"}) {
        EXPECT_EQ(DecodeGbk(EncodeGbk(text)), text) << text;
    }
}

TEST(GbkCodec, CharactersOutsideGbkBecomeFourBytes) {
    EXPECT_EQ(EncodeGbk("😀").size(), 4u);
    EXPECT_EQ(GbkLength("😀"), 4u);
    EXPECT_EQ(GbkLength("a印\r\n"), 5u);
    // A broken sequence counts as the replacement character the encoder writes for it.
    for (const char* broken : {"\xE4"
                               "A",
                               "\x80", "a\xE5\x8D"}) {
        EXPECT_EQ(GbkLength(broken), EncodeGbk(broken).size()) << broken;
    }
}

TEST(GbkCodec, UndecodableBytesReadAsReplacement) {
    std::string text = DecodeGbk("a\xFF\xFF"
                                 "b\x81");
    EXPECT_NE(text.find("\xEF\xBF\xBD"), std::string::npos);
    EXPECT_EQ(text.front(), 'a');
}

TEST(GbkCodec, BytesToTextStopsAtZero) {
    EXPECT_EQ(BytesToText(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(BytesToText(std::string("\0", 1)), "");
}

TEST(GbkCodec, TruncationKeepsWholeCharacters) {
    EXPECT_EQ(TruncateToGbkBytes("印堂穴", 5), "印堂");
    EXPECT_EQ(TruncateToGbkBytes("ab印", 3), "ab");
    EXPECT_EQ(TruncateToGbkBytes("abc", 31), "abc");
    EXPECT_EQ(TruncateToGbkBytes("a\xE5\x8D", 31), "a"); // a sequence cut short is no character
}

} // namespace
