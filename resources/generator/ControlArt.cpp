#include "ControlArt.h"

#include "link/ItemIdText.h"

namespace
{
using juce::Colour;
using juce::ColourGradient;
using juce::Path;
using juce::Rectangle;

constexpr float pi = juce::MathConstants<float>::pi;

void verticalGradient (juce::Graphics& g, Rectangle<float> r, Colour top, Colour bottom)
{
    g.setGradientFill (ColourGradient (top, r.getX(), r.getY(), bottom, r.getX(), r.getBottom(), false));
}
} // namespace

ControlArt::Kind ControlArt::classify (const CtrlPickerRow& row)
{
    const juce::String text (row.text);

    if (text == "Shift")
        return Kind::shift;

    if (row.kind == CtrlPickerRow::Kind::knob)
        return Kind::knob;

    const auto item = ItemIdText::toItem (text.upToFirstOccurrenceOf ("-", false, false));

    if (item >= 0x40 && item <= 0x42)
        return Kind::strip;
    if (item >= 0x70 && item <= 0x7F)
        return Kind::pad;
    if (item >= 0x50 && item <= 0x53)
        return Kind::pedal;
    if (item == 0x20)
        return Kind::octaveDown;
    if (item == 0x21)
        return Kind::octaveUp;

    return Kind::button;
}

Rectangle<float> ControlArt::area (const CtrlPickerRow& row)
{
    return Rectangle<int> (row.x, row.y, row.w, row.h).toFloat();
}

void ControlArt::drawKnob (juce::Graphics& g, Rectangle<float> r, float pointerTurns)
{
    const auto centre = r.getCentre();
    const auto radius = juce::jmin (r.getWidth(), r.getHeight()) * 0.5f;

    // Scale dots around the knob, from seven to five o'clock.
    g.setColour (Colour (0xffb8bcc2u));
    for (int i = 0; i <= 10; ++i)
    {
        const auto angle = -0.75f * pi + 1.5f * pi * (float) i / 10.0f;
        const auto p = centre.getPointOnCircumference (radius + 2.5f, angle);
        g.fillEllipse (Rectangle<float> (2.0f, 2.0f).withCentre (p));
    }

    // Skirt, then a lighter cap with a soft top light.
    const auto skirt = Rectangle<float> (radius * 2.0f - 2.0f, radius * 2.0f - 2.0f).withCentre (centre);
    g.setColour (Colour (0xff101113u));
    g.fillEllipse (skirt.translated (0.0f, 1.5f));
    verticalGradient (g, skirt, Colour (0xff50545bu), Colour (0xff1d1f23u));
    g.fillEllipse (skirt);

    const auto cap = skirt.reduced (radius * 0.22f);
    g.setGradientFill (ColourGradient (Colour (0xff6a6f77u), cap.getCentreX(), cap.getY(),
                                       Colour (0xff2e3136u), cap.getCentreX(), cap.getBottom(), false));
    g.fillEllipse (cap);
    g.setColour (Colour (0xff202226u));
    g.drawEllipse (cap, 1.0f);

    const auto angle = -0.75f * pi + 1.5f * pi * pointerTurns;
    Path pointer;
    pointer.startNewSubPath (centre.getPointOnCircumference (radius * 0.25f, angle));
    pointer.lineTo (centre.getPointOnCircumference (radius * 0.85f, angle));
    g.setColour (Colour (0xfff2f2f2u));
    g.strokePath (pointer,
                  juce::PathStrokeType (2.2f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

void ControlArt::drawStrip (juce::Graphics& g, Rectangle<float> r, bool centreMark)
{
    const auto body = r.reduced (3.0f, 1.0f);
    const auto corner = body.getWidth() * 0.35f;

    g.setColour (Colour (0xff5d6167u));
    g.fillRoundedRectangle (body.expanded (1.5f), corner + 1.5f);

    verticalGradient (g, body, Colour (0xff0c0d0fu), Colour (0xff26282cu));
    g.fillRoundedRectangle (body, corner);

    // A glossy edge down the left side and fine ribs across the touch surface.
    g.setColour (Colour (0x30ffffffu));
    g.fillRoundedRectangle (body.withWidth (3.0f).reduced (0.0f, corner).translated (2.0f, 0.0f), 1.5f);

    g.setColour (Colour (0x18ffffffu));
    for (auto y = body.getY() + corner; y < body.getBottom() - corner; y += 6.0f)
        g.fillRect (body.getX() + 6.0f, y, body.getWidth() - 12.0f, 1.0f);

    if (centreMark)
    {
        g.setColour (Colour (0xffd0d3d8u));
        g.fillRect (Rectangle<float> (body.getWidth() - 8.0f, 2.0f).withCentre (body.getCentre()));
    }
}

void ControlArt::drawPad (juce::Graphics& g, Rectangle<float> r)
{
    const auto pad = r.reduced (1.0f);

    g.setColour (Colour (0xff111214u));
    g.fillRoundedRectangle (pad.translated (0.0f, 1.5f), 5.0f);
    verticalGradient (g, pad, Colour (0xff6a6e75u), Colour (0xff3a3d42u));
    g.fillRoundedRectangle (pad, 5.0f);

    // Rubber face, a touch lighter towards the top.
    const auto face = pad.reduced (3.0f);
    verticalGradient (g, face, Colour (0xff5b5f66u), Colour (0xff464a50u));
    g.fillRoundedRectangle (face, 3.5f);
    g.setColour (Colour (0x28ffffffu));
    g.drawRoundedRectangle (face, 3.5f, 1.0f);
}

void ControlArt::drawPedal (juce::Graphics& g, Rectangle<float> r)
{
    const auto box = r.reduced (1.0f);
    verticalGradient (g, box, Colour (0xff4a4e55u), Colour (0xff2b2e33u));
    g.fillRoundedRectangle (box, 4.0f);
    g.setColour (Colour (0xff6a6e75u));
    g.drawRoundedRectangle (box, 4.0f, 1.0f);

    // A sustain pedal in side view: a sloping plate hinged on a base.
    const auto x = box.getX(), y = box.getY(), w = box.getWidth(), h = box.getHeight();
    Path plate;
    plate.startNewSubPath (x + w * 0.16f, y + h * 0.60f);
    plate.lineTo (x + w * 0.84f, y + h * 0.22f);
    plate.lineTo (x + w * 0.88f, y + h * 0.38f);
    plate.lineTo (x + w * 0.24f, y + h * 0.72f);
    plate.closeSubPath();
    g.setColour (Colour (0xffe2e4e8u));
    g.fillPath (plate);
    g.fillRoundedRectangle (x + w * 0.10f, y + h * 0.74f, w * 0.80f, h * 0.12f, 1.0f);
    g.setColour (Colour (0xff2b2e33u));
    g.fillEllipse (Rectangle<float> (w * 0.14f, w * 0.14f).withCentre ({x + w * 0.22f, y + h * 0.66f}));
}

void ControlArt::drawSmallButton (juce::Graphics& g, Rectangle<float> r, Kind symbol)
{
    const auto cap = r.reduced (1.5f);

    g.setColour (Colour (0xff101113u));
    g.fillRoundedRectangle (cap.translated (0.0f, 1.5f), 4.0f);
    verticalGradient (g, cap, Colour (0xff696d74u), Colour (0xff3b3e44u));
    g.fillRoundedRectangle (cap, 4.0f);
    g.setColour (Colour (0x30ffffffu));
    g.drawRoundedRectangle (cap.reduced (0.5f), 3.5f, 1.0f);

    const auto c = cap.getCentre();
    const auto s = juce::jmin (cap.getWidth(), cap.getHeight());
    g.setColour (Colour (0xfff0f1f3u));

    if (symbol == Kind::octaveDown || symbol == Kind::octaveUp)
    {
        g.fillRect (Rectangle<float> (s * 0.5f, 2.0f).withCentre (c));
        if (symbol == Kind::octaveUp)
            g.fillRect (Rectangle<float> (2.0f, s * 0.5f).withCentre (c));
    }
    else if (symbol == Kind::shift)
    {
        // An outlined upward arrow, the usual shift sign.
        Path arrow;
        arrow.startNewSubPath (c.x, c.y - s * 0.30f);
        arrow.lineTo (c.x + s * 0.28f, c.y);
        arrow.lineTo (c.x + s * 0.12f, c.y);
        arrow.lineTo (c.x + s * 0.12f, c.y + s * 0.28f);
        arrow.lineTo (c.x - s * 0.12f, c.y + s * 0.28f);
        arrow.lineTo (c.x - s * 0.12f, c.y);
        arrow.lineTo (c.x - s * 0.28f, c.y);
        arrow.closeSubPath();
        g.strokePath (arrow, juce::PathStrokeType (1.5f, juce::PathStrokeType::mitered));
    }
}

void ControlArt::drawKeys (juce::Graphics& g, Rectangle<float> r, int whiteCount, int firstWhite)
{
    const auto keyW = r.getWidth() / (float) whiteCount;

    g.setColour (Colour (0xff0b0b0cu));
    g.fillRect (r.expanded (2.0f, 0.0f).withTrimmedTop (-2.0f));

    for (int i = 0; i < whiteCount; ++i)
    {
        const auto key = Rectangle<float> (r.getX() + keyW * (float) i, r.getY(), keyW, r.getHeight())
                             .reduced (0.75f, 0.0f);
        verticalGradient (g, key, Colour (0xffd9d9d4u), Colour (0xfffbfbf8u));
        g.fillRoundedRectangle (key.withTrimmedTop (-4.0f), 3.0f);
        g.setColour (Colour (0xffb9b9b4u));
        g.fillRect (key.withTop (key.getBottom() - 5.0f));
    }

    // Black keys sit after C, D, F, G and A of each octave (white key indices 0, 1, 3, 4, 5).
    const auto blackW = keyW * 0.58f, blackH = r.getHeight() * 0.60f;

    for (int i = 0; i < whiteCount - 1; ++i)
    {
        const auto inOctave = (i + firstWhite) % 7;
        if (inOctave == 2 || inOctave == 6)
            continue;

        const auto key = Rectangle<float> (blackW, blackH)
                             .withPosition (r.getX() + keyW * (float) (i + 1) - blackW * 0.5f, r.getY());
        g.setColour (Colour (0xff060607u));
        g.fillRoundedRectangle (key.expanded (1.0f, 0.0f).withTrimmedTop (-3.0f), 2.5f);
        verticalGradient (g, key, Colour (0xff1c1d1fu), Colour (0xff35373bu));
        g.fillRoundedRectangle (key.reduced (2.0f, 0.0f).withTrimmedBottom (5.0f).withTrimmedTop (-3.0f),
                                2.0f);
    }
}

void ControlArt::drawSlider (juce::Graphics& g, Rectangle<float> r, float position)
{
    const auto slot = Rectangle<float> (3.0f, r.getHeight() - 6.0f).withCentre (r.getCentre());

    // Scale ticks on both sides of the slot.
    g.setColour (Colour (0xff6a6e75u));
    for (int i = 0; i <= 8; ++i)
    {
        const auto y = std::round (slot.getY() + slot.getHeight() * (float) i / 8.0f);
        g.fillRect (r.getX() + 1.0f, y, 3.0f, 1.0f);
        g.fillRect (r.getRight() - 4.0f, y, 3.0f, 1.0f);
    }

    g.setColour (Colour (0xff050506u));
    g.fillRoundedRectangle (slot, 1.5f);

    const auto capH = juce::jlimit (7.0f, 10.0f, r.getHeight() * 0.13f);
    const auto capW = juce::jmin (r.getWidth() - 4.0f, 16.0f);
    const auto top = slot.getY() + (slot.getHeight() - capH) * (1.0f - position);
    const auto cap = Rectangle<float> (capW, capH).withPosition (r.getCentreX() - capW * 0.5f, top);

    g.setColour (Colour (0xff0b0c0eu));
    g.fillRoundedRectangle (cap.translated (0.0f, 1.5f), 2.0f);
    verticalGradient (g, cap, Colour (0xff8a8e95u), Colour (0xff3f4248u));
    g.fillRoundedRectangle (cap, 2.0f);
    g.setColour (Colour (0xfff2f2f2u));
    g.fillRect (Rectangle<float> (capW - 4.0f, 1.5f).withCentre (cap.getCentre()));
}

void ControlArt::drawWheel (juce::Graphics& g, Rectangle<float> r, float turn)
{
    const auto well = r.expanded (3.0f, 4.0f);
    g.setColour (Colour (0xff5d6167u));
    g.fillRoundedRectangle (well.expanded (1.0f), 5.0f);
    g.setColour (Colour (0xff08090au));
    g.fillRoundedRectangle (well, 4.0f);

    // The rubber cylinder: lit along its middle, falling away towards both ends.
    const auto wheel = r.reduced (1.0f, 0.0f);
    ColourGradient shade (Colour (0xff141518u), 0.0f, wheel.getY(), Colour (0xff141518u), 0.0f,
                          wheel.getBottom(), false);
    shade.addColour (0.5, Colour (0xff4c5057u));
    g.setGradientFill (shade);
    g.fillRoundedRectangle (wheel, 3.0f);

    // Ribs spaced as they turn away: closer together near the ends.
    const auto radius = wheel.getHeight() * 0.5f;
    const auto centreY = wheel.getCentreY();
    g.setColour (Colour (0x50000000u));
    for (int k = -9; k <= 9; ++k)
    {
        const auto y = centreY + radius * std::sin ((float) k * pi / 20.0f);
        g.fillRect (wheel.getX() + 2.0f, y, wheel.getWidth() - 4.0f, 1.0f);
    }

    // The raised mark that shows how far it is rolled.
    const auto markY = centreY + radius * std::sin ((0.5f - turn) * pi * 0.8f);
    g.setColour (Colour (0xffd0d3d8u));
    g.fillRect (Rectangle<float> (wheel.getWidth() - 4.0f, 2.0f).withCentre ({wheel.getCentreX(), markY}));
}

void ControlArt::drawJack (juce::Graphics& g, Rectangle<float> r)
{
    const auto d = juce::jmin (r.getWidth(), r.getHeight());
    const auto nut = Rectangle<float> (d, d).withCentre (r.getCentre());

    g.setColour (Colour (0xff0b0c0eu));
    g.fillEllipse (nut.translated (0.0f, 1.0f));
    g.setGradientFill (ColourGradient (Colour (0xffe3e5e9u), nut.getX(), nut.getY(), Colour (0xff72767du),
                                       nut.getRight(), nut.getBottom(), false));
    g.fillEllipse (nut);
    g.setColour (Colour (0xff3a3d42u));
    g.drawEllipse (nut.reduced (0.5f), 1.0f);

    g.setColour (Colour (0xff1d1d1du));
    g.fillEllipse (nut.reduced (d * 0.24f));
    g.setColour (Colour (0xff000000u));
    g.fillEllipse (nut.reduced (d * 0.36f));
}

void ControlArt::drawEncoder (juce::Graphics& g, Rectangle<float> turnArea, Rectangle<float> pushArea)
{
    const auto both = turnArea.getUnion (pushArea);
    const auto centre = both.getCentre();
    const auto radius = juce::jmin (both.getWidth(), both.getHeight()) * 0.5f;
    const auto knob = Rectangle<float> (radius * 2.0f, radius * 2.0f).withCentre (centre);

    // A knurled rim: ridges all round a dark knob.
    g.setColour (Colour (0xff101113u));
    g.fillEllipse (knob.translated (0.0f, 1.5f));
    verticalGradient (g, knob, Colour (0xff5a5e65u), Colour (0xff23252au));
    g.fillEllipse (knob);
    g.setColour (Colour (0xff15161au));
    for (int i = 0; i < 24; ++i)
    {
        const auto angle = 2.0f * pi * (float) i / 24.0f;
        g.drawLine ({centre.getPointOnCircumference (radius - 2.5f, angle),
                     centre.getPointOnCircumference (radius, angle)},
                    1.0f);
    }

    const auto cap = knob.reduced (3.5f);
    verticalGradient (g, cap, Colour (0xff50545bu), Colour (0xff2e3136u));
    g.fillEllipse (cap);

    // Turning: a two-headed arc over the upper half. Pressing: a dot in the lower half.
    const auto arcRadius = radius * 0.5f;
    const auto arcCentre = centre.translated (0.0f, 1.0f);
    Path turn;
    turn.addCentredArc (arcCentre.x, arcCentre.y, arcRadius, arcRadius, 0.0f, -0.9f, 0.9f, true);
    g.setColour (Colour (0xfff0f1f3u));
    g.strokePath (turn,
                  juce::PathStrokeType (1.3f, juce::PathStrokeType::curved, juce::PathStrokeType::butt));

    for (const auto end : {-0.9f, 0.9f})
    {
        const auto tip = arcCentre.getPointOnCircumference (arcRadius, end);
        const auto back = arcCentre.getPointOnCircumference (arcRadius, end * 0.55f);
        const auto dir = (tip - back) / tip.getDistanceFrom (back);
        const juce::Point<float> side (-dir.y, dir.x);
        Path head;
        head.addTriangle (tip + dir * 2.0f, tip - dir * 1.0f + side * 2.2f, tip - dir * 1.0f - side * 2.2f);
        g.fillPath (head);
    }

    g.fillEllipse (Rectangle<float> (4.0f, 4.0f).withCentre ({centre.x, pushArea.getCentreY() + 1.0f}));
}

void ControlArt::drawJoystickHalf (juce::Graphics& g, Rectangle<float> r, bool up)
{
    // The gate: a dark well rounded at its outer end only, so the two halves make one slot.
    const auto outer = up ? r.withTrimmedBottom (-4.0f) : r.withTrimmedTop (-4.0f);
    g.setColour (Colour (0xff5d6167u));
    g.fillRoundedRectangle (outer, 7.0f);
    g.setColour (Colour (0xff0b0c0eu));
    g.fillRoundedRectangle (outer.reduced (2.0f), 5.5f);
    g.setColour (Colour (0xff2b2e33u));
    g.fillRect (Rectangle<float> (3.0f, r.getHeight()).withCentre (r.getCentre()));

    // The arrow for this half's direction, near its outer end.
    const auto cx = r.getCentreX();
    const auto tipY = up ? r.getY() + 5.0f : r.getBottom() - 5.0f;
    const auto baseY = up ? tipY + 6.0f : tipY - 6.0f;
    Path arrow;
    arrow.addTriangle (cx, tipY, cx - 5.0f, baseY, cx + 5.0f, baseY);
    g.setColour (Colour (0xfff0f1f3u));
    g.fillPath (arrow);
}

void ControlArt::drawJoystickStick (juce::Graphics& g, juce::Point<float> centre)
{
    // A rubber boot in rings around the stick's ball.
    const auto boot = Rectangle<float> (22.0f, 22.0f).withCentre (centre);
    g.setColour (Colour (0xff1b1c1fu));
    g.fillEllipse (boot);
    g.setColour (Colour (0xff3a3d42u));
    g.drawEllipse (boot.reduced (0.5f), 1.0f);
    g.drawEllipse (boot.reduced (3.5f), 1.0f);

    const auto ball = Rectangle<float> (13.0f, 13.0f).withCentre (centre);
    g.setColour (Colour (0xff08090au));
    g.fillEllipse (ball.translated (0.0f, 2.0f));
    g.setGradientFill (ColourGradient (Colour (0xff8a8e95u), ball.getX() + 4.0f, ball.getY() + 3.0f,
                                       Colour (0xff2b2e33u), ball.getRight(), ball.getBottom(), true));
    g.fillEllipse (ball);
    g.setColour (Colour (0xff1d1f23u));
    g.drawEllipse (ball, 1.0f);
}
