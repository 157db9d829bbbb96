#include "dice_window/WinMainPropertyLists.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace WinMainPropertyLists {
namespace {

using SerializedProperties::Boolean;
using SerializedProperties::Byte;
using SerializedProperties::Color;
using SerializedProperties::Encode;
using SerializedProperties::Integer;
using SerializedProperties::Record;
using SerializedProperties::Single;
using SerializedProperties::String;

constexpr std::int64_t kNoControlSet = -2147483648;

constexpr std::array<Record, 21> kWindowRecords = {{
    Integer("Width", 635),
    Integer("Height", 690),
    Integer("MinimumWidth", 64),
    Integer("MinimumHeight", 64),
    Integer("MaximumWidth", 32000),
    Integer("MaximumHeight", 32000),
    Integer("Type", 0),
    String("Title", "Dice Shaker"),
    Boolean("HasCloseButton", true),
    Boolean("HasMaximizeButton", true),
    Boolean("HasMinimizeButton", false),
    Boolean("HasFullScreenButton", false),
    Boolean("Resizeable", false),
    Boolean("Composite", false),
    Integer("MacProcID", 0),
    Boolean("FullScreen", false),
    Integer("DefaultLocation", 2),
    Boolean("Visible", true),
    Boolean("HasBackgroundColor", true),
    Color("BackgroundColor", 0xFE, 0xFF, 0xFE, 0x00),
    Boolean("MenuBarVisible", true),
}};

// The control lists hold their records in ascending order of property name, compared without
// regard to ASCII case. Each builder below writes its kind's records in that order.

struct Placement {
    std::string_view name;
    std::int64_t left;
    std::int64_t top;
    std::int64_t width;
    std::int64_t height;
    bool visible;
    std::int64_t tabIndex;
};

struct LabelFace {
    std::string_view text;
    std::string_view fontName;
    float fontSize;
    bool italic;
    bool tabStop;
};

struct ButtonFace {
    std::string_view caption;
    float fontSize;
    bool bold;
};

constexpr std::array<Record, 32> LabelList(const Placement& at, const LabelFace& face) {
    return {{
        Boolean("AllowAutoDeactivate", true),
        Boolean("Bold", true),
        String("DataField", ""),
        String("DataSource", ""),
        Boolean("Enabled", true),
        String("FontName", face.fontName),
        Single("FontSize", face.fontSize),
        Byte("FontUnit", 0),
        Integer("Height", at.height),
        Integer("Index", kNoControlSet),
        String("InitialParent", ""),
        Boolean("Italic", face.italic),
        Integer("Left", at.left),
        Boolean("LockBottom", false),
        Boolean("LockLeft", true),
        Boolean("LockRight", false),
        Boolean("LockTop", true),
        Boolean("Multiline", false),
        String("Name", at.name),
        Boolean("Selectable", false),
        Integer("TabIndex", at.tabIndex),
        Integer("TabPanelIndex", 0),
        Boolean("TabStop", face.tabStop),
        String("Text", face.text),
        Integer("TextAlignment", 2),
        Color("TextColor", 0x00, 0x00, 0x00, 0x00),
        String("Tooltip", ""),
        Integer("Top", at.top),
        Boolean("Transparent", false),
        Boolean("Underline", false),
        Boolean("Visible", at.visible),
        Integer("Width", at.width),
    }};
}

constexpr std::array<Record, 29> PushButtonList(const Placement& at, const ButtonFace& face) {
    return {{
        Boolean("AllowAutoDeactivate", true),
        Boolean("Bold", face.bold),
        Boolean("Cancel", false),
        String("Caption", face.caption),
        Boolean("Default", false),
        Boolean("Enabled", true),
        String("FontName", "System"),
        Single("FontSize", face.fontSize),
        Byte("FontUnit", 0),
        Integer("Height", at.height),
        Integer("Index", kNoControlSet),
        String("InitialParent", ""),
        Boolean("Italic", false),
        Integer("Left", at.left),
        Boolean("LockBottom", false),
        Boolean("LockLeft", true),
        Boolean("LockRight", false),
        Boolean("LockTop", true),
        Integer("MacButtonStyle", 0),
        String("Name", at.name),
        Integer("TabIndex", at.tabIndex),
        Integer("TabPanelIndex", 0),
        Boolean("TabStop", true),
        String("Tooltip", ""),
        Integer("Top", at.top),
        Boolean("Transparent", false),
        Boolean("Underline", false),
        Boolean("Visible", at.visible),
        Integer("Width", at.width),
    }};
}

// Canvases carry no picture in their lists: the backdrop is set in code before a list is applied.
constexpr std::array<Record, 23> CanvasList(const Placement& at, bool allowFocus) {
    return {{
        Boolean("AllowAutoDeactivate", true),
        Boolean("AllowFocus", allowFocus),
        Boolean("AllowFocusRing", true),
        Boolean("AllowTabs", false),
        Boolean("DoubleBuffer", false),
        Boolean("Enabled", true),
        Integer("Height", at.height),
        Integer("Index", kNoControlSet),
        String("InitialParent", ""),
        Integer("Left", at.left),
        Boolean("LockBottom", false),
        Boolean("LockLeft", true),
        Boolean("LockRight", false),
        Boolean("LockTop", true),
        String("Name", at.name),
        Integer("TabIndex", at.tabIndex),
        Integer("TabPanelIndex", 0),
        Boolean("TabStop", true),
        String("Tooltip", ""),
        Integer("Top", at.top),
        Boolean("Transparent", true),
        Boolean("Visible", at.visible),
        Integer("Width", at.width),
    }};
}

constexpr auto kLblCopyright = LabelList({"lbl_Copyright", 20, 559, 595, 38, true, 0},
                                         {"Copyright Message Here", "Verdana", 12.0F, true, true});
constexpr auto kBtnVisitWebsite = PushButtonList({"btn_VisitWebsite", 174, 609, 153, 20, true, 1},
                                                 {"Click to Visit Website", 0.0F, false});
constexpr auto kBtnQuit =
    PushButtonList({"btn_quit", 332, 609, 150, 20, true, 2}, {"Quit", 0.0F, false});
constexpr auto kDiceLogo = CanvasList({"DiceLogo", 174, 54, 292, 232, true, 5}, false);
constexpr auto kRoll =
    PushButtonList({"Roll", 182, 502, 295, 31, true, 6}, {"Click To Roll The Dice", 15.0F, true});
constexpr auto kLDice1 = CanvasList({"LDice1", 174, 313, 107, 106, false, 7}, true);
constexpr auto kLDice2 = CanvasList({"LDice2", 154, 313, 107, 106, false, 8}, true);
constexpr auto kLDice3 = CanvasList({"LDice3", 182, 300, 107, 106, false, 9}, true);
constexpr auto kLDice5 = CanvasList({"LDice5", 153, 327, 107, 106, false, 10}, true);
constexpr auto kLDice6 = CanvasList({"LDice6", 182, 367, 107, 106, false, 11}, true);
constexpr auto kRDice1 = CanvasList({"RDice1", 360, 313, 106, 102, false, 12}, false);
constexpr auto kRDice2 = CanvasList({"RDice2", 348, 317, 106, 102, false, 13}, false);
constexpr auto kRDice3 = CanvasList({"RDice3", 348, 341, 106, 102, false, 14}, false);
constexpr auto kRDice4 = CanvasList({"RDice4", 376, 348, 106, 102, false, 15}, false);
constexpr auto kRDice5 = CanvasList({"RDice5", 369, 300, 106, 102, false, 16}, false);
constexpr auto kRDice6 = CanvasList({"RDice6", 360, 367, 106, 102, false, 17}, false);
constexpr auto kLDice4 = CanvasList({"LDice4", 213, 320, 107, 106, false, 18}, true);
constexpr auto kLblShakeShake = LabelList({"lbl_shake_shake", 90, 341, 443, 70, false, 0},
                                          {"Shake...Shake...Shake", "System", 30.0F, false, false});

constexpr auto kWindowBytes = Encode<kWindowRecords>();
constexpr auto kLblCopyrightBytes = Encode<kLblCopyright>();
constexpr auto kBtnVisitWebsiteBytes = Encode<kBtnVisitWebsite>();
constexpr auto kBtnQuitBytes = Encode<kBtnQuit>();
constexpr auto kDiceLogoBytes = Encode<kDiceLogo>();
constexpr auto kRollBytes = Encode<kRoll>();
constexpr auto kLDice1Bytes = Encode<kLDice1>();
constexpr auto kLDice2Bytes = Encode<kLDice2>();
constexpr auto kLDice3Bytes = Encode<kLDice3>();
constexpr auto kLDice5Bytes = Encode<kLDice5>();
constexpr auto kLDice6Bytes = Encode<kLDice6>();
constexpr auto kRDice1Bytes = Encode<kRDice1>();
constexpr auto kRDice2Bytes = Encode<kRDice2>();
constexpr auto kRDice3Bytes = Encode<kRDice3>();
constexpr auto kRDice4Bytes = Encode<kRDice4>();
constexpr auto kRDice5Bytes = Encode<kRDice5>();
constexpr auto kRDice6Bytes = Encode<kRDice6>();
constexpr auto kLDice4Bytes = Encode<kLDice4>();
constexpr auto kLblShakeShakeBytes = Encode<kLblShakeShake>();

// The credits window's list, titled "Credits", is 362 bytes; "Dice Shaker" is four bytes longer.
static_assert(kWindowBytes.size() == 366);
static_assert(kLblCopyrightBytes.size() == 449);
static_assert(kBtnVisitWebsiteBytes.size() == 406);
static_assert(kBtnQuitBytes.size() == 380);
static_assert(kDiceLogoBytes.size() == 310);
static_assert(kRollBytes.size() == 394);
static_assert(kLDice1Bytes.size() == 308);
static_assert(kLDice2Bytes.size() == 308);
static_assert(kLDice3Bytes.size() == 308);
static_assert(kLDice5Bytes.size() == 308);
static_assert(kLDice6Bytes.size() == 308);
static_assert(kRDice1Bytes.size() == 308);
static_assert(kRDice2Bytes.size() == 308);
static_assert(kRDice3Bytes.size() == 308);
static_assert(kRDice4Bytes.size() == 308);
static_assert(kRDice5Bytes.size() == 308);
static_assert(kRDice6Bytes.size() == 308);
static_assert(kLDice4Bytes.size() == 308);
static_assert(kLblShakeShakeBytes.size() == 449);

}  // namespace

const SerializedProperties::Bytes Window = kWindowBytes;

const SerializedProperties::Bytes lbl_Copyright = kLblCopyrightBytes;
const SerializedProperties::Bytes btn_VisitWebsite = kBtnVisitWebsiteBytes;
const SerializedProperties::Bytes btn_quit = kBtnQuitBytes;
const SerializedProperties::Bytes DiceLogo = kDiceLogoBytes;
const SerializedProperties::Bytes Roll = kRollBytes;
const SerializedProperties::Bytes LDice1 = kLDice1Bytes;
const SerializedProperties::Bytes LDice2 = kLDice2Bytes;
const SerializedProperties::Bytes LDice3 = kLDice3Bytes;
const SerializedProperties::Bytes LDice5 = kLDice5Bytes;
const SerializedProperties::Bytes LDice6 = kLDice6Bytes;
const SerializedProperties::Bytes RDice1 = kRDice1Bytes;
const SerializedProperties::Bytes RDice2 = kRDice2Bytes;
const SerializedProperties::Bytes RDice3 = kRDice3Bytes;
const SerializedProperties::Bytes RDice4 = kRDice4Bytes;
const SerializedProperties::Bytes RDice5 = kRDice5Bytes;
const SerializedProperties::Bytes RDice6 = kRDice6Bytes;
const SerializedProperties::Bytes LDice4 = kLDice4Bytes;
const SerializedProperties::Bytes lbl_shake_shake = kLblShakeShakeBytes;

}  // namespace WinMainPropertyLists
