#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <array>
#include <limits>
#include <set>
#include <vector>

#include "controls/Canvas.h"
#include "controls/Label.h"
#include "controls/PushButton.h"
#include "credits_window/CreditsPropertyLists.h"
#include "dice_window/WinMainPropertyLists.h"
#include "runtime/Runtime.h"
#include "runtime/SerializedProperties.h"
#include "runtime/UnsupportedFormatException.h"
#include "ui/Window.h"

namespace sp = SerializedProperties;

namespace {

// Lists are copied into storage of their exact size, so a read past the end is a heap overflow
// that the sanitizer build reports.
void Apply(Object& target, sp::Bytes list) {
    const std::vector<std::uint8_t> exact(list.begin(), list.end());
    RuntimeMassPropertySetter(target, exact);
}

constexpr std::array kCaseAndBlanks{
    sp::String("Tooltip", ""),         sp::String("Name", "after the blank text"),
    sp::Integer("Index", -2147483648), sp::Boolean("Multiline", true),
    sp::Boolean("Transparent", true),  sp::Boolean("Transparent", false),
};
constexpr auto kCaseAndBlanksBytes = sp::Encode<kCaseAndBlanks>();

constexpr std::array kUnknownInTheMiddle{
    sp::Integer("Left", 7),
    sp::Integer("Colour", 1),
    sp::Integer("Top", 9),
};
constexpr auto kUnknownInTheMiddleBytes = sp::Encode<kUnknownInTheMiddle>();

}  // namespace

TEST(PropertyListReader, ReadsTheCreditsWindowListToItsLastByte) {
    ASSERT_EQ(CreditsPropertyLists::Window.size(), 362U);
    Window window;
    Apply(window, CreditsPropertyLists::Window);
    EXPECT_EQ(window.Width(), 830);
    EXPECT_EQ(window.Height(), 618);
    EXPECT_EQ(window.MinimumWidth(), 64);
    EXPECT_EQ(window.MaximumHeight(), 32000);
    EXPECT_EQ(window.Title(), "Credits");
    EXPECT_FALSE(window.HasCloseButton());
    EXPECT_FALSE(window.Resizeable());
    EXPECT_EQ(window.DefaultLocation(), 2);
    EXPECT_FALSE(window.Visible());
    // "BackgroundColor" stands right after "HasBackgroundColor": both are read, in turn.
    EXPECT_FALSE(window.HasBackgroundColor());
    EXPECT_EQ(window.BackgroundColor(), Color(0xFF, 0xFF, 0xFF, 0x00));
    EXPECT_TRUE(window.MenuBarVisible());
}

TEST(PropertyListReader, MatchesNamesIgnoringCaseAndAppliesRecordsInOrder) {
    Label label;
    Apply(label, kCaseAndBlanksBytes);
    EXPECT_EQ(label.Tooltip(), "");
    EXPECT_EQ(label.Name(), "after the blank text");
    EXPECT_EQ(label.Index(), -2147483648LL);
    EXPECT_TRUE(label.MultiLine());
    EXPECT_FALSE(label.Transparent()) << "a repeated name ends with its last value";

    Window window;
    Apply(window, WinMainPropertyLists::Window);
    EXPECT_EQ(window.MacProcId(), 0);
    EXPECT_EQ(window.Title(), "Dice Shaker");
    EXPECT_EQ(window.BackgroundColor(), Color(0xFE, 0xFF, 0xFE, 0x00));
}

TEST(PropertyListReader, AnUnknownNameStopsTheListNamingItsOffset) {
    PushButton button;
    try {
        Apply(button, kUnknownInTheMiddleBytes);
        FAIL() << "an unknown name was accepted";
    } catch (const UnsupportedFormatException& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("\"Colour\""), std::string::npos) << message;
        EXPECT_NE(message.find("offset 13"), std::string::npos) << message;
    }
    EXPECT_EQ(button.Left(), 7) << "records before the fault stay applied";
    EXPECT_EQ(button.Top(), 0);
}

// A list with a record of every encoding, strings among them, the last one empty.
constexpr std::array kEveryEncoding{
    sp::String("Text", "Copyright Message Here"),
    sp::Integer("Left", 20),
    sp::Boolean("Bold", true),
    sp::Single("FontSize", 12.0F),
    sp::Color("TextColor", 1, 2, 3, 4),
    sp::Byte("FontUnit", 0),
    sp::String("Tooltip", ""),
};
constexpr auto kEveryEncodingBytes = sp::Encode<kEveryEncoding>();

// Every cut of a list, at every byte, raises unless it falls between two records, where the
// writer says the records end; none reads past its end.
TEST(PropertyListReader, AListCutShortAnywhereButBetweenRecordsRaises) {
    std::set<std::size_t> recordEnds;
    std::size_t end = 0;
    for (const sp::Record& r : kEveryEncoding)
        recordEnds.insert(end += r.name.size() + 1 + sp::ValueSize(r));
    const sp::Bytes full = kEveryEncodingBytes;
    ASSERT_EQ(end, full.size());
    for (std::size_t length = 1; length <= full.size(); ++length) {
        Label label;
        if (recordEnds.contains(length)) {
            EXPECT_NO_THROW(Apply(label, full.first(length))) << length;
        } else {
            EXPECT_THROW(Apply(label, full.first(length)), UnsupportedFormatException) << length;
        }
    }
}

TEST(PropertyListReader, EveryListOfTheProgramAppliesCompletely) {
    struct Case {
        const char* name;
        sp::Bytes list;
        std::size_t length;
        Ref<Object> (*make)();
    };
    auto label = [] { return Ref<Object>(MakeRef<Label>()); };
    auto button = [] { return Ref<Object>(MakeRef<PushButton>()); };
    auto canvas = [] { return Ref<Object>(MakeRef<Canvas>()); };
    auto window = [] { return Ref<Object>(MakeRef<Window>()); };
    namespace m = WinMainPropertyLists;
    namespace c = CreditsPropertyLists;
    const std::vector<Case> cases = {
        {"WinMain", m::Window, 366, window},
        {"lbl_Copyright", m::lbl_Copyright, 449, label},
        {"btn_VisitWebsite", m::btn_VisitWebsite, 406, button},
        {"btn_quit", m::btn_quit, 380, button},
        {"DiceLogo", m::DiceLogo, 310, canvas},
        {"Roll", m::Roll, 394, button},
        {"LDice1", m::LDice1, 308, canvas},
        {"LDice2", m::LDice2, 308, canvas},
        {"LDice3", m::LDice3, 308, canvas},
        {"LDice4", m::LDice4, 308, canvas},
        {"LDice5", m::LDice5, 308, canvas},
        {"LDice6", m::LDice6, 308, canvas},
        {"RDice1", m::RDice1, 308, canvas},
        {"RDice2", m::RDice2, 308, canvas},
        {"RDice3", m::RDice3, 308, canvas},
        {"RDice4", m::RDice4, 308, canvas},
        {"RDice5", m::RDice5, 308, canvas},
        {"RDice6", m::RDice6, 308, canvas},
        {"lbl_shake_shake", m::lbl_shake_shake, 449, label},
        {"Credits", c::Window, 362, window},
        {"lbl_Credits", c::lbl_Credits, 740, label},
        {"Canvas1", c::Canvas1, 322, canvas},
        {"btn_VisitOurWebsite", c::btn_VisitOurWebsite, 404, button},
        {"btn_exit", c::btn_exit, 380, button},
        {"btn_contactUs", c::btn_contactUs, 395, button},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        EXPECT_EQ(each.list.size(), each.length);
        Ref<Object> target = each.make();
        EXPECT_NO_THROW(Apply(*target, each.list));
        if (auto* control = dynamic_cast<Control*>(target.Get())) {
            EXPECT_EQ(control->Name(), each.name);
        }
    }
}

// What a list sets reaches the widget on screen.
TEST(PropertyListReader, ValuesReachTheQtWidget) {
    auto window = MakeRef<Window>();
    window->Constructor();
    auto label = RuntimeCheckCast<Label>(window->__New(Label::Class()));
    label->Constructor();
    window->_AddControl("lbl_Copyright", label);
    _SetProperties(label, WinMainPropertyLists::lbl_Copyright);
    auto* view = static_cast<QLabel*>(label->View());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->geometry(), QRect(20, 559, 595, 38));
    EXPECT_TRUE(view->font().bold());
    EXPECT_TRUE(view->font().italic());
    EXPECT_EQ(view->font().pixelSize(), 12);
    EXPECT_EQ(view->text(), QStringLiteral("Copyright Message Here"));
    EXPECT_TRUE(view->alignment() & Qt::AlignHCenter);
    EXPECT_FALSE(view->isHidden());

    // Any number may stand in a list; what reaches Qt is a sane size.
    label->EditFont([](FontStyle& f) { f.size = 3e9F; });
    EXPECT_EQ(view->font().pixelSize(), 1000);
    label->EditFont([](FontStyle& f) { f.size = std::numeric_limits<float>::quiet_NaN(); });
    EXPECT_EQ(view->font().pixelSize(), QApplication::font().pixelSize());
}
