#pragma once

#include <string>
#include <string_view>

// What an SVG file must be before the SVG reader sees it. The reader does whatever a file asks,
// however much memory or time that costs: a page of text wrapped one letter a line, references
// that multiply, outlines that reach far past the picture, dashes by the million each take it
// seconds to minutes to draw, and it draws a picture each time its canvas is painted. So a
// picture is held to the form of the game's own: the elements and attributes they use, inside
// the frame that they give themselves, at a cost to draw that is bounded, whatever the file
// holds (the limits below; drawing what passes them takes milliseconds).
class SvgCheck {
  public:
    // The most a picture may claim to be across, in points: several times the game's largest
    // canvas (292 by 232 points), which shows only as much as it holds.
    static constexpr double kMaxSide = 2048;
    // How far the frame that a picture gives itself may be magnified or shrunk to its size.
    static constexpr double kMaxScale = 16;
    // Path segments in all (an arc counts as four), and how many of one outline any line across
    // the picture may meet: filling an outline costs as the square of the second.
    static constexpr int kMaxSegments = 2000;
    static constexpr int kMaxCrossings = 32;
    // How many times the picture's area its shapes may cover in all; one painted with a gradient
    // counts twice.
    static constexpr double kMaxCoverage = 64;
    // Text: characters in all, text and tspan elements, and the fonts and sizes they ask for,
    // each font looked up and laid out afresh.
    static constexpr int kMaxTextCharacters = 256;
    static constexpr int kMaxTextElements = 32;
    static constexpr int kMaxFontFamilies = 4;
    static constexpr int kMaxFontSizes = 16;
    static constexpr int kMaxElements = 2000;
    static constexpr int kMaxDepth = 64;
    static constexpr int kMaxGradients = 32;
    static constexpr int kMaxStops = 32;

    // Empty when the file holds nothing that a picture may not; otherwise why not.
    static std::string Problem(std::string_view bytes);
};
