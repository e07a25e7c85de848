// Plain-text decoding against a table of byte sequences.
#include "platform/TextDecoding.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

struct Bytes {
    const char* name;
    std::string bytes;
    std::string expected;
};

const Bytes kRows[] = {
    {"Empty", "", ""},
    {"Ascii", "abc 123", "abc 123"},
    {"Utf8", "あいう漢字", "あいう漢字"},
    {"Utf8FourByte", "a\U0001F60Ab", "a\U0001F60Ab"},
    {"Utf8BomDropped",
     "\xEF\xBB\xBF"
     "あ",
     "あ"},
    {"OnlyBom", "\xEF\xBB\xBF", ""},
    {"BomDeclaresUtf8DespiteBrokenByte",
     "\xEF\xBB\xBF"
     "a\xFF"
     "b",
     "a\uFFFDb"},
    {"Cp932Hiragana", "\x82\xA0\x82\xA2", "あい"},
    {"Cp932BackslashAndTilde",
     "C:\x5C"
     "dir~ \x83\x5C",
     "C:\\dir~ ソ"},
    {"Cp932TrailBytesThatLookLikeAscii", "\x95\x5C\x83\x7B\x83\x7D", "表ボマ"},
    {"HalfWidthKatakana", "\xB1\xB2\xB3\xA1\xDF", "ｱｲｳ｡ﾟ"},
    {"NecSpecialCharacters", "\x87\x40\x87\x54", "①Ⅰ"},
    {"NecSelectedIbmExtension", "\xED\x40", "纊"},
    {"IbmExtension", "\xFA\x40\xFA\x55", "ⅰ￤"},
    {"OverlongUtf8IsNotUtf8", "\xC0\xAF", "ﾀｯ"},
    {"InvalidByteBetweenCharacters", "\x82\xA0\x80\x82\xA2", "あ\uFFFDい"},
    {"UnassignedSingleByte", "\xB1\xA0\xFD", "ｱ\uFFFD\uFFFD"},
    {"LeadByteCutOffAtEnd", "\xB1\x82", "ｱ\uFFFD"},
    {"LeadByteWithInvalidTrail",
     "\x82\x20"
     "a",
     "\uFFFD a"},
    {"CrLfCrLf", "a\r\nb\rc\nd", "a\nb\nc\nd"},
    {"BreaksInARow", "\r\r\n\n\r", "\n\n\n\n"},
    {"Cp932WithBreaks", "\x82\xA0\r\n\x82\xA2\r", "あ\nい\n"},
    {"Utf16LittleEndian", std::string("\xFF\xFE\x42\x30\x22\x6F\x0D\x00\x0A\x00z\x00", 12),
     "あ漢\nz"},
    {"Utf16BigEndianSurrogatePair", std::string("\xFE\xFF\xD8\x3D\xDE\x0A\x00\x0D", 8),
     "\U0001F60A\n"},
    {"Utf16LoneSurrogatesAndOddByte",
     std::string("\xFF\xFE\x00\xDC\x00\xD8"
                 "a\x00\x7F",
                 9),
     "\uFFFD\uFFFDa\uFFFD"},
    {"Utf8WithBreaks",
     "\xEF\xBB\xBF"
     "あ\r\nい\r",
     "あ\nい\n"},
};

// Names the row when a case fails, instead of dumping its bytes.
void PrintTo(const Bytes& row, std::ostream* out) {
    *out << row.name;
}

class PlainText : public testing::TestWithParam<Bytes> {};

TEST_P(PlainText, DecodesTo) {
    EXPECT_EQ(platform::decodePlainText(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, PlainText, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Bytes>& row) { return row.param.name; });

TEST(TextDecoding, Utf8ValidityIsStrict) {
    const struct {
        std::string bytes;
        bool valid;
    } rows[] = {
        {"plain ascii long enough for the fast path", true},
        {"\xE3\x81\x82", true},
        {"\xF4\x8F\xBF\xBF", true},  // U+10FFFF
        {"\xF4\x90\x80\x80", false}, // above U+10FFFF
        {"\xED\xA0\x80", false},     // a surrogate
        {"\xE0\x80\xAF", false},     // overlong
        {"\xE3\x81", false},         // cut off
        {"0123456789\x80", false},   // a stray continuation after the fast path
    };
    for (const auto& row : rows) {
        EXPECT_EQ(platform::isValidUtf8(row.bytes), row.valid) << row.bytes;
    }
}

TEST(TextDecoding, CodePageDecoderGrowsAndKnowsItsLimits) {
    // Half-width katakana triple in size; the output must grow past the first guess.
    const std::string kana(10'000, '\xB1');
    std::string out = "prefix:";
    platform::CodePageDecoder decoder(932);
    decoder.decode(kana, out);
    EXPECT_EQ(out.size(), 7 + 3 * kana.size());
    EXPECT_EQ(out.substr(7, 3), "ｱ");

    EXPECT_THROW(platform::CodePageDecoder(4242), platform::TextDecodingError);
}

// glibc's CP949 converter steps over an invalid pair by itself, even when it
// ends the input; each bad sequence must still give one U+FFFD and cost no
// good character, and the decoder must never read past the end.
TEST(TextDecoding, InvalidSequencesCostNoGoodCharacter) {
    const struct {
        int codePage;
        std::string bytes;
        std::string expected;
    } rows[] = {
        {949,
         "A\xA2\xE8"
         "BC",
         "A\uFFFDBC"},
        {949, "\xA2\xE8", "\uFFFD"},
        {949, "\xA2\xE8\xA2\xE8", "\uFFFD\uFFFD"},
        {932,
         "\x82\x20"
         "a\x82",
         "\uFFFD a\uFFFD"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.codePage);
        platform::CodePageDecoder decoder(row.codePage);
        std::string out;
        decoder.decode(row.bytes, out);
        EXPECT_EQ(out, row.expected);
    }
}

} // namespace
