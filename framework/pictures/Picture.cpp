#include "pictures/Picture.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "pictures/DecoderMessages.h"
#include "pictures/PngCheck.h"
#include "pictures/SvgCheck.h"
#include "platform/Bundle.h"
#include "platform/FolderItem.h"
#include "platform/ResourceReport.h"

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
        problem = SvgCheck::Problem(bytes_);
        if (problem.empty()) {
            svg_ = std::make_unique<QSvgRenderer>(data);
            if (svg_->isValid()) {
                // Some complaints come only once it is drawn: draw it once now, so that they are
                // told here, with the file's name, rather than printed with each drawing.
                QImage sample(1, 1, QImage::Format_ARGB32_Premultiplied);
                QPainter painter(&sample);
                RenderSvg(painter);
            } else {
                problem = "cannot be decoded";
            }
        }
    } else {
        problem = PngCheck::Problem(bytes_, kMaxBitmapPixels);
        if (problem.empty()) {
            QBuffer buffer;
            buffer.setData(data);
            QImageReader reader(&buffer, "png");
            reader.setAutoDetectImageFormat(false);
            image_ = reader.read();
            if (image_.isNull()) problem = "cannot be decoded";
        }
    }
    // A file that Qt's readers complain about, even one they take, is not one of our pictures.
    const std::string& complaint = messages.FirstComplaint();
    if (problem.empty() && !complaint.empty()) {
        problem = "damaged (" + complaint + ")";
    } else if (!complaint.empty()) {
        problem += " (" + complaint + ")";
    }
    if (problem.empty()) return {};
    svg_.reset();
    image_ = QImage();
    return "unusable: " + problem;
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

void Picture::RenderSvg(QPainter& painter) const {
    svg_->render(&painter, QRectF(QPointF(0, 0), svg_->defaultSize()));
}

void Picture::Draw(QPainter& painter) const {
    if (svg_) {
        const DecoderMessages messages;
        RenderSvg(painter);
    } else {
        painter.drawImage(QPointF(0, 0), image_);
    }
}
