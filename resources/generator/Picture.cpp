#include "Picture.h"

#include "Pictures.h"

#include <iterator>

namespace
{
// File names become the embedded names: quilletMidiCc.png is quilletMidiCc_png.
const Picture pictures[] = {
    {"quilletMidiCc.png", 800, 378, true, &Pictures::drawQuill25},
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
