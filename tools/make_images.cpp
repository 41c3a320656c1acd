// Draws the program's own images and writes them into a folder (default: assets):
// the header strip, the three status lamps and the splash title (each also at twice its size),
// the program icon file and the desktop icons (PNG and SVG) of one logo.
// Everything is drawn here from simple shapes (signed distance fields, so edges come out
// anti-aliased) and a small stroke font; nothing is loaded from elsewhere.
//
// Usage: make_images [output-folder]
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <string>
#include <vector>

namespace
{

struct Vec {
    double x = 0, y = 0;
};
Vec operator-(Vec a, Vec b)
{
    return {a.x - b.x, a.y - b.y};
}
Vec operator+(Vec a, Vec b)
{
    return {a.x + b.x, a.y + b.y};
}
Vec operator*(Vec a, double s)
{
    return {a.x * s, a.y * s};
}
double dot(Vec a, Vec b)
{
    return a.x * b.x + a.y * b.y;
}
double length(Vec a)
{
    return std::sqrt(dot(a, a));
}

struct Color {
    double r = 0, g = 0, b = 0, a = 1; // 0..1, straight alpha
};

Color mix(Color a, Color b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Color rgb(unsigned hex, double alpha = 1.0)
{
    return {((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0, alpha};
}

Color withAlpha(Color c, double a)
{
    c.a = a;
    return c;
}

double smoothstep(double e0, double e1, double x)
{
    double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// A picture drawn in logical units: every coordinate and distance is given at the size the
// program shows it, and scale pixels stand for one unit (2 for the "@2x" files that keep the
// images crisp on a screen scaled by two).
class Canvas
{
public:
    Canvas(int w, int h, double scale = 1, Color fill = {0, 0, 0, 0})
        : w_(static_cast<int>(std::lround(w * scale))), h_(static_cast<int>(std::lround(h * scale))),
          scale_(scale), px_(static_cast<size_t>(w_ * h_), fill)
    {
    }
    int width() const { return w_; }
    int height() const { return h_; }

    // Source-over of c with the given coverage, at pixel (x, y).
    void blend(int x, int y, Color c, double coverage)
    {
        if (x < 0 || y < 0 || x >= w_ || y >= h_)
            return;
        double sa = c.a * std::clamp(coverage, 0.0, 1.0);
        if (sa <= 0)
            return;
        Color &d = px_[static_cast<size_t>(y * w_ + x)];
        double oa = sa + d.a * (1 - sa);
        if (oa <= 0)
            return;
        d.r = (c.r * sa + d.r * d.a * (1 - sa)) / oa;
        d.g = (c.g * sa + d.g * d.a * (1 - sa)) / oa;
        d.b = (c.b * sa + d.b * d.a * (1 - sa)) / oa;
        d.a = oa;
    }

    // Fills where the signed distance (units, negative inside) is below zero, with one pixel
    // of anti-aliasing, inside the box [x0,x1) x [y0,y1) in units; paint gives the colour.
    void fill(const std::function<double(Vec)> &distance, const std::function<Color(Vec)> &paint, int x0 = 0,
              int y0 = 0, int x1 = -1, int y1 = -1)
    {
        auto px = [&](int units, int whole) {
            return units < 0 ? whole : static_cast<int>(std::ceil(units * scale_));
        };
        const int px0 = static_cast<int>(std::floor(x0 * scale_)),
                  py0 = static_cast<int>(std::floor(y0 * scale_));
        const int px1 = px(x1, w_), py1 = px(y1, h_);
        for (int y = std::max(0, py0); y < std::min(h_, py1); ++y)
            for (int x = std::max(0, px0); x < std::min(w_, px1); ++x) {
                Vec p{(x + 0.5) / scale_, (y + 0.5) / scale_};
                double cov = std::clamp(0.5 - distance(p) * scale_, 0.0, 1.0);
                if (cov > 0)
                    blend(x, y, paint(p), cov);
            }
    }

    bool writePng(const std::string &path) const
    {
        std::vector<std::uint8_t> bytes = rgbaBytes();
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        image.width = static_cast<png_uint_32>(w_);
        image.height = static_cast<png_uint_32>(h_);
        image.format = PNG_FORMAT_RGBA;
        if (!png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr)) {
            std::cerr << path << ": " << image.message << "\n";
            return false;
        }
        return true;
    }

    std::vector<std::uint8_t> rgbaBytes() const
    {
        std::vector<std::uint8_t> out;
        out.reserve(px_.size() * 4);
        auto to8 = [](double v) {
            return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
        };
        for (const Color &c : px_) {
            out.push_back(to8(c.r));
            out.push_back(to8(c.g));
            out.push_back(to8(c.b));
            out.push_back(to8(c.a));
        }
        return out;
    }

private:
    int w_, h_;
    double scale_;
    std::vector<Color> px_;
};

// ---- Shapes ------------------------------------------------------------------------------

double segmentDistance(Vec p, Vec a, Vec b)
{
    Vec pa = p - a, ba = b - a;
    double len2 = dot(ba, ba);
    double h = len2 > 0 ? std::clamp(dot(pa, ba) / len2, 0.0, 1.0) : 0.0;
    return length(pa - ba * h);
}

double roundBox(Vec p, Vec centre, Vec half, double radius)
{
    Vec q{std::fabs(p.x - centre.x) - half.x + radius, std::fabs(p.y - centre.y) - half.y + radius};
    Vec outside{std::max(q.x, 0.0), std::max(q.y, 0.0)};
    return length(outside) + std::min(std::max(q.x, q.y), 0.0) - radius;
}

double circle(Vec p, Vec centre, double r)
{
    return length(p - centre) - r;
}

double ellipse(Vec p, Vec centre, Vec radii)
{
    Vec q{(p.x - centre.x) / radii.x, (p.y - centre.y) / radii.y};
    return (length(q) - 1.0) * std::min(radii.x, radii.y);
}

// ---- Stroke font ------------------------------------------------------------------------
// Capitals and digits on a 4 x 6 grid, drawn as chamfered polylines for a technical look.

using Polyline = std::vector<Vec>;
struct Glyph {
    char ch;
    double advance; // in grid units, spacing included
    std::vector<Polyline> strokes;
};

const std::vector<Glyph> &strokeFont()
{
    static const std::vector<Glyph> font = {
        {'A', 5.2, {{{0, 6}, {2, 0}, {4, 6}}, {{0.7, 4}, {3.3, 4}}}},
        {'B',
         5.2,
         {{{0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}},
          {{3, 3}, {4, 4}, {4, 5}, {3, 6}, {0, 6}, {0, 0}}}},
        {'C', 5.2, {{{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 5}, {1, 6}, {3, 6}, {4, 5}}}},
        {'E', 5.0, {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}}},
        {'F', 5.0, {{{4, 0}, {0, 0}, {0, 6}}, {{0, 3}, {3, 3}}}},
        {'G', 5.2, {{{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 3}, {2.2, 3}}}},
        {'I', 1.6, {{{0, 0}, {0, 6}}}},
        {'K', 5.0, {{{0, 0}, {0, 6}}, {{4, 0}, {0, 3.6}}, {{1.5, 2.3}, {4, 6}}}},
        {'L', 4.8, {{{0, 0}, {0, 6}, {4, 6}}}},
        {'M', 6.0, {{{0, 6}, {0, 0}, {2.4, 3.6}, {4.8, 0}, {4.8, 6}}}},
        {'N', 5.2, {{{0, 6}, {0, 0}, {4, 6}, {4, 0}}}},
        {'O', 5.2, {{{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}}}},
        {'R', 5.2, {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}}, {{2, 3}, {4, 6}}}},
        {'S',
         5.2,
         {{{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 2}, {1, 3}, {3, 3}, {4, 4}, {4, 5}, {3, 6}, {1, 6}, {0, 5}}}},
        {'T', 5.0, {{{0, 0}, {4, 0}}, {{2, 0}, {2, 6}}}},
        {'U', 5.2, {{{0, 0}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 0}}}},
        {'V', 5.2, {{{0, 0}, {2, 6}, {4, 0}}}},
        {'Y', 5.2, {{{0, 0}, {2, 3}, {4, 0}}, {{2, 3}, {2, 6}}}},
        {'0',
         5.2,
         {{{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}},
          {{3.4, 1.2}, {0.6, 4.8}}}},
        {'7', 5.0, {{{0, 0}, {4, 0}, {1.6, 6}}}},
        {' ', 3.0, {}},
    };
    return font;
}

// Segments of a text, origin at the top left of the first glyph, one grid unit = scale px.
struct Text {
    std::vector<std::pair<Vec, Vec>> segments;
    double width = 0;
};

Text layoutText(const std::string &s, Vec origin, double scale, double tracking = 0)
{
    Text t;
    double x = 0;
    for (char ch : s) {
        const Glyph *g = nullptr;
        for (const Glyph &candidate : strokeFont())
            if (candidate.ch == ch)
                g = &candidate;
        if (!g)
            continue;
        for (const Polyline &line : g->strokes)
            for (size_t i = 1; i < line.size(); ++i)
                t.segments.push_back({origin + Vec{(x + line[i - 1].x) * scale, line[i - 1].y * scale},
                                      origin + Vec{(x + line[i].x) * scale, line[i].y * scale}});
        x += g->advance + tracking;
    }
    t.width = (x - 1.0 - tracking) * scale; // the last glyph's spacing does not count
    return t;
}

double textWidth(const std::string &s, double scale, double tracking = 0)
{
    return layoutText(s, {0, 0}, scale, tracking).width;
}

std::function<double(Vec)> strokeDistance(const Text &t, double halfWidth)
{
    return [segments = t.segments, halfWidth](Vec p) {
        double d = 1e9;
        for (const auto &[a, b] : segments)
            d = std::min(d, segmentDistance(p, a, b));
        return d - halfWidth;
    };
}

// Draws a text with a soft drop shadow and a vertical gradient fill.
void drawText(Canvas &c, const std::string &s, Vec origin, double scale, double halfWidth, Color top,
              Color bottom, double tracking = 0, double shadow = 0)
{
    Text t = layoutText(s, origin, scale, tracking);
    int x0 = static_cast<int>(origin.x - halfWidth - 8),
        x1 = static_cast<int>(origin.x + t.width + halfWidth + 8);
    int y0 = static_cast<int>(origin.y - halfWidth - 8),
        y1 = static_cast<int>(origin.y + 6 * scale + halfWidth + 8);
    if (shadow > 0) {
        Text s2 = layoutText(s, origin + Vec{shadow * 0.6, shadow}, scale, tracking);
        auto d = strokeDistance(s2, halfWidth);
        c.fill([&](Vec p) { return d(p) - shadow * 0.5; },
               [&](Vec p) {
                   return Color{0, 0, 0, 0.45 * smoothstep(shadow * 0.5, -shadow * 0.5, d(p))};
               },
               x0, y0, x1 + static_cast<int>(shadow * 2), y1 + static_cast<int>(shadow * 2));
    }
    double yTop = origin.y, yBottom = origin.y + 6 * scale;
    c.fill(
        strokeDistance(t, halfWidth),
        [&](Vec p) { return mix(top, bottom, (p.y - yTop) / (yBottom - yTop)); }, x0, y0, x1, y1);
}

// ---- The logo --------------------------------------------------------------------------------
// One drawing on a 64 x 64 grid: a rounded tile, a ring and the stroke "V" under a soft gloss.
// It is the program icon at every size, the picture of the About box, and the emblem of the
// header and of the splash. The same figures are written as SVG for the scalable icon.

namespace logo
{
constexpr double Grid = 64;
constexpr Vec Centre{32, 32};
constexpr double TileHalf = 30, TileRadius = 11;
constexpr unsigned TileTop = 0x1B6C9A, TileBottom = 0x0A1A33; // at y 2 and 62
constexpr double RingRadius = 21, RingHalfWidth = 1.6, RingAlpha = 0.9;
constexpr unsigned RingColour = 0x6FD3F5;
constexpr double LetterScale = 6.2, LetterTop = 13.5, LetterHalfWidth = 3.6;
constexpr unsigned LetterTopColour = 0xFFFFFF, LetterBottomColour = 0xBFE9F8; // at y 12 and 52
constexpr Vec GlossCentre{32, 14}, GlossRadii{22, 9};
constexpr double GlossAlpha = 0.18, GlossFadeFrom = 5, GlossFadeTo = 22;

// The "V" as drawn by the stroke font, centred on the tile.
Text letter()
{
    return layoutText("V", {Centre.x - 2 * LetterScale, LetterTop}, LetterScale);
}
} // namespace logo

// Draws the logo with its top left corner at `at`, size units wide and high.
void drawLogo(Canvas &c, Vec at, double size)
{
    using namespace logo;
    const double k = size / Grid;
    auto local = [at, k](Vec p) { return (p - at) * (1 / k); };
    const int x0 = static_cast<int>(std::floor(at.x)), y0 = static_cast<int>(std::floor(at.y));
    const int x1 = static_cast<int>(std::ceil(at.x + size)), y1 = static_cast<int>(std::ceil(at.y + size));
    c.fill(
        [&](Vec p) {
            return roundBox(local(p), Centre, {TileHalf, TileHalf}, TileRadius) * k;
        },
        [&](Vec p) { return mix(rgb(TileTop), rgb(TileBottom), (local(p).y - 2) / 60); }, x0, y0, x1, y1);
    c.fill([&](Vec p) { return (std::fabs(circle(local(p), Centre, RingRadius)) - RingHalfWidth) * k; },
           [](Vec) { return rgb(RingColour, RingAlpha); }, x0, y0, x1, y1);
    const auto v = strokeDistance(letter(), LetterHalfWidth);
    c.fill([&](Vec p) { return v(local(p)) * k; },
           [&](Vec p) { return mix(rgb(LetterTopColour), rgb(LetterBottomColour), (local(p).y - 12) / 40); },
           x0, y0, x1, y1);
    c.fill([&](Vec p) { return ellipse(local(p), GlossCentre, GlossRadii) * k; },
           [&](Vec p) {
               return Color{1, 1, 1, GlossAlpha * (1 - smoothstep(GlossFadeFrom, GlossFadeTo, local(p).y))};
           },
           x0, y0, x1, y1);
}

std::string hexColour(unsigned hex)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", hex & 0xFFFFFF);
    return text;
}

std::string number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

// The logo as SVG, from the figures drawLogo uses (the gloss fade sampled at a few stops).
std::string logoSvg()
{
    using namespace logo;
    auto gradient = [](const char *id, double y1, double y2, const std::string &stops) {
        return std::string("    <linearGradient id=\"") + id +
               "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" + number(y1) + "\" x2=\"0\" y2=\"" +
               number(y2) + "\">\n" + stops + "    </linearGradient>\n";
    };
    auto stop = [](double offset, unsigned colour, double opacity = 1) {
        return "      <stop offset=\"" + number(offset) + "\" stop-color=\"" + hexColour(colour) + "\"" +
               (opacity < 1 ? " stop-opacity=\"" + number(opacity) + "\"" : std::string()) + "/>\n";
    };
    std::string glossStops;
    for (double t : {0.0, 0.25, 0.5, 0.75, 1.0}) {
        const double y = GlossFadeFrom + t * (GlossFadeTo - GlossFadeFrom);
        glossStops += stop(t, 0xFFFFFF, GlossAlpha * (1 - smoothstep(GlossFadeFrom, GlossFadeTo, y)));
    }
    std::string points;
    for (const auto &[a, b] : letter().segments) {
        if (points.empty())
            points = number(a.x) + "," + number(a.y);
        points += " " + number(b.x) + "," + number(b.y);
    }
    const std::string g = number(Grid);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!-- VIREO logo; written by tools/make_images, which draws the PNG icons from the same "
           "figures -->\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           g + "\" height=\"" + g + "\" viewBox=\"0 0 " + g + " " + g + "\">\n  <defs>\n" +
           gradient("tile", 2, 62, stop(0, TileTop) + stop(1, TileBottom)) +
           gradient("letter", 12, 52, stop(0, LetterTopColour) + stop(1, LetterBottomColour)) +
           gradient("gloss", GlossFadeFrom, GlossFadeTo, glossStops) + "  </defs>\n" + "  <rect x=\"" +
           number(Centre.x - TileHalf) + "\" y=\"" + number(Centre.y - TileHalf) + "\" width=\"" +
           number(2 * TileHalf) + "\" height=\"" + number(2 * TileHalf) + "\" rx=\"" + number(TileRadius) +
           "\" fill=\"url(#tile)\"/>\n" + "  <circle cx=\"" + number(Centre.x) + "\" cy=\"" +
           number(Centre.y) + "\" r=\"" + number(RingRadius) + "\" fill=\"none\" stroke=\"" +
           hexColour(RingColour) + "\" stroke-opacity=\"" + number(RingAlpha) + "\" stroke-width=\"" +
           number(2 * RingHalfWidth) + "\"/>\n" + "  <polyline points=\"" + points +
           "\" fill=\"none\" stroke=\"url(#letter)\" stroke-width=\"" + number(2 * LetterHalfWidth) +
           "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n" + "  <ellipse cx=\"" +
           number(GlossCentre.x) + "\" cy=\"" + number(GlossCentre.y) + "\" rx=\"" + number(GlossRadii.x) +
           "\" ry=\"" + number(GlossRadii.y) + "\" fill=\"url(#gloss)\"/>\n</svg>\n";
}

// ---- The images ---------------------------------------------------------------------------

// Header strip: deep blue gradient with a light sweep, the program name and a thin accent line.
Canvas header(double scale)
{
    const int W = 769, H = 79;
    Canvas c(W, H, scale);
    c.fill([](Vec) { return -1.0; },
           [&](Vec p) {
               Color left = rgb(0x0A1A33), mid = rgb(0x114A6E), right = rgb(0x0B1C36);
               double t = p.x / W;
               Color base = t < 0.35 ? mix(left, mid, t / 0.35) : mix(mid, right, (t - 0.35) / 0.65);
               double vertical = 1.0 - 0.25 * std::pow(p.y / H, 1.5);
               base.r *= vertical, base.g *= vertical, base.b *= vertical;
               // a soft diagonal sheen
               double sheen = std::exp(-std::pow((p.x - 0.9 * p.y - 250) / 90.0, 2)) * 0.10;
               return mix(base, rgb(0xFFFFFF), sheen);
           });
    // fine diagonal stripes behind the right part, where the status controls sit
    c.fill([](Vec p) { return p.x > 300 ? -1.0 : 1.0; },
           [](Vec p) {
               double phase = std::fmod(p.x + p.y + 1000, 8.0);
               double a = phase < 1.0 ? 0.05 * smoothstep(300, 420, p.x) : 0.0;
               return Color{1, 1, 1, a};
           });
    drawLogo(c, {12, 8}, 60);
    // name and tag line
    drawText(c, "VIREO", {86, 13}, 6.6, 3.1, rgb(0xFFFFFF), rgb(0xA9DDF2), 0.6, 2.5);
    drawText(c, "KALM07 GYRO CONFIGURATOR", {88, 60}, 1.45, 0.75, rgb(0x8CCDE8), rgb(0x8CCDE8), 0.4);
    // accent line at the bottom edge
    c.fill([&](Vec p) { return p.y > H - 3 ? -1.0 : 1.0; },
           [&](Vec p) { return mix(rgb(0xF5A623), rgb(0xF5A623, 0.0), p.x / W); });
    return c;
}

// A status lamp: a dark bezel around a glossy lens of the given colours.
Canvas lamp(Color lensTop, Color lensBottom, Color glow, double glowStrength, double scale)
{
    const int W = 80, H = 40;
    Canvas c(W, H, scale);
    Vec centre{W / 2.0, H / 2.0};
    if (glowStrength > 0)
        c.fill(
            [&](Vec p) {
                return roundBox(p, centre, {38, 18}, 14);
            },
            [&](Vec p) {
                double d = -roundBox(p, centre, {30, 11}, 10);
                return withAlpha(glow, glowStrength * smoothstep(-8, 2, d) * 0.55);
            });
    // bezel
    c.fill(
        [&](Vec p) {
            return roundBox(p, centre, {35, 15}, 12);
        },
        [&](Vec p) { return mix(rgb(0x9AA3AD), rgb(0x2B3138), (p.y - 5) / 30); });
    c.fill(
        [&](Vec p) {
            return roundBox(p, centre, {33, 13}, 11);
        },
        [&](Vec p) { return mix(rgb(0x1C2126), rgb(0x5A6470), (p.y - 7) / 26); });
    // lens
    c.fill(
        [&](Vec p) {
            return roundBox(p, centre, {30.5, 10.5}, 9.5);
        },
        [&](Vec p) {
            double t = (p.y - 9.5) / 21;
            Color base = mix(lensTop, lensBottom, t);
            // brighter core
            double core =
                std::exp(-std::pow((p.x - centre.x) / 22, 2) - std::pow((p.y - centre.y - 2) / 8, 2));
            return mix(base, mix(lensTop, rgb(0xFFFFFF), 0.35), core * 0.5 * glowStrength);
        });
    // specular highlight across the top half
    c.fill(
        [&](Vec p) {
            return ellipse(p, {centre.x, centre.y - 5.5}, {25, 4.2});
        },
        [&](Vec p) {
            return Color{1, 1, 1, 0.55 * (1 - smoothstep(centre.y - 9.5, centre.y - 1.5, p.y))};
        });
    return c;
}

// Splash title: dark radial background, emblem and the name; the program writes its version
// at (324..520, 280..300), so that band stays plain.
Canvas title(double scale)
{
    const int W = 764, H = 393;
    Canvas c(W, H, scale);
    c.fill([](Vec) { return -1.0; },
           [&](Vec p) {
               double r = length(Vec{(p.x - W * 0.5) / W, (p.y - H * 0.42) / H});
               return mix(rgb(0x15446A), rgb(0x000000), smoothstep(0.0, 0.75, r));
           });
    // faint concentric rings
    Vec hub{W / 2.0, 96};
    for (double r : {60.0, 96.0, 140.0, 190.0})
        c.fill([&](Vec p) { return std::fabs(circle(p, hub, r)) - 0.8; },
               [&](Vec) { return rgb(0x6FD3F5, 0.12 + 12.0 / r * 0.2); });
    drawLogo(c, {hub.x - 60, hub.y - 60}, 120);
    // name
    double letters = 11, tracking = 0.9;
    double w = textWidth("VIREO", letters, tracking);
    drawText(c, "VIREO", {(W - w) / 2, 166}, letters, 5.5, rgb(0xFFFFFF), rgb(0x8FD2EE), tracking, 4);
    std::string tag = "FLYBARLESS GYRO CONFIGURATOR";
    double tagW = textWidth(tag, 2.1, 0.6);
    drawText(c, tag, {(W - tagW) / 2, 252}, 2.1, 1.0, rgb(0xF5A623), rgb(0xF5C46B), 0.6);
    // thin accent lines framing the version band
    for (double y : {244.0, 318.0})
        c.fill([&](Vec p) { return std::fabs(p.y - y) - 0.6; },
               [&](Vec p) {
                   double t = std::fabs(p.x - W / 2.0) / (W / 2.0);
                   return rgb(0x6FD3F5, 0.6 * (1 - t));
               });
    return c;
}

Canvas icon(int size)
{
    Canvas c(size, size);
    drawLogo(c, {0, 0}, size);
    return c;
}

// An ICO file with one 32-bit image per canvas (BITMAPINFOHEADER, bottom-up BGRA rows, then
// the one-bit AND mask, all zero since the alpha channel carries the transparency).
bool writeIco(const std::vector<Canvas> &images, const std::string &path)
{
    std::vector<std::uint8_t> out;
    auto u16 = [&](unsigned v) {
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
        out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    };
    auto u32 = [&](std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    auto maskRow = [](const Canvas &c) { return static_cast<std::uint32_t>(((c.width() + 31) / 32) * 4); };
    auto dibSize = [&](const Canvas &c) {
        return 40 + static_cast<std::uint32_t>(c.width() * c.height() * 4) +
               maskRow(c) * static_cast<std::uint32_t>(c.height());
    };
    // ICONDIR, then one ICONDIRENTRY per image
    u16(0), u16(1), u16(static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const Canvas &c : images) {
        out.push_back(static_cast<std::uint8_t>(c.width() >= 256 ? 0 : c.width()));
        out.push_back(static_cast<std::uint8_t>(c.height() >= 256 ? 0 : c.height()));
        out.push_back(0), out.push_back(0);
        u16(1), u16(32), u32(dibSize(c)), u32(offset);
        offset += dibSize(c);
    }
    for (const Canvas &c : images) {
        const int W = c.width(), H = c.height();
        const std::vector<std::uint8_t> rgba = c.rgbaBytes();
        // BITMAPINFOHEADER
        u32(40), u32(static_cast<std::uint32_t>(W)), u32(static_cast<std::uint32_t>(H * 2)), u16(1), u16(32);
        u32(0), u32(static_cast<std::uint32_t>(W * H * 4)), u32(0), u32(0), u32(0), u32(0);
        for (int y = H - 1; y >= 0; --y)
            for (int x = 0; x < W; ++x) {
                const std::uint8_t *p = &rgba[static_cast<size_t>((y * W + x) * 4)];
                out.push_back(p[2]), out.push_back(p[1]), out.push_back(p[0]), out.push_back(p[3]);
            }
        out.insert(out.end(), maskRow(c) * static_cast<std::uint32_t>(H), 0);
    }
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char *>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(f);
}

bool writeText(const std::string &text, const std::string &path)
{
    std::ofstream f(path, std::ios::binary);
    f << text;
    return static_cast<bool>(f);
}

} // namespace

int main(int argc, char **argv)
{
    std::string dir = argc > 1 ? argv[1] : "assets";
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    bool ok = true;
    // Each image at its size and at twice its size ("@2x") for screens scaled by two.
    for (double scale : {1.0, 2.0}) {
        const std::string suffix = scale > 1 ? "@2x.png" : ".png";
        ok &= header(scale).writePng(dir + "Vireo_head" + suffix);
        ok &= lamp(rgb(0x4A5258), rgb(0x23282C), rgb(0x000000), 0, scale).writePng(dir + "led_off" + suffix);
        ok &=
            lamp(rgb(0xFF6A5A), rgb(0xB80E0E), rgb(0xFF2A1A), 1, scale).writePng(dir + "led_red_on" + suffix);
        ok &= lamp(rgb(0x8DFF8A), rgb(0x14A21E), rgb(0x35FF40), 1, scale)
                  .writePng(dir + "led_green_on" + suffix);
        ok &= title(scale).writePng(dir + "Vireo_title" + suffix);
    }
    // The program's icon file: the logo at the sizes of a window icon and of the About box.
    ok &= writeIco({icon(48), icon(64), icon(128)}, dir + "Vireo_icon_64_64.ico");
    // The desktop's icons: PNG at the usual sizes and the scalable SVG.
    for (int size : {48, 64, 128, 256})
        ok &= icon(size).writePng(dir + "icons/vireo-" + std::to_string(size) + ".png");
    ok &= writeText(logoSvg(), dir + "icons/vireo.svg");
    if (!ok) {
        std::cerr << "make_images: could not write every image into " << dir << "\n";
        return 1;
    }
    std::cout << "images written to " << dir << "\n";
    return 0;
}
