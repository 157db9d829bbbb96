#include "credits_window/CreditsPropertyLists.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace CreditsPropertyLists {
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

// Records stand in the design order of the credits window, not sorted by name.

constexpr std::array<Record, 21> kWindowRecords = {{
    Integer("Width", 830),
    Integer("Height", 618),
    Integer("MinimumWidth", 64),
    Integer("MinimumHeight", 64),
    Integer("MaximumWidth", 32000),
    Integer("MaximumHeight", 32000),
    Integer("Type", 0),
    String("Title", "Credits"),
    Boolean("HasCloseButton", false),
    Boolean("HasMaximizeButton", false),
    Boolean("HasMinimizeButton", false),
    Boolean("HasFullScreenButton", false),
    Boolean("Resizeable", false),
    Boolean("Composite", false),
    Integer("MacProcID", 0),
    Boolean("FullScreen", false),
    Integer("DefaultLocation", 2),
    Boolean("Visible", false),
    Boolean("HasBackgroundColor", false),
    Color("BackgroundColor", 0xFF, 0xFF, 0xFF, 0x00),
    Boolean("MenuBarVisible", true),
}};

// Paragraphs are separated by two carriage returns; the third paragraph is empty. The double
// blank after "share" and the blank closing the second paragraph belong to the text.
constexpr std::string_view kThankYouText =
    "Thank you for using free software from Quorvane"
    "\r\r"
    "If you enjoy this software, please share  it with others. If you would like to see more "
    "software like this, please let us know if you enjoyed it and suggest other topics of "
    "interest. "
    "\r\r"
    ""
    "\r\r"
    "If you would like to support the author, contributions of any size are welcome.";

constexpr std::array<Record, 32> kLblCredits = {{
    String("Name", "lbl_Credits"), Integer("Index", kNoControlSet),
    Integer("Left", 153),          Integer("Top", 186),
    Integer("Width", 523),         Integer("Height", 295),
    Boolean("LockLeft", true),     Boolean("LockTop", true),
    Boolean("LockRight", false),   Boolean("LockBottom", false),
    Integer("TabIndex", 0),        Integer("TabPanelIndex", 0),
    Boolean("TabStop", true),      Boolean("AllowAutoDeactivate", true),
    Boolean("Enabled", true),      String("Tooltip", ""),
    Boolean("Multiline", true),    Boolean("Selectable", false),
    Integer("TextAlignment", 2),   Color("TextColor", 0x00, 0x00, 0x00, 0x00),
    Boolean("Transparent", false), String("Text", kThankYouText),
    Boolean("Visible", true),      Boolean("Bold", true),
    Boolean("Italic", true),       String("FontName", "verdena"),
    Boolean("Underline", false),   Single("FontSize", 16.0F),
    Byte("FontUnit", 0),           String("DataSource", ""),
    String("DataField", ""),       String("InitialParent", ""),
}};

// Transparent occurs twice, both times True; a reader applies both.
constexpr std::array<Record, 24> kCanvas1 = {{
    String("Name", "Canvas1"),
    Integer("Index", kNoControlSet),
    Integer("Left", 275),
    Integer("Top", 0),
    Integer("Width", 288),
    Integer("Height", 167),
    Boolean("LockLeft", true),
    Boolean("LockTop", true),
    Boolean("LockRight", false),
    Boolean("LockBottom", false),
    Integer("TabIndex", 1),
    Integer("TabPanelIndex", 0),
    Boolean("TabStop", true),
    Boolean("AllowAutoDeactivate", true),
    Boolean("Enabled", true),
    String("Tooltip", ""),
    Boolean("AllowFocusRing", true),
    Boolean("Visible", true),
    Boolean("AllowFocus", false),
    Boolean("AllowTabs", false),
    Boolean("Transparent", true),
    Boolean("DoubleBuffer", false),
    Boolean("Transparent", true),
    String("InitialParent", ""),
}};

constexpr std::array<Record, 29> PushButtonList(std::string_view name, std::int64_t left,
                                                std::int64_t top, std::int64_t width,
                                                std::int64_t tabIndex, std::string_view caption) {
    return {{
        String("Name", name),          Integer("Index", kNoControlSet),
        Integer("Left", left),         Integer("Top", top),
        Integer("Width", width),       Integer("Height", 20),
        Boolean("LockLeft", true),     Boolean("LockTop", true),
        Boolean("LockRight", false),   Boolean("LockBottom", false),
        Integer("TabIndex", tabIndex), Integer("TabPanelIndex", 0),
        Boolean("TabStop", true),      Boolean("AllowAutoDeactivate", true),
        Integer("MacButtonStyle", 0),  Boolean("Cancel", false),
        String("Caption", caption),    Boolean("Default", false),
        Boolean("Enabled", true),      String("Tooltip", ""),
        Boolean("Transparent", false), Boolean("Visible", true),
        String("FontName", "System"),  Single("FontSize", 0.0F),
        Byte("FontUnit", 0),           Boolean("Bold", false),
        Boolean("Italic", false),      Boolean("Underline", false),
        String("InitialParent", ""),
    }};
}

constexpr auto kBtnVisitOurWebsite =
    PushButtonList("btn_VisitOurWebsite", 275, 515, 134, 2, "Visit Our Website");
constexpr auto kBtnExit = PushButtonList("btn_exit", 375, 547, 80, 3, "Exit");
constexpr auto kBtnContactUs = PushButtonList("btn_contactUs", 421, 515, 134, 4, "Contact Us Now");

constexpr auto kWindowBytes = Encode<kWindowRecords>();
constexpr auto kLblCreditsBytes = Encode<kLblCredits>();
constexpr auto kCanvas1Bytes = Encode<kCanvas1>();
constexpr auto kBtnVisitOurWebsiteBytes = Encode<kBtnVisitOurWebsite>();
constexpr auto kBtnExitBytes = Encode<kBtnExit>();
constexpr auto kBtnContactUsBytes = Encode<kBtnContactUs>();

static_assert(kThankYouText.size() == 315);
static_assert(kWindowBytes.size() == 362);
static_assert(kLblCreditsBytes.size() == 740);
static_assert(kCanvas1Bytes.size() == 322);
static_assert(kBtnVisitOurWebsiteBytes.size() == 404);
static_assert(kBtnExitBytes.size() == 380);
static_assert(kBtnContactUsBytes.size() == 395);

}  // namespace

const SerializedProperties::Bytes Window = kWindowBytes;

const SerializedProperties::Bytes lbl_Credits = kLblCreditsBytes;
const SerializedProperties::Bytes Canvas1 = kCanvas1Bytes;
const SerializedProperties::Bytes btn_VisitOurWebsite = kBtnVisitOurWebsiteBytes;
const SerializedProperties::Bytes btn_exit = kBtnExitBytes;
const SerializedProperties::Bytes btn_contactUs = kBtnContactUsBytes;

}  // namespace CreditsPropertyLists
