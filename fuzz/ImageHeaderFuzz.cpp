// The header reader on any bytes: it never reads past the end (the address sanitizer watches
// that), sizes fit the 16-bit header fields, and bytes after a header that gave a size do not
// change it.

#include "fuzz/FuzzCheck.h"
#include "images/core/ImageHeader.h"

#include <string>

using namespace penrica;
using namespace penrica::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = AsText(data, size);
    const PictureSize picture = ReadImageSize(bytes);
    Check(picture.width >= 0 && picture.width <= 0xFFFF, "width fits 16 bits");
    Check(picture.height >= 0 && picture.height <= 0xFFFF, "height fits 16 bits");
    if (picture.width != 0 || picture.height != 0) {
        const std::string longer = std::string(bytes) + std::string(64, '\xFF');
        Check(ReadImageSize(longer) == picture, "trailing bytes do not change a size");
    }
    return 0;
}
