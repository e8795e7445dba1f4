// makepictures: draws the background pictures and the logo of the program.
//
//   makepictures OUTDIR_DATA_IMAGE OUTDIR_APP
//
// Every picture is computed from formulas and a fixed-seed random generator,
// so each run writes the same bytes. The backgrounds stay dark or saturated
// where the white title text (top left) is drawn. The pictures in data/image
// and app/resources are its output (the test pictures-drawn-by-makepictures
// holds them to it; the target `pictures` writes them again).

#include "tools/jpegencode.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------- colours

struct Colour {
    double r = 0, g = 0, b = 0; // 0..1 each
};

Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Colour operator*(Colour a, double k) { return {a.r * k, a.g * k, a.b * k}; }

Colour hex(std::uint32_t rgb)
{
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

Colour mix(Colour a, Colour b, double t) { return a * (1 - t) + b * t; }

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

double smoothstep(double edge0, double edge1, double v)
{
    const double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

// A colour along a gradient given by (position, colour) stops in order.
struct Stop {
    double at;
    Colour colour;
};

Colour gradient(const std::vector<Stop>& stops, double t)
{
    if (t <= stops.front().at)
        return stops.front().colour;
    for (std::size_t i = 1; i < stops.size(); ++i)
        if (t <= stops[i].at) {
            const Stop& a = stops[i - 1];
            const Stop& b = stops[i];
            return mix(a.colour, b.colour, smoothstep(a.at, b.at, t));
        }
    return stops.back().colour;
}

// ------------------------------------------------------------- randomness

// SplitMix64: small, fast and the same on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uniform() { return (next() >> 11) * (1.0 / 9007199254740992.0); } // [0, 1)
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }

private:
    std::uint64_t state_;
};

// A value in [0, 1) fixed for each lattice point and seed.
double latticeValue(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^
                      static_cast<std::uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / 16777216.0;
}

// Smooth value noise in [0, 1).
double valueNoise(double x, double y, std::uint32_t seed)
{
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const double tx = smoothstep(0, 1, x - fx), ty = smoothstep(0, 1, y - fy);
    const double top = latticeValue(ix, iy, seed) * (1 - tx) + latticeValue(ix + 1, iy, seed) * tx;
    const double bottom =
        latticeValue(ix, iy + 1, seed) * (1 - tx) + latticeValue(ix + 1, iy + 1, seed) * tx;
    return top * (1 - ty) + bottom * ty;
}

// Fractal noise: octaves of value noise, each twice as fine and half as strong.
double fractalNoise(double x, double y, int octaves, std::uint32_t seed)
{
    double sum = 0, weight = 0, amplitude = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 101u) * amplitude;
        weight += amplitude;
        amplitude *= 0.5;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / weight;
}

// ------------------------------------------------------------------ canvas

struct Canvas {
    int width;
    int height;
    std::vector<Colour> pixels;

    Canvas(int w, int h) : width(w), height(h), pixels(std::size_t(w) * h) {}
    Colour& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
};

// Fills every pixel with colour(x, y), x and y being pixel centres.
template <typename F>
void paint(Canvas& canvas, F colour)
{
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            canvas.at(x, y) = colour(x + 0.5, y + 0.5);
}

// Adds a round spot of light whose strength falls off like a bell curve.
void addGlow(Canvas& canvas, double cx, double cy, double radius, Colour colour)
{
    const int reach = static_cast<int>(std::ceil(radius * 3));
    const int x0 = std::max(0, static_cast<int>(cx) - reach);
    const int x1 = std::min(canvas.width - 1, static_cast<int>(cx) + reach);
    const int y0 = std::max(0, static_cast<int>(cy) - reach);
    const int y1 = std::min(canvas.height - 1, static_cast<int>(cy) + reach);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double dx = (x + 0.5 - cx) / radius, dy = (y + 0.5 - cy) / radius;
            canvas.at(x, y) = canvas.at(x, y) + colour * std::exp(-(dx * dx + dy * dy));
        }
}

// Adds a disc with a soft rim (full inside, fading over `soft` pixels).
void addDisc(Canvas& canvas, double cx, double cy, double radius, double soft, Colour colour)
{
    const int reach = static_cast<int>(std::ceil(radius + soft)) + 1;
    for (int y = std::max(0, int(cy) - reach); y <= std::min(canvas.height - 1, int(cy) + reach); ++y)
        for (int x = std::max(0, int(cx) - reach); x <= std::min(canvas.width - 1, int(cx) + reach);
             ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            const double cover = 1 - smoothstep(radius - soft, radius + soft, d);
            canvas.at(x, y) = canvas.at(x, y) + colour * cover;
        }
}

// ------------------------------------------------------------------ output

bool writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    file.close();
    if (!file)
        std::fprintf(stderr, "makepictures: cannot write %s\n", path.string().c_str());
    return static_cast<bool>(file);
}

// Writes a JPEG; a tiny fixed dither keeps smooth gradients free of bands.
bool writeJpeg(const Canvas& canvas, const std::filesystem::path& path, bool progressive)
{
    Random dither(0xD17E5u);
    std::vector<unsigned char> samples;
    samples.reserve(canvas.pixels.size() * 3);
    for (const Colour& c : canvas.pixels)
        for (const double channel : {c.r, c.g, c.b}) {
            const double noise = dither.uniform() - dither.uniform(); // -1..1
            const double v = clamp01(channel) * 255 + noise * 0.6;
            samples.push_back(static_cast<unsigned char>(std::clamp(std::lround(v), 0L, 255L)));
        }
    tools::JpegOptions options;
    options.quality = 85;
    options.optimize = true;
    // Full colour resolution: small dots and stars keep their colour.
    options.fullChroma = true;
    options.progressive = progressive;
    return writeFile(path, tools::encodeJpeg(canvas.width, canvas.height, 3, JCS_RGB, samples, options));
}

// ---------------------------------------------------------------- pictures

// Violet dots on a hexagonal grid over a violet gradient, lit by a soft light
// from the upper right: the dots grow and brighten towards the light. Dark in
// the upper left corner.
Canvas violetDots(int width, int height, double spacing)
{
    Canvas canvas(width, height);
    const double lightX = width * 0.74, lightY = height * 0.30;
    const double lightRadius = width * 0.62;
    const auto light = [&](double x, double y) {
        const double dx = (x - lightX) / lightRadius, dy = (y - lightY) / lightRadius;
        return std::exp(-(dx * dx + dy * dy) * 1.4);
    };
    const Colour deep = hex(0x240A47), mid = hex(0x4E1F80), glow = hex(0x8A4CC0);
    paint(canvas, [&](double x, double y) {
        const double t = clamp01(0.55 * x / width + 0.45 * y / height);
        return mix(mix(deep, mid, t), glow, 0.55 * light(x, y));
    });

    const double rowStep = spacing * std::sqrt(3.0) / 2;
    const Colour dot = hex(0xE2C6FF);
    for (int row = -1; row * rowStep < height + spacing; ++row)
        for (int col = -1; col * spacing < width + spacing; ++col) {
            const double x = col * spacing + (row % 2 != 0 ? spacing / 2 : 0);
            const double y = row * rowStep;
            const double lit = light(x, y);
            const double radius = spacing * (0.16 + 0.14 * lit);
            addDisc(canvas, x, y, radius, spacing * 0.12, dot * (0.08 + 0.30 * lit));
        }
    return canvas;
}

// Deep blue water seen from above: slow ripples shade the surface and a net
// of soft light lines plays on it, stronger towards the lower right.
Canvas water(int width, int height)
{
    Canvas canvas(width, height);
    const Colour top = hex(0x062550), bottom = hex(0x0C5A8E), lightLine = hex(0x7FD4F0);
    paint(canvas, [&](double x, double y) {
        const double u = x / width, v = y / height;
        Colour c = mix(top, bottom, smoothstep(0, 1, 0.75 * v + 0.25 * u));

        // Ripples: a few crossing waves, bent by noise.
        const double bend = fractalNoise(u * 4, v * 3, 3, 11) * 6;
        const double ripple = std::sin(u * 38 + v * 9 + bend) * 0.5 +
                              std::sin(u * 17 - v * 27 + bend * 0.7) * 0.35 +
                              std::sin(u * 61 + v * 44 + bend * 1.3) * 0.15;
        c = c * (1 + 0.10 * ripple);

        // Light lines: thin bands where two noise fields pass their middle.
        const double n1 = fractalNoise(u * 7, v * 5.5, 4, 23);
        const double n2 = fractalNoise(u * 9 + 3, v * 7 + 5, 4, 37);
        const double lines = std::exp(-std::pow((n1 - 0.5) / 0.022, 2)) +
                             0.7 * std::exp(-std::pow((n2 - 0.5) / 0.018, 2));
        const double strength = 0.10 + 0.32 * smoothstep(0.1, 1.0, 0.6 * v + 0.4 * u);
        return c + lightLine * (lines * strength);
    });
    addGlow(canvas, width * 0.80, height * 0.78, width * 0.28, hex(0x0F3A55));
    return canvas;
}

// The open sea under a deep blue sky: thin clouds above the horizon, rows of
// waves that grow towards the viewer, white crests and a glitter of light
// below a hazy bright patch of sky.
Canvas sea(int width, int height)
{
    Canvas canvas(width, height);
    const double horizon = height * 0.42;
    const double sunX = width * 0.70;
    const std::vector<Stop> sky = {
        {0.00, hex(0x0A2260)}, {0.55, hex(0x1D4C8F)}, {1.00, hex(0x5C8CBE)}};
    const Colour far = hex(0x24557F), near = hex(0x072B4A), crest = hex(0xD8ECF5);

    paint(canvas, [&](double x, double y) {
        if (y < horizon) {
            const double v = y / horizon;
            Colour c = gradient(sky, v);
            const double haze = std::exp(-std::pow((x - sunX) / (width * 0.22), 2)) * v * v;
            c = c + hex(0x3A3A30) * haze;
            // Clouds: stretched noise, only in the lower part of the sky.
            const double n = fractalNoise(x / 160, y / 22, 5, 51);
            const double cloud = smoothstep(0.52, 0.75, n) * smoothstep(0.35, 0.85, v);
            return mix(c, hex(0xB8CCE0), 0.45 * cloud);
        }
        // Sea: project the pixel onto the water plane.
        const double d = (y - horizon) / (height - horizon); // 0 at horizon
        const double depth = 1 / (d + 0.015);                 // distance
        const double wx = (x - width / 2.0) * depth / width;
        const double bend = fractalNoise(wx * 3, depth * 0.6, 3, 61) * 4;
        const double phase = depth * 6 + wx * 1.5 + bend;
        const double wave = std::sin(phase) * 0.6 + std::sin(phase * 2.3 + wx * 5) * 0.4;
        Colour c = mix(far, near, smoothstep(0, 1, d));
        c = c * (1 + 0.22 * wave * smoothstep(0, 0.25, d));
        // Crests: the top of the waves, broken up by noise.
        const double foam = smoothstep(0.80, 0.98, wave) *
                            smoothstep(0.45, 0.75, fractalNoise(wx * 8, depth * 2, 3, 71));
        c = mix(c, crest, 0.55 * foam * smoothstep(0.05, 0.4, d));
        // Glitter: bright flecks in a column below the hazy patch.
        const double column = std::exp(-std::pow((x - sunX) / (width * (0.05 + 0.12 * d)), 2));
        const double fleck = smoothstep(0.55, 0.95, wave) * column * (1 - 0.6 * d);
        return c + hex(0xFFF4D0) * (0.45 * fleck);
    });
    addGlow(canvas, sunX, horizon, width * 0.10, hex(0x2A2A1C));
    return canvas;
}

// Evening sky: deep indigo above with stars, turning purple, red and orange
// towards the horizon, where the sun sets behind dark hills. Streaks of lit
// cloud near the horizon.
Canvas sunset(int width, int height)
{
    Canvas canvas(width, height);
    const double horizon = height * 0.80;
    const double sunX = width * 0.64;
    const std::vector<Stop> sky = {{0.00, hex(0x060822)}, {0.32, hex(0x17123F)},
                                   {0.58, hex(0x4A2057)}, {0.80, hex(0xB24A44)},
                                   {0.92, hex(0xE8863E)}, {1.00, hex(0xF6B652)}};
    paint(canvas, [&](double x, double y) {
        const double v = y / horizon;
        Colour c = gradient(sky, v);
        const double streak = fractalNoise(x / 210, y / 9, 4, 81);
        const double cloud = smoothstep(0.55, 0.78, streak) * smoothstep(0.55, 0.85, v);
        return mix(c, hex(0xF08A6A), 0.5 * cloud);
    });
    addGlow(canvas, sunX, horizon, width * 0.16, hex(0x6A3010));
    addDisc(canvas, sunX, horizon + 6, 24, 1.5, hex(0xFFD890));

    // Stars in the upper half, fading as the sky brightens.
    Random random(2024);
    for (int i = 0; i < 170; ++i) {
        const double x = random.uniform(0, width);
        const double y = random.uniform(0, height * 0.5);
        const double fade = 1 - smoothstep(0.15, 0.55, y / height);
        const double brightness = (0.25 + 0.75 * std::pow(random.uniform(), 3)) * fade;
        const double size = random.uniform(0.35, 0.75) + brightness * 0.5;
        addGlow(canvas, x, y, size, hex(0xFFF6E8) * brightness);
    }

    // Hills: a noisy ridge line; everything below it is near black.
    const Colour hill = hex(0x120A1A);
    for (int x = 0; x < width; ++x) {
        const double ridge = height * (0.74 + 0.09 * fractalNoise(x / 140.0, 0.5, 4, 91)) +
                             height * 0.08 * smoothstep(0.4, 1.0, double(x) / width);
        for (int y = 0; y < height; ++y) {
            const double cover = smoothstep(ridge - 0.8, ridge + 0.8, y + 0.5);
            canvas.at(x, y) = mix(canvas.at(x, y), hill, cover);
        }
    }
    return canvas;
}

// ---------------------------------------------------------------- the logo

// 32x32 pixels: a yellow chick on a blue square inside a cyan frame.
// Each pixel is a palette index; the shapes are drawn back to front.
std::vector<std::string> logoPixels()
{
    constexpr int n = 32;
    std::vector<std::string> rows(n, std::string(n, 'b'));
    const auto inDisc = [](int x, int y, double cx, double cy, double r) {
        return std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= r;
    };
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            char& p = rows[y][x];
            const int edge = std::min({x, y, n - 1 - x, n - 1 - y});
            if (edge < 1) { p = 'D'; continue; }       // dark outline
            if (edge < 3) { p = 'c'; continue; }       // cyan frame
            if (edge < 4) { p = 'd'; continue; }       // frame shadow
            // Feet.
            if (y >= 25 && y <= 26 && ((x >= 12 && x <= 14) || (x >= 18 && x <= 20))) p = 'o';
            // Body and head, with a darker rim at the lower right.
            const bool body = inDisc(x, y, 16.5, 19.0, 7.2);
            const bool head = inDisc(x, y, 14.0, 11.5, 5.6);
            if (body || head) {
                const bool rim = (body && !inDisc(x, y, 15.8, 18.3, 7.2)) ||
                                 (head && !body && !inDisc(x, y, 13.4, 11.0, 5.6));
                p = rim ? 'Y' : 'y';
            }
            if (inDisc(x, y, 19.0, 19.5, 3.0) && !inDisc(x, y, 18.3, 18.6, 3.0)) p = 'Y'; // wing
            if (y >= 6 && y <= 7 && x >= 13 && x <= 14) p = 'y';   // tuft
            if (y == 5 && x == 14) p = 'y';
            if (inDisc(x, y, 15.5, 11.0, 1.3)) p = 'k';           // eye
            if (x == 15 && y == 10) p = 'w';                      // eye shine
            if ((y == 12 && x >= 19 && x <= 21) || (y == 13 && x >= 19 && x <= 20)) p = 'o'; // beak
            if (inDisc(x, y, 12.0, 14.0, 1.1)) p = 'p';           // cheek
        }
    return rows;
}

bool writeXpm(const std::filesystem::path& path)
{
    struct PaletteEntry {
        char key;
        const char* colour;
    };
    const PaletteEntry palette[] = {
        {'D', "#0A3A5C"}, {'c', "#2FD8F0"}, {'d', "#0D2F7A"}, {'b', "#1450B8"},
        {'y', "#FFE02A"}, {'Y', "#E0A810"}, {'o', "#FF8A1A"}, {'k', "#1A1A1A"},
        {'w', "#FFFFFF"}, {'p', "#FFB0A0"},
    };
    const std::vector<std::string> rows = logoPixels();

    std::string xpm = "/* XPM */\nstatic const char *logo[] = {\n";
    xpm += "\"" + std::to_string(rows[0].size()) + " " + std::to_string(rows.size()) + " "
           + std::to_string(std::size(palette)) + " 1\",\n";
    for (const PaletteEntry& entry : palette)
        xpm += std::string("\"") + entry.key + " c " + entry.colour + "\",\n";
    for (std::size_t y = 0; y < rows.size(); ++y)
        xpm += "\"" + rows[y] + "\"" + (y + 1 < rows.size() ? "," : "") + "\n";
    xpm += "};\n";
    return writeFile(path, xpm);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: makepictures OUTDIR_DATA_IMAGE OUTDIR_APP\n");
        return 2;
    }
    const std::filesystem::path images = argv[1], app = argv[2];
    std::error_code error;
    std::filesystem::create_directories(images, error);
    std::filesystem::create_directories(app, error);

    constexpr int w = 730, h = 420;
    bool ok = true;
    ok &= writeJpeg(violetDots(w, h, 26), images / "violet.jpg", false);
    ok &= writeJpeg(water(w, h), images / "Water1.jpg", false);
    ok &= writeJpeg(sea(w, h), images / "Sea1.jpg", true);
    ok &= writeJpeg(sunset(w, h), images / "Sunset.jpg", true);
    ok &= writeJpeg(violetDots(307, 230, 18), app / "builtin.jpg", false);
    ok &= writeXpm(app / "logo.xpm");
    return ok ? 0 : 1;
}
