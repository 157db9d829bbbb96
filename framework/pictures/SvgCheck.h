#pragma once

#include <string>
#include <string_view>

// What an SVG file must be before the SVG reader sees it: the reader does whatever a file asks,
// however much memory or time that costs, and opens other files at its bidding.
class SvgCheck {
  public:
    // Empty when the file holds nothing that a picture may not; otherwise why not.
    static std::string Problem(std::string_view bytes);
};
