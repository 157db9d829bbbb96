#pragma once

#include <QImage>
#include <QSize>
#include <cstddef>
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

    // Our pictures are at most 6 KB. What a picture costs grows with its file: Qt's SVG reader
    // keeps about 450 bytes per element and lays text out at several hundred bytes a character;
    // 64 KiB of the costliest SVG we found (16,000 empty groups) add about 6 MB to the game's
    // peak memory, so eight such pictures stay well inside its budget of 200 MB.
    static constexpr std::size_t kMaxFileBytes = 64 * 1024;
    // A bitmap is held decoded, four bytes a pixel (eight for 16-bit colour), and a small file
    // may claim a huge size: at most 4 MB a picture, 8 at worst. Our largest canvas, 292 by 232
    // points, fits at three times its scale.
    static constexpr long long kMaxBitmapPixels = 1024 * 1024;

    ~Picture() override;

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    // The bundle's picture resource of that name (a file "<name>.svg" or "<name>.png" in the
    // Resources folder), or nil when there is none or it cannot be used; why is reported once.
    static Ref<Picture> _OpenFromApp(const std::string& name);
    // The picture in those bytes (an SVG, or a PNG as a bitmap), or nil and why when they are not
    // one or would cost more than a picture may.
    static Ref<Picture> FromBytes(std::string bytes, Format format, std::string& problem);

    const std::string& Bytes() const { return bytes_; }
    Format GetFormat() const { return format_; }
    // The size the picture gives itself, in points.
    QSize Size() const;
    // Draws the picture at its own size with its top-left corner at the painter's origin. Only
    // what falls inside the painter's clip is drawn, whatever size the picture claims.
    void Draw(QPainter& painter) const;

    Picture(std::string bytes, Format format);  // through FromBytes

  private:
    // Empty when the bytes could be decoded, otherwise why not.
    std::string Decode();
    // Draws the vector picture at its own size, as Draw does and Decode tries it.
    void RenderSvg(QPainter& painter) const;

    std::string bytes_;
    Format format_;
    std::unique_ptr<QSvgRenderer> svg_;
    QImage image_;
};
