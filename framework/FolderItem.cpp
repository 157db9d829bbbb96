#include "FolderItem.h"

#include <array>
#include <cstdint>
#include <fstream>

#include "Application.h"
#include "Sound.h"

namespace {

std::uint32_t ReadLE(const char* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    }
    return value;
}

// Walks the RIFF chunks: a playable file has a PCM "fmt " chunk (8 or 16 bits, one or two
// channels) and a "data" chunk. Float and extensible formats are refused, as the player refuses
// them.
bool IsPlayableWave(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::array<char, 12> header{};
    if (!in.read(header.data(), header.size())) return false;
    if (std::string_view(header.data(), 4) != "RIFF" ||
        std::string_view(header.data() + 8, 4) != "WAVE") {
        return false;
    }
    bool formatOk = false;
    std::array<char, 8> chunk{};
    while (in.read(chunk.data(), chunk.size())) {
        const std::string_view id(chunk.data(), 4);
        const std::uint32_t size = ReadLE(chunk.data() + 4, 4);
        if (id == "fmt ") {
            std::array<char, 16> fmt{};
            if (size < fmt.size() || !in.read(fmt.data(), fmt.size())) return false;
            const std::uint32_t tag = ReadLE(fmt.data(), 2);
            const std::uint32_t channels = ReadLE(fmt.data() + 2, 2);
            const std::uint32_t bits = ReadLE(fmt.data() + 14, 2);
            formatOk = tag == 1 && (channels == 1 || channels == 2) && (bits == 8 || bits == 16);
            in.seekg(static_cast<std::streamoff>(size - fmt.size() + (size & 1)), std::ios::cur);
        } else if (id == "data") {
            return formatOk && size > 0;
        } else {
            in.seekg(static_cast<std::streamoff>(size + (size & 1)), std::ios::cur);
        }
    }
    return false;
}

}  // namespace

const ClassInfo& FolderItem::Class() {
    static const ClassInfo info("FolderItem", &Object::Class());
    return info;
}

bool FolderItem::Exists() const {
    std::error_code ec;
    return std::filesystem::exists(path_, ec);
}

bool FolderItem::IsFolder() const {
    std::error_code ec;
    return std::filesystem::is_directory(path_, ec);
}

Ref<FolderItem> FolderItem::Parent() const {
    const std::filesystem::path parent = path_.parent_path();
    if (parent.empty() || parent == path_) return nullptr;
    return MakeRef<FolderItem>(parent);
}

Ref<FolderItem> FolderItem::Child(const std::string& name, bool followLinks) const {
    if (!IsFolder()) return nullptr;
    std::filesystem::path child = path_ / name;
    std::error_code ec;
    if (followLinks && std::filesystem::is_symlink(child, ec)) {
        // A link that leads nowhere gives no item at all.
        const std::filesystem::path target = std::filesystem::canonical(child, ec);
        if (ec) return nullptr;
        child = target;
    }
    return MakeRef<FolderItem>(child);
}

Ref<Sound> FolderItem::OpenAsSound() const {
    if (!IsPlayableWave(path_)) return nullptr;
    return MakeRef<Sound>(path_.string());
}

Ref<FolderItem> _GetApplicationBundleResources() {
    Ref<FolderItem> executable = Application::ExecutableFile();
    Ref<FolderItem> macOS = executable->Parent();
    Ref<FolderItem> contents = macOS->Parent();
    Ref<FolderItem> resources = contents->Child("Resources", true);
    // A bundle without its Resources folder has none to give.
    if (resources.IsNil() || !resources->IsFolder()) return nullptr;
    return resources;
}
