// Draws the program's own images and writes them into a folder (default: assets):
// the header strip, the three status lamps, the splash title and the program icon.
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

class Canvas
{
public:
    Canvas(int w, int h, Color fill = {0, 0, 0, 0}) : w_(w), h_(h), px_(static_cast<size_t>(w * h), fill) {}
    int width() const { return w_; }
    int height() const { return h_; }

    // Source-over of c with the given coverage.
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

    // Fills where the signed distance (pixels, negative inside) is below zero, with one
    // pixel of anti-aliasing, inside the box [x0,x1) x [y0,y1); paint gives the colour.
    void fill(const std::function<double(Vec)> &distance, const std::function<Color(Vec)> &paint, int x0 = 0,
              int y0 = 0, int x1 = -1, int y1 = -1)
    {
        if (x1 < 0)
            x1 = w_;
        if (y1 < 0)
            y1 = h_;
        for (int y = std::max(0, y0); y < std::min(h_, y1); ++y)
            for (int x = std::max(0, x0); x < std::min(w_, x1); ++x) {
                Vec p{x + 0.5, y + 0.5};
                double cov = std::clamp(0.5 - distance(p), 0.0, 1.0);
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

// ---- The images ---------------------------------------------------------------------------

// Header strip: deep blue gradient with a light sweep, the program name and a thin accent line.
Canvas header()
{
    const int W = 769, H = 79;
    Canvas c(W, H);
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
    // rotor emblem: a ring with two blades
    Vec hub{42, 38};
    c.fill([&](Vec p) { return std::fabs(circle(p, hub, 25)) - 2.2; }, [](Vec) { return rgb(0x6FD3F5, 0.9); },
           10, 6, 76, 72);
    c.fill(
        [&](Vec p) {
            return std::min(segmentDistance(p, hub + Vec{-22, 9}, hub + Vec{22, -9}) - 3.2,
                            circle(p, hub, 6.5));
        },
        [&](Vec p) { return mix(rgb(0xFFFFFF), rgb(0xBFE9F8), (p.y - 20) / 36); }, 10, 6, 76, 72);
    c.fill([&](Vec p) { return circle(p, hub, 2.6); }, [](Vec) { return rgb(0x0E3A5A); }, 30, 26, 56, 52);
    // name and tag line
    drawText(c, "VIREO", {86, 13}, 6.6, 3.1, rgb(0xFFFFFF), rgb(0xA9DDF2), 0.6, 2.5);
    drawText(c, "KALM07 GYRO CONFIGURATOR", {88, 60}, 1.45, 0.75, rgb(0x8CCDE8), rgb(0x8CCDE8), 0.4);
    // accent line at the bottom edge
    c.fill([&](Vec p) { return p.y > H - 3 ? -1.0 : 1.0; },
           [&](Vec p) { return mix(rgb(0xF5A623), rgb(0xF5A623, 0.0), p.x / W); });
    return c;
}

// A status lamp: a dark bezel around a glossy lens of the given colours.
Canvas lamp(Color lensTop, Color lensBottom, Color glow, double glowStrength)
{
    const int W = 80, H = 40;
    Canvas c(W, H);
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
Canvas title()
{
    const int W = 764, H = 393;
    Canvas c(W, H);
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
    // rotor disc
    c.fill([&](Vec p) { return std::fabs(circle(p, hub, 52)) - 3.5; },
           [](Vec) { return rgb(0x6FD3F5, 0.95); });
    c.fill(
        [&](Vec p) {
            return std::min({segmentDistance(p, hub + Vec{-46, 18}, hub + Vec{46, -18}) - 6,
                             segmentDistance(p, hub + Vec{-18, -46}, hub + Vec{18, 46}) - 6,
                             circle(p, hub, 12)});
        },
        [&](Vec p) { return mix(rgb(0xFFFFFF), rgb(0x9FD8EE), (p.y - 70) / 100); });
    c.fill([&](Vec p) { return circle(p, hub, 5); }, [](Vec) { return rgb(0x0E3A5A); });
    // name
    double scale = 11, tracking = 0.9;
    double w = textWidth("VIREO", scale, tracking);
    drawText(c, "VIREO", {(W - w) / 2, 166}, scale, 5.5, rgb(0xFFFFFF), rgb(0x8FD2EE), tracking, 4);
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

Canvas icon()
{
    const int S = 64;
    Canvas c(S, S);
    Vec centre{S / 2.0, S / 2.0};
    c.fill(
        [&](Vec p) {
            return roundBox(p, centre, {30, 30}, 11);
        },
        [&](Vec p) { return mix(rgb(0x1B6C9A), rgb(0x0A1A33), (p.y - 2) / 60); });
    c.fill([&](Vec p) { return std::fabs(circle(p, centre, 21)) - 1.6; },
           [](Vec) { return rgb(0x6FD3F5, 0.9); });
    Text v = layoutText("V", {centre.x - 2 * 6.2, 13.5}, 6.2);
    c.fill(strokeDistance(v, 3.6), [&](Vec p) { return mix(rgb(0xFFFFFF), rgb(0xBFE9F8), (p.y - 12) / 40); });
    c.fill(
        [&](Vec p) {
            return ellipse(p, {centre.x, 14}, {22, 9});
        },
        [&](Vec p) {
            return Color{1, 1, 1, 0.18 * (1 - smoothstep(5, 22, p.y))};
        });
    return c;
}

// An ICO file with one 32-bit image (BITMAPINFOHEADER, bottom-up BGRA rows, then the
// one-bit AND mask, all zero since the alpha channel carries the transparency).
bool writeIco(const Canvas &c, const std::string &path)
{
    const int W = c.width(), H = c.height();
    std::vector<std::uint8_t> rgba = c.rgbaBytes();
    std::vector<std::uint8_t> out;
    auto u16 = [&](unsigned v) {
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
        out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    };
    auto u32 = [&](std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    const std::uint32_t maskRow = static_cast<std::uint32_t>(((W + 31) / 32) * 4);
    const std::uint32_t dibSize =
        40 + static_cast<std::uint32_t>(W * H * 4) + maskRow * static_cast<std::uint32_t>(H);
    // ICONDIR
    u16(0), u16(1), u16(1);
    // ICONDIRENTRY
    out.push_back(static_cast<std::uint8_t>(W >= 256 ? 0 : W));
    out.push_back(static_cast<std::uint8_t>(H >= 256 ? 0 : H));
    out.push_back(0), out.push_back(0);
    u16(1), u16(32), u32(dibSize), u32(6 + 16);
    // BITMAPINFOHEADER
    u32(40), u32(static_cast<std::uint32_t>(W)), u32(static_cast<std::uint32_t>(H * 2)), u16(1), u16(32);
    u32(0), u32(static_cast<std::uint32_t>(W * H * 4)), u32(0), u32(0), u32(0), u32(0);
    for (int y = H - 1; y >= 0; --y)
        for (int x = 0; x < W; ++x) {
            const std::uint8_t *p = &rgba[static_cast<size_t>((y * W + x) * 4)];
            out.push_back(p[2]), out.push_back(p[1]), out.push_back(p[0]), out.push_back(p[3]);
        }
    out.insert(out.end(), maskRow * static_cast<std::uint32_t>(H), 0);
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char *>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(f);
}

} // namespace

int main(int argc, char **argv)
{
    std::string dir = argc > 1 ? argv[1] : "assets";
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    bool ok = true;
    ok &= header().writePng(dir + "Vireo_head.png");
    ok &= lamp(rgb(0x4A5258), rgb(0x23282C), rgb(0x000000), 0).writePng(dir + "led_off.png");
    ok &= lamp(rgb(0xFF6A5A), rgb(0xB80E0E), rgb(0xFF2A1A), 1).writePng(dir + "led_red_on.png");
    ok &= lamp(rgb(0x8DFF8A), rgb(0x14A21E), rgb(0x35FF40), 1).writePng(dir + "led_green_on.png");
    ok &= title().writePng(dir + "Vireo_title.png");
    ok &= writeIco(icon(), dir + "Vireo_icon_64_64.ico");
    if (!ok) {
        std::cerr << "make_images: could not write every image into " << dir << "\n";
        return 1;
    }
    std::cout << "images written to " << dir << "\n";
    return 0;
}
