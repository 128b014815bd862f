#include "images/core/ImageHeader.h"

#include <cstddef>
#include <cstdint>

namespace penrica {

namespace {

// The byte at `pos`, when there is one.
struct Bytes {
    std::string_view data;
    bool Has(std::size_t pos, std::size_t count) const {
        return pos <= data.size() && count <= data.size() - pos;
    }
    std::int32_t At(std::size_t pos) const { return static_cast<unsigned char>(data[pos]); }
};

PictureSize WalkJpegMarkers(const Bytes& b) {
    const std::size_t length = b.data.size();
    std::size_t pos = 2;
    for (;;) {
        // Find the next marker: 0xFF followed by anything but 0xFF.
        for (;;) {
            const bool marker = b.Has(pos, 2) && b.At(pos) == 0xFF && b.At(pos + 1) != 0xFF;
            pos += 1;
            if (marker) {
                break;
            }
            if (pos > length) {
                return {};
            }
        }
        if (!b.Has(pos, 8)) {
            return {};
        }
        const std::int32_t code = b.At(pos);
        if (code >= 0xC0 && code <= 0xC3) {
            return {b.At(pos + 6) * 256 + b.At(pos + 7), b.At(pos + 4) * 256 + b.At(pos + 5)};
        }
        pos += static_cast<std::size_t>(b.At(pos + 1) * 256 + b.At(pos + 2)) + 1;
        if (pos > length) {
            return {};
        }
    }
}

} // namespace

PictureSize ReadImageSize(std::string_view bytes) {
    const Bytes b{bytes};
    if (b.Has(0, 3) && b.At(0) == 0xFF && b.At(1) == 0xD8 && b.At(2) == 0xFF) {
        return WalkJpegMarkers(b);
    }
    if (b.Has(0, 4) && bytes.substr(0, 4) == "\x89PNG") {
        if (!b.Has(18, 6))
            return {};
        return {b.At(18) * 256 + b.At(19), b.At(22) * 256 + b.At(23)};
    }
    if (b.Has(0, 4) && bytes.substr(0, 4) == "GIF8") {
        if (!b.Has(6, 4))
            return {};
        return {b.At(6) + b.At(7) * 256, b.At(8) + b.At(9) * 256};
    }
    if (b.Has(0, 2) && b.At(0) == 'B' && b.At(1) == 'M') {
        if (!b.Has(18, 6))
            return {};
        return {b.At(18) + b.At(19) * 256, b.At(22) + b.At(23) * 256};
    }
    return {};
}

} // namespace penrica
