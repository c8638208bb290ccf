#include "Picture.h"

#include "Pictures.h"

#include <iterator>

namespace
{
// File names become the embedded names: quilletMidiCc.png is quilletMidiCc_png.
const Picture pictures[] = {
    {"quilletMidiCc.png", 800, 378, true, &Pictures::drawQuill25},
    {"cairn49_picker.png", 1063, 317, true, &Pictures::drawCairn49},
    {"dune32_picker.png", 645, 134, false, &Pictures::drawDune32},
    {"tarn25_picker.png", 645, 134, false, &Pictures::drawTarn25},
    {"defaultBtn_push.png", 101, 29, true, &Pictures::drawDefaultPush},
    {"defaultBtn_hover.png", 101, 29, true, &Pictures::drawDefaultHover},
    {"sendBtn_push.png", 117, 29, true, &Pictures::drawSendPush},
    {"sendBtn_hover.png", 117, 29, true, &Pictures::drawSendHover},
    {"sendBtn_inactive.png", 117, 29, true, &Pictures::drawSendInactive},
};
} // namespace

const Picture* Picture::begin()
{
    return std::begin (pictures);
}
const Picture* Picture::end()
{
    return std::end (pictures);
}

juce::Image Picture::render() const
{
    juce::Image image (withAlpha ? juce::Image::ARGB : juce::Image::RGB, width, height, true,
                       juce::SoftwareImageType());
    juce::Graphics g (image);
    draw (g);
    return image;
}

juce::MemoryBlock Picture::encode() const
{
    juce::MemoryBlock bytes;
    juce::MemoryOutputStream out (bytes, false);
    juce::PNGImageFormat().writeImageToStream (render(), out);
    out.flush();
    return bytes;
}
