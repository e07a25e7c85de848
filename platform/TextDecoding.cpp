#include "platform/TextDecoding.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <utility>

namespace platform {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

struct CodePageName {
    int codePage;
    std::string_view iconvName;
};

// Windows code pages that rich text names (\ansicpg, \cpg, or through a font's
// character set) and their glibc names. SHIFT_JIS is deliberately absent: it
// maps 0x5C to the yen sign and rejects the NEC and IBM extensions.
constexpr std::array kCodePages{
    CodePageName{437, "CP437"},        CodePageName{850, "CP850"},
    CodePageName{874, "CP874"},        CodePageName{932, "CP932"},
    CodePageName{936, "CP936"},        CodePageName{949, "CP949"},
    CodePageName{950, "CP950"},        CodePageName{1250, "CP1250"},
    CodePageName{1251, "CP1251"},      CodePageName{1252, "CP1252"},
    CodePageName{1253, "CP1253"},      CodePageName{1254, "CP1254"},
    CodePageName{1255, "CP1255"},      CodePageName{1256, "CP1256"},
    CodePageName{1257, "CP1257"},      CodePageName{1258, "CP1258"},
    CodePageName{1361, "CP1361"},      CodePageName{10000, "MACINTOSH"},
    CodePageName{20127, "ASCII"},      CodePageName{20932, "EUC-JP"},
    CodePageName{28591, "ISO-8859-1"}, CodePageName{50220, "ISO-2022-JP"},
    CodePageName{51932, "EUC-JP"},     CodePageName{65001, "UTF-8"},
};

iconv_t toIconv(void* converter) {
    return static_cast<iconv_t>(converter);
}

bool isContinuation(unsigned char c) {
    return (c & 0xC0U) == 0x80U;
}

// Length of the valid UTF-8 sequence at `p` (at most `left` bytes), or 0.
std::size_t validSequenceLength(const unsigned char* p, std::size_t left) {
    const unsigned char c = p[0];
    if (c < 0x80U) {
        return 1;
    }
    if (c >= 0xC2U && c <= 0xDFU) {
        return left >= 2 && isContinuation(p[1]) ? 2 : 0;
    }
    if (c >= 0xE0U && c <= 0xEFU) {
        if (left < 3 || !isContinuation(p[1]) || !isContinuation(p[2])) {
            return 0;
        }
        if (c == 0xE0U && p[1] < 0xA0U) {
            return 0; // overlong
        }
        if (c == 0xEDU && p[1] >= 0xA0U) {
            return 0; // surrogate
        }
        return 3;
    }
    if (c >= 0xF0U && c <= 0xF4U) {
        if (left < 4 || !isContinuation(p[1]) || !isContinuation(p[2]) || !isContinuation(p[3])) {
            return 0;
        }
        if (c == 0xF0U && p[1] < 0x90U) {
            return 0; // overlong
        }
        if (c == 0xF4U && p[1] >= 0x90U) {
            return 0; // above U+10FFFF
        }
        return 4;
    }
    return 0;
}

// Advances over ASCII eight bytes at a time; most text is mostly ASCII.
std::size_t skipAscii(const unsigned char* p, std::size_t i, std::size_t n) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    while (i + 8 <= n) {
        std::uint64_t word;
        std::memcpy(&word, p + i, sizeof word);
        if ((word & kHighBits) != 0) {
            break;
        }
        i += 8;
    }
    return i;
}

// UTF-8 in which an invalid byte gives U+FFFD; used when a BOM declares the
// file UTF-8 although a few bytes are broken.
std::string decodeUtf8Leniently(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const std::size_t len = validSequenceLength(p + i, n - i);
        if (len == 0) {
            out += kReplacementCharacter;
            ++i;
        } else {
            out.append(bytes.substr(i, len));
            i += len;
        }
    }
    return out;
}

// UTF-16 in the given byte order, BOM already removed. A lone surrogate or
// an odd byte at the end gives U+FFFD and decoding goes on.
std::string decodeUtf16(std::string_view bytes, bool bigEndian) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t units = bytes.size() / 2;
    const auto unitAt = [p, bigEndian](std::size_t i) -> char32_t {
        const unsigned first = p[2 * i];
        const unsigned second = p[2 * i + 1];
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t unit = unitAt(i);
        if (unit >= 0xD800U && unit <= 0xDBFFU && i + 1 < units) {
            const char32_t low = unitAt(i + 1);
            if (low >= 0xDC00U && low <= 0xDFFFU) {
                appendUtf8(out, 0x10000U + ((unit - 0xD800U) << 10) + (low - 0xDC00U));
                ++i;
                continue;
            }
        }
        appendUtf8(out, unit); // a lone surrogate comes out as U+FFFD
    }
    if (bytes.size() % 2 != 0) {
        out += kReplacementCharacter;
    }
    return out;
}

// After a conversion error glibc mostly leaves the pointer on the offending
// byte, which is then skipped, one U+FFFD per byte keeping the following text
// intact. Some converters (CP949) step over a bad pair themselves, even at
// the very end of the input; skipping once more would drop a good character,
// or run past the end. So a byte is skipped only when conversion from it,
// in the initial state that the next call starts in, makes no progress.
bool convertsFromHere(iconv_t cd, char* in, std::size_t inLeft) {
    std::array<char, 16> scratch{};
    char* o = scratch.data();
    std::size_t outLeft = scratch.size();
    char* const start = in;
    iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    return in != start;
}

} // namespace

bool isValidUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        i = skipAscii(p, i, n);
        if (i >= n) {
            break;
        }
        const std::size_t len = validSequenceLength(p + i, n - i);
        if (len == 0) {
            return false;
        }
        i += len;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint > 0x10FFFFU || (codePoint >= 0xD800U && codePoint <= 0xDFFFU)) {
        out += kReplacementCharacter;
        return;
    }
    if (codePoint < 0x80U) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800U) {
        out += static_cast<char>(0xC0U | (codePoint >> 6));
        out += static_cast<char>(0x80U | (codePoint & 0x3FU));
    } else if (codePoint < 0x10000U) {
        out += static_cast<char>(0xE0U | (codePoint >> 12));
        out += static_cast<char>(0x80U | ((codePoint >> 6) & 0x3FU));
        out += static_cast<char>(0x80U | (codePoint & 0x3FU));
    } else {
        out += static_cast<char>(0xF0U | (codePoint >> 18));
        out += static_cast<char>(0x80U | ((codePoint >> 12) & 0x3FU));
        out += static_cast<char>(0x80U | ((codePoint >> 6) & 0x3FU));
        out += static_cast<char>(0x80U | (codePoint & 0x3FU));
    }
}

std::string_view iconvNameOfCodePage(int codePage) {
    for (const CodePageName& entry : kCodePages) {
        if (entry.codePage == codePage) {
            return entry.iconvName;
        }
    }
    return {};
}

CodePageDecoder::CodePageDecoder(int codePage) : codePage_(codePage), converter_(nullptr) {
    const std::string name(iconvNameOfCodePage(codePage));
    if (name.empty()) {
        throw TextDecodingError("no converter for code page " + std::to_string(codePage));
    }
    iconv_t cd = iconv_open("UTF-8", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw TextDecodingError("no converter for " + name);
    }
    converter_ = cd;
}

CodePageDecoder::~CodePageDecoder() {
    iconv_close(toIconv(converter_));
}

void CodePageDecoder::decode(std::string_view bytes, std::string& out) {
    iconv_t cd = toIconv(converter_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // a fresh shift state per call
    char* in = const_cast<char*>(bytes.data());    // iconv never writes its input
    std::size_t inLeft = bytes.size();
    std::size_t used = out.size();
    // Double-byte text grows by half in UTF-8; half-width katakana triples,
    // which the E2BIG branch absorbs.
    out.resize(used + inLeft + inLeft / 2 + 16);
    while (inLeft > 0) {
        char* o = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t result = iconv(cd, &in, &inLeft, &o, &outLeft);
        used = static_cast<std::size_t>(o - out.data());
        if (result != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            out.resize(out.size() * 2 + 16);
        } else if (errno == EILSEQ || errno == EINVAL) {
            out.resize(std::max(out.size(), used + kReplacementCharacter.size() + inLeft + 16));
            std::memcpy(out.data() + used, kReplacementCharacter.data(),
                        kReplacementCharacter.size());
            used += kReplacementCharacter.size();
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (inLeft > 0 && !convertsFromHere(cd, in, inLeft)) {
                ++in;
                --inLeft;
            }
        } else {
            throw TextDecodingError(std::string("iconv failed: ") + std::strerror(errno));
        }
    }
    out.resize(used);
}

void normaliseLineBreaks(std::string& text) {
    const std::size_t first = text.find('\r');
    if (first == std::string::npos) {
        return;
    }
    std::size_t write = first;
    for (std::size_t read = first; read < text.size(); ++read) {
        const char c = text[read];
        if (c == '\r') {
            text[write++] = '\n';
            if (read + 1 < text.size() && text[read + 1] == '\n') {
                ++read;
            }
        } else {
            text[write++] = c;
        }
    }
    text.resize(write);
}

std::string decodePlainText(std::string_view bytes) {
    std::string out;
    // What Windows Notepad calls "Unicode". Neither mark can begin UTF-8 or
    // CP932 text, so the file says plainly what it is.
    const bool bigEndian = bytes.starts_with(kUtf16BeBom);
    if (bigEndian || bytes.starts_with(kUtf16LeBom)) {
        out = decodeUtf16(bytes.substr(2), bigEndian);
        normaliseLineBreaks(out);
        return out;
    }
    const bool hasBom = bytes.starts_with(kUtf8Bom);
    if (hasBom) {
        bytes.remove_prefix(kUtf8Bom.size());
    }
    if (isValidUtf8(bytes)) {
        out.assign(bytes);
    } else if (hasBom) {
        out = decodeUtf8Leniently(bytes);
    } else {
        CodePageDecoder(932).decode(bytes, out);
    }
    normaliseLineBreaks(out);
    return out;
}

} // namespace platform
