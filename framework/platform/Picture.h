#pragma once

#include <QImage>
#include <QSize>
#include <memory>
#include <string>

#include "runtime/Object.h"

class QPainter;
class QSvgRenderer;

// A decoded picture. Vector pictures are drawn as vectors at the display's scale, so they stay
// crisp; a picture that cannot be decoded is never made.
class Picture : public Object {
  public:
    enum class Format { Svg, Bitmap };

    ~Picture() override;

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    // The bundle's picture resource of that name (a file "<name>.svg" or "<name>.png" in the
    // Resources folder), or nil when there is none or it cannot be used; why is reported once.
    static Ref<Picture> _OpenFromApp(const std::string& name);
    // The picture in those bytes, or nil when they are not one.
    static Ref<Picture> FromBytes(std::string bytes, Format format);

    const std::string& Bytes() const { return bytes_; }
    Format GetFormat() const { return format_; }
    // The size the picture gives itself, in points.
    QSize Size() const;
    // Draws the picture at its own size with its top-left corner at the painter's origin. Only
    // what falls inside the painter's clip is drawn, whatever size the picture claims.
    void Draw(QPainter& painter) const;

    Picture(std::string bytes, Format format);  // through FromBytes

  private:
    std::string bytes_;
    Format format_;
    std::unique_ptr<QSvgRenderer> svg_;
    QImage image_;
};
