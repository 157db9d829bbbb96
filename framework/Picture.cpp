#include "Picture.h"

#include <fstream>
#include <iterator>

#include "FolderItem.h"

const ClassInfo& Picture::Class() {
    static const ClassInfo info("Picture", &Object::Class());
    return info;
}

Ref<Picture> Picture::_OpenFromApp(const std::string& name) {
    Ref<FolderItem> resources = _GetApplicationBundleResources();
    if (resources.IsNil()) return nullptr;
    for (auto [extension, format] : {std::pair{".svg", Format::Svg}, {".png", Format::Bitmap}}) {
        Ref<FolderItem> file = resources->Child(name + extension, true);
        if (file.IsNil() || !file->Exists()) continue;
        std::ifstream in(file->NativePath(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) return nullptr;
        if (bytes.empty()) return nullptr;
        return MakeRef<Picture>(std::move(bytes), format);
    }
    return nullptr;
}
