#pragma once
// A 24-bit BMP picture made in memory, for tests that need a picture a browser can show.

#include <cstdint>
#include <functional>
#include <string>

struct Rgb {
    std::uint8_t r, g, b;
};

inline std::string BmpBytes(int width, int height, const std::function<Rgb(int x, int y)>& pixel) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t dataSize = static_cast<std::uint32_t>(rowBytes * height);
    std::string bytes;
    auto put = [&](std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    bytes += "BM";
    put(54 + dataSize, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(dataSize, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (int y = height - 1; y >= 0; --y) { // rows bottom-up
        for (int x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            bytes += static_cast<char>(c.b);
            bytes += static_cast<char>(c.g);
            bytes += static_cast<char>(c.r);
        }
        bytes.append(static_cast<std::size_t>(rowBytes - width * 3), '\0');
    }
    return bytes;
}

inline std::string BmpBytes(int width, int height) {
    return BmpBytes(width, height, [](int, int) { return Rgb{240, 230, 210}; });
}
