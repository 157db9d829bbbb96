#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What a PNG file must be before the PNG library sees it. The library prints its complaints
// about a file it refuses straight to stderr, past the program, and trusts the header's size;
// so the file is walked first: every chunk whole and with its checksum, a header the library
// takes, the chunks the image needs in their places, and the compressed image data inflated
// (never held whole) to exactly the rows the header calls for, each with a filter it knows.
class PngCheck {
  public:
    // Empty when the library decodes the file without complaint, as far as the walk can tell,
    // to at most maxPixels pixels; otherwise why not, such as "damaged (cut short)".
    static std::string Problem(std::string_view bytes, std::uint64_t maxPixels);
};
