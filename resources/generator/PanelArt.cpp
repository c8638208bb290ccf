#include "PanelArt.h"

namespace
{
using juce::Colour;
using juce::ColourGradient;
using juce::Path;
using juce::PathStrokeType;
using juce::Rectangle;

void verticalGradient (juce::Graphics& g, Rectangle<float> r, Colour top, Colour bottom)
{
    g.setGradientFill (ColourGradient (top, r.getX(), r.getY(), bottom, r.getX(), r.getBottom(), false));
}

void strokeLine (juce::Graphics& g, Path& p, float thickness)
{
    g.strokePath (p, PathStrokeType (thickness, PathStrokeType::curved, PathStrokeType::rounded));
}
} // namespace

void PanelArt::drawBody (juce::Graphics& g, Rectangle<float> r, float corner)
{
    verticalGradient (g, r, Colour (0xff3c3f45u), Colour (0xff23252au));
    g.fillRoundedRectangle (r, corner);
    g.setColour (Colour (0xff5f636au));
    g.drawRoundedRectangle (r.reduced (0.75f), corner - 0.5f, 1.5f);
}

void PanelArt::drawPlate (juce::Graphics& g, Rectangle<float> r)
{
    g.setColour (Colour (0xff1e2024u));
    g.fillRoundedRectangle (r, 6.0f);
    g.setColour (Colour (0xff45484eu));
    g.drawRoundedRectangle (r.reduced (0.5f), 6.0f, 1.0f);
}

void PanelArt::drawMark (juce::Graphics& g, Rectangle<float> r)
{
    const auto barW = r.getWidth() / 5.0f;
    for (int i = 0; i < 3; ++i)
    {
        Path bar;
        const auto x = r.getX() + barW * 1.5f * (float) i;
        bar.startNewSubPath (x + barW, r.getY());
        bar.lineTo (x + barW * 2.0f, r.getY());
        bar.lineTo (x + barW, r.getBottom());
        bar.lineTo (x, r.getBottom());
        bar.closeSubPath();
        g.setColour (i == 1 ? Colour (0xffe0483cu) : Colour (0xffd6d8dcu));
        g.fillPath (bar);
    }
}

void PanelArt::drawBackPanel (juce::Graphics& g, Rectangle<float> r)
{
    // The rear edge: a darker face under a lit top lip, on two feet.
    g.setColour (Colour (0xff16171au));
    g.fillRoundedRectangle (r.getX() + 10.0f, r.getBottom() - 2.0f, 26.0f, 5.0f, 2.0f);
    g.fillRoundedRectangle (r.getRight() - 36.0f, r.getBottom() - 2.0f, 26.0f, 5.0f, 2.0f);

    verticalGradient (g, r, Colour (0xff33363cu), Colour (0xff1b1d21u));
    g.fillRoundedRectangle (r, 5.0f);
    g.setColour (Colour (0xff6a6e75u));
    g.fillRoundedRectangle (r.withHeight (3.0f).reduced (2.0f, 0.0f), 1.5f);
    g.setColour (Colour (0xff4a4e55u));
    g.drawRoundedRectangle (r.reduced (0.5f), 5.0f, 1.0f);

    // Screws at both ends.
    for (const auto x : {r.getX() + 9.0f, r.getRight() - 9.0f})
    {
        const auto screw = Rectangle<float> (6.0f, 6.0f).withCentre ({x, r.getCentreY()});
        g.setColour (Colour (0xff8a8e95u));
        g.fillEllipse (screw);
        g.setColour (Colour (0xff2b2e33u));
        g.drawLine (screw.getX() + 1.0f, screw.getCentreY(), screw.getRight() - 1.0f, screw.getCentreY(),
                    1.0f);
    }
}

void PanelArt::drawDisplay (juce::Graphics& g, Rectangle<float> r)
{
    g.setColour (Colour (0xff101113u));
    g.fillRoundedRectangle (r, 4.0f);
    const auto glass = r.reduced (3.0f);
    verticalGradient (g, glass, Colour (0xff1f4a5cu), Colour (0xff14303du));
    g.fillRoundedRectangle (glass, 2.0f);

    // Two lines of a patch display: a long bar and a shorter one with a value gauge.
    const auto line = glass.reduced (6.0f, 0.0f);
    g.setColour (Colour (0xff9fe3f2u));
    g.fillRoundedRectangle (line.getX(), glass.getY() + glass.getHeight() * 0.25f, line.getWidth() * 0.8f,
                            4.0f, 1.0f);
    g.fillRoundedRectangle (line.getX(), glass.getY() + glass.getHeight() * 0.58f, line.getWidth() * 0.45f,
                            4.0f, 1.0f);
    g.setColour (Colour (0x709fe3f2u));
    g.fillRoundedRectangle (line.getX() + line.getWidth() * 0.55f, glass.getY() + glass.getHeight() * 0.58f,
                            line.getWidth() * 0.45f, 4.0f, 1.0f);
    g.setColour (Colour (0x14ffffffu));
    g.fillRect (glass.withHeight (glass.getHeight() * 0.4f));
}

void PanelArt::drawLed (juce::Graphics& g, juce::Point<float> centre, Colour lit, bool on)
{
    const auto led = Rectangle<float> (5.0f, 5.0f).withCentre (centre);
    if (on)
    {
        g.setColour (lit.withAlpha (0.35f));
        g.fillEllipse (led.expanded (2.0f));
    }
    g.setColour (on ? lit : lit.withMultipliedBrightness (0.35f));
    g.fillEllipse (led);
}

void PanelArt::drawSign (juce::Graphics& g, Rectangle<float> r, Sign sign, Colour colour)
{
    const auto x = r.getX(), y = r.getY(), w = r.getWidth(), h = r.getHeight();
    g.setColour (colour);
    Path p;

    switch (sign)
    {
        case Sign::footswitch:
            p.startNewSubPath (x, y + h);
            p.lineTo (x + w, y + h);
            p.startNewSubPath (x + w * 0.15f, y + h * 0.75f);
            p.lineTo (x + w * 0.9f, y + h * 0.2f);
            strokeLine (g, p, 1.5f);
            g.fillEllipse (Rectangle<float> (3.0f, 3.0f).withCentre ({x + w * 0.15f, y + h * 0.75f}));
            break;

        case Sign::treadle:
            p.startNewSubPath (x, y + h);
            p.lineTo (x + w, y + h);
            p.lineTo (x + w, y + h * 0.55f);
            p.startNewSubPath (x + w * 0.05f, y + h * 0.8f);
            p.lineTo (x + w, y + h * 0.1f);
            strokeLine (g, p, 1.5f);
            break;

        case Sign::breath:
            for (int i = 0; i < 3; ++i)
            {
                const auto wx = x + w * (0.2f + 0.3f * (float) i);
                p.startNewSubPath (wx, y + h);
                p.cubicTo (wx - w * 0.15f, y + h * 0.66f, wx + w * 0.15f, y + h * 0.33f, wx, y);
            }
            strokeLine (g, p, 1.2f);
            break;

        case Sign::usb:
        {
            const auto cx = x + w * 0.5f;
            p.startNewSubPath (cx, y + h);
            p.lineTo (cx, y + h * 0.15f);
            p.startNewSubPath (cx, y + h * 0.7f);
            p.lineTo (x + w * 0.15f, y + h * 0.45f);
            p.lineTo (x + w * 0.15f, y + h * 0.3f);
            p.startNewSubPath (cx, y + h * 0.6f);
            p.lineTo (x + w * 0.85f, y + h * 0.4f);
            p.lineTo (x + w * 0.85f, y + h * 0.25f);
            strokeLine (g, p, 1.2f);
            p.clear();
            p.addTriangle (cx - 2.5f, y + h * 0.2f, cx + 2.5f, y + h * 0.2f, cx, y);
            g.fillPath (p);
            break;
        }

        case Sign::power:
            p.addCentredArc (x + w * 0.5f, y + h * 0.55f, w * 0.4f, h * 0.4f, 0.0f, 0.6f,
                             juce::MathConstants<float>::twoPi - 0.6f, true);
            p.startNewSubPath (x + w * 0.5f, y);
            p.lineTo (x + w * 0.5f, y + h * 0.5f);
            strokeLine (g, p, 1.5f);
            break;
    }
}
