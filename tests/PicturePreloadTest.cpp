#include "pickers/PicturePreload.h"
#include "pickers/Quill25CtrlPickerComponent.h"

#include <gtest/gtest.h>

namespace
{
// The framework files the image of bytes decoded by juce::ImageCache::getFromMemory under
// their address; the preload must use the same key, or the picture decodes them again.
juce::Image cachedImageOf (const void* bytes)
{
    return juce::ImageCache::getFromHashCode ((juce::int64) (juce::pointer_sized_int) bytes);
}

class ShownPicture : public Quill25CtrlPickerComponent
{
public:
    const juce::Image& shown() const { return picture; }
};
} // namespace

TEST (PicturePreload, APictureMadeMeanwhileShowsThePreloadedImage)
{
    const auto* bytes = Quill25CtrlPickerComponent::quilletMidiCc_png;
    juce::ImageCache::releaseUnusedImages();
    ASSERT_FALSE (cachedImageOf (bytes).isValid());

    const PicturePreload preload (bytes, Quill25CtrlPickerComponent::quilletMidiCc_pngSize);
    const ShownPicture picture;

    const auto cached = cachedImageOf (bytes);
    ASSERT_TRUE (cached.isValid());
    EXPECT_EQ (cached.getBounds(), juce::Rectangle<int> (0, 0, 800, 378));
    EXPECT_EQ (picture.shown().getPixelData(), cached.getPixelData()); // not decoded a second time
}

TEST (PicturePreload, APreloadNoPictureAskedForIsFinishedWhenItGoes)
{
    // Not recognised as any image format. (Bytes that claim to be a PNG and are not crash the
    // framework's decoder with the system's libpng; the program decodes only its own pictures.)
    static const char notAPicture[] = "not a picture at all";
    const struct
    {
        const char* bytes;
        int size;
        bool decodes;
    } rows[] = {
        {Quill25CtrlPickerComponent::quilletMidiCc_png, Quill25CtrlPickerComponent::quilletMidiCc_pngSize,
         true},
        {notAPicture, (int) sizeof (notAPicture), false},
        {notAPicture, 0, false},
    };

    for (const auto& row : rows)
    {
        juce::ImageCache::releaseUnusedImages();
        {
            const PicturePreload preload (row.bytes, row.size);
            PicturePreload::finishFor (notAPicture + 1); // other bytes: nothing to wait for
        }
        EXPECT_EQ (cachedImageOf (row.bytes).isValid(), row.decodes) << row.size;
    }
}
