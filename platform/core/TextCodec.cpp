#include "platform/core/TextCodec.h"

#include "platform/core/TextRules.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace penrica {

namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

// ICU's own substitute for a single bad byte is U+001A, which is also what the valid byte 0x1A
// decodes to. Every bad sequence becomes U+FFFD instead, so a real 0x1A survives.
void SubstituteReplacement(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                           UConverterCallbackReason reason, UErrorCode* status) {
    if (reason <= UCNV_IRREGULAR) {
        *status = U_ZERO_ERROR;
        const UChar replacement = 0xFFFD;
        ucnv_cbToUWriteUChars(args, &replacement, 1, 0, status);
    }
}

// One converter per thread; the program has only the one UI thread.
UConverter* Gb18030() {
    thread_local std::unique_ptr<UConverter, ConverterCloser> converter = [] {
        UErrorCode status = U_ZERO_ERROR;
        UConverter* c = ucnv_open("GB18030", &status);
        std::unique_ptr<UConverter, ConverterCloser> owned(U_SUCCESS(status) ? c : nullptr);
        if (owned) {
            ucnv_setToUCallBack(c, SubstituteReplacement, nullptr, nullptr, nullptr, &status);
        }
        return U_SUCCESS(status) ? std::move(owned) : nullptr;
    }();
    return converter.get();
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out(utf8.size() + 1, u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                         &length, utf8.data(), static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr,
                         &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return out;
}

std::string Utf16ToUtf8(const std::u16string& utf16) {
    std::string out(utf16.size() * 3 + 1, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length,
                       reinterpret_cast<const UChar*>(utf16.data()),
                       static_cast<int32_t>(utf16.size()), 0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return out;
}

} // namespace

std::string EncodeGbk(std::string_view utf8) {
    UConverter* cnv = Gb18030();
    if (cnv == nullptr || utf8.empty()) {
        return {};
    }
    std::u16string utf16 = Utf8ToUtf16(utf8);
    std::string out(utf16.size() * 4 + 4, '\0');
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(cnv);
    int32_t length = ucnv_fromUChars(cnv, out.data(), static_cast<int32_t>(out.size()),
                                     reinterpret_cast<const UChar*>(utf16.data()),
                                     static_cast<int32_t>(utf16.size()), &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return out;
}

std::string DecodeGbk(std::string_view bytes) {
    UConverter* cnv = Gb18030();
    if (cnv == nullptr || bytes.empty()) {
        return {};
    }
    // Each byte gives at most one UTF-16 unit, plus room for a pending substitution.
    std::u16string utf16(bytes.size() + 2, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(cnv);
    int32_t length = ucnv_toUChars(cnv, reinterpret_cast<UChar*>(utf16.data()),
                                   static_cast<int32_t>(utf16.size()), bytes.data(),
                                   static_cast<int32_t>(bytes.size()), &status);
    utf16.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return Utf16ToUtf8(utf16);
}

std::string_view StoredBytes(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

std::string BytesToText(std::string_view bytes) {
    return DecodeGbk(StoredBytes(bytes));
}

std::size_t GbkCodePointLength(char32_t codePoint) {
    if (codePoint < 0x80) {
        return 1;
    }
    if (codePoint > 0xFFFF) {
        return 4;
    }
    // One byte per code point of the Basic Multilingual Plane: 0 while unknown, else its length.
    static std::vector<std::uint8_t> cache(0x10000, 0);
    std::uint8_t& known = cache[codePoint];
    if (known == 0) {
        char16_t unit = static_cast<char16_t>(codePoint);
        std::string utf8 = Utf16ToUtf8(std::u16string(1, unit));
        std::size_t length = EncodeGbk(utf8).size();
        known = static_cast<std::uint8_t>(length == 0 ? 4 : length);
    }
    return known;
}

std::size_t GbkLength(std::string_view utf8) {
    std::size_t total = 0;
    for (std::size_t pos = 0, next = 0; pos < utf8.size(); pos = next) {
        next = NextCharacter(utf8, pos);
        total += GbkCodePointLength(CodePointOf(utf8.substr(pos, next - pos)));
    }
    return total;
}

std::string TruncateToGbkBytes(std::string_view utf8, std::size_t maxBytes) {
    std::size_t total = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t next = NextCharacter(utf8, pos);
        if (next - pos < Utf8SequenceLength(static_cast<unsigned char>(utf8[pos]))) {
            break; // a sequence cut short is no whole character
        }
        const std::size_t bytes = GbkLength(utf8.substr(pos, next - pos));
        if (total + bytes > maxBytes) {
            break;
        }
        total += bytes;
        pos = next;
    }
    return std::string(utf8.substr(0, pos));
}

} // namespace penrica
