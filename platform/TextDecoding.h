#pragma once
// Turning the bytes of text files and of rich text into UTF-8. Windows-made
// Japanese text is CP932 (0x5C is a backslash there, the NEC and IBM
// extensions included); text made here is UTF-8. Every decoder is total: an
// invalid byte becomes U+FFFD and is never an error, so the only failure left
// is a C library without the converter.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// The C library has no converter for a code page that the program needs.
class TextDecodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD"; // U+FFFD

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// Appends the UTF-8 encoding of `codePoint`; a surrogate or a value above
// U+10FFFF is written as U+FFFD.
void appendUtf8(std::string& out, char32_t codePoint);

// Converts bytes of one Windows code page (932, 1252, 936, ...) to UTF-8 with
// glibc iconv. Holds its converter, so one decoder serves many short runs
// cheaply; not for use from two threads at once.
class CodePageDecoder {
public:
    // Throws TextDecodingError when iconv has no converter for `codePage`.
    explicit CodePageDecoder(int codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    int codePage() const { return codePage_; }

    // Appends the decoded bytes to `out`. A byte that does not start a valid
    // character, or a lead byte cut off at the end, gives one U+FFFD and
    // decoding goes on with the next byte.
    void decode(std::string_view bytes, std::string& out);

private:
    int codePage_;
    void* converter_; // iconv_t, kept opaque so callers need not see <iconv.h>
};

// The iconv name of a Windows code page, or empty when the program knows none.
std::string_view iconvNameOfCodePage(int codePage);

// A plain text file's content as UTF-8 with '\n' line breaks: UTF-16 when it
// starts with a UTF-16 byte-order mark, UTF-8 when the bytes are valid UTF-8
// (a leading BOM is dropped), CP932 otherwise. CR LF, a lone CR and a lone LF
// each become one '\n'.
std::string decodePlainText(std::string_view bytes);

// Rewrites CR LF and lone CR as '\n' in place.
void normaliseLineBreaks(std::string& text);

} // namespace platform
