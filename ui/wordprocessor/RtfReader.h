#pragma once
// A reader for rich text (RTF) that knows no widget toolkit: it walks the
// bytes once, keeps the group state on an explicit stack (never recursion, so
// hostile nesting cannot overflow the call stack) and hands decoded text with
// its formatting to a sink.
//
// What it understands: the font table (names decoded in the font's own
// character set), the colour table, character formatting (\f \fs \b \i \ul
// \strike \cf \cb \highlight \super \sub \v \plain), paragraph formatting
// (\pard \ql \qr \qc \qj \li \ri \fi \sb \sa), paragraph and line breaks,
// tabs, table cells as tabs, the common special characters, \u with \uc,
// text bytes in the code page of the current font (\fcharset, \cpg) or of
// the document (\ansicpg), and double-byte characters whose trail byte comes
// as \\, \{ or \}. Destinations it does not show (\*-marked ones, pictures,
// objects, headers, document information, style sheets, ...) are skipped
// whole, \bin data included.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wordprocessor::rtf {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Colour&) const = default;
};

enum class VerticalPosition { Normal, Superscript, Subscript };

struct CharacterFormat {
    std::string fontName; // UTF-8; empty when the document names none
    int halfPoints = 24;  // RTF sizes are in half-points; 24 is 12 pt
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::optional<Colour> foreground; // empty: the automatic text colour
    std::optional<Colour> background; // empty: none
    VerticalPosition vertical = VerticalPosition::Normal;
    bool operator==(const CharacterFormat&) const = default;
};

enum class Alignment { Left, Right, Centre, Justify };

struct ParagraphFormat {
    Alignment alignment = Alignment::Left;
    int leftIndentTwips = 0;
    int rightIndentTwips = 0;
    int firstLineIndentTwips = 0; // relative to the left indent; may be negative
    int spaceBeforeTwips = 0;
    int spaceAfterTwips = 0;
    bool operator==(const ParagraphFormat&) const = default;
};

// Receives a document in reading order. Text never holds '\r' or '\n': a
// paragraph break comes as paragraphEnd, a line break within a paragraph as
// U+2028 and a tab as '\t'. Consecutive calls of text may share one format.
class Sink {
public:
    virtual ~Sink() = default;
    virtual void text(std::string_view utf8, const CharacterFormat& format) = 0;
    // The paragraph read so far ends with `format`; a new one begins.
    virtual void paragraphEnd(const ParagraphFormat& format) = 0;
    // The last paragraph ends with `format`. Called exactly once, last. A
    // final \par closes the last paragraph rather than opening an empty one.
    virtual void documentEnd(const ParagraphFormat& format) = 0;
};

// Groups deeper than this share the state of the deepest tracked group:
// their braces are still counted, so the structure around them stays intact;
// a destination skipped among them is skipped to its own closing brace, and
// their formatting words act on the shared state until that group closes.
inline constexpr std::size_t kMaxGroupDepth = 10'000;

// True when the bytes are RTF: they begin with "{\rtf".
bool isRtf(std::string_view bytes);

// Reads `bytes` into `sink`. Returns false, without calling the sink, when
// the bytes are not RTF. Anything else is read tolerantly: missing or surplus
// braces, unknown control words and truncated input are no error. Throws
// platform::TextDecodingError only when the C library lacks a converter
// the document needs and every fallback.
bool readRtf(std::string_view bytes, Sink& sink);

} // namespace wordprocessor::rtf
