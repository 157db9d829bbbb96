#include "pictures/SvgPath.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace {

// Reads the numbers, flags and command letters of path data, with the separators SVG allows.
class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    // Skips white space and at most one comma.
    void SkipSeparators() {
        SkipSpace();
        if (at_ < text_.size() && text_[at_] == ',') {
            ++at_;
            SkipSpace();
        }
    }
    bool AtEnd() {
        SkipSpace();
        return at_ == text_.size();
    }
    // The command letter here, if one is; it is taken.
    std::optional<char> Command() {
        SkipSpace();
        if (at_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[at_])) &&
            text_[at_] != 'e' && text_[at_] != 'E') {
            return text_[at_++];
        }
        return std::nullopt;
    }
    // Whether a number starts here.
    bool NumberNext() {
        SkipSpace();
        if (at_ == text_.size()) return false;
        const char c = text_[at_];
        return std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.';
    }
    std::optional<double> Number() {
        SkipSeparators();
        if (at_ < text_.size() && text_[at_] == '+') ++at_;
        double value = 0;
        const auto [end, error] = std::from_chars(text_.data() + at_, text_.data() + text_.size(),
                                                  value, std::chars_format::general);
        if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
        at_ = static_cast<std::size_t>(end - text_.data());
        return value;
    }
    // An arc's flag: a single 0 or 1, which needs nothing to separate it from what follows.
    std::optional<bool> Flag() {
        SkipSeparators();
        if (at_ < text_.size() && (text_[at_] == '0' || text_[at_] == '1')) {
            return text_[at_++] == '1';
        }
        return std::nullopt;
    }

  private:
    void SkipSpace() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

std::optional<std::vector<SvgPath::Segment>> SvgPath::FromData(std::string_view data) {
    Reader reader(data);
    std::vector<Segment> segments;
    Point current;
    Point start;
    Point lastControl;
    char previous = 0;
    std::optional<char> command = reader.Command();
    if (!command && !reader.AtEnd()) return std::nullopt;
    while (command) {
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(*command)));
        const bool relative = *command != upper;
        // The next coordinate pair, x first (read in two statements: the order in which the
        // arguments of one call are worked out is the compiler's).
        auto point = [&]() -> std::optional<Point> {
            const std::optional<double> x = reader.Number();
            const std::optional<double> y = reader.Number();
            if (!x || !y) return std::nullopt;
            return relative ? Point{current.x + *x, current.y + *y} : Point{*x, *y};
        };
        auto add = [&](std::vector<Point> points, const Point& end, double bulge = 0,
                       int weight = 1) {
            points.insert(points.begin(), current);
            points.push_back(end);
            segments.push_back({std::move(points), bulge, weight});
            current = end;
        };
        bool first = true;
        // A command's arguments may repeat; after a move they are lines.
        while (first || reader.NumberNext()) {
            const char kind = !first && upper == 'M' ? 'L' : upper;
            first = false;
            Point control = current;
            switch (kind) {
                case 'Z':
                    add({}, start);
                    break;
                case 'M': {
                    const auto to = point();
                    if (!to) return std::nullopt;
                    current = start = *to;
                    break;
                }
                case 'L': {
                    const auto to = point();
                    if (!to) return std::nullopt;
                    add({}, *to);
                    break;
                }
                case 'H':
                case 'V': {
                    const auto value = reader.Number();
                    if (!value) return std::nullopt;
                    Point to = current;
                    (kind == 'H' ? to.x : to.y) =
                        relative ? (kind == 'H' ? to.x : to.y) + *value : *value;
                    add({}, to);
                    break;
                }
                case 'C':
                case 'S':
                case 'Q':
                case 'T': {
                    std::vector<Point> controls;
                    const bool smooth = kind == 'S' || kind == 'T';
                    // A smooth curve's first control point mirrors the last one of the curve
                    // before, when there was one.
                    if (smooth) {
                        const char was = static_cast<char>(std::toupper(previous));
                        const bool follows =
                            kind == 'S' ? (was == 'C' || was == 'S') : (was == 'Q' || was == 'T');
                        controls.push_back(follows ? Point{2 * current.x - lastControl.x,
                                                           2 * current.y - lastControl.y}
                                                   : current);
                    }
                    const int given = kind == 'C' ? 2 : kind == 'T' ? 0 : 1;
                    for (int i = 0; i < given; ++i) {
                        const auto p = point();
                        if (!p) return std::nullopt;
                        controls.push_back(*p);
                    }
                    const auto to = point();
                    if (!to) return std::nullopt;
                    control = controls.back();
                    add(std::move(controls), *to);
                    break;
                }
                case 'A': {
                    const auto rx = reader.Number();
                    const auto ry = reader.Number();
                    const auto rotation = reader.Number();
                    const auto large = reader.Flag();
                    const auto sweep = reader.Flag();
                    const auto to = point();
                    if (!rx || !ry || !rotation || !large || !sweep || !to) return std::nullopt;
                    add({}, *to, std::max(std::abs(*rx), std::abs(*ry)), 4);
                    break;
                }
                default:
                    return std::nullopt;
            }
            lastControl = control;
            previous = *command;
            if (kind == 'Z') break;
        }
        command = reader.Command();
        if (!command && !reader.AtEnd()) return std::nullopt;
    }
    return segments;
}

std::optional<std::vector<SvgPath::Segment>> SvgPath::FromPoints(std::string_view points,
                                                                 bool closed) {
    Reader reader(points);
    std::vector<Point> corners;
    while (!reader.AtEnd()) {
        const auto x = reader.Number();
        const auto y = reader.Number();
        if (!x || !y) return std::nullopt;
        corners.push_back({*x, *y});
    }
    std::vector<Segment> segments;
    for (std::size_t i = 1; i < corners.size(); ++i) {
        segments.push_back({{corners[i - 1], corners[i]}});
    }
    if (closed && corners.size() > 2) segments.push_back({{corners.back(), corners.front()}});
    return segments;
}
