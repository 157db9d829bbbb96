#include "platform/Sound.h"

#include "platform/Services.h"

const ClassInfo& Sound::Class() {
    static const ClassInfo info("Sound", &Object::Class());
    return info;
}

void Sound::Play() {
    Services::Current().PlaySound(path_);
}
