// Paints QOR's three pictures: the main logo, the about banner and the splash banner.
//
// The bitmaps are committed, and a test repaints them and compares byte for byte. That only holds
// if every machine paints the same bytes, so this program uses no fonts and no toolkit rasteriser
// (both vary between installations): the letters are stroke skeletons drawn here with a round pen,
// and the only floating-point operations are +, -, *, /, sqrt and floor, ceil or lround, which
// IEEE 754 rounds the same way everywhere. The sine is a fixed polynomial for the same reason
// (libm's sin may differ in the last bit between versions), and the build turns off fused
// multiply-add contraction.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace qor::pictures {

constexpr int pictureWidth = 961;
constexpr int pictureHeight = 600;
constexpr double pi = 3.14159265358979323846;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(Rgb, Rgb) = default;
};

constexpr Rgb white{255, 255, 255};
constexpr Rgb black{0, 0, 0};

Rgb mix(Rgb from, Rgb to, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto channel = [t](int a, int b) {
        return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
    };
    return {channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b)};
}

// sin(2 pi turns) by its Taylor series on a quarter turn; the error stays below 1e-11.
double sineOfTurns(double turns) {
    double t = turns - std::floor(turns);
    if (t > 0.75)
        t -= 1.0;
    else if (t > 0.25)
        t = 0.5 - t;
    const double x = 2.0 * pi * t;
    const double x2 = x * x;
    // Horner's form of x - x^3/3! + x^5/5! - ... + x^13/13!.
    double sum = 1.0;
    for (int n = 13; n >= 3; n -= 2)
        sum = 1.0 - x2 / (n * (n - 1)) * sum;
    return x * sum;
}

double sineOfDegrees(double degrees) {
    return sineOfTurns(degrees / 360.0);
}
double cosineOfDegrees(double degrees) {
    return sineOfTurns(degrees / 360.0 + 0.25);
}

class Canvas {
public:
    Canvas() : pixels_(static_cast<std::size_t>(pictureWidth) * pictureHeight, white) {}

    void set(int x, int y, Rgb colour) {
        if (x >= 0 && y >= 0 && x < pictureWidth && y < pictureHeight)
            pixels_[static_cast<std::size_t>(y) * pictureWidth + x] = colour;
    }
    Rgb at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * pictureWidth + x]; }

private:
    std::vector<Rgb> pixels_;
};

// One bit per pixel of the picture: the shape a layer of paint covers.
class Mask {
public:
    Mask() : bits_(static_cast<std::size_t>(pictureWidth) * pictureHeight, 0) {}

    void set(int x, int y) {
        if (inside(x, y))
            bits_[index(x, y)] = 1;
    }
    bool has(int x, int y) const { return inside(x, y) && bits_[index(x, y)] != 0; }

    void keepOnly(const Mask& other) {
        for (std::size_t i = 0; i < bits_.size(); ++i)
            bits_[i] = static_cast<std::uint8_t>(bits_[i] & other.bits_[i]);
    }

    Mask shifted(int dx, int dy) const {
        Mask moved;
        for (int y = 0; y < pictureHeight; ++y)
            for (int x = 0; x < pictureWidth; ++x)
                if (has(x, y))
                    moved.set(x + dx, y + dy);
        return moved;
    }

private:
    static bool inside(int x, int y) {
        return x >= 0 && y >= 0 && x < pictureWidth && y < pictureHeight;
    }
    static std::size_t index(int x, int y) {
        return static_cast<std::size_t>(y) * pictureWidth + static_cast<std::size_t>(x);
    }
    std::vector<std::uint8_t> bits_;
};

struct Box {
    int left = pictureWidth, top = pictureHeight, right = -1, bottom = -1;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

Box boundsOf(const Mask& mask) {
    Box box;
    for (int y = 0; y < pictureHeight; ++y)
        for (int x = 0; x < pictureWidth; ++x)
            if (mask.has(x, y)) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

template <class ColourAt> void paint(Canvas& canvas, const Mask& mask, ColourAt colourAt) {
    for (int y = 0; y < pictureHeight; ++y)
        for (int x = 0; x < pictureWidth; ++x)
            if (mask.has(x, y))
                canvas.set(x, y, colourAt(x, y));
}

void paint(Canvas& canvas, const Mask& mask, Rgb colour) {
    paint(canvas, mask, [colour](int, int) { return colour; });
}

void fillRect(Canvas& canvas, int left, int top, int width, int height, Rgb colour) {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            canvas.set(x, y, colour);
}

struct Point {
    double x = 0, y = 0;
};
using Polyline = std::vector<Point>;

// A round pen dragged along a segment covers every pixel whose centre lies within the pen's radius
// of it. Hard edges, no anti-aliasing: each picture keeps a small, exact set of colours.
void stampSegment(Mask& mask, Point a, Point b, double radius) {
    const int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - radius));
    const int x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + radius));
    const int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - radius));
    const int y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + radius));
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            double t = 0.0;
            if (lengthSquared > 0.0)
                t = std::clamp(((px - a.x) * dx + (py - a.y) * dy) / lengthSquared, 0.0, 1.0);
            const double ex = a.x + t * dx - px, ey = a.y + t * dy - py;
            if (ex * ex + ey * ey <= radius * radius)
                mask.set(x, y);
        }
}

void stampPolyline(Mask& mask, const Polyline& line, double radius) {
    if (line.size() == 1)
        stampSegment(mask, line[0], line[0], radius);
    for (std::size_t i = 1; i < line.size(); ++i)
        stampSegment(mask, line[i - 1], line[i], radius);
}

// Glyphs are drawn in design units with y up from the baseline: capitals and digits 10 high,
// small letters 7 high with ascenders to 10 and descenders to -3.5. Narrow widths of 4 to 6 make
// the tall, narrow letters the logos ask for.
struct Glyph {
    double width = 0;
    std::vector<Polyline> strokes;
};

Polyline line(std::initializer_list<Point> points) {
    return Polyline(points);
}

Polyline arc(Point centre, double rx, double ry, double fromDegrees, double toDegrees) {
    const int steps =
        std::max(1, static_cast<int>(std::ceil(std::abs(toDegrees - fromDegrees) / 6)));
    Polyline points;
    for (int i = 0; i <= steps; ++i) {
        const double angle = fromDegrees + (toDegrees - fromDegrees) * i / steps;
        points.push_back(
            {centre.x + rx * cosineOfDegrees(angle), centre.y + ry * sineOfDegrees(angle)});
    }
    return points;
}

Polyline ellipse(Point centre, double rx, double ry) {
    return arc(centre, rx, ry, 0, 360);
}

Polyline join(std::initializer_list<Polyline> parts) {
    Polyline joined;
    for (const Polyline& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

Glyph glyphShape(char c) {
    switch (c) {
    case 'A':
        return {5, {line({{0, 0}, {2.5, 10}, {5, 0}}), line({{1.0, 3.6}, {4.0, 3.6}})}};
    case 'D':
        return {5, {join({line({{2, 0}, {0, 0}, {0, 10}, {2, 10}}), arc({2, 5}, 3, 5, 90, -90)})}};
    case 'E':
        return {4.6, {line({{4.6, 10}, {0, 10}, {0, 0}, {4.6, 0}}), line({{0, 5.2}, {3.8, 5.2}})}};
    case 'L':
        return {4.4, {line({{0, 10}, {0, 0}, {4.4, 0}})}};
    case 'M':
        return {6, {line({{0, 0}, {0, 10}, {3, 2.6}, {6, 10}, {6, 0}})}};
    case 'O':
        return {5, {ellipse({2.5, 5}, 2.5, 5)}};
    case 'P':
        return {5,
                {join({line({{0, 0}, {0, 10}, {2.5, 10}}), arc({2.5, 7.4}, 2.5, 2.6, 90, -90),
                       line({{2.5, 4.8}, {0, 4.8}})})}};
    case 'Q':
        return {5.4, {ellipse({2.5, 5}, 2.5, 5), line({{3.1, 2.4}, {5.4, -0.8}})}};
    case 'R':
        return {5,
                {join({line({{0, 0}, {0, 10}, {2.5, 10}}), arc({2.5, 7.4}, 2.5, 2.6, 90, -90),
                       line({{2.5, 4.8}, {0, 4.8}})}),
                 line({{2.2, 4.8}, {5, 0}})}};
    case 'S':
        return {5,
                {join({arc({2.5, 7.5}, 2.3, 2.5, 25, 270), arc({2.5, 2.5}, 2.5, 2.5, 90, -155)})}};
    case 'V':
        return {5, {line({{0, 10}, {2.5, 0}, {5, 10}})}};
    case 'X':
        return {5, {line({{0, 10}, {5, 0}}), line({{0, 0}, {5, 10}})}};
    case '&':
        return {5.4,
                {join({arc({2.3, 7.9}, 1.5, 2.0, 225, -45), arc({2.4, 2.3}, 2.3, 2.3, 135, 315),
                       line({{5.4, 3.6}})}),
                 line({{1.24, 6.49}, {5.4, 0}})}};
    case '\'':
        return {0.6, {line({{0.6, 10}, {0.2, 7.2}})}};
    case ' ':
        return {2.5, {}};
    case 'a':
        return {4.2, {ellipse({2.1, 3.5}, 2.1, 3.5), line({{4.2, 7}, {4.2, 0}})}};
    case 'e':
        return {4.4, {join({line({{0, 3.5}, {4.4, 3.5}}), arc({2.2, 3.5}, 2.2, 3.5, 0, 320)})}};
    case 'l':
        return {0, {line({{0, 10}, {0, 0}})}};
    case 'm':
        return {6,
                {line({{0, 0}, {0, 7}}), join({arc({1.5, 5}, 1.5, 2, 180, 0), line({{3, 0}})}),
                 join({arc({4.5, 5}, 1.5, 2, 180, 0), line({{6, 0}})})}};
    case 'o':
        return {4.4, {ellipse({2.2, 3.5}, 2.2, 3.5)}};
    case 'p':
        return {4.6, {line({{0, 7}, {0, -3.5}}), ellipse({2.3, 3.5}, 2.3, 3.5)}};
    case 'r':
        return {4, {line({{0, 0}, {0, 7}}), arc({2.3, 4.6}, 2.3, 2.4, 180, 40)}};
    case 'x':
        return {4.4, {line({{0, 7}, {4.4, 0}}), line({{0, 0}, {4.4, 7}})}};
    case '0':
        return {4.8, {ellipse({2.4, 5}, 2.4, 5)}};
    case '1':
        return {1.8, {line({{0, 7.8}, {1.8, 10}, {1.8, 0}})}};
    case '5':
        return {4.6,
                {join({line({{4.4, 10}, {0.6, 10}, {0.3, 5.6}}),
                       arc({2.3, 3.2}, 2.3, 3.2, 140, -140)})}};
    case '.':
        return {0.8, {line({{0.4, 0.4}})}};
    default:
        std::fprintf(stderr, "no glyph for '%c'\n", c);
        std::exit(1);
    }
}

struct PlacedGlyph {
    char character = 0;
    Glyph glyph;
    double left = 0;
};

// Glyphs side by side, `gap` design units apart.
std::vector<PlacedGlyph> setText(std::string_view text, double gap) {
    std::vector<PlacedGlyph> placed;
    double x = 0;
    for (char c : text) {
        placed.push_back({c, glyphShape(c), x});
        x += placed.back().glyph.width + gap;
    }
    return placed;
}

double textWidth(const std::vector<PlacedGlyph>& placed) {
    return placed.empty() ? 0 : placed.back().left + placed.back().glyph.width;
}

// A vertical offset that runs along the text like a flag in the wind.
struct Wave {
    double amplitude = 0, period = 1, phase = 0;
    double offsetAt(double x) const { return amplitude * sineOfTurns(x / period + phase); }
};

// Where design units land in the picture: scaled, slanted to the right, and lifted by the wave.
struct TextPlacement {
    double left = 0, baseline = 0, scaleX = 1, scaleY = 1, slant = 0;
    Wave wave;

    Point toPixels(Point p) const {
        const double x = left + p.x * scaleX + p.y * scaleY * slant;
        return {x, baseline - p.y * scaleY + wave.offsetAt(x)};
    }
    double topOfCapitalsAt(double x) const { return baseline - 10 * scaleY + wave.offsetAt(x); }
};

// Strokes are cut into short pieces before placing, so that the wave bends straight strokes too.
Polyline placeStroke(const Polyline& stroke, double glyphLeft, const TextPlacement& placement) {
    constexpr double longestPiece = 0.25;
    Polyline placed;
    for (std::size_t i = 0; i < stroke.size(); ++i) {
        const Point to{glyphLeft + stroke[i].x, stroke[i].y};
        if (i > 0) {
            const Point from{glyphLeft + stroke[i - 1].x, stroke[i - 1].y};
            const double length =
                std::sqrt((to.x - from.x) * (to.x - from.x) + (to.y - from.y) * (to.y - from.y));
            const int pieces = std::max(1, static_cast<int>(std::ceil(length / longestPiece)));
            for (int k = 1; k < pieces; ++k)
                placed.push_back(placement.toPixels({from.x + (to.x - from.x) * k / pieces,
                                                     from.y + (to.y - from.y) * k / pieces}));
        }
        placed.push_back(placement.toPixels(to));
    }
    return placed;
}

Mask strokeText(const std::vector<PlacedGlyph>& glyphs, const TextPlacement& placement,
                double penRadius) {
    Mask mask;
    for (const PlacedGlyph& placed : glyphs)
        for (const Polyline& stroke : placed.glyph.strokes)
            stampPolyline(mask, placeStroke(stroke, placed.left, placement), penRadius);
    return mask;
}

// The main logo: "Vorpex" in light blue with a dark-blue edge on a black panel. Its inked pixels
// must fill exactly x 36..187 and y 53..156, so the scales are searched until the painted extent
// matches, and the result is then moved into place by whole pixels.
namespace mainLogo {
constexpr Rgb lightBlue{51, 204, 255};
constexpr Rgb darkBlue{0, 0, 153};
constexpr int panelWidth = 246, panelHeight = 193;
constexpr Box logoBox{36, 53, 187, 156};
constexpr double penRadius = 2.9, edgeWidth = 1.5;

TextPlacement placementFor(double scaleX, double scaleY) {
    return {40, 150, scaleX, scaleY, 0, Wave{5.0, 130, 0.1}};
}

int paintedWidth(const std::vector<PlacedGlyph>& word, double scaleX) {
    return boundsOf(strokeText(word, placementFor(scaleX, 6), penRadius + edgeWidth)).width();
}

int paintedHeight(const std::vector<PlacedGlyph>& word, double scaleX, double scaleY) {
    return boundsOf(strokeText(word, placementFor(scaleX, scaleY), penRadius + edgeWidth)).height();
}

// A coarse pass finds the neighbourhood, a fine pass the first scale that reaches the target: with
// steps this small the painted size grows one pixel at a time, so reaching means matching.
template <class Measure> double smallestScaleReaching(int target, double start, Measure measure) {
    constexpr double coarse = 0.05, fine = 0.001;
    double scale = start;
    while (measure(scale + coarse) < target)
        scale += coarse;
    while (measure(scale) < target)
        scale += fine;
    return scale;
}

// The wave follows x, so the height is searched after the width is settled.
TextPlacement fittedPlacement(const std::vector<PlacedGlyph>& word) {
    const double scaleX = smallestScaleReaching(
        logoBox.width(), 3.0, [&](double scale) { return paintedWidth(word, scale); });
    const double scaleY = smallestScaleReaching(
        logoBox.height(), 5.0, [&](double scale) { return paintedHeight(word, scaleX, scale); });
    return placementFor(scaleX, scaleY);
}

bool paint(Canvas& canvas) {
    fillRect(canvas, 0, 0, panelWidth, panelHeight, black);
    const auto word = setText("Vorpex", 1.7);
    const TextPlacement placement = fittedPlacement(word);
    const Mask outline = strokeText(word, placement, penRadius + edgeWidth);
    const Box box = boundsOf(outline);
    if (box.width() != logoBox.width() || box.height() != logoBox.height())
        return false;
    const int dx = logoBox.left - box.left, dy = logoBox.top - box.top;
    pictures::paint(canvas, outline.shifted(dx, dy), darkBlue);
    pictures::paint(canvas, strokeText(word, placement, penRadius).shifted(dx, dy), lightBlue);
    return true;
}
} // namespace mainLogo

// The about banner: blue with rounded right corners, the caption in slanted black letters edged
// in red.
namespace aboutBanner {
constexpr Rgb blue{0, 0, 255};
constexpr Rgb red{255, 0, 0};
constexpr int width = 430, height = 120, cornerRadius = 26;
constexpr double penRadius = 2.2, edgeWidth = 1.4;

bool insideRoundedCorner(int x, int y, int cornerX, int cornerY) {
    const double dx = x + 0.5 - cornerX, dy = y + 0.5 - cornerY;
    return dx * dx + dy * dy <= cornerRadius * cornerRadius;
}

Mask groundShape() {
    Mask ground;
    const int cornerX = width - cornerRadius;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (x >= cornerX && y < cornerRadius &&
                !insideRoundedCorner(x, y, cornerX, cornerRadius))
                continue;
            if (x >= cornerX && y >= height - cornerRadius &&
                !insideRoundedCorner(x, y, cornerX, height - cornerRadius))
                continue;
            ground.set(x, y);
        }
    return ground;
}

void paint(Canvas& canvas) {
    const Mask ground = groundShape();
    pictures::paint(canvas, ground, blue);

    const auto caption = setText("VORPEX&DALMOR'S QOR", 1.5);
    constexpr double slant = 0.2, scaleY = 8.0, left = 12, right = 18;
    const double scaleX = (width - left - right - 10 * scaleY * slant) / textWidth(caption);
    const TextPlacement placement{left, height - 19, scaleX, scaleY, slant, Wave{}};
    Mask edge = strokeText(caption, placement, penRadius + edgeWidth);
    Mask face = strokeText(caption, placement, penRadius);
    edge.keepOnly(ground);
    face.keepOnly(ground);
    pictures::paint(canvas, edge, red);
    pictures::paint(canvas, face, black);
}
} // namespace aboutBanner

// The splash banner: purple with a black edge, "Dalmor&Vorpex" in metallic 3D letters along a
// wave, and the version in 3D digits striped from red to pink.
namespace splashBanner {
constexpr Rgb purple{128, 0, 128};
constexpr int width = 483, height = 151, edge = 2;
constexpr int depth = 5;

// Each layer is the face moved down and right by one more pixel, darker the deeper it lies, so
// the letters seem to stand out of the ground towards the upper left.
void paintSides(Canvas& canvas, const Mask& outline, Rgb nearSide, Rgb farSide) {
    for (int k = depth; k >= 1; --k)
        pictures::paint(canvas, outline.shifted(k, k),
                        mix(nearSide, farSide, (k - 1) / double(depth - 1)));
}

// Polished metal: bright at the top, darkening to a horizon line at the middle, light again below
// it and falling off towards the foot.
Rgb metal(double t) {
    constexpr Rgb top{236, 242, 255}, aboveHorizon{132, 150, 196}, horizon{70, 84, 130},
        belowHorizon{198, 212, 244}, foot{108, 126, 176};
    if (t < 0.46)
        return mix(top, aboveHorizon, t / 0.46);
    if (t < 0.52)
        return horizon;
    return mix(belowHorizon, foot, (t - 0.52) / 0.48);
}

Rgb stripedMetal(double t, int y) {
    constexpr Rgb stripe{58, 88, 200};
    return (y / 3) % 2 == 0 ? metal(t) : stripe;
}

void paintName(Canvas& canvas) {
    const auto name = setText("Dalmor&Vorpex", 1.6);
    constexpr double left = 16, scaleY = 4.9;
    const double scaleX = (width - 2 * left - depth) / textWidth(name);
    const TextPlacement placement{left, 66, scaleX, scaleY, 0, Wave{3.5, 190, 0.0}};
    constexpr double penRadius = 2.6, rim = 1.0;

    const Mask outline = strokeText(name, placement, penRadius + rim);
    paintSides(canvas, outline, Rgb{40, 44, 82}, Rgb{10, 10, 30});
    pictures::paint(canvas, outline, Rgb{24, 28, 60});

    const double letterHeight = 13.5 * scaleY;
    auto shade = [&](int x, int y) {
        return (y - placement.topOfCapitalsAt(x + 0.5)) / letterHeight;
    };
    for (std::size_t i = 0; i < name.size(); ++i) {
        const bool firstOfName = i == 0 || name[i - 1].character == '&';
        const Mask face = strokeText({name[i]}, placement, penRadius);
        if (firstOfName)
            pictures::paint(canvas, face,
                            [&](int x, int y) { return stripedMetal(shade(x, y), y); });
        else
            pictures::paint(canvas, face, [&](int x, int y) { return metal(shade(x, y)); });
    }
}

void paintVersion(Canvas& canvas) {
    const auto version = setText("1.5.0", 1.6);
    constexpr double scaleX = 5.2, scaleY = 3.7;
    const double left = width / 2.0 + 40;
    const TextPlacement placement{left, height - edge - 12, scaleX, scaleY, 0, Wave{}};
    constexpr double penRadius = 2.6, rim = 1.0;
    const Mask outline = strokeText(version, placement, penRadius + rim);
    paintSides(canvas, outline, Rgb{110, 0, 30}, Rgb{50, 0, 15});
    pictures::paint(canvas, outline, Rgb{60, 0, 20});

    constexpr Rgb red{225, 0, 20}, pink{255, 150, 205};
    const double top = placement.baseline - 10 * scaleY;
    const double digitHeight = 10 * scaleY;
    pictures::paint(canvas, strokeText(version, placement, penRadius), [&](int, int y) {
        const int band = static_cast<int>(std::floor((y - top) / 3));
        const Rgb colour = mix(red, pink, (y - top) / digitHeight);
        return band % 2 == 0 ? colour : mix(colour, Rgb{255, 255, 255}, 0.35);
    });
}

void paint(Canvas& canvas) {
    fillRect(canvas, 0, 0, width, height, black);
    fillRect(canvas, edge, edge, width - 2 * edge, height - 2 * edge, purple);
    paintName(canvas);
    paintVersion(canvas);
}
} // namespace splashBanner

void putLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A BITMAPFILEHEADER and BITMAPINFOHEADER, then the rows bottom-up in blue-green-red order, each
// padded to a multiple of four bytes.
std::vector<std::uint8_t> encodeBmp(const Canvas& canvas) {
    constexpr std::uint32_t headerSize = 14 + 40;
    constexpr std::uint32_t rowSize = (pictureWidth * 3 + 3) / 4 * 4;
    constexpr std::uint32_t imageSize = rowSize * pictureHeight;
    constexpr std::uint32_t pixelsPerMetre = 3780;
    std::vector<std::uint8_t> bytes{'B', 'M'};
    putLittleEndian(bytes, headerSize + imageSize, 4);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, headerSize, 4);
    putLittleEndian(bytes, 40, 4);
    putLittleEndian(bytes, pictureWidth, 4);
    putLittleEndian(bytes, pictureHeight, 4);
    putLittleEndian(bytes, 1, 2);
    putLittleEndian(bytes, 24, 2);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, imageSize, 4);
    putLittleEndian(bytes, pixelsPerMetre, 4);
    putLittleEndian(bytes, pixelsPerMetre, 4);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, 0, 4);
    for (int y = pictureHeight - 1; y >= 0; --y) {
        for (int x = 0; x < pictureWidth; ++x) {
            const Rgb pixel = canvas.at(x, y);
            bytes.insert(bytes.end(), {pixel.b, pixel.g, pixel.r});
        }
        bytes.resize(bytes.size() + (rowSize - pictureWidth * 3), 0);
    }
    return bytes;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace qor::pictures

int main(int argc, char** argv) {
    using namespace qor::pictures;
    if (argc != 2) {
        std::fprintf(stderr, "usage: qor_paint_pictures <output-dir>\n");
        return 2;
    }
    const std::string dir = argv[1];

    Canvas logo;
    if (!mainLogo::paint(logo)) {
        std::fprintf(stderr, "the main logo does not fill its box exactly\n");
        return 1;
    }
    Canvas about;
    aboutBanner::paint(about);
    Canvas splash;
    splashBanner::paint(splash);

    const bool written = writeFile(dir + "/main_logo.bmp", encodeBmp(logo)) &&
                         writeFile(dir + "/about.bmp", encodeBmp(about)) &&
                         writeFile(dir + "/splash.bmp", encodeBmp(splash));
    return written ? 0 : 1;
}
