#include "pictures/SvgCheck.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <set>
#include <vector>

#include "pictures/SvgPath.h"

namespace {

using Point = SvgPath::Point;

// A map of the plane that keeps straight lines straight: x' = a x + c y + e, y' = b x + d y + f.
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    // This map after `first`.
    Affine After(const Affine& first) const {
        return {a * first.a + c * first.b,     b * first.a + d * first.b,
                a * first.c + c * first.d,     b * first.c + d * first.d,
                a * first.e + c * first.f + e, b * first.e + d * first.f + f};
    }
    Point Map(const Point& p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    // The most it lengthens any length.
    double Scale() const {
        const double sum = a * a + b * b + c * c + d * d;
        const double det = a * d - b * c;
        return std::sqrt((sum + std::sqrt(std::max(0.0, sum * sum - 4 * det * det))) / 2);
    }
};

std::optional<double> Number(std::string_view text) {
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// A length in user units: a number, "px" allowed after it. Other units are not ours.
std::optional<double> Length(QStringView text) {
    std::string plain = text.trimmed().toString().toStdString();
    if (plain.ends_with("px")) plain.resize(plain.size() - 2);
    if (plain.starts_with('+')) plain.erase(0, 1);
    return Number(plain);
}

// Numbers separated by white space or commas.
std::optional<std::vector<double>> Numbers(QStringView text) {
    std::vector<double> numbers;
    const QString spaced = text.toString().replace(QLatin1Char(','), QLatin1Char(' '));
    for (const QString& part : spaced.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const std::optional<double> value = Length(part);
        if (!value) return std::nullopt;
        numbers.push_back(*value);
    }
    return numbers;
}

// A transform list: "translate(10,20) rotate(30) scale(0.5) matrix(...) skewX(10)".
std::optional<Affine> Transform(QStringView text) {
    Affine all;
    QString rest = text.toString().trimmed();
    while (!rest.isEmpty()) {
        const qsizetype open = rest.indexOf(QLatin1Char('('));
        const qsizetype close = rest.indexOf(QLatin1Char(')'));
        if (open < 0 || close < open) return std::nullopt;
        const QString name = rest.left(open).trimmed();
        const auto values = Numbers(QStringView(rest).mid(open + 1, close - open - 1));
        rest = rest.mid(close + 1).trimmed();
        if (rest.startsWith(QLatin1Char(','))) rest = rest.mid(1).trimmed();
        if (!values) return std::nullopt;
        const std::vector<double>& v = *values;
        const std::size_t n = v.size();
        constexpr double kRadians = 3.14159265358979323846 / 180;
        Affine step;
        if (name == u"matrix" && n == 6) {
            step = {v[0], v[1], v[2], v[3], v[4], v[5]};
        } else if (name == u"translate" && (n == 1 || n == 2)) {
            step = {1, 0, 0, 1, v[0], n == 2 ? v[1] : 0};
        } else if (name == u"scale" && (n == 1 || n == 2)) {
            step = {v[0], 0, 0, n == 2 ? v[1] : v[0], 0, 0};
        } else if (name == u"rotate" && (n == 1 || n == 3)) {
            const double cosine = std::cos(v[0] * kRadians);
            const double sine = std::sin(v[0] * kRadians);
            step = {cosine, sine, -sine, cosine, 0, 0};
            if (n == 3) {
                step = Affine{1, 0, 0, 1, v[1], v[2]}.After(step).After({1, 0, 0, 1, -v[1], -v[2]});
            }
        } else if (name == u"skewX" && n == 1) {
            step = {1, 0, std::tan(v[0] * kRadians), 1, 0, 0};
        } else if (name == u"skewY" && n == 1) {
            step = {1, std::tan(v[0] * kRadians), 0, 1, 0, 0};
        } else {
            return std::nullopt;
        }
        all = all.After(step);
    }
    return all;
}

// Whether text of this character is drawn from the fonts at hand without a search through
// them or shaping: Latin letters, digits and the usual punctuation and signs.
bool PlainCharacter(char32_t c) {
    return (c >= 0x20 && c <= 0x7e) || (c >= 0xa0 && c <= 0x17f) || (c >= 0x2010 && c <= 0x2027) ||
           (c >= 0x2030 && c <= 0x205e) || c == 0x20ac || c == 0x2122 || c == '\n' || c == '\t' ||
           c == '\r';
}

std::set<QString> Names(const char* spaced) {
    const QStringList names = QString::fromLatin1(spaced).split(QLatin1Char(' '));
    return {names.begin(), names.end()};
}

// What the game's own pictures are made of.
const std::set<QString>& AllowedElements() {
    static const std::set<QString> names = Names(
        "svg g defs title desc rect circle ellipse line path polyline polygon text tspan "
        "linearGradient radialGradient stop");
    return names;
}

const std::set<QString>& AllowedAttributes() {
    static const std::set<QString> names = Names(
        "id version baseProfile width height viewBox preserveAspectRatio x y x1 y1 x2 y2 cx cy r "
        "rx ry fx fy d points transform fill fill-opacity fill-rule stroke stroke-width "
        "stroke-opacity stroke-linecap stroke-linejoin stroke-miterlimit opacity offset "
        "stop-color stop-opacity gradientUnits spreadMethod text-anchor font-family font-size "
        "font-weight font-style display visibility color");
    return names;
}

// Walks the document element by element, keeping what each inherits from the ones around it
// and what the whole picture has cost so far.
class Walker {
  public:
    std::string Walk(QXmlStreamReader& xml) {
        while (!xml.atEnd()) {
            switch (xml.readNext()) {
                case QXmlStreamReader::DTD:
                    return "holds a document type declaration, which a picture may not";
                case QXmlStreamReader::StartElement: {
                    std::string why = Start(xml);
                    if (!why.empty()) return why;
                    break;
                }
                case QXmlStreamReader::EndElement:
                    if (xml.name() == u"text") inText_ = false;
                    if (xml.name() == u"linearGradient" || xml.name() == u"radialGradient") {
                        stops_ = 0;
                    }
                    contexts_.pop_back();
                    break;
                case QXmlStreamReader::Characters:
                    if (inText_) {
                        for (const char32_t c : xml.text().toString().toUcs4()) {
                            if (!PlainCharacter(c)) {
                                return "holds text in letters other than Latin (U+" +
                                       QString::number(c, 16).toUpper().toStdString() + ")";
                            }
                            if (++characters_ > SvgCheck::kMaxTextCharacters) {
                                return TooCostly("characters of text",
                                                 SvgCheck::kMaxTextCharacters);
                            }
                        }
                    }
                    break;
                default:
                    break;
            }
        }
        if (xml.hasError()) {
            return "cannot be decoded (" + xml.errorString().toStdString() + ")";
        }
        return {};
    }

  private:
    // What an element passes on to the ones inside it.
    struct Context {
        Affine toDevice;
        double strokeWidth = 1;
        bool stroked = false;
        bool gradientFill = false;
    };

    static std::string TooCostly(const std::string& what, long long most) {
        return "too costly to draw (more than " + std::to_string(most) + " " + what + ")";
    }

    std::string Start(const QXmlStreamReader& xml) {
        const QString name = xml.name().toString();
        if (xml.namespaceUri() != u"http://www.w3.org/2000/svg" ||
            AllowedElements().count(name) == 0) {
            return "holds <" + xml.qualifiedName().toString().toStdString() +
                   ">, which a picture may not";
        }
        if (++elements_ > SvgCheck::kMaxElements) {
            return TooCostly("elements", SvgCheck::kMaxElements);
        }
        if (static_cast<int>(contexts_.size()) >= SvgCheck::kMaxDepth) {
            return TooCostly("elements one inside another", SvgCheck::kMaxDepth);
        }
        const QXmlStreamAttributes attributes = xml.attributes();
        for (const QXmlStreamAttribute& attribute : attributes) {
            const bool xmlSpace = attribute.qualifiedName() == u"xml:space";
            if ((!attribute.namespaceUri().isEmpty() && !xmlSpace) ||
                AllowedAttributes().count(attribute.name().toString()) == 0) {
                return "holds the attribute " + attribute.qualifiedName().toString().toStdString() +
                       ", which a picture may not";
            }
        }
        if (name == u"svg") {
            if (!contexts_.empty()) return "holds an svg element inside another";
            return Root(attributes);
        }
        if (contexts_.empty()) return "is not an SVG picture";
        Context context = contexts_.back();
        std::string why = Inherit(attributes, context);
        if (why.empty()) why = Draws(name, attributes, context);
        contexts_.push_back(context);
        return why;
    }

    // The size the picture gives itself and the frame of its own units that fills it.
    std::string Root(const QXmlStreamAttributes& attributes) {
        std::optional<std::vector<double>> box;
        if (attributes.hasAttribute(QLatin1String("viewBox"))) {
            box = Numbers(attributes.value(QLatin1String("viewBox")));
            if (!box || box->size() != 4 || (*box)[2] <= 0 || (*box)[3] <= 0) {
                return "damaged (a viewBox of no size)";
            }
        }
        auto side = [&](const char* attribute, int index) -> std::optional<double> {
            if (attributes.hasAttribute(QLatin1String(attribute))) {
                return Length(attributes.value(QLatin1String(attribute)));
            }
            if (box) return (*box)[index];
            return std::nullopt;
        };
        const std::optional<double> width = side("width", 2);
        const std::optional<double> height = side("height", 3);
        if (!width || !height || *width <= 0 || *height <= 0) {
            return "gives itself no size in points";
        }
        width_ = *width;
        height_ = *height;
        if (width_ > SvgCheck::kMaxSide || height_ > SvgCheck::kMaxSide) {
            return "claims to be " + std::to_string(std::lround(width_)) + " by " +
                   std::to_string(std::lround(height_)) + " points, more than " +
                   std::to_string(std::lround(SvgCheck::kMaxSide)) + " a side";
        }
        Context root;
        if (box) {
            // The frame is stretched over the picture's size, as the reader draws it.
            const double sx = width_ / (*box)[2];
            const double sy = height_ / (*box)[3];
            root.toDevice = {sx, 0, 0, sy, -(*box)[0] * sx, -(*box)[1] * sy};
        }
        std::string why = Inherit(attributes, root);
        contexts_.push_back(root);
        return why;
    }

    // Takes what the element sets for itself and those inside it.
    std::string Inherit(const QXmlStreamAttributes& attributes, Context& context) {
        if (attributes.hasAttribute(QLatin1String("transform"))) {
            const std::optional<Affine> own =
                Transform(attributes.value(QLatin1String("transform")));
            if (!own) return "damaged (a transform it cannot be drawn with)";
            context.toDevice = context.toDevice.After(*own);
        }
        const double scale = context.toDevice.Scale();
        if (scale > SvgCheck::kMaxScale || scale < 1 / SvgCheck::kMaxScale) {
            return "draws at a scale of " + QString::number(scale, 'g', 3).toStdString() +
                   ", more than " + std::to_string(static_cast<int>(SvgCheck::kMaxScale)) +
                   " times up or down";
        }
        if (attributes.hasAttribute(QLatin1String("stroke-width"))) {
            const std::optional<double> width =
                Length(attributes.value(QLatin1String("stroke-width")));
            if (!width || *width < 0) return "damaged (a stroke of no width)";
            context.strokeWidth = *width;
        }
        if (attributes.hasAttribute(QLatin1String("stroke-miterlimit"))) {
            const std::optional<double> limit =
                Length(attributes.value(QLatin1String("stroke-miterlimit")));
            if (!limit || *limit > 10) return "draws corners that reach too far (a miter limit)";
        }
        if (attributes.hasAttribute(QLatin1String("font-size"))) {
            const std::optional<double> size = Length(attributes.value(QLatin1String("font-size")));
            if (!size || *size <= 0 ||
                *size * context.toDevice.Scale() > std::max(width_, height_)) {
                return "draws text larger than itself";
            }
            sizes_.insert(*size);
            if (static_cast<int>(sizes_.size()) > SvgCheck::kMaxFontSizes) {
                return TooCostly("sizes of text", SvgCheck::kMaxFontSizes);
            }
        }
        if (attributes.hasAttribute(QLatin1String("font-family"))) {
            families_.insert(attributes.value(QLatin1String("font-family")).toString());
            if (static_cast<int>(families_.size()) > SvgCheck::kMaxFontFamilies) {
                return TooCostly("fonts", SvgCheck::kMaxFontFamilies);
            }
        }
        // A translucent group is drawn apart and laid over the rest: as costly as a shape that
        // covers the whole picture.
        if (attributes.hasAttribute(QLatin1String("opacity")) && !Cover(1)) {
            return TooCostly("times its area in shapes",
                             static_cast<long long>(SvgCheck::kMaxCoverage));
        }
        if (attributes.hasAttribute(QLatin1String("stroke"))) {
            context.stroked = attributes.value(QLatin1String("stroke")).trimmed() != u"none";
        }
        if (attributes.hasAttribute(QLatin1String("fill"))) {
            context.gradientFill =
                attributes.value(QLatin1String("fill")).trimmed().startsWith(u"url(");
        }
        return {};
    }

    // Counts what an element draws against the picture's budget.
    std::string Draws(const QString& name, const QXmlStreamAttributes& attributes,
                      const Context& context) {
        auto value = [&](const char* attribute, double otherwise = 0) {
            return attributes.hasAttribute(QLatin1String(attribute))
                       ? Length(attributes.value(QLatin1String(attribute)))
                       : std::optional<double>(otherwise);
        };
        std::vector<SvgPath::Segment> segments;
        bool outline = false;
        if (name == u"rect" || name == u"circle" || name == u"ellipse") {
            std::optional<double> x, y, w, h;
            if (name == u"rect") {
                x = value("x"), y = value("y"), w = value("width"), h = value("height");
            } else {
                const auto rx = value(name == u"circle" ? "r" : "rx");
                const auto ry = value(name == u"circle" ? "r" : "ry");
                const auto cx = value("cx");
                const auto cy = value("cy");
                if (rx && ry && cx && cy) x = *cx - *rx, y = *cy - *ry, w = 2 * *rx, h = 2 * *ry;
            }
            if (!x || !y || !w || !h || *w < 0 || *h < 0) return "damaged (a shape of no size)";
            const Point corners[] = {{*x, *y}, {*x + *w, *y}, {*x + *w, *y + *h}, {*x, *y + *h}};
            for (int i = 0; i < 4; ++i) segments.push_back({{corners[i], corners[(i + 1) % 4]}});
        } else if (name == u"line") {
            const auto x1 = value("x1"), y1 = value("y1"), x2 = value("x2"), y2 = value("y2");
            if (!x1 || !y1 || !x2 || !y2) return "damaged (a line of no ends)";
            segments.push_back({{{*x1, *y1}, {*x2, *y2}}});
            outline = true;
        } else if (name == u"path" || name == u"polyline" || name == u"polygon") {
            const std::string data =
                attributes.value(QLatin1String(name == u"path" ? "d" : "points"))
                    .toString()
                    .toStdString();
            auto parsed = name == u"path" ? SvgPath::FromData(data)
                                          : SvgPath::FromPoints(data, name == u"polygon");
            if (!parsed) return "damaged (an outline it cannot read)";
            segments = std::move(*parsed);
            outline = true;
        } else if (name == u"text" || name == u"tspan") {
            return Text(attributes, context);
        } else if (name == u"linearGradient" || name == u"radialGradient") {
            if (++gradients_ > SvgCheck::kMaxGradients) {
                return TooCostly("gradients", SvgCheck::kMaxGradients);
            }
            return {};
        } else if (name == u"stop") {
            if (++stops_ > SvgCheck::kMaxStops)
                return TooCostly("stops in a gradient", SvgCheck::kMaxStops);
            return {};
        } else {
            return {};
        }
        return Outline(segments, outline, context);
    }

    // Where the segments reach once drawn, how many lines across they make, and the area they
    // cover, in the picture's points.
    std::string Outline(const std::vector<SvgPath::Segment>& segments, bool outline,
                        const Context& context) {
        const Affine& map = context.toDevice;
        const double scale = map.Scale();
        const double pen = context.stroked ? context.strokeWidth * scale : 0;
        if (pen > std::max(width_, height_) / 10) return "draws strokes too wide for its size";
        std::vector<std::pair<double, int>> spans;  // where each segment starts and ends across
        double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
        for (const SvgPath::Segment& segment : segments) {
            segments_ += outline ? segment.weight : 0;
            if (segments_ > SvgCheck::kMaxSegments) {
                return TooCostly("path segments", SvgCheck::kMaxSegments);
            }
            const double pad = pen / 2 + segment.bulge * scale;
            double low = INFINITY, high = -INFINITY;
            for (const Point& point : segment.points) {
                const Point at = map.Map(point);
                left = std::min(left, at.x - pad), right = std::max(right, at.x + pad);
                top = std::min(top, at.y - pad), bottom = std::max(bottom, at.y + pad);
                low = std::min(low, at.y - pad), high = std::max(high, at.y + pad);
            }
            spans.emplace_back(low, 1);
            spans.emplace_back(high, -1);
        }
        if (segments.empty()) return {};
        // Drawing reaches everything a shape touches, even what falls outside the picture.
        if (!InFrame(left, top, right, bottom))
            return "draws far outside the frame it gives itself";
        if (outline) {
            std::sort(spans.begin(), spans.end(), [](const auto& p, const auto& q) {
                return p.first < q.first || (p.first == q.first && p.second > q.second);
            });
            int crossing = 0;
            for (const auto& [at, change] : spans) {
                crossing += change;
                if (crossing > SvgCheck::kMaxCrossings) {
                    return TooCostly("edges of one outline across any line",
                                     SvgCheck::kMaxCrossings);
                }
            }
        }
        const double covered = std::max(0.0, std::min(right, width_) - std::max(left, 0.0)) *
                               std::max(0.0, std::min(bottom, height_) - std::max(top, 0.0));
        if (!Cover(covered * (context.gradientFill ? 2 : 1) / (width_ * height_))) {
            return TooCostly("times its area in shapes",
                             static_cast<long long>(SvgCheck::kMaxCoverage));
        }
        return {};
    }

    // Counts that many times the picture's area against what its shapes may cover.
    bool Cover(double areas) {
        coverage_ += areas;
        return coverage_ <= SvgCheck::kMaxCoverage;
    }

    // Whether the box lies within the picture and its size again on each side. Edges that reach
    // far past the picture cost as much to draw as their length, drawn or not.
    bool InFrame(double left, double top, double right, double bottom) const {
        return left >= -width_ && right <= 2 * width_ && top >= -height_ && bottom <= 2 * height_;
    }

    std::string Text(const QXmlStreamAttributes& attributes, const Context& context) {
        inText_ = true;
        if (++texts_ > SvgCheck::kMaxTextElements) {
            return TooCostly("pieces of text", SvgCheck::kMaxTextElements);
        }
        const auto coordinate = [&](const char* name) {
            return attributes.hasAttribute(QLatin1String(name))
                       ? Length(attributes.value(QLatin1String(name)))
                       : std::optional<double>(0);
        };
        const std::optional<double> x = coordinate("x");
        const std::optional<double> y = coordinate("y");
        if (!x || !y) return "damaged (text at no place, or at more than one)";
        const Point at = context.toDevice.Map({*x, *y});
        if (!InFrame(at.x, at.y, at.x, at.y)) return "draws far outside the frame it gives itself";
        return {};
    }

    std::vector<Context> contexts_;
    double width_ = 0;
    double height_ = 0;
    int elements_ = 0;
    int segments_ = 0;
    double coverage_ = 0;
    int gradients_ = 0;
    int stops_ = 0;
    int texts_ = 0;
    int characters_ = 0;
    bool inText_ = false;
    std::set<double> sizes_;
    std::set<QString> families_;
};

}  // namespace

std::string SvgCheck::Problem(std::string_view bytes) {
    // The SVG reader inflates compressed content without limit.
    if (bytes.starts_with("\x1f\x8b")) return "compressed, which a picture may not be";
    QXmlStreamReader xml(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return Walker().Walk(xml);
}
