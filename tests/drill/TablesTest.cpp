// Properties the window and the judging rely on, checked across the tables
// rather than row by row.
#include "FakePorts.h"
#include "drill/FingerColours.h"
#include "drill/KeyCells.h"
#include "drill/ModeLayout.h"
#include "drill/PickLists.h"
#include "drill/Regions.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

namespace drilltest {
namespace {

using drill::KeyCell;
using drill::KeyRow;

TEST(KeyCells, FortyNineUniquelyNamedCellsOfWhichOnlyLettersAndBlanksAreShown) {
    std::set<std::string_view> names;
    int letters = 0;
    int hidden = 0;
    for (const KeyCell& cell : drill::keyCells()) {
        EXPECT_TRUE(names.insert(cell.name).second) << cell.name;
        if (cell.keyCode != 0) {
            ++letters;
            EXPECT_TRUE(cell.shownAtStart) << cell.name;
            EXPECT_EQ(cell.caption, std::string(1, static_cast<char>(cell.keyCode)));
            EXPECT_EQ(cell.width, 17);
            EXPECT_EQ(cell.height, 20);
            EXPECT_EQ(cell.charHeight, cell.caption == "W" ? 19 : 21) << cell.name;
        } else if (cell.caption.empty()) {
            EXPECT_TRUE(cell.shownAtStart) << cell.name;
            EXPECT_EQ(cell.charHeight, 0) << cell.name;
        } else {
            ++hidden;
            EXPECT_FALSE(cell.shownAtStart) << cell.name;
        }
    }
    EXPECT_EQ(names.size(), 49u);
    EXPECT_EQ(letters, 26);
    EXPECT_EQ(hidden, 21);
}

TEST(KeyCells, BlankCellsAndTheBackslashCell) {
    std::map<std::string_view, const KeyCell*> byName;
    for (const KeyCell& cell : drill::keyCells()) {
        byName[cell.name] = &cell;
    }
    EXPECT_EQ(byName.at("StaticText52")->caption, "\\");
    EXPECT_EQ(byName.at("StaticText52")->caption.size(), 1u);
    EXPECT_TRUE(byName.at("StaticText53")->caption.empty());
    EXPECT_EQ(byName.at("StaticText53")->colour, drill::clWhite);
    EXPECT_TRUE(byName.at("StaticText54")->caption.empty());
    EXPECT_EQ(byName.at("StaticText54")->colour, drill::clBtnFace);
}

// Within a row keys stand 32 pixels apart from the row's first left edge;
// only the three blank/backslash cells at the end of the bottom row do not.
TEST(KeyCells, RowsAreEvenlySpaced) {
    const std::map<KeyRow, std::pair<int, int>> rowStart{{KeyRow::Number, {44, 44}},
                                                         {KeyRow::Top, {60, 76}},
                                                         {KeyRow::Home, {68, 112}},
                                                         {KeyRow::Bottom, {84, 144}}};
    std::map<KeyRow, int> column;
    for (const KeyCell& cell : drill::keyCells()) {
        if (cell.name.starts_with("StaticText")) {
            continue;
        }
        const auto [left, top] = rowStart.at(cell.row);
        EXPECT_EQ(cell.left, left + 32 * column[cell.row]++) << cell.name;
        EXPECT_EQ(cell.top, top) << cell.name;
    }
}

TEST(KeyCells, EveryCaptionedCellHasItsFingersColour) {
    std::map<char, drill::Colour> fingerOf;
    for (const drill::FingerColour& f : drill::kFingerColours) {
        for (char key : f.letterKeys) {
            EXPECT_TRUE(fingerOf.emplace(key, f.colour).second) << key;
        }
        for (char key : f.hiddenKeys) {
            EXPECT_TRUE(fingerOf.emplace(key, f.colour).second) << key;
        }
    }
    EXPECT_EQ(fingerOf.size(), 47u);
    for (const KeyCell& cell : drill::keyCells()) {
        if (!cell.caption.empty()) {
            EXPECT_EQ(cell.colour, fingerOf.at(cell.caption[0])) << cell.name;
        }
    }
}

TEST(KeyCells, LetterLookupAnswersOnlyTheTwentySixLetterCodes) {
    for (int code = 0; code < 0x10000; ++code) {
        const KeyCell* cell = drill::letterCellByKeyCode(code);
        if (code >= 'A' && code <= 'Z') {
            ASSERT_NE(cell, nullptr) << code;
            EXPECT_EQ(cell->keyCode, code);
        } else {
            EXPECT_EQ(cell, nullptr) << code;
        }
    }
    EXPECT_EQ(letterCell('R').name, "statictext16");
}

TEST(PickLists, SlotCountsAndDoubledLetters) {
    struct Row {
        int region;
        std::size_t slots;
        char doubled;
    };
    for (const Row& row :
         {Row{1, 5, 'A'}, Row{2, 6, 'O'}, Row{3, 6, 'K'}, Row{4, 13, 'N'}, Row{5, 27, 'N'}}) {
        const std::string_view slots = drill::pickListForRegion(row.region).slots;
        EXPECT_EQ(slots.size(), row.slots) << row.region;
        std::map<char, int> count;
        for (char c : slots) {
            ++count[c];
        }
        for (const auto& [letter, n] : count) {
            EXPECT_EQ(n, letter == row.doubled ? 2 : 1) << row.region << " " << letter;
        }
    }
    EXPECT_EQ(drill::pickListForRegion(5).slots.size() - 1, 26u);
}

TEST(PickLists, EachRegionListHoldsExactlyItsFingersLetters) {
    const std::map<int, std::string> letters{{1, "AQZP"}, {2, "WSXOL"}, {3, "EDCIK"}};
    for (const auto& [region, expected] : letters) {
        const std::string_view slots = drill::pickListForRegion(region).slots;
        EXPECT_EQ(std::set<char>(slots.begin(), slots.end()),
                  std::set<char>(expected.begin(), expected.end()))
            << region;
    }
}

TEST(Regions, UnknownNumbersThrow) {
    for (int region : {0, 6, -1}) {
        EXPECT_THROW((void)drill::pickListForRegion(region), std::out_of_range);
        EXPECT_THROW((void)drill::regionRow(region), std::out_of_range);
    }
}

TEST(ModeLayoutTable, ThirteenDistinctControls) {
    std::set<std::string_view> controls;
    for (const drill::ModeLayoutRow& row : drill::kModeLayout) {
        controls.insert(row.control);
    }
    EXPECT_EQ(controls.size(), 13u);
}

} // namespace
} // namespace drilltest
