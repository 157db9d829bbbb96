#include "app/BundleResources.h"

#include "platform/Bundle.h"

namespace app::diceshake {
bool loaded = false;
Ref<Sound> permaSound;
}  // namespace app::diceshake

namespace {

template <const char* Name>
Ref<Picture> CachedPicture() {
    static bool initialized = false;
    static Ref<Picture> pic;
    if (!initialized) {
        initialized = true;
        pic = nullptr;
    }
    if (pic.IsNil()) pic = Picture::_OpenFromApp(Name);
    return pic;
}

constexpr char kQuorvaneUpdatedLogosmall[] = "QuorvaneUpdatedLogosmall";
constexpr char kDicesSmall2[] = "dicesSmall2";
constexpr char kDDice1[] = "DDice1";
constexpr char kDDice2[] = "DDice2";
constexpr char kDDice3[] = "DDice3";
constexpr char kDDice4[] = "DDice4";
constexpr char kDDice5[] = "DDice5";
constexpr char kDDice6[] = "DDice6";

}  // namespace

Ref<Picture> QuorvaneUpdatedLogosmall() {
    return CachedPicture<kQuorvaneUpdatedLogosmall>();
}
Ref<Picture> dicesSmall2() {
    return CachedPicture<kDicesSmall2>();
}
Ref<Picture> DDice1() {
    return CachedPicture<kDDice1>();
}
Ref<Picture> DDice2() {
    return CachedPicture<kDDice2>();
}
Ref<Picture> DDice3() {
    return CachedPicture<kDDice3>();
}
Ref<Picture> DDice4() {
    return CachedPicture<kDDice4>();
}
Ref<Picture> DDice5() {
    return CachedPicture<kDDice5>();
}
Ref<Picture> DDice6() {
    return CachedPicture<kDDice6>();
}

Ref<Sound> diceshake() {
    using namespace app::diceshake;
    if (!loaded) {
        // Marked before the attempt, so a failing attempt is not repeated on every roll.
        loaded = true;
        Ref<FolderItem> folder = _GetApplicationBundleResources();
        if (!folder.IsNil()) {
            Ref<FolderItem> item = folder->Child("529816__tumvik__dice-shake.wav", true);
            // Gone with its folder since the line above: a roll without sound, like any other
            // sound that cannot be had, rather than a roll cut short.
            if (!item.IsNil()) permaSound = item->OpenAsSound();
        }
    }
    return permaSound;
}
