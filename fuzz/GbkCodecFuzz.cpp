// The codec on any bytes: decoding never fails and gives UTF-8, a text once read saves and reads
// back unchanged, and any valid UTF-8 text survives a save and a read.

#include "fuzz/FuzzCheck.h"
#include "platform/core/TextCodec.h"

using namespace penrica;
using namespace penrica::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = AsText(data, size);

    // As a file's bytes.
    const std::string read = DecodeGbk(bytes);
    Check(IsValidUtf8(read), "decoded bytes are UTF-8");
    Check(DecodeGbk(EncodeGbk(read)) == read, "a text read from a file saves and reads back");
    Check(GbkLength(read) == EncodeGbk(read).size(), "GbkLength counts the encoded bytes");
    const std::string stored = BytesToText(bytes);
    Check(stored == DecodeGbk(bytes.substr(0, bytes.find('\0'))), "stored text ends at a zero");

    // As program text, which may be broken UTF-8 when it came from somewhere careless.
    const std::string encoded = EncodeGbk(bytes);
    Check(IsValidUtf8(DecodeGbk(encoded)), "encoding any text gives decodable bytes");
    if (IsValidUtf8(bytes)) {
        Check(DecodeGbk(encoded) == bytes, "valid UTF-8 survives a save and a read");
        Check(GbkLength(bytes) == encoded.size(), "GbkLength of valid UTF-8");
    }
    const std::size_t limit = size == 0 ? 0 : data[0] % 40;
    const std::string cut = TruncateToGbkBytes(bytes, limit);
    Check(bytes.starts_with(cut), "a cut text is a prefix");
    Check(GbkLength(cut) <= limit, "a cut text fits its limit");
    return 0;
}
