#include "StrokeLettering.h"

namespace
{
using juce::Path;

constexpr float pi = juce::MathConstants<float>::pi;
constexpr float letterGap = 1.9f;

// The x-height bowl shared by a, d and e: an ellipse 6 wide between y 3 and 10.
void bowl (Path& p, float x)
{
    p.addEllipse (x, 3.0f, 6.0f, 7.0f);
}

void line (Path& p, float x1, float y1, float x2, float y2)
{
    p.startNewSubPath (x1, y1);
    p.lineTo (x2, y2);
}

// Appends one letter at x and returns its width, or a negative width for a letter not here.
float letter (Path& p, juce::juce_wchar c, float x)
{
    switch (c)
    {
        case 'D':
            p.startNewSubPath (x, 0.0f);
            p.lineTo (x + 3.0f, 0.0f);
            p.cubicTo (x + 6.5f, 0.0f, x + 7.0f, 2.5f, x + 7.0f, 5.0f);
            p.cubicTo (x + 7.0f, 7.5f, x + 6.5f, 10.0f, x + 3.0f, 10.0f);
            p.lineTo (x, 10.0f);
            p.closeSubPath();
            return 7.0f;

        case 'S':
            p.startNewSubPath (x + 6.2f, 1.6f);
            p.cubicTo (x + 5.5f, 0.4f, x + 4.5f, 0.0f, x + 3.3f, 0.0f);
            p.cubicTo (x + 1.5f, 0.0f, x + 0.4f, 1.0f, x + 0.4f, 2.6f);
            p.cubicTo (x + 0.4f, 4.4f, x + 2.0f, 4.8f, x + 3.4f, 5.1f);
            p.cubicTo (x + 5.0f, 5.4f, x + 6.6f, 6.0f, x + 6.6f, 7.5f);
            p.cubicTo (x + 6.6f, 9.1f, x + 5.3f, 10.0f, x + 3.4f, 10.0f);
            p.cubicTo (x + 2.0f, 10.0f, x + 0.8f, 9.4f, x + 0.2f, 8.3f);
            return 6.8f;

        case 'a':
            bowl (p, x);
            line (p, x + 6.0f, 3.0f, x + 6.0f, 10.0f);
            return 6.0f;

        case 'd':
            bowl (p, x);
            line (p, x + 6.0f, 0.0f, x + 6.0f, 10.0f);
            return 6.0f;

        case 'e':
            line (p, x, 6.5f, x + 6.0f, 6.5f);
            p.addCentredArc (x + 3.0f, 6.5f, 3.0f, 3.5f, 0.0f, 0.5f * pi, -1.25f * pi);
            return 6.0f;

        case 'f':
            p.startNewSubPath (x + 1.5f, 10.0f);
            p.lineTo (x + 1.5f, 2.5f);
            p.quadraticTo (x + 1.5f, 0.0f, x + 4.0f, 0.0f);
            line (p, x, 3.5f, x + 3.8f, 3.5f);
            return 4.0f;

        case 'l':
            line (p, x + 0.5f, 0.0f, x + 0.5f, 10.0f);
            return 1.0f;

        case 'n':
            line (p, x, 3.0f, x, 10.0f);
            p.startNewSubPath (x, 6.0f);
            p.addCentredArc (x + 3.0f, 6.0f, 3.0f, 3.0f, 0.0f, -0.5f * pi, 0.5f * pi);
            p.lineTo (x + 6.0f, 10.0f);
            return 6.0f;

        case 't':
            p.startNewSubPath (x + 1.5f, 0.8f);
            p.lineTo (x + 1.5f, 8.5f);
            p.quadraticTo (x + 1.5f, 10.0f, x + 3.6f, 10.0f);
            line (p, x, 3.5f, x + 3.6f, 3.5f);
            return 3.6f;

        case 'u':
            p.startNewSubPath (x, 3.0f);
            p.lineTo (x, 7.0f);
            p.addCentredArc (x + 3.0f, 7.0f, 3.0f, 3.0f, 0.0f, -0.5f * pi, -1.5f * pi);
            line (p, x + 6.0f, 3.0f, x + 6.0f, 10.0f);
            return 6.0f;

        default:
            return -1.0f;
    }
}
} // namespace

Path StrokeLettering::word (const juce::String& text)
{
    Path p;
    auto x = 0.0f;

    for (auto c : text)
    {
        const auto width = letter (p, c, x);
        jassert (width >= 0.0f); // a letter the set does not have
        if (width >= 0.0f)
            x += width + letterGap;
    }

    return p;
}

void StrokeLettering::draw (juce::Graphics& g, const juce::String& text, juce::Point<float> centre,
                            float capHeight, float thickness)
{
    auto p = word (text);
    const auto scale = capHeight / 10.0f;
    const auto bounds = p.getBounds();
    p.applyTransform (juce::AffineTransform::translation (-bounds.getCentreX(), -5.0f)
                          .scaled (scale)
                          .translated (centre.x, centre.y));
    g.strokePath (
        p, juce::PathStrokeType (thickness, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}
