#include "core/css/css_color.h"

#include "core/css/color_spaces.h"

#include <QList>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <utility>

namespace {

const std::array<std::pair<const char *, const char *>, 16> kSixteen = {{
    {"BLUE", "#0000FF"},   {"AQUA", "#00FFFF"},   {"GREEN", "#008000"}, {"YELLOW", "#FFFF00"},
    {"RED", "#FF0000"},    {"FUCHSIA", "#FF00FF"}, {"BLACK", "#000000"}, {"WHITE", "#FFFFFF"},
    {"GRAY", "#808080"},   {"SILVER", "#C0C0C0"}, {"LIME", "#00FF00"},  {"MAROON", "#800000"},
    {"NAVY", "#000080"},   {"OLIVE", "#808000"},  {"PURPLE", "#800080"}, {"TEAL", "#008080"},
}};

// Nested colour functions deeper than this are no colour a sheet means.
constexpr int kMaxDepth = 16;

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<ColorF> fromHex(const QByteArray &digits)
{
    for (const char c : digits) {
        if (hexValue(c) < 0)
            return std::nullopt;
    }
    auto one = [&](int i) { return hexValue(digits[i]) * 17 / 255.0; };
    auto two = [&](int i) { return (hexValue(digits[i]) * 16 + hexValue(digits[i + 1])) / 255.0; };
    switch (digits.size()) {
    case 3: return ColorF{one(0), one(1), one(2), 1};
    case 4: return ColorF{one(0), one(1), one(2), one(3)};
    case 6: return ColorF{two(0), two(2), two(4), 1};
    case 8: return ColorF{two(0), two(2), two(4), two(6)};
    default: return std::nullopt;
    }
}

// One component of a colour function: a number, a percentage, an angle
// (in degrees) or "none".
struct Component {
    enum Kind { Number, Percent, Angle, None } kind = Number;
    double value = 0;

    // The value on a scale where 100% is `full`.
    double scaled(double full) const { return kind == Percent ? value / 100 * full : value; }
    double hue() const { return kind == None ? 0 : value; }
};

std::optional<Component> readComponent(const QByteArray &token)
{
    if (token == "NONE")
        return Component{Component::None, 0};
    qsizetype end = 0;
    while (end < token.size() && (std::isdigit(static_cast<unsigned char>(token[end])) || token[end] == '.'
                                  || token[end] == '-' || token[end] == '+'
                                  || (token[end] == 'E' && end > 0 && end + 1 < token.size()
                                      && (std::isdigit(static_cast<unsigned char>(token[end + 1]))
                                          || token[end + 1] == '-' || token[end + 1] == '+'))))
        ++end;
    bool ok = false;
    const double number = token.left(end).toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    const QByteArray unit = token.mid(end);
    if (unit.isEmpty())
        return Component{Component::Number, number};
    if (unit == "%")
        return Component{Component::Percent, number};
    if (unit == "DEG")
        return Component{Component::Angle, number};
    if (unit == "RAD")
        return Component{Component::Angle, number * 180 / 3.14159265358979323846};
    if (unit == "GRAD")
        return Component{Component::Angle, number * 0.9};
    if (unit == "TURN")
        return Component{Component::Angle, number * 360};
    return std::nullopt;
}

// Splits at the commas outside brackets; blanks around each part go.
QList<QByteArray> splitCommas(const QByteArray &text)
{
    QList<QByteArray> parts;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '(')
            ++depth;
        else if (text[i] == ')')
            --depth;
        else if (text[i] == ',' && depth == 0) {
            parts.append(text.mid(start, i - start).trimmed());
            start = i + 1;
        }
    }
    parts.append(text.mid(start).trimmed());
    return parts;
}

// Splits at blanks outside brackets; "/" stands alone.
QList<QByteArray> splitBlanks(const QByteArray &text)
{
    QList<QByteArray> parts;
    QByteArray current;
    int depth = 0;
    auto flush = [&] {
        if (!current.isEmpty())
            parts.append(current);
        current.clear();
    };
    for (const char c : text) {
        if (c == '(')
            ++depth;
        else if (c == ')')
            --depth;
        if (depth == 0 && (c == ' ' || c == '\t' || c == '\n' || c == '\r')) {
            flush();
        } else if (depth == 0 && c == '/') {
            flush();
            parts.append(QByteArrayLiteral("/"));
        } else {
            current += c;
        }
    }
    flush();
    return parts;
}

// The three components and the alpha of a colour function, in the modern
// form ("a b c / alpha") or the legacy one ("a, b, c, alpha").
struct Arguments {
    std::array<Component, 3> parts;
    double alpha = 1;
};

std::optional<double> readAlpha(const QByteArray &token)
{
    const std::optional<Component> alpha = readComponent(token);
    if (!alpha || alpha->kind == Component::Angle)
        return std::nullopt;
    return alpha->kind == Component::None ? 0 : std::clamp(alpha->scaled(1), 0.0, 1.0);
}

std::optional<Arguments> readArguments(const QByteArray &inside, bool legacyAllowed)
{
    QList<QByteArray> tokens = splitCommas(inside);
    QByteArray alphaToken;
    if (tokens.size() == 1) {
        tokens = splitBlanks(inside);
        if (tokens.size() == 5 && tokens[3] == "/")
            alphaToken = tokens[4];
        else if (tokens.size() != 3)
            return std::nullopt;
        tokens = tokens.mid(0, 3);
    } else {
        if (!legacyAllowed || tokens.size() < 3 || tokens.size() > 4)
            return std::nullopt;
        if (tokens.size() == 4)
            alphaToken = tokens[3];
        tokens = tokens.mid(0, 3);
    }
    Arguments args;
    for (int i = 0; i < 3; ++i) {
        const std::optional<Component> part = readComponent(tokens[i]);
        if (!part)
            return std::nullopt;
        args.parts[i] = *part;
    }
    if (!alphaToken.isEmpty()) {
        const std::optional<double> alpha = readAlpha(alphaToken);
        if (!alpha)
            return std::nullopt;
        args.alpha = *alpha;
    }
    return args;
}

std::optional<ColorF> readColor(const QByteArray &text, const ColorF &current, int depth);

std::optional<MixSpace> mixSpace(const QByteArray &name)
{
    static const std::pair<const char *, MixSpace> spaces[] = {
        {"SRGB", MixSpace::Srgb},     {"SRGB-LINEAR", MixSpace::SrgbLinear}, {"LAB", MixSpace::Lab},
        {"OKLAB", MixSpace::Oklab},   {"XYZ", MixSpace::XyzD65},             {"XYZ-D65", MixSpace::XyzD65},
        {"XYZ-D50", MixSpace::XyzD50}, {"HSL", MixSpace::Hsl},               {"HWB", MixSpace::Hwb},
        {"LCH", MixSpace::Lch},       {"OKLCH", MixSpace::Oklch}};
    for (const auto &[spelling, space] : spaces) {
        if (name == spelling)
            return space;
    }
    return std::nullopt;
}

// A colour of color-mix() and its percentage, given before or after it.
std::optional<std::pair<ColorF, std::optional<double>>> mixPart(const QByteArray &text, const ColorF &current,
                                                                 int depth)
{
    const QList<QByteArray> tokens = splitBlanks(text);
    if (tokens.isEmpty() || tokens.size() > 2)
        return std::nullopt;
    std::optional<double> percent;
    QByteArray colorText = tokens[0];
    if (tokens.size() == 2) {
        const bool percentFirst = tokens[0].endsWith('%');
        const std::optional<Component> p = readComponent(tokens[percentFirst ? 0 : 1]);
        if (!p || p->kind != Component::Percent || p->value < 0 || p->value > 100)
            return std::nullopt;
        percent = p->value;
        colorText = tokens[percentFirst ? 1 : 0];
    }
    const std::optional<ColorF> color = readColor(colorText, current, depth + 1);
    if (!color)
        return std::nullopt;
    return std::make_pair(*color, percent);
}

std::optional<ColorF> readColorMix(const QByteArray &inside, const ColorF &current, int depth)
{
    const QList<QByteArray> parts = splitCommas(inside);
    if (parts.size() != 3)
        return std::nullopt;
    const QList<QByteArray> method = splitBlanks(parts[0]);
    if (method.size() < 2 || method[0] != "IN")
        return std::nullopt;
    const std::optional<MixSpace> space = mixSpace(method[1]);
    if (!space)
        return std::nullopt;
    HueMethod hue = HueMethod::Shorter;
    if (method.size() == 4 && method[3] == "HUE") {
        if (method[2] == "LONGER")
            hue = HueMethod::Longer;
        else if (method[2] == "INCREASING")
            hue = HueMethod::Increasing;
        else if (method[2] == "DECREASING")
            hue = HueMethod::Decreasing;
        else if (method[2] != "SHORTER")
            return std::nullopt;
    } else if (method.size() != 2) {
        return std::nullopt;
    }
    const auto first = mixPart(parts[1], current, depth);
    const auto second = mixPart(parts[2], current, depth);
    if (!first || !second)
        return std::nullopt;
    double p1 = first->second.value_or(second->second ? 100 - *second->second : 50);
    double p2 = second->second.value_or(100 - p1);
    const double sum = p1 + p2;
    if (sum <= 0)
        return std::nullopt;
    ColorF mixed = mixColors(first->first, second->first, p1 / sum, *space, hue);
    // Percentages that add up to less than 100 make the mix transparent in proportion.
    if (sum < 100)
        mixed.alpha *= sum / 100;
    return mixed;
}

std::optional<ColorF> readColorFunction(const QByteArray &name, const QByteArray &inside, const ColorF &current,
                                        int depth)
{
    auto withArguments = [&](bool legacy, auto convert) -> std::optional<ColorF> {
        const std::optional<Arguments> args = readArguments(inside, legacy);
        if (!args)
            return std::nullopt;
        const auto &[a, b, c] = args->parts;
        std::optional<ColorF> color = convert(a, b, c);
        if (color)
            color->alpha = args->alpha;
        return color;
    };
    auto isHue = [](const Component &c) { return c.kind != Component::Percent; };
    if (name == "RGB" || name == "RGBA") {
        return withArguments(true, [](const Component &r, const Component &g, const Component &b) {
            return std::optional<ColorF>(
                ColorF{r.scaled(255) / 255, g.scaled(255) / 255, b.scaled(255) / 255, 1});
        });
    }
    if (name == "HSL" || name == "HSLA") {
        return withArguments(true, [&](const Component &h, const Component &s, const Component &l) {
            if (!isHue(h))
                return std::optional<ColorF>();
            return std::optional<ColorF>(fromHsl(h.hue(), s.scaled(100) / 100, l.scaled(100) / 100));
        });
    }
    if (name == "HWB") {
        return withArguments(false, [&](const Component &h, const Component &w, const Component &b) {
            if (!isHue(h))
                return std::optional<ColorF>();
            return std::optional<ColorF>(fromHwb(h.hue(), w.scaled(100) / 100, b.scaled(100) / 100));
        });
    }
    if (name == "LAB" || name == "OKLAB") {
        const bool ok = name == "OKLAB";
        return withArguments(false, [&](const Component &l, const Component &a, const Component &b) {
            return std::optional<ColorF>(ok ? fromOklab(std::max(0.0, l.scaled(1)), a.scaled(0.4), b.scaled(0.4))
                                            : fromLab(std::max(0.0, l.scaled(100)), a.scaled(125), b.scaled(125)));
        });
    }
    if (name == "LCH" || name == "OKLCH") {
        const bool ok = name == "OKLCH";
        return withArguments(false, [&](const Component &l, const Component &c, const Component &h) {
            if (!isHue(h))
                return std::optional<ColorF>();
            const double chroma = std::max(0.0, c.scaled(ok ? 0.4 : 150));
            return std::optional<ColorF>(ok ? fromOklch(std::max(0.0, l.scaled(1)), chroma, h.hue())
                                            : fromLch(std::max(0.0, l.scaled(100)), chroma, h.hue()));
        });
    }
    if (name == "COLOR") {
        const qsizetype blank = inside.indexOf(' ');
        if (blank < 0)
            return std::nullopt;
        const QByteArray space = inside.left(blank);
        const QByteArray rest = inside.mid(blank + 1).trimmed();
        ColorF (*convert)(double, double, double) = nullptr;
        if (space == "SRGB")
            convert = [](double r, double g, double b) { return ColorF{r, g, b, 1}; };
        else if (space == "SRGB-LINEAR")
            convert = fromLinearSrgb;
        else if (space == "DISPLAY-P3")
            convert = fromDisplayP3;
        else if (space == "XYZ" || space == "XYZ-D65")
            convert = fromXyzD65;
        else if (space == "XYZ-D50")
            convert = fromXyzD50;
        if (!convert)
            return std::nullopt;
        const std::optional<Arguments> args = readArguments(rest, false);
        if (!args)
            return std::nullopt;
        ColorF color = convert(args->parts[0].scaled(1), args->parts[1].scaled(1), args->parts[2].scaled(1));
        color.alpha = args->alpha;
        return color;
    }
    if (name == "LIGHT-DARK") {
        const QList<QByteArray> sides = splitCommas(inside);
        if (sides.size() != 2 || !readColor(sides[1], current, depth + 1))
            return std::nullopt;
        return readColor(sides[0], current, depth + 1);
    }
    if (name == "COLOR-MIX")
        return readColorMix(inside, current, depth);
    return std::nullopt;
}

std::optional<ColorF> readColor(const QByteArray &text, const ColorF &current, int depth)
{
    if (depth > kMaxDepth || text.isEmpty())
        return std::nullopt;
    if (text.startsWith('#'))
        return fromHex(text.mid(1));
    if (text == "TRANSPARENT")
        return ColorF{0, 0, 0, 0};
    if (text == "CURRENTCOLOR")
        return current;
    const qsizetype open = text.indexOf('(');
    if (open < 0) {
        const std::optional<Rgb> named = namedColor(text);
        if (!named)
            return std::nullopt;
        return ColorF{named->r / 255.0, named->g / 255.0, named->b / 255.0, 1};
    }
    if (!text.endsWith(')'))
        return std::nullopt;
    const QByteArray inside = text.mid(open + 1, text.size() - open - 2).trimmed();
    // A bracket closed early ("rgb(1 2) 3)") makes no single function.
    int level = 0;
    for (const char c : inside) {
        level += c == '(' ? 1 : c == ')' ? -1 : 0;
        if (level < 0)
            return std::nullopt;
    }
    if (level != 0)
        return std::nullopt;
    return readColorFunction(text.left(open).trimmed(), inside, current, depth);
}

quint8 toByte(double part)
{
    return quint8(std::lround(std::clamp(part, 0.0, 1.0) * 255));
}

} // namespace

std::optional<Rgb> CssToColor(const QByteArray &upperText, Rgb currentColor)
{
    QByteArray text = upperText.trimmed();
    // The legacy bare hex form a few old sheets still have.
    if (text.size() == 6 && fromHex(text))
        text.prepend('#');
    const ColorF current{currentColor.r / 255.0, currentColor.g / 255.0, currentColor.b / 255.0,
                         currentColor.a / 255.0};
    const std::optional<ColorF> color = readColor(text, current, 0);
    if (!color || !std::isfinite(color->r) || !std::isfinite(color->g) || !std::isfinite(color->b))
        return std::nullopt;
    return Rgb{toByte(color->r), toByte(color->g), toByte(color->b), toByte(color->alpha)};
}

QByteArray hexOf(Rgb color)
{
    QByteArray code = "#";
    for (const quint8 part : {color.r, color.g, color.b})
        code += QByteArray::number(part, 16).rightJustified(2, '0').toUpper();
    return code;
}

QByteArray ColorToCss(Rgb color)
{
    const QByteArray code = hexOf(color);
    for (const auto &[name, named] : kSixteen) {
        if (code == named)
            return name;
    }
    return code;
}
