// Feeds arbitrary bytes to the plain-text decoder, and to the code-page
// decoder in each code page rich text can name. Every output must be valid
// UTF-8, and plain text must have no CR left.
#include "platform/TextDecoding.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::array kCodePages{437,  850,  874,  932,  936,  949,  950,  1250, 1251,
                                1252, 1253, 1254, 1255, 1256, 1257, 1258, 1361, 10000};

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = platform::decodePlainText(bytes);
    require(platform::isValidUtf8(text) && text.find('\r') == std::string::npos);

    if (size > 0) {
        platform::CodePageDecoder decoder(kCodePages[data[0] % kCodePages.size()]);
        std::string out = "kept:";
        decoder.decode(bytes.substr(1), out);
        require(out.starts_with("kept:") && platform::isValidUtf8(out));
    }
    return 0;
}
