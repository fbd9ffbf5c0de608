#pragma once

// A colour on its way to the swatch: sRGB with its gamma, each part 0 to 1
// but not clamped, so that a colour read in another space and mixed again
// keeps its precision; alpha 0 to 1.
struct ColorF {
    double r = 0, g = 0, b = 0, alpha = 1;
};

// The CSS Color 4 conversions into sRGB. Hues in degrees.
ColorF fromHsl(double hue, double saturation, double lightness); // s, l 0 to 1
ColorF fromHwb(double hue, double whiteness, double blackness);  // w, b 0 to 1
ColorF fromLab(double l, double a, double b);                    // CIE Lab, D50, L 0 to 100
ColorF fromLch(double l, double chroma, double hue);
ColorF fromOklab(double l, double a, double b); // L 0 to 1
ColorF fromOklch(double l, double chroma, double hue);
ColorF fromLinearSrgb(double r, double g, double b);
ColorF fromDisplayP3(double r, double g, double b);
ColorF fromXyzD65(double x, double y, double z);
ColorF fromXyzD50(double x, double y, double z);

// The spaces color-mix() interpolates in.
enum class MixSpace { Srgb, SrgbLinear, Lab, Oklab, XyzD65, XyzD50, Hsl, Hwb, Lch, Oklch };
enum class HueMethod { Shorter, Longer, Increasing, Decreasing };

// color-mix(): `weight` of the first colour, the second gets the rest;
// premultiplied by alpha as CSS mixes.
ColorF mixColors(ColorF first, ColorF second, double weight, MixSpace space, HueMethod hue);
