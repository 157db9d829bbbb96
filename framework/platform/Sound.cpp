#include "platform/Sound.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "platform/ResourceReport.h"
#include "platform/Services.h"

namespace {

std::uint32_t ReadLE(std::string_view bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = 0; i < width; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

}  // namespace

// Walks the RIFF chunks: a playable file has a PCM "fmt " chunk (8 or 16 bits, one or two
// channels) and then a "data" chunk. Float and extensible formats are refused, as the player
// refuses them; so is a header that claims more than the file holds or a rate no sound has, which
// the player takes on trust.
std::string Sound::FormatProblem(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        return "not an uncompressed PCM WAV sound";
    }
    if (ReadLE(bytes, 4, 4) > bytes.size() - 8) return "damaged: the file is shorter than it says";
    bool formatOk = false;
    std::size_t at = 12;
    while (bytes.size() - at >= 8) {
        const std::string id(bytes.substr(at, 4));
        const std::uint32_t size = ReadLE(bytes, at + 4, 4);
        at += 8;
        if (size > bytes.size() - at) return "damaged: its \"" + id + "\" chunk is cut short";
        if (id == "fmt ") {
            if (size < 16) return "damaged: its \"fmt \" chunk is cut short";
            const std::uint32_t tag = ReadLE(bytes, at, 2);
            const std::uint32_t channels = ReadLE(bytes, at + 2, 2);
            const std::uint32_t rate = ReadLE(bytes, at + 4, 4);
            const std::uint32_t bits = ReadLE(bytes, at + 14, 2);
            if (tag != 1 || (channels != 1 && channels != 2) || (bits != 8 && bits != 16)) {
                return "not an uncompressed PCM WAV sound";
            }
            // Telephone sound is 8 kHz and studios record at up to 384 kHz; 0 is a lie.
            if (rate < 1000 || rate > 384000) {
                return "damaged: a sample rate of " + std::to_string(rate) + " Hz";
            }
            formatOk = true;
        } else if (id == "data") {
            if (!formatOk) return "damaged: no format before the sound data";
            if (size == 0) return "damaged: no sound data";
            return {};
        }
        // A chunk of odd size is padded to an even one; the last pad byte may be missing.
        at += std::min<std::size_t>(size + (size & 1), bytes.size() - at);
    }
    return formatOk ? "damaged: no sound data" : "not an uncompressed PCM WAV sound";
}

const ClassInfo& Sound::Class() {
    static const ClassInfo info("Sound", &Object::Class());
    return info;
}

void Sound::Play() {
    // The player is handed the file that was checked, by a path that holds no byte it could
    // misread, whatever the folders above the file are called.
    const std::string path = file_.Path();
    if (path.empty()) {
        ResourceReport::Once("sound", std::filesystem::path(path_).filename().string(),
                             "unusable: the file that was checked can no longer be reached");
        return;
    }
    Services::Current().PlaySound(path);
}
