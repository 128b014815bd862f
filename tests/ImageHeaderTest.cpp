// The header reader on crafted files: JPEG marker walks, PNG, GIF, BMP and files cut short.

#include "images/core/ImageHeader.h"

#include <gtest/gtest.h>

namespace {

using penrica::PictureSize;
using penrica::ReadImageSize;

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

// A segment: marker code, big-endian length (which counts itself), then filler.
std::string Segment(int code, int payload) {
    std::string s = Bytes({0xFF, code, (payload + 2) >> 8, (payload + 2) & 0xFF});
    s.append(static_cast<std::size_t>(payload), '\x11');
    return s;
}

std::string Frame(int code, int width, int height) {
    return Bytes({0xFF, code, 0, 17, 8, height >> 8, height & 0xFF, width >> 8, width & 0xFF, 3}) +
           std::string(9, '\0');
}

const std::string kSoi = Bytes({0xFF, 0xD8});

TEST(ReadImageSize, JpegMarkerWalk) {
    struct Case {
        const char* what;
        std::string bytes;
        PictureSize expected;
    };
    const Case cases[] = {
        {"APP0 and DQT before SOF0",
         kSoi + Segment(0xE0, 14) + Segment(0xDB, 65) + Frame(0xC0, 640, 480),
         {640, 480}},
        {"DHT is skipped", kSoi + Segment(0xC4, 30) + Frame(0xC0, 3000, 2000), {3000, 2000}},
        {"progressive SOF2", kSoi + Frame(0xC2, 800, 600), {800, 600}},
        {"SOF5 is skipped like any segment", kSoi + Frame(0xC5, 1, 1) + Frame(0xC0, 7, 9), {7, 9}},
        {"SOF3", kSoi + Frame(0xC3, 800, 600), {800, 600}},
        {"fill bytes before a marker", kSoi + Bytes({0xFF, 0xFF}) + Frame(0xC1, 12, 34), {12, 34}},
        {"no SOF at all", kSoi + Segment(0xE0, 14) + Segment(0xDB, 65), {}},
        {"segment length runs past the end",
         kSoi + Bytes({0xFF, 0xE0, 0xFF, 0xFF, 0, 0, 0, 0}),
         {}},
        {"SOF header cut short", kSoi + Bytes({0xFF, 0xC0, 0, 17, 8, 1}), {}},
        {"only the start", Bytes({0xFF, 0xD8, 0xFF}), {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadImageSize(c.bytes), c.expected) << c.what;
    }
}

TEST(ReadImageSize, OtherFormatsAndShortFiles) {
    std::string png = Bytes({0x89, 'P', 'N', 'G', 13, 10, 26,   10,   0, 0, 0,    13,
                             'I',  'H', 'D', 'R', 0,  0,  0x02, 0x80, 0, 0, 0x01, 0xE0});
    std::string gif = "GIF89a" + Bytes({0x80, 0x02, 0xE0, 0x01});
    std::string bmp = "BM" + std::string(16, '\0') + Bytes({0x20, 0x03, 0, 0, 0x58, 0x02});
    struct Case {
        const char* what;
        std::string bytes;
        PictureSize expected;
    };
    const Case cases[] = {
        {"PNG", png, {640, 480}},
        {"GIF", gif, {640, 480}},
        {"BMP", bmp, {800, 600}},
        {"BMP of 20 bytes", bmp.substr(0, 20), {}},
        {"PNG cut inside its header", png.substr(0, 20), {}},
        {"GIF of 3 bytes is no GIF", "GIF", {}},
        {"one byte 0xFF", Bytes({0xFF}), {}},
        {"empty", "", {}},
        {"text file", "hello world, no picture here", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadImageSize(c.bytes), c.expected) << c.what;
    }
}

} // namespace
