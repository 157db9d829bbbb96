#pragma once

#include <optional>
#include <string_view>
#include <vector>

// The outline that an SVG path's data, or a polygon's points, describes: its segments, each with
// every point that bounds it (its start, its control points and its end), in the path's own
// units. What it costs to draw an outline grows with its segments and with how far they reach.
class SvgPath {
  public:
    struct Point {
        double x = 0;
        double y = 0;
    };
    struct Segment {
        std::vector<Point> points;
        // An elliptical arc can bulge past its end points by up to its larger radius.
        double bulge = 0;
        // An arc counts as the four curves it is drawn with.
        int weight = 1;
    };

    // The segments of path data ("M 10 10 L 20 20 ..."); nothing when it is not path data.
    static std::optional<std::vector<Segment>> FromData(std::string_view data);
    // The segments of a polyline's or a polygon's points ("10,10 20,20 ..."); nothing when they
    // are not a list of points.
    static std::optional<std::vector<Segment>> FromPoints(std::string_view points, bool closed);
};
