// Feeds arbitrary bytes to the property-list reader: it must raise its own exception or apply the
// list, and never read outside the bytes it was given.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "controls/Canvas.h"
#include "controls/Label.h"
#include "controls/PushButton.h"
#include "runtime/Runtime.h"
#include "runtime/UnsupportedFormatException.h"
#include "ui/Window.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    Ref<Object> target;
    switch (data[0] % 4) {
        case 0:
            target = MakeRef<Window>();
            break;
        case 1:
            target = MakeRef<Label>();
            break;
        case 2:
            target = MakeRef<PushButton>();
            break;
        default:
            target = MakeRef<Canvas>();
            break;
    }
    // Exactly sized storage, so that a read past the end is caught.
    const std::vector<std::uint8_t> list(data + 1, data + size);
    try {
        RuntimeMassPropertySetter(*target, list);
    } catch (const UnsupportedFormatException&) {
    }
    return 0;
}
