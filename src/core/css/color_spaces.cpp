#include "core/css/color_spaces.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace {

using Vec = std::array<double, 3>;
using Mat = std::array<Vec, 3>;

constexpr double kPi = 3.14159265358979323846;

Vec times(const Mat &m, const Vec &v)
{
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2], m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

// The matrices of the CSS Color 4 sample code.
constexpr Mat kLinearSrgbToXyz = {{{0.41239079926595934, 0.357584339383878, 0.1804807884018343},
                                   {0.21263900587151027, 0.715168678767756, 0.07219231536073371},
                                   {0.01933081871559182, 0.11919477979462598, 0.9505321522496607}}};
constexpr Mat kXyzToLinearSrgb = {{{3.2409699419045226, -1.537383177570094, -0.4986107602930034},
                                   {-0.9692436362808796, 1.8759675015077202, 0.04155505740717559},
                                   {0.05563007969699366, -0.20397695888897652, 1.0569715142428786}}};
constexpr Mat kD50ToD65 = {{{0.9554734527042182, -0.023098536874261423, 0.0632593086610217},
                            {-0.028369706963208136, 1.0099954580058226, 0.021041398966943008},
                            {0.012314001688319899, -0.020507696433477912, 1.3303659366080753}}};
constexpr Mat kD65ToD50 = {{{1.0479298208405488, 0.022946793341019088, -0.05019222954313557},
                            {0.029627815688159344, 0.990434484573249, -0.01707382502938514},
                            {-0.009243058152591178, 0.015055144896577895, 0.7518742899580008}}};
constexpr Mat kLmsToXyz = {{{1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
                            {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
                            {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816}}};
constexpr Mat kOklabToLms = {{{1.0, 0.3963377773761749, 0.2158037573099136},
                              {1.0, -0.1055613458156586, -0.0638541728258133},
                              {1.0, -0.0894841775298119, -1.2914855480194092}}};
constexpr Mat kXyzToLms = {{{0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
                            {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
                            {0.0481771893596242, 0.2642395317527308, 0.6335478284694309}}};
constexpr Mat kLmsToOklab = {{{0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
                              {1.9779985324311684, -2.4285922420485799, 0.4505937096173115},
                              {0.0259040424655478, 0.7827717124575296, -0.8086757549230774}}};
constexpr Mat kLinearP3ToXyz = {{{0.4865709486482162, 0.26566769316909306, 0.1982172852343625},
                                 {0.2289745640697488, 0.6917385218365064, 0.079286914093745},
                                 {0.0, 0.04511338185890264, 1.043944368900976}}};
constexpr Vec kD50White = {0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};
constexpr double kKappa = 24389.0 / 27.0;
constexpr double kEpsilon = 216.0 / 24389.0;

double toLinear(double c)
{
    const double a = std::abs(c);
    return a <= 0.04045 ? c / 12.92 : std::copysign(std::pow((a + 0.055) / 1.055, 2.4), c);
}

double toGamma(double c)
{
    const double a = std::abs(c);
    return a > 0.0031308 ? std::copysign(1.055 * std::pow(a, 1 / 2.4) - 0.055, c) : 12.92 * c;
}

Vec linearOf(const ColorF &c)
{
    return {toLinear(c.r), toLinear(c.g), toLinear(c.b)};
}

ColorF gammaOf(const Vec &linear)
{
    return {toGamma(linear[0]), toGamma(linear[1]), toGamma(linear[2]), 1};
}

Vec xyzD65Of(const ColorF &c)
{
    return times(kLinearSrgbToXyz, linearOf(c));
}

Vec labOf(const ColorF &c)
{
    const Vec xyz = times(kD65ToD50, xyzD65Of(c));
    Vec f;
    for (int i = 0; i < 3; ++i) {
        const double v = xyz[i] / kD50White[i];
        f[i] = v > kEpsilon ? std::cbrt(v) : (kKappa * v + 16) / 116;
    }
    return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

Vec oklabOf(const ColorF &c)
{
    Vec lms = times(kXyzToLms, xyzD65Of(c));
    for (double &v : lms)
        v = std::cbrt(v);
    return times(kLmsToOklab, lms);
}

Vec polar(const Vec &lab)
{
    double hue = std::atan2(lab[2], lab[1]) * 180 / kPi;
    if (hue < 0)
        hue += 360;
    return {lab[0], std::hypot(lab[1], lab[2]), hue};
}

Vec hslOf(const ColorF &c)
{
    const double high = std::max({c.r, c.g, c.b});
    const double low = std::min({c.r, c.g, c.b});
    const double lightness = (high + low) / 2;
    const double d = high - low;
    double hue = 0, saturation = 0;
    if (d != 0) {
        saturation = lightness == 0 || lightness == 1 ? 0 : (high - lightness) / std::min(lightness, 1 - lightness);
        if (high == c.r)
            hue = (c.g - c.b) / d + (c.g < c.b ? 6 : 0);
        else if (high == c.g)
            hue = (c.b - c.r) / d + 2;
        else
            hue = (c.r - c.g) / d + 4;
        hue *= 60;
    }
    return {hue, saturation, lightness};
}

Vec hwbOf(const ColorF &c)
{
    const double white = std::min({c.r, c.g, c.b});
    const double black = 1 - std::max({c.r, c.g, c.b});
    return {hslOf(c)[0], white, black};
}

bool isPolar(MixSpace space)
{
    return space == MixSpace::Hsl || space == MixSpace::Hwb || space == MixSpace::Lch || space == MixSpace::Oklch;
}

// The colour in the mixing space, its hue (for polar spaces) first.
Vec into(MixSpace space, const ColorF &c)
{
    switch (space) {
    case MixSpace::Srgb: return {c.r, c.g, c.b};
    case MixSpace::SrgbLinear: return linearOf(c);
    case MixSpace::Lab: return labOf(c);
    case MixSpace::Oklab: return oklabOf(c);
    case MixSpace::XyzD65: return xyzD65Of(c);
    case MixSpace::XyzD50: return times(kD65ToD50, xyzD65Of(c));
    case MixSpace::Hsl: return hslOf(c);
    case MixSpace::Hwb: return hwbOf(c);
    case MixSpace::Lch: {
        const Vec p = polar(labOf(c));
        return {p[2], p[0], p[1]};
    }
    case MixSpace::Oklch: {
        const Vec p = polar(oklabOf(c));
        return {p[2], p[0], p[1]};
    }
    }
    return {};
}

ColorF outOf(MixSpace space, const Vec &v)
{
    switch (space) {
    case MixSpace::Srgb: return {v[0], v[1], v[2], 1};
    case MixSpace::SrgbLinear: return fromLinearSrgb(v[0], v[1], v[2]);
    case MixSpace::Lab: return fromLab(v[0], v[1], v[2]);
    case MixSpace::Oklab: return fromOklab(v[0], v[1], v[2]);
    case MixSpace::XyzD65: return fromXyzD65(v[0], v[1], v[2]);
    case MixSpace::XyzD50: return fromXyzD50(v[0], v[1], v[2]);
    case MixSpace::Hsl: return fromHsl(v[0], v[1], v[2]);
    case MixSpace::Hwb: return fromHwb(v[0], v[1], v[2]);
    case MixSpace::Lch: return fromLch(v[1], v[2], v[0]);
    case MixSpace::Oklch: return fromOklch(v[1], v[2], v[0]);
    }
    return {};
}

// Whether a colour's hue says nothing in the mixing space: a grey has none,
// so it is missing there and the other colour's hue is taken. A colour met
// on its way through other spaces is grey within rounding, not exactly.
bool hueIsPowerless(MixSpace space, const ColorF &c, const Vec &polarForm)
{
    switch (space) {
    case MixSpace::Hsl:
    case MixSpace::Hwb: return std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) < 1e-6;
    case MixSpace::Lch: return polarForm[2] < 0.0015;
    case MixSpace::Oklch: return polarForm[2] < 0.000004;
    default: return false;
    }
}

double mixHue(std::optional<double> first, std::optional<double> second, double weight, HueMethod method)
{
    if (!first && !second)
        return 0;
    double a = std::fmod(std::fmod(first.value_or(*second), 360) + 360, 360);
    double b = std::fmod(std::fmod(second.value_or(*first), 360) + 360, 360);
    const double d = b - a;
    switch (method) {
    case HueMethod::Shorter:
        if (d > 180)
            a += 360;
        else if (d < -180)
            b += 360;
        break;
    case HueMethod::Longer:
        if (d > 0 && d < 180)
            a += 360;
        else if (d > -180 && d <= 0)
            b += 360;
        break;
    case HueMethod::Increasing:
        if (d < 0)
            b += 360;
        break;
    case HueMethod::Decreasing:
        if (d > 0)
            a += 360;
        break;
    }
    return a * weight + b * (1 - weight);
}

} // namespace

ColorF fromHsl(double hue, double saturation, double lightness)
{
    hue = std::fmod(std::fmod(hue, 360) + 360, 360);
    auto part = [&](double n) {
        const double k = std::fmod(n + hue / 30, 12);
        const double a = saturation * std::min(lightness, 1 - lightness);
        return lightness - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
    };
    return {part(0), part(8), part(4), 1};
}

ColorF fromHwb(double hue, double whiteness, double blackness)
{
    if (whiteness + blackness >= 1) {
        const double grey = whiteness / (whiteness + blackness);
        return {grey, grey, grey, 1};
    }
    ColorF c = fromHsl(hue, 1, 0.5);
    for (double *p : {&c.r, &c.g, &c.b})
        *p = *p * (1 - whiteness - blackness) + whiteness;
    return c;
}

ColorF fromXyzD65(double x, double y, double z)
{
    return gammaOf(times(kXyzToLinearSrgb, {x, y, z}));
}

ColorF fromXyzD50(double x, double y, double z)
{
    const Vec d65 = times(kD50ToD65, {x, y, z});
    return fromXyzD65(d65[0], d65[1], d65[2]);
}

ColorF fromLab(double l, double a, double b)
{
    const double f1 = (l + 16) / 116;
    const double f0 = a / 500 + f1;
    const double f2 = f1 - b / 200;
    const double x = f0 * f0 * f0 > kEpsilon ? f0 * f0 * f0 : (116 * f0 - 16) / kKappa;
    const double y = l > kKappa * kEpsilon ? f1 * f1 * f1 : l / kKappa;
    const double z = f2 * f2 * f2 > kEpsilon ? f2 * f2 * f2 : (116 * f2 - 16) / kKappa;
    return fromXyzD50(x * kD50White[0], y * kD50White[1], z * kD50White[2]);
}

ColorF fromLch(double l, double chroma, double hue)
{
    const double radians = hue * kPi / 180;
    return fromLab(l, chroma * std::cos(radians), chroma * std::sin(radians));
}

ColorF fromOklab(double l, double a, double b)
{
    Vec lms = times(kOklabToLms, {l, a, b});
    for (double &v : lms)
        v = v * v * v;
    const Vec xyz = times(kLmsToXyz, lms);
    return fromXyzD65(xyz[0], xyz[1], xyz[2]);
}

ColorF fromOklch(double l, double chroma, double hue)
{
    const double radians = hue * kPi / 180;
    return fromOklab(l, chroma * std::cos(radians), chroma * std::sin(radians));
}

ColorF fromLinearSrgb(double r, double g, double b)
{
    return gammaOf({r, g, b});
}

ColorF fromDisplayP3(double r, double g, double b)
{
    const Vec xyz = times(kLinearP3ToXyz, {toLinear(r), toLinear(g), toLinear(b)});
    return fromXyzD65(xyz[0], xyz[1], xyz[2]);
}

ColorF mixColors(ColorF first, ColorF second, double weight, MixSpace space, HueMethod hueMethod)
{
    Vec a = into(space, first);
    Vec b = into(space, second);
    const bool polarSpace = isPolar(space);
    // Premultiplied: a transparent colour lends the mix none of its hue.
    for (int i = polarSpace ? 1 : 0; i < 3; ++i) {
        a[i] *= first.alpha;
        b[i] *= second.alpha;
    }
    const double alpha = first.alpha * weight + second.alpha * (1 - weight);
    Vec mixed;
    for (int i = 0; i < 3; ++i)
        mixed[i] = a[i] * weight + b[i] * (1 - weight);
    if (polarSpace) {
        auto hueOf = [space](const ColorF &c, const Vec &v) {
            return hueIsPowerless(space, c, v) ? std::nullopt : std::optional<double>(v[0]);
        };
        mixed[0] = mixHue(hueOf(first, into(space, first)), hueOf(second, into(space, second)), weight, hueMethod);
    }
    if (alpha > 0) {
        for (int i = polarSpace ? 1 : 0; i < 3; ++i)
            mixed[i] /= alpha;
    }
    ColorF out = outOf(space, mixed);
    out.alpha = alpha;
    return out;
}
