#include "platform/Sound.h"

#include "platform/Services.h"

const ClassInfo& Sound::Class() {
    static const ClassInfo info("Sound", &Object::Class());
    return info;
}

void Sound::Play() {
    // The player is handed the file that was checked, by a path that holds no byte it could
    // misread, whatever the folders above the file are called.
    Services::Current().PlaySound(file_.Path());
}
