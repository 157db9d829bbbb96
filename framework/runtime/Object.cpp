#include "runtime/Object.h"

const ClassInfo& Object::Class() {
    static const ClassInfo info("Object", nullptr);
    return info;
}
