#include "platform/Picture.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "platform/Bundle.h"
#include "platform/DecoderMessages.h"
#include "platform/FolderItem.h"
#include "platform/ResourceReport.h"

namespace {

// The SVG reader inflates compressed content without limit, and an image element makes it decode
// a bitmap of any size it is given, or open another file, which may be a named pipe that blocks
// it for ever: pictures here hold neither.
std::string SvgProblem(const QByteArray& data) {
    if (data.startsWith("\x1f\x8b")) return "unusable: compressed, which a picture may not be";
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"image") {
            return "unusable: holds an image element, which a picture may not";
        }
    }
    if (xml.hasError()) {
        return "unusable: cannot be decoded (" + xml.errorString().toStdString() + ")";
    }
    return {};
}

std::uint32_t BigEndian(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

std::uint32_t Crc32(std::string_view bytes) {
    std::uint32_t crc = 0xffffffffU;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320U & (0U - (crc & 1U)));
    }
    return ~crc;
}

// Walks the chunks: each whole and with its checksum, the header first, the end last. The PNG
// library prints its complaints about a damaged file straight to stderr, past us; and the header
// gives the size that kMaxBitmapPixels caps before anything is decoded.
std::string PngProblem(std::string_view bytes) {
    if (!bytes.starts_with("\x89PNG\r\n\x1a\n")) return "unusable: not a PNG picture";
    bool header = false;
    for (std::size_t at = 8; bytes.size() - at >= 12;) {
        const std::uint32_t length = BigEndian(bytes, at);
        if (length > bytes.size() - at - 12) break;
        const std::string_view type = bytes.substr(at + 4, 4);
        if (Crc32(bytes.substr(at + 4, 4 + length)) != BigEndian(bytes, at + 8 + length)) {
            return "unusable: damaged (its " + std::string(type) + " chunk fails its checksum)";
        }
        if (!header) {
            if (type != "IHDR" || length != 13) return "unusable: damaged (no PNG header)";
            const std::uint32_t width = BigEndian(bytes, at + 8);
            const std::uint32_t height = BigEndian(bytes, at + 12);
            if (width == 0 || height == 0) return "unusable: damaged (no pixels)";
            if (static_cast<long long>(width) * height > Picture::kMaxBitmapPixels) {
                return "unusable: too many pixels (" + std::to_string(width) + "x" +
                       std::to_string(height) + ", at most " +
                       std::to_string(Picture::kMaxBitmapPixels) + ")";
            }
            header = true;
        }
        if (type == "IEND") return {};
        at += 12 + std::size_t{length};
    }
    return "unusable: damaged (cut short)";
}

}  // namespace

Picture::Picture(std::string bytes, Format format) : bytes_(std::move(bytes)), format_(format) {}

Picture::~Picture() = default;

const ClassInfo& Picture::Class() {
    static const ClassInfo info("Picture", &Object::Class());
    return info;
}

std::string Picture::Decode() {
    const QByteArray data =
        QByteArray::fromRawData(bytes_.data(), static_cast<qsizetype>(bytes_.size()));
    const DecoderMessages messages;
    std::string problem;
    if (format_ == Format::Svg) {
        problem = SvgProblem(data);
        if (problem.empty()) {
            svg_ = std::make_unique<QSvgRenderer>(data);
            if (!svg_->isValid()) {
                svg_.reset();
                problem = "unusable: cannot be decoded";
            }
        }
    } else {
        problem = PngProblem(bytes_);
        if (problem.empty()) {
            QBuffer buffer;
            buffer.setData(data);
            QImageReader reader(&buffer, "png");
            reader.setAutoDetectImageFormat(false);
            image_ = reader.read();
            if (image_.isNull()) problem = "unusable: cannot be decoded";
        }
    }
    if (!problem.empty() && !messages.First().empty()) {
        problem += " (" + messages.First() + ")";
    }
    return problem;
}

Ref<Picture> Picture::FromBytes(std::string bytes, Format format, std::string& problem) {
    Ref<Picture> picture = MakeRef<Picture>(std::move(bytes), format);
    problem = picture->Decode();
    if (!problem.empty()) return nullptr;
    return picture;
}

Ref<Picture> Picture::_OpenFromApp(const std::string& name) {
    Ref<FolderItem> resources = _GetApplicationBundleResources();
    if (resources.IsNil()) return nullptr;
    static constexpr std::array kFormats = {std::pair{".svg", Format::Svg},
                                            std::pair{".png", Format::Bitmap}};
    for (auto [extension, format] : kFormats) {
        const std::string file = name + extension;
        // Only a name with nothing at all behind it lets the next format have a go; a broken
        // file or link of this one is reported as it is.
        Ref<FolderItem> entry = resources->Child(file, false);
        if (entry.IsNil() || !entry->Exists()) continue;
        std::string problem;
        std::optional<std::string> bytes =
            FolderItem(entry->NativePath()).ReadAll(kMaxFileBytes, problem);
        Ref<Picture> picture = bytes ? FromBytes(std::move(*bytes), format, problem) : nullptr;
        if (picture.IsNil()) ResourceReport::Once("picture", file, problem);
        return picture;
    }
    ResourceReport::Once("picture", name + kFormats[0].first, "missing");
    return nullptr;
}

QSize Picture::Size() const {
    return svg_ ? svg_->defaultSize() : image_.size();
}

void Picture::Draw(QPainter& painter) const {
    if (svg_) {
        const DecoderMessages messages;
        svg_->render(&painter, QRectF(QPointF(0, 0), svg_->defaultSize()));
    } else {
        painter.drawImage(QPointF(0, 0), image_);
    }
}
