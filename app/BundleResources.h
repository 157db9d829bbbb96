#pragma once

#include "pictures/Picture.h"
#include "platform/Sound.h"

// The bundle's pictures: each is loaded on first use and kept once a load succeeds; a load that
// gives nil is tried again on the next call.
Ref<Picture> QuorvaneUpdatedLogosmall();
Ref<Picture> dicesSmall2();
Ref<Picture> DDice1();
Ref<Picture> DDice2();
Ref<Picture> DDice3();
Ref<Picture> DDice4();
Ref<Picture> DDice5();
Ref<Picture> DDice6();

// The dice-shake sound. One attempt per run: whatever it gave, nil included, is kept.
Ref<Sound> diceshake();

namespace app::diceshake {
extern bool loaded;
extern Ref<Sound> permaSound;
}  // namespace app::diceshake
