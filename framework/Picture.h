#pragma once

#include <string>

#include "Object.h"

// A picture held as its file's bytes; views render it at the display's scale, so vector
// pictures stay crisp.
class Picture : public Object {
  public:
    enum class Format { Svg, Bitmap };

    Picture(std::string bytes, Format format) : bytes_(std::move(bytes)), format_(format) {}

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    // The bundle's picture resource of that name (a file "<name>.svg" or "<name>.png" in the
    // Resources folder), or nil when there is none or it cannot be read.
    static Ref<Picture> _OpenFromApp(const std::string& name);

    const std::string& Bytes() const { return bytes_; }
    Format GetFormat() const { return format_; }

  private:
    std::string bytes_;
    Format format_;
};
