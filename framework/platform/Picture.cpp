#include "platform/Picture.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <array>
#include <utility>

#include "platform/Bundle.h"
#include "platform/FolderItem.h"
#include "platform/ResourceReport.h"

namespace {
// Decoded bitmaps are held whole; a file may claim any size.
constexpr int kMaxBitmapMegabytes = 64;
}  // namespace

Picture::Picture(std::string bytes, Format format) : bytes_(std::move(bytes)), format_(format) {
    const QByteArray data =
        QByteArray::fromRawData(bytes_.data(), static_cast<qsizetype>(bytes_.size()));
    if (format_ == Format::Svg) {
        svg_ = std::make_unique<QSvgRenderer>(data);
        if (!svg_->isValid()) svg_.reset();
    } else {
        QBuffer buffer;
        buffer.setData(data);
        QImageReader reader(&buffer);
        reader.setAllocationLimit(kMaxBitmapMegabytes);
        image_ = reader.read();
    }
}

Picture::~Picture() = default;

const ClassInfo& Picture::Class() {
    static const ClassInfo info("Picture", &Object::Class());
    return info;
}

Ref<Picture> Picture::FromBytes(std::string bytes, Format format) {
    Ref<Picture> picture = MakeRef<Picture>(std::move(bytes), format);
    if (!picture->svg_ && picture->image_.isNull()) return nullptr;
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
            FolderItem(entry->NativePath()).ReadAll(FolderItem::kMaxReadBytes, problem);
        if (!bytes) {
            ResourceReport::Once("picture", file, problem);
            return nullptr;
        }
        Ref<Picture> picture = FromBytes(std::move(*bytes), format);
        if (picture.IsNil()) ResourceReport::Once("picture", file, "unusable: cannot be decoded");
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
        svg_->render(&painter, QRectF(QPointF(0, 0), svg_->defaultSize()));
    } else {
        painter.drawImage(QPointF(0, 0), image_);
    }
}
