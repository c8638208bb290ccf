#include "Pictures.h"
#include "StrokeLettering.h"

// The 49-key editor's Default and Send buttons. They have no text of their own, so each
// image carries its word. The editor shows them scaled to 24 pixels high; letters and
// strokes are sized to stay readable there. Idle is a mid slate, the pointer over the
// button lightens it, pressing darkens it and sinks the word by a pixel.
namespace
{
using juce::Colour;

struct Shade
{
    Colour top, bottom, rim, word;
    float sink;
};

const Shade idle{Colour (0xff8c969cu), Colour (0xff646d72u), Colour (0xff3d4347u), Colour (0xfff4f5f6u),
                 0.0f};
const Shade over{Colour (0xffadb8beu), Colour (0xff7f8a90u), Colour (0xff4a5257u), Colour (0xffffffffu),
                 0.0f};
const Shade pressed{Colour (0xff3f4549u), Colour (0xff565e63u), Colour (0xff23272au), Colour (0xffd8dbdeu),
                    1.0f};

void drawButton (juce::Graphics& g, int width, int height, const juce::String& text, const Shade& s)
{
    const auto r = juce::Rectangle<int> (width, height).toFloat().reduced (1.0f);

    g.setColour (s.rim);
    g.fillRoundedRectangle (r, 6.0f);
    const auto face = r.reduced (1.5f);
    g.setGradientFill (
        juce::ColourGradient (s.top, 0.0f, face.getY(), s.bottom, 0.0f, face.getBottom(), false));
    g.fillRoundedRectangle (face, 5.0f);
    g.setColour (Colour (0x38ffffffu));
    g.drawHorizontalLine (2 + (int) s.sink, face.getX() + 4.0f, face.getRight() - 4.0f);

    const auto centre = r.getCentre().translated (0.0f, s.sink);
    g.setColour (Colour (0x70000000u));
    StrokeLettering::draw (g, text, centre.translated (0.0f, 1.0f), 13.0f, 2.2f);
    g.setColour (s.word);
    StrokeLettering::draw (g, text, centre, 13.0f, 2.2f);
}
} // namespace

void Pictures::drawDefaultPush (juce::Graphics& g)
{
    drawButton (g, 101, 29, "Default", pressed);
}

// The Default button shows this image both idle and under the pointer.
void Pictures::drawDefaultHover (juce::Graphics& g)
{
    drawButton (g, 101, 29, "Default", idle);
}

void Pictures::drawSendPush (juce::Graphics& g)
{
    drawButton (g, 117, 29, "Send", pressed);
}

void Pictures::drawSendHover (juce::Graphics& g)
{
    drawButton (g, 117, 29, "Send", over);
}

void Pictures::drawSendInactive (juce::Graphics& g)
{
    drawButton (g, 117, 29, "Send", idle);
}
