#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "credits_window/CreditsPropertyLists.h"
#include "dice_window/WinMainPropertyLists.h"
#include "runtime/SerializedProperties.h"

namespace {

using SerializedProperties::Bytes;
using ByteVector = std::vector<std::uint8_t>;

enum class Type { Integer, Boolean, String, Single, Color, Byte };

// Declared type of every property name that may occur, as a reader resolves it.
const std::map<std::string, Type, std::less<>>& DeclaredTypes() {
    static const auto types = [] {
        const std::pair<Type, const char*> groups[] = {
            {Type::Integer,
             "Width Height MinimumWidth MinimumHeight MaximumWidth MaximumHeight MacProcID Type "
             "DefaultLocation Index TabPanelIndex Left Top TabIndex TextAlignment MacButtonStyle"},
            {Type::Boolean,
             "HasCloseButton HasMaximizeButton HasMinimizeButton HasFullScreenButton Resizeable "
             "Composite FullScreen Visible HasBackgroundColor MenuBarVisible LockLeft LockTop "
             "LockRight LockBottom TabStop AllowAutoDeactivate Enabled Transparent Multiline "
             "Selectable Bold Italic Underline Cancel Default AllowFocus AllowFocusRing AllowTabs "
             "DoubleBuffer"},
            {Type::String,
             "Title Name Tooltip InitialParent Text FontName DataSource DataField Caption"},
            {Type::Single, "FontSize"},
            {Type::Color, "BackgroundColor TextColor"},
            {Type::Byte, "FontUnit"},
        };
        std::map<std::string, Type, std::less<>> t;
        for (const auto& [type, names] : groups) {
            std::istringstream in(names);
            for (std::string n; in >> n;) t[n] = type;
        }
        return t;
    }();
    return types;
}

struct Field {
    std::string name;
    ByteVector record;  // the whole record, name included
    std::int64_t integer = 0;
    std::string text;
    float single = 0.0F;
    ByteVector color;
};

struct Walk {
    std::vector<Field> fields;
    bool complete = false;  // every name known and the last record ends at the last byte

    // The first record of that name; a missing one fails the test and reads as empty.
    const Field& operator[](std::string_view name) const {
        static const Field missing;
        for (const Field& f : fields)
            if (f.name == name) return f;
        ADD_FAILURE() << "no record " << name;
        return missing;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const Field& f : fields) names.push_back(f.name);
        return names;
    }
};

Walk Decode(Bytes list) {
    Walk walk;
    auto little = [&](std::size_t from, std::size_t n) {
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < n; ++i) v |= std::uint64_t{list[from + i]} << (8 * i);
        return v;
    };
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t start = at;
        const auto blank = std::find(list.begin() + at, list.end(), 0x20);
        const auto type = DeclaredTypes().find(std::string(list.begin() + at, blank));
        if (blank == list.end() || type == DeclaredTypes().end()) return walk;
        at = static_cast<std::size_t>(blank - list.begin()) + 1;
        // Widths in the order of Type's members; a String adds its count to the 4-byte prefix.
        constexpr std::size_t kWidth[] = {8, 1, 4, 4, 4, 1};
        std::size_t width = kWidth[static_cast<int>(type->second)];
        if (at + width > list.size()) return walk;
        if (type->second == Type::String) width += little(at, 4);
        if (at + width > list.size()) return walk;

        Field f;
        f.name = type->first;
        f.record.assign(list.begin() + start, list.begin() + at + width);
        if (type->second == Type::String) {
            f.text.assign(list.begin() + at + 4, list.begin() + at + width);
        } else if (type->second == Type::Single) {
            const auto bits = static_cast<std::uint32_t>(little(at, 4));
            std::memcpy(&f.single, &bits, sizeof bits);
        } else if (type->second == Type::Color) {
            f.color.assign(list.begin() + at, list.begin() + at + 4);
        } else {
            f.integer = static_cast<std::int64_t>(little(at, width));
        }
        at += width;
        walk.fields.push_back(std::move(f));
    }
    walk.complete = true;
    return walk;
}

ByteVector Ascii(std::string_view s) {
    return {s.begin(), s.end()};
}

ByteVector Concat(std::initializer_list<ByteVector> parts) {
    ByteVector out;
    for (const ByteVector& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

struct Control {
    std::string_view name;
    Bytes list;
    std::size_t records;
    std::size_t length;
    std::int64_t left, top, width, height;
    bool visible;
    std::int64_t tabIndex;
};

// Rows of the two windows' design tables in creation order: the main window's 18, then the
// credits window's 5.
const std::vector<Control>& Controls() {
    namespace L = WinMainPropertyLists;
    namespace C = CreditsPropertyLists;
    static const std::vector<Control> rows = {
        {"lbl_Copyright", L::lbl_Copyright, 32, 449, 20, 559, 595, 38, true, 0},
        {"btn_VisitWebsite", L::btn_VisitWebsite, 29, 406, 174, 609, 153, 20, true, 1},
        {"btn_quit", L::btn_quit, 29, 380, 332, 609, 150, 20, true, 2},
        {"DiceLogo", L::DiceLogo, 23, 310, 174, 54, 292, 232, true, 5},
        {"Roll", L::Roll, 29, 394, 182, 502, 295, 31, true, 6},
        {"LDice1", L::LDice1, 23, 308, 174, 313, 107, 106, false, 7},
        {"LDice2", L::LDice2, 23, 308, 154, 313, 107, 106, false, 8},
        {"LDice3", L::LDice3, 23, 308, 182, 300, 107, 106, false, 9},
        {"LDice5", L::LDice5, 23, 308, 153, 327, 107, 106, false, 10},
        {"LDice6", L::LDice6, 23, 308, 182, 367, 107, 106, false, 11},
        {"RDice1", L::RDice1, 23, 308, 360, 313, 106, 102, false, 12},
        {"RDice2", L::RDice2, 23, 308, 348, 317, 106, 102, false, 13},
        {"RDice3", L::RDice3, 23, 308, 348, 341, 106, 102, false, 14},
        {"RDice4", L::RDice4, 23, 308, 376, 348, 106, 102, false, 15},
        {"RDice5", L::RDice5, 23, 308, 369, 300, 106, 102, false, 16},
        {"RDice6", L::RDice6, 23, 308, 360, 367, 106, 102, false, 17},
        {"LDice4", L::LDice4, 23, 308, 213, 320, 107, 106, false, 18},
        {"lbl_shake_shake", L::lbl_shake_shake, 32, 449, 90, 341, 443, 70, false, 0},
        {"lbl_Credits", C::lbl_Credits, 32, 740, 153, 186, 523, 295, true, 0},
        {"Canvas1", C::Canvas1, 24, 322, 275, 0, 288, 167, true, 1},
        {"btn_VisitOurWebsite", C::btn_VisitOurWebsite, 29, 404, 275, 515, 134, 20, true, 2},
        {"btn_exit", C::btn_exit, 29, 380, 375, 547, 80, 20, true, 3},
        {"btn_contactUs", C::btn_contactUs, 29, 395, 421, 515, 134, 20, true, 4},
    };
    return rows;
}

std::span<const Control> MainControls() {
    return std::span(Controls()).first(18);
}
std::span<const Control> CreditsControls() {
    return std::span(Controls()).last(5);
}

TEST(PropertyListsData, EveryListWalksToItsLastByte) {
    for (const auto& [name, list, length] :
         {std::tuple{"WinMain", WinMainPropertyLists::Window, 366U},
          std::tuple{"Credits", CreditsPropertyLists::Window, 362U}}) {
        const Walk walk = Decode(list);
        EXPECT_TRUE(walk.complete) << name;
        EXPECT_EQ(walk.fields.size(), 21U) << name;
        EXPECT_EQ(list.size(), length) << name;
    }
    for (const Control& c : Controls()) {
        const Walk walk = Decode(c.list);
        EXPECT_TRUE(walk.complete) << c.name;
        EXPECT_EQ(walk.fields.size(), c.records) << c.name;
        EXPECT_EQ(c.list.size(), c.length) << c.name;
    }
}

TEST(PropertyListsData, ControlListsCarryTheirNameCommonValuesAndPlace) {
    const ByteVector noControlSet =
        Concat({Ascii("Index "), {0, 0, 0, 0x80, 0xFF, 0xFF, 0xFF, 0xFF}});
    for (const Control& c : Controls()) {
        SCOPED_TRACE(std::string(c.name));
        const Walk walk = Decode(c.list);
        ASSERT_TRUE(walk.complete);
        EXPECT_EQ(walk["Name"].text, c.name);
        EXPECT_EQ(walk["Index"].record, noControlSet);
        EXPECT_EQ(walk["Index"].integer, -2147483648);
        EXPECT_EQ(walk["InitialParent"].record, Concat({Ascii("InitialParent "), {0, 0, 0, 0}}));
        EXPECT_EQ(walk["Tooltip"].text, "");
        for (const char* on : {"AllowAutoDeactivate", "Enabled", "LockLeft", "LockTop"})
            EXPECT_EQ(walk[on].integer, 1) << on;
        for (const char* off : {"LockRight", "LockBottom", "TabPanelIndex"})
            EXPECT_EQ(walk[off].integer, 0) << off;

        EXPECT_EQ(walk["Left"].integer, c.left);
        EXPECT_EQ(walk["Top"].integer, c.top);
        EXPECT_EQ(walk["Width"].integer, c.width);
        EXPECT_EQ(walk["Height"].integer, c.height);
        EXPECT_EQ(walk["Visible"].integer, c.visible ? 1 : 0);
        EXPECT_EQ(walk["TabIndex"].integer, c.tabIndex);
    }
}

// The main window's control lists are sorted by name ignoring ASCII case; the credits window's
// keep their design order.
TEST(PropertyListsData, ControlListsStandInTheirWindowsOrder) {
    auto folded = [](std::string s) {
        for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        return s;
    };
    for (const Control& c : MainControls()) {
        const std::vector<std::string> names = Decode(c.list).Names();
        for (std::size_t i = 1; i < names.size(); ++i)
            EXPECT_LT(folded(names[i - 1]), folded(names[i])) << c.name << " at record " << i;
    }
    const std::vector<std::string> head = {"Name", "Index", "Left", "Top", "Width", "Height"};
    for (const Control& c : CreditsControls()) {
        const std::vector<std::string> names = Decode(c.list).Names();
        ASSERT_GE(names.size(), head.size());
        EXPECT_TRUE(std::equal(head.begin(), head.end(), names.begin())) << c.name;
        EXPECT_EQ(names.back(), "InitialParent") << c.name;
    }
}

TEST(PropertyListsData, TextAndFontOfLabelsAndButtons) {
    struct Face {
        Bytes list;
        const char* textProperty;
        std::string_view text, fontName;
        float fontSize;
        bool bold, italic, tabStop;
    };
    namespace L = WinMainPropertyLists;
    namespace C = CreditsPropertyLists;
    const Face faces[] = {
        {L::lbl_Copyright, "Text", "Copyright Message Here", "Verdana", 12.0F, true, true, true},
        {L::lbl_shake_shake, "Text", "Shake...Shake...Shake", "System", 30.0F, true, false, false},
        {L::btn_VisitWebsite, "Caption", "Click to Visit Website", "System", 0.0F, false, false,
         true},
        {L::btn_quit, "Caption", "Quit", "System", 0.0F, false, false, true},
        {L::Roll, "Caption", "Click To Roll The Dice", "System", 15.0F, true, false, true},
        {C::btn_VisitOurWebsite, "Caption", "Visit Our Website", "System", 0.0F, false, false,
         true},
        {C::btn_exit, "Caption", "Exit", "System", 0.0F, false, false, true},
        {C::btn_contactUs, "Caption", "Contact Us Now", "System", 0.0F, false, false, true},
    };
    for (const Face& face : faces) {
        const Walk walk = Decode(face.list);
        ASSERT_TRUE(walk.complete);
        SCOPED_TRACE(walk["Name"].text);
        EXPECT_EQ(walk[face.textProperty].text, face.text);
        EXPECT_EQ(walk["FontName"].text, face.fontName);
        EXPECT_EQ(walk["FontSize"].single, face.fontSize);
        EXPECT_EQ(walk["FontUnit"].record, Concat({Ascii("FontUnit "), {0}}));
        EXPECT_EQ(walk["Bold"].integer, face.bold ? 1 : 0);
        EXPECT_EQ(walk["Italic"].integer, face.italic ? 1 : 0);
        EXPECT_EQ(walk["TabStop"].integer, face.tabStop ? 1 : 0);
        EXPECT_EQ(walk["Underline"].integer, 0);
        if (face.textProperty == std::string_view("Text")) {
            EXPECT_EQ(walk["TextAlignment"].integer, 2);
            EXPECT_EQ(walk["TextColor"].color, ByteVector(4, 0));
        } else {
            EXPECT_EQ(walk["MacButtonStyle"].integer, 0);
            EXPECT_EQ(walk["Cancel"].integer + walk["Default"].integer, 0);
        }
    }
}

TEST(PropertyListsData, CanvasFocusAndTransparency) {
    for (const Control& c : MainControls()) {
        if (c.records != 23) continue;
        const Walk walk = Decode(c.list);
        const bool leftDie = c.name.starts_with("LDice");
        EXPECT_EQ(walk["AllowFocus"].integer, leftDie ? 1 : 0) << c.name;
        EXPECT_EQ(walk["Transparent"].integer, 1) << c.name;
    }
    const Walk canvas1 = Decode(CreditsPropertyLists::Canvas1);
    const std::vector<std::string> names = canvas1.Names();
    EXPECT_EQ(std::count(names.begin(), names.end(), "Transparent"), 2);
    for (const Field& f : canvas1.fields)
        if (f.name == "Transparent") {
            EXPECT_EQ(f.integer, 1);
        }
    EXPECT_EQ(canvas1["AllowFocus"].integer, 0);
}

TEST(PropertyListsData, WindowListsShareTheirOrderAndDifferInTheirValues) {
    const Walk credits = Decode(CreditsPropertyLists::Window);
    const Walk main = Decode(WinMainPropertyLists::Window);
    ASSERT_TRUE(credits.complete && main.complete);
    EXPECT_EQ(credits.Names(), main.Names());

    const Bytes list = CreditsPropertyLists::Window;
    const ByteVector width830 = Concat({Ascii("Width "), {0x3E, 0x03, 0, 0, 0, 0, 0, 0}});
    EXPECT_EQ(ByteVector(list.begin(), list.begin() + 14), width830);
    EXPECT_EQ(credits["Title"].record, Concat({Ascii("Title "), {7, 0, 0, 0}, Ascii("Credits")}));
    EXPECT_EQ(credits["HasCloseButton"].record, Concat({Ascii("HasCloseButton "), {0}}));
    const ByteVector tail = Concat({Ascii("HasBackgroundColor "),
                                    {0},
                                    Ascii("BackgroundColor "),
                                    {0xFF, 0xFF, 0xFF, 0},
                                    Ascii("MenuBarVisible "),
                                    {1}});
    ASSERT_GE(list.size(), tail.size());
    EXPECT_EQ(ByteVector(list.end() - static_cast<std::ptrdiff_t>(tail.size()), list.end()), tail);
    EXPECT_EQ(credits["Visible"].integer, 0);

    EXPECT_EQ(main["Title"].text, "Dice Shaker");
    EXPECT_EQ(main["Width"].integer, 635);
    EXPECT_EQ(main["Height"].integer, 690);
    EXPECT_EQ(main["Visible"].integer, 1);
    EXPECT_EQ(main["HasCloseButton"].integer, 1);
    EXPECT_EQ(main["HasBackgroundColor"].integer, 1);
    EXPECT_EQ(main["BackgroundColor"].color, (ByteVector{0xFE, 0xFF, 0xFE, 0}));
    EXPECT_EQ(main["DefaultLocation"].integer, 2);
}

TEST(PropertyListsData, ThankYouTextArrivesByteForByte) {
    const Walk walk = Decode(CreditsPropertyLists::lbl_Credits);
    ASSERT_TRUE(walk.complete);
    const std::string& text = walk["Text"].text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 6);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_NE(text.find("please share  it with others."), std::string::npos);

    std::vector<std::string> paragraphs;
    for (std::size_t from = 0;;) {
        const std::size_t next = text.find("\r\r", from);
        paragraphs.push_back(text.substr(from, next - from));
        if (next == std::string::npos) break;
        from = next + 2;
    }
    ASSERT_EQ(paragraphs.size(), 4U);
    EXPECT_EQ(paragraphs[0], "Thank you for using free software from Quorvane");
    EXPECT_TRUE(paragraphs[1].starts_with("If you enjoy this software,"));
    EXPECT_TRUE(paragraphs[1].ends_with("suggest other topics of interest. "));
    EXPECT_EQ(paragraphs[2], "");
    EXPECT_EQ(paragraphs[3],
              "If you would like to support the author, contributions of any size are welcome.");

    EXPECT_EQ(walk["FontName"].text, "verdena");
    EXPECT_EQ(walk["FontSize"].record, Concat({Ascii("FontSize "), {0, 0, 0x80, 0x41}}));
    EXPECT_EQ(walk["Multiline"].integer, 1);
    EXPECT_EQ(walk["Italic"].integer, 1);
}

}  // namespace
