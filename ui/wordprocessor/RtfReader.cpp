#include "ui/wordprocessor/RtfReader.h"

#include "platform/TextDecoding.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <map>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace wordprocessor::rtf {
namespace {

enum class Destination : std::uint8_t { Body, Skip, FontTable, ColourTable };

// What a control word does. Words not in the table are ignored, as RTF asks.
enum class Action : std::uint8_t {
    SkipDestination,
    FontTable,
    ColourTable,
    Ansi,
    AnsiCodePage,
    DefaultFont,
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    Plain,
    Font,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    StrikeOut,
    Hidden,
    Foreground,
    Background,
    Superscript,
    Subscript,
    NoSuperSub,
    ParagraphDefaults,
    AlignLeft,
    AlignRight,
    AlignCentre,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstLineIndent,
    SpaceBefore,
    SpaceAfter,
    ParagraphBreak,
    Character, // `value` is the code point it stands for
    Unicode,
    UnicodeSkip,
    Binary,
};

struct WordEntry {
    std::string_view name;
    Action action;
    char32_t value = 0; // code point for Character; code page for Ansi
};

// One table for every control word the reader acts on.
constexpr std::array kWords{
    // Destinations shown nowhere in the editor. Those marked \* are skipped
    // anyway; these are the ones writers emit without the mark.
    WordEntry{"annotation", Action::SkipDestination},
    WordEntry{"atnauthor", Action::SkipDestination},
    WordEntry{"atnid", Action::SkipDestination},
    WordEntry{"author", Action::SkipDestination},
    WordEntry{"bkmkend", Action::SkipDestination},
    WordEntry{"bkmkstart", Action::SkipDestination},
    WordEntry{"buptim", Action::SkipDestination},
    WordEntry{"colorschememapping", Action::SkipDestination},
    WordEntry{"comment", Action::SkipDestination},
    WordEntry{"creatim", Action::SkipDestination},
    WordEntry{"datastore", Action::SkipDestination},
    WordEntry{"do", Action::SkipDestination},
    WordEntry{"doccomm", Action::SkipDestination},
    WordEntry{"docvar", Action::SkipDestination},
    WordEntry{"falt", Action::SkipDestination},
    WordEntry{"filetbl", Action::SkipDestination},
    WordEntry{"fldinst", Action::SkipDestination},
    WordEntry{"fname", Action::SkipDestination},
    WordEntry{"footer", Action::SkipDestination},
    WordEntry{"footerf", Action::SkipDestination},
    WordEntry{"footerl", Action::SkipDestination},
    WordEntry{"footerr", Action::SkipDestination},
    WordEntry{"footnote", Action::SkipDestination},
    WordEntry{"ftncn", Action::SkipDestination},
    WordEntry{"ftnsep", Action::SkipDestination},
    WordEntry{"ftnsepc", Action::SkipDestination},
    WordEntry{"generator", Action::SkipDestination},
    WordEntry{"header", Action::SkipDestination},
    WordEntry{"headerf", Action::SkipDestination},
    WordEntry{"headerl", Action::SkipDestination},
    WordEntry{"headerr", Action::SkipDestination},
    WordEntry{"info", Action::SkipDestination},
    WordEntry{"keywords", Action::SkipDestination},
    WordEntry{"latentstyles", Action::SkipDestination},
    WordEntry{"listoverridetable", Action::SkipDestination},
    WordEntry{"listtable", Action::SkipDestination},
    WordEntry{"nonshppict", Action::SkipDestination},
    WordEntry{"object", Action::SkipDestination},
    WordEntry{"objdata", Action::SkipDestination},
    WordEntry{"operator", Action::SkipDestination},
    WordEntry{"panose", Action::SkipDestination},
    WordEntry{"pgdsctbl", Action::SkipDestination},
    WordEntry{"pict", Action::SkipDestination},
    WordEntry{"pn", Action::SkipDestination},
    WordEntry{"printim", Action::SkipDestination},
    WordEntry{"private", Action::SkipDestination},
    WordEntry{"revtbl", Action::SkipDestination},
    WordEntry{"revtim", Action::SkipDestination},
    WordEntry{"rsidtbl", Action::SkipDestination},
    WordEntry{"rxe", Action::SkipDestination},
    WordEntry{"shp", Action::SkipDestination},
    WordEntry{"shpinst", Action::SkipDestination},
    WordEntry{"shppict", Action::SkipDestination},
    WordEntry{"stylesheet", Action::SkipDestination},
    WordEntry{"subject", Action::SkipDestination},
    WordEntry{"tc", Action::SkipDestination},
    WordEntry{"template", Action::SkipDestination},
    WordEntry{"themedata", Action::SkipDestination},
    WordEntry{"title", Action::SkipDestination},
    WordEntry{"txe", Action::SkipDestination},
    WordEntry{"ud", Action::SkipDestination},
    WordEntry{"userprops", Action::SkipDestination},
    WordEntry{"xe", Action::SkipDestination},
    WordEntry{"xmlnstbl", Action::SkipDestination},
    // Tables of the header.
    WordEntry{"fonttbl", Action::FontTable},
    WordEntry{"colortbl", Action::ColourTable},
    WordEntry{"ansi", Action::Ansi, 1252},
    WordEntry{"mac", Action::Ansi, 10000},
    WordEntry{"pc", Action::Ansi, 437},
    WordEntry{"pca", Action::Ansi, 850},
    WordEntry{"ansicpg", Action::AnsiCodePage},
    WordEntry{"deff", Action::DefaultFont},
    WordEntry{"fcharset", Action::FontCharset},
    WordEntry{"cpg", Action::FontCodePage},
    WordEntry{"red", Action::Red},
    WordEntry{"green", Action::Green},
    WordEntry{"blue", Action::Blue},
    // Character formatting.
    WordEntry{"plain", Action::Plain},
    WordEntry{"f", Action::Font},
    WordEntry{"fs", Action::FontSize},
    WordEntry{"b", Action::Bold},
    WordEntry{"i", Action::Italic},
    WordEntry{"ul", Action::Underline},
    WordEntry{"uld", Action::Underline},
    WordEntry{"uldash", Action::Underline},
    WordEntry{"uldashd", Action::Underline},
    WordEntry{"uldashdd", Action::Underline},
    WordEntry{"uldb", Action::Underline},
    WordEntry{"ulhwave", Action::Underline},
    WordEntry{"ulldash", Action::Underline},
    WordEntry{"ulth", Action::Underline},
    WordEntry{"ulthd", Action::Underline},
    WordEntry{"ulthdash", Action::Underline},
    WordEntry{"ulthdashd", Action::Underline},
    WordEntry{"ulthdashdd", Action::Underline},
    WordEntry{"ulthldash", Action::Underline},
    WordEntry{"ululdbwave", Action::Underline},
    WordEntry{"ulw", Action::Underline},
    WordEntry{"ulwave", Action::Underline},
    WordEntry{"ulnone", Action::UnderlineNone},
    WordEntry{"strike", Action::StrikeOut},
    WordEntry{"striked", Action::StrikeOut},
    WordEntry{"v", Action::Hidden},
    WordEntry{"cf", Action::Foreground},
    WordEntry{"cb", Action::Background},
    WordEntry{"highlight", Action::Background},
    WordEntry{"chcbpat", Action::Background},
    WordEntry{"super", Action::Superscript},
    WordEntry{"sub", Action::Subscript},
    WordEntry{"nosupersub", Action::NoSuperSub},
    // Paragraph formatting.
    WordEntry{"pard", Action::ParagraphDefaults},
    WordEntry{"ql", Action::AlignLeft},
    WordEntry{"qr", Action::AlignRight},
    WordEntry{"qc", Action::AlignCentre},
    WordEntry{"qj", Action::AlignJustify},
    WordEntry{"qd", Action::AlignJustify},
    WordEntry{"li", Action::LeftIndent},
    WordEntry{"ri", Action::RightIndent},
    WordEntry{"fi", Action::FirstLineIndent},
    WordEntry{"sb", Action::SpaceBefore},
    WordEntry{"sa", Action::SpaceAfter},
    // Breaks; a table row ends a paragraph and its cells are tab-separated.
    WordEntry{"par", Action::ParagraphBreak},
    WordEntry{"sect", Action::ParagraphBreak},
    WordEntry{"page", Action::ParagraphBreak},
    WordEntry{"column", Action::ParagraphBreak},
    WordEntry{"row", Action::ParagraphBreak},
    WordEntry{"nestrow", Action::ParagraphBreak},
    WordEntry{"line", Action::Character, 0x2028},
    WordEntry{"tab", Action::Character, '\t'},
    WordEntry{"cell", Action::Character, '\t'},
    WordEntry{"nestcell", Action::Character, '\t'},
    // Special characters.
    WordEntry{"emdash", Action::Character, 0x2014},
    WordEntry{"endash", Action::Character, 0x2013},
    WordEntry{"emspace", Action::Character, 0x2003},
    WordEntry{"enspace", Action::Character, 0x2002},
    WordEntry{"qmspace", Action::Character, 0x2005},
    WordEntry{"bullet", Action::Character, 0x2022},
    WordEntry{"lquote", Action::Character, 0x2018},
    WordEntry{"rquote", Action::Character, 0x2019},
    WordEntry{"ldblquote", Action::Character, 0x201C},
    WordEntry{"rdblquote", Action::Character, 0x201D},
    WordEntry{"zwbo", Action::Character, 0x200B},
    WordEntry{"zwj", Action::Character, 0x200D},
    WordEntry{"zwnj", Action::Character, 0x200C},
    WordEntry{"ltrmark", Action::Character, 0x200E},
    WordEntry{"rtlmark", Action::Character, 0x200F},
    // Unicode and binary data.
    WordEntry{"u", Action::Unicode},
    WordEntry{"uc", Action::UnicodeSkip},
    WordEntry{"bin", Action::Binary},
};

const WordEntry* findWord(std::string_view name) {
    static const std::unordered_map<std::string_view, const WordEntry*> index = [] {
        std::unordered_map<std::string_view, const WordEntry*> map;
        for (const WordEntry& entry : kWords) {
            map.emplace(entry.name, &entry);
        }
        return map;
    }();
    const auto it = index.find(name);
    return it == index.end() ? nullptr : it->second;
}

struct CharsetCodePage {
    int charset;
    int codePage;
};

// \fcharset values and the code page their text is in. ANSI (0), default (1)
// and symbol (2) fonts use the document's code page.
constexpr std::array kCharsets{
    CharsetCodePage{77, 10000}, CharsetCodePage{128, 932},  CharsetCodePage{129, 949},
    CharsetCodePage{130, 1361}, CharsetCodePage{134, 936},  CharsetCodePage{136, 950},
    CharsetCodePage{161, 1253}, CharsetCodePage{162, 1254}, CharsetCodePage{163, 1258},
    CharsetCodePage{177, 1255}, CharsetCodePage{178, 1256}, CharsetCodePage{186, 1257},
    CharsetCodePage{204, 1251}, CharsetCodePage{222, 874},  CharsetCodePage{238, 1250},
    CharsetCodePage{254, 437},  CharsetCodePage{255, 850},
};

int codePageOfCharset(int charset) {
    for (const CharsetCodePage& entry : kCharsets) {
        if (entry.charset == charset) {
            return entry.codePage;
        }
    }
    return 0;
}

constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxHalfPoints = 3276; // 1638 pt, the largest size word processors offer
constexpr int kMaxTwips = 31680;     // 22 inches
constexpr int kDefaultCodePage = 1252;

// The state a group opens with and restores when it closes.
struct GroupState {
    Destination destination = Destination::Body;
    int font = -1; // -1: the document's default font (\deff)
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool hidden = false;
    int foreground = -1; // colour table index; -1, unknown indices and an empty entry are automatic
    int background = -1; // -1: none
    VerticalPosition vertical = VerticalPosition::Normal;
    ParagraphFormat paragraph;
    int unicodeSkip = 1;
};

struct Font {
    std::string name;
    int codePage = 0; // 0: the document's code page
};

// Text as it arrives: bytes in one code page wait in `bytes` until something
// that is not a byte of that code page follows, so that a lead byte and its
// trail byte are always decoded together, whatever form each came in.
struct TextRun {
    std::string utf8;
    std::string bytes;
    int codePage = kDefaultCodePage;
};

// Clamps a parsed parameter to the range a caller can use.
int clampParameter(long long value, int low, int high) {
    return static_cast<int>(
        std::clamp(value, static_cast<long long>(low), static_cast<long long>(high)));
}

bool isLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

int hexValue(unsigned char c) {
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void trimSpaces(std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) {
        s.clear();
        return;
    }
    s.erase(s.find_last_not_of(' ') + 1);
    s.erase(0, first);
}

class Reader {
public:
    Reader(std::string_view data, Sink& sink) : data_(data), sink_(sink) {}

    void read() {
        while (pos_ < data_.size()) {
            const auto c = byteAt(pos_);
            if (c == '{') {
                ++pos_;
                openGroup();
            } else if (c == '}') {
                ++pos_;
                if (closeGroup()) {
                    break; // the document ends with its outermost group
                }
            } else if (c == '\\') {
                ++pos_;
                controlSequence();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                plainText();
            }
        }
        if (!stack_.empty() && !rootClosed_) {
            lastParagraph_ = stack_.back().paragraph; // truncated input
        }
        flushRun();
        sink_.documentEnd(pendingParagraph_ ? *pendingParagraph_ : lastParagraph_);
    }

private:
    unsigned char byteAt(std::size_t i) const { return static_cast<unsigned char>(data_[i]); }
    GroupState& state() { return stack_.back(); }

    Destination destination() const {
        return untrackedSkipDepth_ != 0 ? Destination::Skip : stack_.back().destination;
    }

    // A skipped group beyond the tracked depth is remembered by its depth, so
    // that what follows it in the shared state is shown again.
    void skipGroup() {
        if (untrackedDepth_ == 0) {
            state().destination = Destination::Skip;
        } else if (untrackedSkipDepth_ == 0) {
            untrackedSkipDepth_ = untrackedDepth_;
        }
    }

    void openGroup() {
        skipCount_ = 0;
        if (stack_.empty()) {
            stack_.emplace_back();
        } else if (stack_.size() >= kMaxGroupDepth) {
            ++untrackedDepth_;
        } else {
            stack_.push_back(stack_.back());
        }
    }

    // Returns true when the outermost group closed.
    bool closeGroup() {
        skipCount_ = 0;
        if (untrackedDepth_ > 0) {
            if (untrackedSkipDepth_ == untrackedDepth_) {
                untrackedSkipDepth_ = 0;
            }
            --untrackedDepth_;
            return false;
        }
        if (state().destination == Destination::FontTable) {
            finishFontEntry();
        }
        if (stack_.size() == 1) {
            lastParagraph_ = state().paragraph;
            rootClosed_ = true;
            return true;
        }
        stack_.pop_back();
        formatDirty_ = true;
        return false;
    }

    // Consumes one unit of \u fallback text; true if the unit is to be dropped.
    bool skipUnit() {
        if (skipCount_ == 0) {
            return false;
        }
        --skipCount_;
        return true;
    }

    void plainText() {
        const auto c = byteAt(pos_);
        if (c < 0x20) {
            ++pos_;
            if (c == '\t' && !skipUnit()) {
                character(U'\t');
            }
            return; // other control bytes are no text
        }
        std::size_t end = pos_ + 1;
        while (end < data_.size()) {
            const auto d = byteAt(end);
            if (d == '{' || d == '}' || d == '\\' || d < 0x20) {
                break;
            }
            ++end;
        }
        std::string_view bytes = data_.substr(pos_, end - pos_);
        pos_ = end;
        if (skipCount_ > 0) {
            const std::size_t skipped =
                std::min(static_cast<std::size_t>(skipCount_), bytes.size());
            skipCount_ -= static_cast<int>(skipped);
            bytes.remove_prefix(skipped);
        }
        if (!bytes.empty()) {
            textBytes(bytes);
        }
    }

    void controlSequence() {
        if (pos_ >= data_.size()) {
            return;
        }
        const auto c = byteAt(pos_);
        if (isLetter(c)) {
            controlWord();
            return;
        }
        ++pos_;
        if (c == '\'') {
            int value = 0;
            int digits = 0;
            while (digits < 2 && pos_ < data_.size() && hexValue(byteAt(pos_)) >= 0) {
                value = value * 16 + hexValue(byteAt(pos_));
                ++pos_;
                ++digits;
            }
            if (digits == 0 || skipUnit()) {
                return;
            }
            if (value < 0x20) {
                // Control bytes are no text, written in hex or not; no code
                // page has one as a trail byte.
                if (value == '\t') {
                    character(U'\t');
                }
                return;
            }
            const char byte = static_cast<char>(value);
            textBytes(std::string_view(&byte, 1));
            return;
        }
        if (skipUnit()) {
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}': {
            // Escaped, but still a byte of the text: it may be the trail byte
            // of a double-byte character whose lead byte came just before.
            const char byte = static_cast<char>(c);
            textBytes(std::string_view(&byte, 1));
            break;
        }
        case '\r':
        case '\n':
            paragraphBreak();
            break;
        case '*':
            skipGroup();
            break;
        case '~':
            character(0x00A0);
            break;
        case '-':
            character(0x00AD);
            break;
        case '_':
            character(0x2011);
            break;
        default:
            break; // \| \: and unknown symbols show nothing
        }
    }

    void controlWord() {
        constexpr std::size_t kMaxNameLength = 32;
        const std::size_t nameStart = pos_;
        while (pos_ < data_.size() && isLetter(byteAt(pos_))) {
            ++pos_;
        }
        const std::string_view name = data_.substr(nameStart, pos_ - nameStart);
        bool hasParameter = false;
        long long parameter = 0;
        bool negative = false;
        if (pos_ + 1 < data_.size() && byteAt(pos_) == '-' && isDigit(byteAt(pos_ + 1))) {
            negative = true;
            ++pos_;
        }
        while (pos_ < data_.size() && isDigit(byteAt(pos_))) {
            hasParameter = true;
            if (parameter < INT_MAX) {
                parameter = parameter * 10 + (byteAt(pos_) - '0');
            }
            ++pos_;
        }
        if (negative) {
            parameter = -parameter;
        }
        parameter =
            std::clamp(parameter, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX));
        if (pos_ < data_.size() && byteAt(pos_) == ' ') {
            ++pos_;
        }
        const WordEntry* entry = name.size() <= kMaxNameLength ? findWord(name) : nullptr;
        if (entry != nullptr && entry->action == Action::Binary) {
            // Raw bytes follow whatever the destination; they may hold braces.
            const auto remaining = static_cast<long long>(data_.size() - pos_);
            pos_ += static_cast<std::size_t>(std::clamp(parameter, 0LL, remaining));
            skipUnit();
            return;
        }
        if (skipUnit() || entry == nullptr) {
            return;
        }
        apply(*entry, hasParameter, static_cast<int>(parameter));
    }

    void apply(const WordEntry& entry, bool hasParameter, int parameter) {
        GroupState& s = state();
        const bool on = !hasParameter || parameter != 0;
        switch (entry.action) {
        case Action::SkipDestination:
            skipGroup();
            return;
        case Action::FontTable:
            s.destination = Destination::FontTable;
            return;
        case Action::ColourTable:
            s.destination = Destination::ColourTable;
            return;
        case Action::Unicode:
            if (hasParameter) {
                unicode(parameter);
            }
            return;
        case Action::UnicodeSkip:
            s.unicodeSkip = std::max(parameter, 0);
            return;
        default:
            break;
        }
        if (destination() == Destination::Skip) {
            return;
        }
        if (s.destination == Destination::FontTable) {
            fontTableWord(entry.action, hasParameter, parameter);
            return;
        }
        if (s.destination == Destination::ColourTable) {
            colourTableWord(entry.action, parameter);
            return;
        }
        switch (entry.action) {
        case Action::Ansi:
            ansiCodePage_ = static_cast<int>(entry.value);
            break;
        case Action::AnsiCodePage:
            ansiCodePage_ = parameter;
            break;
        case Action::DefaultFont:
            defaultFont_ = parameter;
            break;
        case Action::Plain:
            s.font = -1;
            s.halfPoints = kDefaultHalfPoints;
            s.bold = s.italic = s.underline = s.strikeOut = s.hidden = false;
            s.foreground = s.background = -1;
            s.vertical = VerticalPosition::Normal;
            break;
        case Action::Font:
            s.font = parameter;
            break;
        case Action::FontSize:
            s.halfPoints = hasParameter && parameter > 0 ? std::min(parameter, kMaxHalfPoints)
                                                         : kDefaultHalfPoints;
            break;
        case Action::Bold:
            s.bold = on;
            break;
        case Action::Italic:
            s.italic = on;
            break;
        case Action::Underline:
            s.underline = on;
            break;
        case Action::UnderlineNone:
            s.underline = false;
            break;
        case Action::StrikeOut:
            s.strikeOut = on;
            break;
        case Action::Hidden:
            s.hidden = on;
            break;
        case Action::Foreground:
            s.foreground = parameter;
            break;
        case Action::Background:
            s.background = parameter == 0 ? -1 : parameter; // 0 is "no background" by convention
            break;
        case Action::Superscript:
            s.vertical = VerticalPosition::Superscript;
            break;
        case Action::Subscript:
            s.vertical = VerticalPosition::Subscript;
            break;
        case Action::NoSuperSub:
            s.vertical = VerticalPosition::Normal;
            break;
        case Action::ParagraphDefaults:
            s.paragraph = ParagraphFormat{};
            break;
        case Action::AlignLeft:
            s.paragraph.alignment = Alignment::Left;
            break;
        case Action::AlignRight:
            s.paragraph.alignment = Alignment::Right;
            break;
        case Action::AlignCentre:
            s.paragraph.alignment = Alignment::Centre;
            break;
        case Action::AlignJustify:
            s.paragraph.alignment = Alignment::Justify;
            break;
        case Action::LeftIndent:
            s.paragraph.leftIndentTwips = clampParameter(parameter, -kMaxTwips, kMaxTwips);
            break;
        case Action::RightIndent:
            s.paragraph.rightIndentTwips = clampParameter(parameter, -kMaxTwips, kMaxTwips);
            break;
        case Action::FirstLineIndent:
            s.paragraph.firstLineIndentTwips = clampParameter(parameter, -kMaxTwips, kMaxTwips);
            break;
        case Action::SpaceBefore:
            s.paragraph.spaceBeforeTwips = clampParameter(parameter, 0, kMaxTwips);
            break;
        case Action::SpaceAfter:
            s.paragraph.spaceAfterTwips = clampParameter(parameter, 0, kMaxTwips);
            break;
        case Action::ParagraphBreak:
            paragraphBreak();
            return;
        case Action::Character:
            character(entry.value);
            return;
        default:
            return; // table words outside their table
        }
        formatDirty_ = true;
    }

    // --- font and colour tables ---

    void fontTableWord(Action action, bool hasParameter, int parameter) {
        switch (action) {
        case Action::Font:
            finishFontEntry();
            fontEntryOpen_ = true;
            fontEntry_ = parameter;
            fontEntryCodePage_ = 0;
            fontName_ = TextRun{};
            break;
        case Action::FontCharset:
            if (fontEntryOpen_ && hasParameter) {
                fontEntryCodePage_ = codePageOfCharset(parameter);
            }
            break;
        case Action::FontCodePage:
            if (fontEntryOpen_ && hasParameter) {
                fontEntryCodePage_ = parameter;
            }
            break;
        default:
            break;
        }
    }

    void fontTableBytes(std::string_view bytes) {
        while (!bytes.empty()) {
            const auto semicolon = bytes.find(';');
            if (fontEntryOpen_) {
                const int codePage = fontEntryCodePage_ != 0 ? fontEntryCodePage_ : ansiCodePage_;
                addBytes(fontName_, bytes.substr(0, semicolon), codePage);
            }
            if (semicolon == std::string_view::npos) {
                return;
            }
            finishFontEntry();
            bytes.remove_prefix(semicolon + 1);
        }
    }

    void finishFontEntry() {
        if (!fontEntryOpen_) {
            return;
        }
        fontEntryOpen_ = false;
        decodePending(fontName_);
        Font font{std::move(fontName_.utf8), fontEntryCodePage_};
        trimSpaces(font.name);
        fonts_[fontEntry_] = std::move(font);
        formatDirty_ = true;
    }

    void colourTableWord(Action action, int parameter) {
        const auto component = static_cast<std::uint8_t>(clampParameter(parameter, 0, 255));
        switch (action) {
        case Action::Red:
            colour_.red = component;
            break;
        case Action::Green:
            colour_.green = component;
            break;
        case Action::Blue:
            colour_.blue = component;
            break;
        default:
            return;
        }
        colourSet_ = true;
    }

    void colourTableBytes(std::string_view bytes) {
        for (const char c : bytes) {
            if (c == ';') {
                colours_.push_back(colourSet_ ? std::optional<Colour>(colour_) : std::nullopt);
                colour_ = Colour{};
                colourSet_ = false;
            }
        }
    }

    std::optional<Colour> colourAt(int index) const {
        if (index < 0 || static_cast<std::size_t>(index) >= colours_.size()) {
            return std::nullopt;
        }
        return colours_[static_cast<std::size_t>(index)];
    }

    // --- text ---

    void textBytes(std::string_view bytes) {
        switch (destination()) {
        case Destination::Body:
            dropLoneSurrogate();
            if (!state().hidden) {
                prepareBodyFormat();
                addBytes(run_, bytes, bodyCodePage_);
            }
            break;
        case Destination::FontTable:
            dropLoneSurrogate();
            fontTableBytes(bytes);
            break;
        case Destination::ColourTable:
            colourTableBytes(bytes);
            break;
        case Destination::Skip:
            break;
        }
    }

    // One character that is not a byte of any code page.
    void character(char32_t codePoint) {
        const Destination target = destination();
        if (target != Destination::Body && target != Destination::FontTable) {
            return;
        }
        if (codePoint < 0x20 && codePoint != U'\t') {
            return; // no control character is text, as \u13 would try to make one
        }
        if (codePoint >= 0xD800 && codePoint <= 0xDBFF) {
            dropLoneSurrogate();
            highSurrogate_ = codePoint;
            return;
        }
        if (codePoint >= 0xDC00 && codePoint <= 0xDFFF) {
            if (highSurrogate_ == 0) {
                codePoint = 0xFFFD;
            } else {
                codePoint = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (codePoint - 0xDC00);
                highSurrogate_ = 0;
            }
        } else {
            dropLoneSurrogate();
        }
        if (target == Destination::FontTable) {
            if (fontEntryOpen_) {
                addCodePoint(fontName_, codePoint);
            }
        } else if (!state().hidden) {
            prepareBodyFormat();
            addCodePoint(run_, codePoint);
        }
    }

    void unicode(int parameter) {
        // Values above 32767 are written as negative 16-bit numbers.
        const int value = parameter < 0 ? parameter + 65536 : parameter;
        character(value < 0 || value > 0xFFFF ? char32_t{0xFFFD} : static_cast<char32_t>(value));
        skipCount_ = state().unicodeSkip;
    }

    // A high surrogate not followed by its low half stands for nothing valid.
    void dropLoneSurrogate() {
        if (highSurrogate_ != 0) {
            highSurrogate_ = 0;
            character(0xFFFD);
        }
    }

    void paragraphBreak() {
        if (destination() != Destination::Body) {
            return;
        }
        dropLoneSurrogate();
        flushRun();
        emitPendingParagraph();
        pendingParagraph_ = state().paragraph;
    }

    // Paragraph ends reach the sink only once something follows them, so that
    // a final \par closes the last paragraph instead of adding an empty one.
    void emitPendingParagraph() {
        if (pendingParagraph_) {
            sink_.paragraphEnd(*pendingParagraph_);
            pendingParagraph_.reset();
        }
    }

    CharacterFormat currentFormat() const {
        const GroupState& s = stack_.back();
        CharacterFormat f;
        const auto font = fonts_.find(s.font >= 0 ? s.font : defaultFont_);
        if (font != fonts_.end()) {
            f.fontName = font->second.name;
        }
        f.halfPoints = s.halfPoints;
        f.bold = s.bold;
        f.italic = s.italic;
        f.underline = s.underline;
        f.strikeOut = s.strikeOut;
        f.foreground = colourAt(s.foreground);
        f.background = colourAt(s.background);
        f.vertical = s.vertical;
        return f;
    }

    int currentCodePage() const {
        const GroupState& s = stack_.back();
        const auto font = fonts_.find(s.font >= 0 ? s.font : defaultFont_);
        if (font != fonts_.end() && font->second.codePage != 0) {
            return font->second.codePage;
        }
        return ansiCodePage_;
    }

    // The format is worked out again only after something may have changed it.
    void prepareBodyFormat() {
        if (!formatDirty_) {
            return;
        }
        formatDirty_ = false;
        CharacterFormat format = currentFormat();
        if (format != runFormat_) {
            flushRun();
            runFormat_ = std::move(format);
        }
        bodyCodePage_ = currentCodePage();
    }

    void flushRun() {
        decodePending(run_);
        if (run_.utf8.empty()) {
            return;
        }
        emitPendingParagraph();
        sink_.text(run_.utf8, runFormat_);
        run_.utf8.clear();
    }

    void addBytes(TextRun& run, std::string_view bytes, int codePage) {
        if (run.codePage != codePage) {
            decodePending(run);
            run.codePage = codePage;
        }
        run.bytes.append(bytes);
    }

    void addCodePoint(TextRun& run, char32_t codePoint) {
        decodePending(run);
        platform::appendUtf8(run.utf8, codePoint);
    }

    void decodePending(TextRun& run) {
        if (!run.bytes.empty()) {
            decoderFor(run.codePage).decode(run.bytes, run.utf8);
            run.bytes.clear();
        }
    }

    // A code page iconv lacks falls back to the document's, then to 1252.
    platform::CodePageDecoder& decoderFor(int codePage) {
        const auto found = decoders_.find(codePage);
        if (found != decoders_.end()) {
            return *found->second;
        }
        platform::CodePageDecoder* decoder = nullptr;
        try {
            owned_.push_back(std::make_unique<platform::CodePageDecoder>(codePage));
            decoder = owned_.back().get();
        } catch (const platform::TextDecodingError&) {
            if (codePage == kDefaultCodePage) {
                throw;
            }
            decoder = codePage != ansiCodePage_ ? &decoderFor(ansiCodePage_)
                                                : &decoderFor(kDefaultCodePage);
        }
        decoders_.emplace(codePage, decoder);
        return *decoder;
    }

    std::string_view data_;
    Sink& sink_;
    std::size_t pos_ = 0;

    std::vector<GroupState> stack_;
    std::size_t untrackedDepth_ = 0;     // open groups beyond kMaxGroupDepth
    std::size_t untrackedSkipDepth_ = 0; // the untracked depth skipping began at; 0: none
    bool rootClosed_ = false;
    int skipCount_ = 0; // \u fallback units still to drop
    char32_t highSurrogate_ = 0;

    int ansiCodePage_ = kDefaultCodePage;
    int defaultFont_ = 0;
    std::map<int, Font> fonts_;
    bool fontEntryOpen_ = false;
    int fontEntry_ = 0;
    int fontEntryCodePage_ = 0;
    TextRun fontName_;

    std::vector<std::optional<Colour>> colours_;
    Colour colour_;
    bool colourSet_ = false;

    TextRun run_;
    CharacterFormat runFormat_;
    int bodyCodePage_ = kDefaultCodePage;
    bool formatDirty_ = true;
    std::optional<ParagraphFormat> pendingParagraph_;
    ParagraphFormat lastParagraph_;

    std::map<int, platform::CodePageDecoder*> decoders_;
    std::vector<std::unique_ptr<platform::CodePageDecoder>> owned_;
};

} // namespace

bool isRtf(std::string_view bytes) {
    return bytes.substr(0, 5) == "{\\rtf";
}

bool readRtf(std::string_view bytes, Sink& sink) {
    if (!isRtf(bytes)) {
        return false;
    }
    Reader(bytes, sink).read();
    return true;
}

} // namespace wordprocessor::rtf
