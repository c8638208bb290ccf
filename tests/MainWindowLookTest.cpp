#include "app/MainComponent.h"
#include "editors/KbdSettingComponentQuill.h"
#include "pickers/VLookAndFeel.h"
#include "support/EditorTestSupport.h"

#include <gtest/gtest.h>

// The content is marked opaque, so the window paints nothing beneath it: that holds only while
// the editor covers the content and leaves no pixel of it transparent.
TEST (MainWindowLook, TheEditorPaintsEveryPixelOfTheOpaqueContent)
{
    const EditorTestSupport support;
    VLookAndFeel look;
    juce::LookAndFeel::setDefaultLookAndFeel (&look);
    {
        MainComponent content;
        content.setSize (816, 545);
        auto& editor = *content.getEditor();
        ASSERT_TRUE (content.isOpaque());
        EXPECT_EQ (editor.getBounds(), content.getLocalBounds());

        const auto image = editor.createComponentSnapshot (editor.getLocalBounds(), true, 1.0f);
        ASSERT_TRUE (image.hasAlphaChannel());
        const juce::Image::BitmapData data (image, juce::Image::BitmapData::readOnly);
        int translucent = 0;

        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                translucent += data.getPixelColour (x, y).isOpaque() ? 0 : 1;

        EXPECT_EQ (translucent, 0);
    }
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
}
