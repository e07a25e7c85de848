// The RTF reader against a table of snippets. Each row gives the document in
// a compact notation built by DescribingSink:
//   text                 a run in the default format
//   [b,i,u,s,fs=20,f=Name,fg=rrggbb,bg=rrggbb,sup,sub|text]
//                        a run with those attributes (only non-default ones)
//   ¶                    a paragraph end; ¶{c,li=720,...} with its format
//   ${...}               the last paragraph's format, when not the default
#include "ui/wordprocessor/RtfReader.h"

#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace rtf = wordprocessor::rtf;

namespace {

std::string hex(const rtf::Colour& c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02x%02x%02x", c.red, c.green, c.blue);
    return buffer;
}

std::string describe(const rtf::CharacterFormat& f) {
    std::vector<std::string> parts;
    if (f.bold) {
        parts.emplace_back("b");
    }
    if (f.italic) {
        parts.emplace_back("i");
    }
    if (f.underline) {
        parts.emplace_back("u");
    }
    if (f.strikeOut) {
        parts.emplace_back("s");
    }
    if (f.halfPoints != 24) {
        parts.push_back("fs=" + std::to_string(f.halfPoints));
    }
    if (!f.fontName.empty()) {
        parts.push_back("f=" + f.fontName);
    }
    if (f.foreground) {
        parts.push_back("fg=" + hex(*f.foreground));
    }
    if (f.background) {
        parts.push_back("bg=" + hex(*f.background));
    }
    if (f.vertical == rtf::VerticalPosition::Superscript) {
        parts.emplace_back("sup");
    }
    if (f.vertical == rtf::VerticalPosition::Subscript) {
        parts.emplace_back("sub");
    }
    std::string out;
    for (const std::string& p : parts) {
        out += (out.empty() ? "" : ",") + p;
    }
    return out;
}

std::string describe(const rtf::ParagraphFormat& f) {
    std::vector<std::string> parts;
    switch (f.alignment) {
    case rtf::Alignment::Left:
        break;
    case rtf::Alignment::Right:
        parts.emplace_back("r");
        break;
    case rtf::Alignment::Centre:
        parts.emplace_back("c");
        break;
    case rtf::Alignment::Justify:
        parts.emplace_back("j");
        break;
    }
    const std::pair<const char*, int> measures[] = {
        {"li", f.leftIndentTwips},  {"ri", f.rightIndentTwips}, {"fi", f.firstLineIndentTwips},
        {"sb", f.spaceBeforeTwips}, {"sa", f.spaceAfterTwips},
    };
    for (const auto& [name, value] : measures) {
        if (value != 0) {
            parts.push_back(std::string(name) + "=" + std::to_string(value));
        }
    }
    if (parts.empty()) {
        return {};
    }
    std::string out = "{";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        out += (i == 0 ? "" : ",") + parts[i];
    }
    return out + "}";
}

// Merges neighbouring runs of one format, so the notation does not depend on
// where the reader happens to cut its runs, and checks the sink contract.
class DescribingSink : public rtf::Sink {
public:
    void text(std::string_view utf8, const rtf::CharacterFormat& format) override {
        EXPECT_FALSE(ended_) << "text after the end";
        EXPECT_EQ(utf8.find_first_of("\r\n"), std::string_view::npos) << "raw line break in text";
        EXPECT_FALSE(utf8.empty()) << "empty run";
        if (haveRun_ && format == runFormat_) {
            run_ += utf8;
            return;
        }
        closeRun();
        haveRun_ = true;
        runFormat_ = format;
        run_ = utf8;
    }
    void paragraphEnd(const rtf::ParagraphFormat& format) override {
        EXPECT_FALSE(ended_) << "paragraph after the end";
        closeRun();
        out_ += "¶" + describe(format);
    }
    void documentEnd(const rtf::ParagraphFormat& format) override {
        EXPECT_FALSE(ended_) << "documentEnd twice";
        closeRun();
        const std::string d = describe(format);
        if (!d.empty()) {
            out_ += "$" + d;
        }
        ended_ = true;
    }
    std::string result() const {
        EXPECT_TRUE(ended_) << "documentEnd never came";
        return out_;
    }

private:
    void closeRun() {
        if (!haveRun_) {
            return;
        }
        const std::string d = describe(runFormat_);
        out_ += d.empty() ? run_ : "[" + d + "|" + run_ + "]";
        haveRun_ = false;
    }

    std::string out_;
    std::string run_;
    rtf::CharacterFormat runFormat_;
    bool haveRun_ = false;
    bool ended_ = false;
};

std::string read(std::string_view rtfText) {
    DescribingSink sink;
    EXPECT_TRUE(rtf::readRtf(rtfText, sink));
    return sink.result();
}

struct Snippet {
    const char* name;
    std::string rtf;
    std::string expected;
};

const Snippet kSnippets[] = {
    {"PlainText", R"({\rtf1 Hello, world})", "Hello, world"},
    {"EmptyDocument", R"({\rtf1})", ""},
    {"BoldGroupEndsWithGroup", R"({\rtf1 a{\b b}c})", "a[b|b]c"},
    {"ZeroParameterTurnsOff", R"({\rtf1 \b a\b0 b})", "[b|a]b"},
    {"ItalicUnderlineStrike", R"({\rtf1 \i a\i0\ul b\ulnone\strike c\strike0 d})",
     "[i|a][u|b][s|c]d"},
    {"UnderlineVariants", R"({\rtf1 \uldb a\ul0 b\ulwave c})", "[u|a]b[u|c]"},
    {"UnderlineColourIsNoUnderline", R"({\rtf1 \ulc2 a})", "a"},
    {"FontSizeAndDefault", R"({\rtf1 \fs20 a\fs b\fs0 c})", "[fs=20|a]bc"},
    {"HugeFontSizeIsCapped", R"({\rtf1 \fs999999 a})", "[fs=3276|a]"},
    {"Colours",
     R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}\cf1 a\cf2\highlight1 b\highlight0\cf0 c\cf9 d})",
     "[fg=ff0000|a][fg=0000ff,bg=ff0000|b]cd"},
    {"ColourTableWithoutAutoEntry", R"({\rtf1{\colortbl\red0\green128\blue0;}\cf0 a})",
     "[fg=008000|a]"},
    {"PlainResetsCharacterFormat", R"({\rtf1 \b\i\fs40 a\plain b})", "[b,i,fs=40|a]b"},
    {"SuperAndSubscript", R"({\rtf1 a\super 2\nosupersub b\sub 3})", "a[sup|2]b[sub|3]"},
    {"HiddenTextIsDropped", R"({\rtf1 a{\v hidden}b})", "ab"},
    {"Paragraphs", R"({\rtf1 a\par b})", "a¶b"},
    {"FinalParClosesLastParagraph", R"({\rtf1 a\par})", "a"},
    {"EmptyLastParagraph", R"({\rtf1 a\par\par})", "a¶"},
    {"AlignmentPerParagraph", R"({\rtf1\qc a\par\pard\qr b\par\pard c})", "a¶{c}b¶{r}c"},
    {"IndentsAndSpacing", R"({\rtf1\qj\li720\ri360\fi-360\sb120\sa240 a})",
     "a${j,li=720,ri=360,fi=-360,sb=120,sa=240}"},
    {"ParagraphFormatEndsWithGroup", R"({\rtf1{\qc a\par}b})", "a¶{c}b"},
    {"LineBreakAndTab", R"({\rtf1 a\line b\tab c})", "a\u2028b\tc"},
    {"TableCellsAndRows", R"({\rtf1 a\cell b\cell\row c})", "a\tb\t¶c"},
    {"LiteralTabKeptLineEndsIgnored", "{\\rtf1 a\tb\r\nc\rd\ne}", "a\tbcde"},
    {"BackslashNewlineIsPar", "{\\rtf1 a\\\nb\\\rc}", "a¶b¶c"},
    {"SpecialCharacters",
     R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote\~\-\_})",
     "—–•‘’“”\u00A0\u00AD\u2011"},
    {"EscapedSymbols", R"({\rtf1 \\\{\}})", "\\{}"},
    {"HexInAnsiCodePage", R"({\rtf1\ansi \'e9\'80\'E9})", "é€é"},
    {"UndefinedAnsiByte", R"({\rtf1\ansi a\'81b})", "a\uFFFDb"},
    {"HexInCodePage932", R"({\rtf1\ansi\ansicpg932 \'82\'a0\'82\'a2})", "あい"},
    {"TrailByteAsEscapedBackslash", R"({\rtf1\ansi\ansicpg932 \'83\\\'95\\})", "ソ表"},
    {"TrailByteAsEscapedBraces", R"({\rtf1\ansi\ansicpg932 \'83\{\'83\}})", "ボマ"},
    {"TrailByteAsPlainCharacter", R"({\rtf1\ansi\ansicpg932 \'83A\'83\'41})", "アア"},
    {"RawLeadByteWithEscapedTrail", "{\\rtf1\\ansicpg932 \x83\\\\}", "ソ"},
    {"LoneLeadByteBeforeFormatChange", R"({\rtf1\ansicpg932 \'82{\b x}})", "\uFFFD[b|x]"},
    {"FontTableWithCharsets",
     R"({\rtf1\ansi\deff0{\fonttbl{\f0\fnil\fcharset128 \'82\'6c\'82\'72 \'82\'6f\'83\'53\'83\'56\'83\'62\'83\'4e;})"
     R"({\f1\fswiss\fcharset0 Arial;}}\f0 \'82\'a0\f1\'e9})",
     "[f=ＭＳ Ｐゴシック|あ][f=Arial|é]"},
    {"FontTableWithoutGroups", R"({\rtf1{\fonttbl\f0\froman Times;\f1\fswiss Helvetica;}\f1 a})",
     "[f=Helvetica|a]"},
    {"FontEntryWithoutSemicolon", R"({\rtf1{\fonttbl{\f0 Courier}}\f0 a})", "[f=Courier|a]"},
    {"FontEntryCodePage", R"({\rtf1{\fonttbl{\f0\cpg932 Mincho;}}\f0 \'82\'a0})", "[f=Mincho|あ]"},
    {"FontEntryIgnorableParts",
     R"({\rtf1{\fonttbl{\f0\fnil{\*\panose 02020609040205080304}Gothic{\*\falt Other};}}\f0 a})",
     "[f=Gothic|a]"},
    {"DefaultFontAndPlain", R"({\rtf1\deff1{\fonttbl{\f0 A;}{\f1 B;}}x\f0 y\plain z})",
     "[f=B|x][f=A|y][f=B|z]"},
    {"UnicodeWithFallback", R"({\rtf1 \u12354?b})", "あb"},
    {"UnicodeSkipsTwoHexBytes", R"({\rtf1\uc2\u12354\'82\'a0b})", "あb"},
    {"UnicodeWithoutFallback", R"({\rtf1\uc0\u12354 b})", "あb"},
    {"UnicodeNegative", R"({\rtf1 \u-424?})", "\uFE58"},
    {"UnicodeSurrogatePair", R"({\rtf1 \u-10179?\u-8694?})", "\U0001F60A"},
    {"UnicodeLoneSurrogates", R"({\rtf1 \u-10179?x\u-8694?y})", "\uFFFDx\uFFFDy"},
    {"UnicodeSkipIsScoped", R"({\rtf1 {\uc2 \u12354 ab}\u12354 cd})", "ああd"},
    {"UnicodeSkipStopsAtBrace", R"({\rtf1\uc3 \u12354{b}})", "あb"},
    {"UnicodeSkipCountsControlWords", R"({\rtf1\uc2 \u12354\'3f\par b})", "あb"},
    {"UnicodeInFontName", R"({\rtf1{\fonttbl{\f0 \u12354?x;}}\f0 a})", "[f=あx|a]"},
    {"BinaryDataSkipped", "{\\rtf1 a\\bin4 {}\\\\b}", "ab"},
    {"BinaryInsideSkippedDestination", "{\\rtf1 a{\\*\\x\\bin2 }}b}c}", "ac"},
    {"HugeBinaryLengthStopsAtEnd", R"({\rtf1 a\bin999999999 xyz})", "a"},
    {"NegativeBinaryLengthSkipsNothing", R"({\rtf1 a\bin-5 b})", "ab"},
    {"NestedIgnorableDestination", R"({\rtf1 a{\*\x b{\y c}d}e})", "ae"},
    {"KnownDestinationsSkipped",
     R"({\rtf1 a{\info{\title t}{\author x}}{\pict\pngblip 0123}{\object{\objdata 01}}{\stylesheet{\s0 Normal;}}b})",
     "ab"},
    {"FieldShowsItsResult", R"({\rtf1 {\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}}})", "link"},
    {"UnknownWordsIgnored", R"({\rtf1 \foo a\bar12 b\abcdefghijklmnopqrstuvwxyzabcdefgh c})",
     "abc"},
    {"MissingClosingBraces", R"({\rtf1 a{\b b)", "a[b|b]"},
    {"TextAfterOutermostGroupIgnored", R"({\rtf1 a}}b)", "a"},
    {"StrayBraceEndsDocument", R"({\rtf1 {\b a}}c})", "[b|a]"},
    {"ControlBytesAreNoText", "{\\rtf1 a\\'0d\\'09b\x01\\'8}", "a\tb"},
    {"ControlCharactersAsUnicodeAreNoText", R"({\rtf1 a\u13?\u10?\u0?\u9?b})", "a\tb"},
    {"BackslashAtEnd", "{\\rtf1 a\\", "a"},
    {"HexDigitMissing", R"({\rtf1 a\'zz})", "azz"},
};

// Names the row when a case fails, instead of dumping its bytes.
void PrintTo(const Snippet& row, std::ostream* out) { *out << row.name; }

class RtfSnippet : public testing::TestWithParam<Snippet> {};

TEST_P(RtfSnippet, GivesTextAndFormats) {
    EXPECT_EQ(read(GetParam().rtf), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, RtfSnippet, testing::ValuesIn(kSnippets),
                         [](const testing::TestParamInfo<Snippet>& row) { return row.param.name; });

TEST(RtfReader, RecognisesRtfOnlyByItsOpening) {
    const struct {
        const char* bytes;
        bool rtf;
    } rows[] = {
        {"{\\rtf1 a}", true},
        {"{\\rtf", true},
        {" {\\rtf1 a}", false},
        {"{\\RTF1 a}", false},
        {"\xEF\xBB\xBF{\\rtf1 a}", false},
        {"hello", false},
        {"", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bytes);
        DescribingSink sink;
        EXPECT_EQ(rtf::isRtf(row.bytes), row.rtf);
        EXPECT_EQ(rtf::readRtf(row.bytes, sink), row.rtf);
    }
}

std::string nested(std::size_t depth, const std::string& inner) {
    return "{\\rtf1 " + std::string(depth, '{') + inner + std::string(depth, '}') + " y}";
}

// Hostile nesting must neither overflow the stack nor lose the structure:
// the text around the deep groups and their balance come out intact.
TEST(RtfReader, DeepNestingIsReadWithoutRecursion) {
    EXPECT_EQ(read(nested(100'000, "x")), "x y");
    EXPECT_EQ(read(nested(100'000, "{\\*\\skipped z}x")), "x y");
    // Past the tracked depth the formatting acts on the deepest tracked group
    // and ends with it.
    EXPECT_EQ(read(nested(rtf::kMaxGroupDepth + 2000, "\\b x")), "[b|x] y");
    EXPECT_EQ(read("{\\rtf1 " + std::string(200'000, '{') + "x"), "x");
}

} // namespace
