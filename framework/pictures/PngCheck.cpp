#include "pictures/PngCheck.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>

namespace {

// The PNG library refuses a side longer than this unless told otherwise.
constexpr std::uint32_t kMaxSide = 1000000;

std::uint32_t BigEndian(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The rows that the header calls for, one pass (seven when interlaced), each row a filter byte
// and its packed pixels, followed through the inflated data as it comes.
class Rows {
  public:
    Rows(std::uint32_t width, std::uint32_t height, unsigned bitsPerPixel, bool interlaced) {
        const auto pass = [&](const Step& step) {
            const std::uint64_t across =
                width > step.x ? (width - step.x + step.dx - 1) / step.dx : 0;
            const std::uint64_t down =
                height > step.y ? (height - step.y + step.dy - 1) / step.dy : 0;
            // A pass without pixels has no rows, not even their filter bytes.
            if (across > 0 && down > 0) {
                passes_[count_++] = {1 + (across * bitsPerPixel + 7) / 8, down};
            }
        };
        if (!interlaced) {
            pass({0, 0, 1, 1});
        } else {
            for (const Step& step : kAdam7) pass(step);
        }
        rowsLeft_ = count_ > 0 ? passes_[0].rows : 0;
    }

    // Empty while the data fits the rows, otherwise why not.
    std::string Take(const unsigned char* data, std::size_t size) {
        while (size > 0) {
            if (pass_ == count_) return "damaged (more image data than its size holds)";
            const std::uint64_t length = passes_[pass_].rowBytes;
            if (inRow_ == 0) {
                if (*data > 4) return "damaged (a row of an unknown filter)";
                ++data, --size, ++inRow_;
            }
            const std::uint64_t take = std::min<std::uint64_t>(size, length - inRow_);
            data += take, size -= take, inRow_ += take;
            if (inRow_ == length) {
                inRow_ = 0;
                if (--rowsLeft_ == 0 && ++pass_ < count_) rowsLeft_ = passes_[pass_].rows;
            }
        }
        return {};
    }

    bool Complete() const { return pass_ == count_; }

  private:
    // Where a pass starts and how far apart its pixels lie, across and down.
    struct Step {
        std::uint32_t x, y, dx, dy;
    };
    static constexpr std::array<Step, 7> kAdam7 = {{{0, 0, 8, 8},
                                                    {4, 0, 8, 8},
                                                    {0, 4, 4, 8},
                                                    {2, 0, 4, 4},
                                                    {0, 2, 2, 4},
                                                    {1, 0, 2, 2},
                                                    {0, 1, 1, 2}}};
    struct Pass {
        std::uint64_t rowBytes = 0;
        std::uint64_t rows = 0;
    };
    std::array<Pass, 7> passes_{};
    std::size_t count_ = 0;
    std::size_t pass_ = 0;
    std::uint64_t rowsLeft_ = 0;
    std::uint64_t inRow_ = 0;
};

// The compressed image data, inflated a piece at a time into a small buffer.
class Inflater {
  public:
    Inflater() { ready_ = inflateInit(&stream_) == Z_OK; }
    ~Inflater() {
        if (ready_) inflateEnd(&stream_);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    bool Ready() const { return ready_; }
    bool Ended() const { return ended_; }

    // Empty while the data is sound, otherwise why not.
    std::string Feed(std::string_view data, Rows& rows) {
        if (data.empty()) return {};
        if (ended_) return "damaged (data after its compressed image)";
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        stream_.avail_in = static_cast<uInt>(data.size());
        for (;;) {
            stream_.next_out = out_.data();
            stream_.avail_out = static_cast<uInt>(out_.size());
            const int status = inflate(&stream_, Z_NO_FLUSH);
            const std::string why = rows.Take(out_.data(), out_.size() - stream_.avail_out);
            if (!why.empty()) return why;
            if (status == Z_STREAM_END) {
                // The checksum of the inflated data has been checked by now.
                ended_ = true;
                return stream_.avail_in == 0 ? "" : "damaged (data after its compressed image)";
            }
            // Z_BUF_ERROR: all the input is taken and the rest is in chunks still to come.
            if (status == Z_BUF_ERROR) return {};
            if (status != Z_OK) return "damaged (its compressed image is corrupt)";
            if (stream_.avail_in == 0 && stream_.avail_out != 0) return {};
        }
    }

  private:
    z_stream stream_{};
    bool ready_ = false;
    bool ended_ = false;
    std::array<unsigned char, 16 * 1024> out_{};
};

// Bits per pixel for a colour type and a bit depth the PNG format allows together; 0 for others.
unsigned BitsPerPixel(unsigned colourType, unsigned depth) {
    const auto oneOf = [depth](std::initializer_list<unsigned> depths) {
        return std::find(depths.begin(), depths.end(), depth) != depths.end();
    };
    switch (colourType) {
        case 0:
            return oneOf({1, 2, 4, 8, 16}) ? depth : 0;  // grey
        case 2:
            return oneOf({8, 16}) ? 3 * depth : 0;  // red, green, blue
        case 3:
            return oneOf({1, 2, 4, 8}) ? depth : 0;  // palette
        case 4:
            return oneOf({8, 16}) ? 2 * depth : 0;  // grey and alpha
        case 6:
            return oneOf({8, 16}) ? 4 * depth : 0;  // red, green, blue and alpha
        default:
            return 0;
    }
}

}  // namespace

std::string PngCheck::Problem(std::string_view bytes, std::uint64_t maxPixels) {
    if (!bytes.starts_with("\x89PNG\r\n\x1a\n")) return "not a PNG picture";
    std::optional<Rows> rows;
    Inflater inflater;
    if (!inflater.Ready()) return "cannot be checked (no memory to inflate it)";
    unsigned colourType = 0;
    unsigned depth = 0;
    bool palette = false;
    enum class Data { Before, In, After } data = Data::Before;
    for (std::size_t at = 8;;) {
        if (bytes.size() - at < 12) return "damaged (cut short)";
        const std::uint32_t length = BigEndian(bytes, at);
        if (length > bytes.size() - at - 12) return "damaged (cut short)";
        const std::string_view type = bytes.substr(at + 4, 4);
        const std::string_view body = bytes.substr(at + 8, length);
        const std::uint32_t crc = BigEndian(bytes, at + 8 + length);
        at += 12 + std::size_t{length};
        if (crc32(0, reinterpret_cast<const Bytef*>(type.data()), length + 4) != crc) {
            return "damaged (its " + std::string(type) + " chunk fails its checksum)";
        }
        if (!std::all_of(type.begin(), type.end(), IsLetter)) {
            return "damaged (a chunk of no type)";
        }
        if (!rows) {
            if (type != "IHDR" || length != 13) return "damaged (no PNG header)";
            const std::uint32_t width = BigEndian(body, 0);
            const std::uint32_t height = BigEndian(body, 4);
            if (width == 0 || height == 0) return "damaged (no pixels)";
            const std::string size = std::to_string(width) + "x" + std::to_string(height);
            if (std::uint64_t{width} * height > maxPixels) {
                return "too many pixels (" + size + ", at most " + std::to_string(maxPixels) + ")";
            }
            if (width > kMaxSide || height > kMaxSide) {
                return "too wide or too tall (" + size + ", at most " + std::to_string(kMaxSide) +
                       " a side)";
            }
            depth = static_cast<unsigned char>(body[8]);
            colourType = static_cast<unsigned char>(body[9]);
            const unsigned bits = BitsPerPixel(colourType, depth);
            if (bits == 0) {
                return "damaged (a colour type " + std::to_string(colourType) + " of bit depth " +
                       std::to_string(depth) + ")";
            }
            const auto interlace = static_cast<unsigned char>(body[12]);
            if (body[10] != 0 || body[11] != 0 || interlace > 1) {
                return "damaged (a compression, filter or interlace method of no PNG)";
            }
            rows.emplace(width, height, bits, interlace == 1);
            continue;
        }
        if (data == Data::In && type != "IDAT") data = Data::After;
        if (type == "IHDR") return "damaged (a second header)";
        if (type == "PLTE") {
            if (palette) return "damaged (a second palette)";
            if (data != Data::Before) return "damaged (its palette after its image)";
            if (colourType == 0 || colourType == 4) return "damaged (a palette in a grey image)";
            const std::uint32_t most = colourType == 3 ? 1U << depth : 256U;
            if (length == 0 || length % 3 != 0 || length / 3 > most) {
                return "damaged (a palette of a size no palette has)";
            }
            palette = true;
        } else if (type == "IDAT") {
            if (data == Data::After) return "damaged (its image data in pieces apart)";
            if (colourType == 3 && !palette) return "damaged (no palette before its image)";
            data = Data::In;
            const std::string why = inflater.Feed(body, *rows);
            if (!why.empty()) return why;
        } else if (type == "IEND") {
            if (data == Data::Before) return "damaged (no image data)";
            if (length != 0) return "damaged (its end chunk holds data)";
            if (!inflater.Ended()) return "damaged (its compressed image is cut short)";
            if (!rows->Complete()) return "damaged (less image data than its size calls for)";
            // What follows the end is never read.
            return {};
        } else if (type[0] >= 'A' && type[0] <= 'Z') {
            // A chunk that the image cannot be shown without, of a kind the library does not know.
            return "damaged (an unknown " + std::string(type) +
                   " chunk it cannot be shown without)";
        }
        // Other chunks say things about the image that the library only warns about.
    }
}
