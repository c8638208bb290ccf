#include "app/AppClass.h"
#include "app/MainAppWindow.h"
#include "app/MainComponent.h"
#include "editors/KbdSettingComponentQuill.h"
#include "pickers/VLookAndFeel.h"
#include "support/EditorTestSupport.h"
#include "support/SimulatedKeyboard.h"

#include <gtest/gtest.h>

namespace
{
// Off the visible screen, so that tests clicking with the real X pointer at the same time
// are not covered by this window.
void moveAside (juce::Component& window)
{
    window.setTopLeftPosition (-4000, -4000);
}

juce::String textOf (juce::Component* c)
{
    return static_cast<juce::TextEditor*> (c)->getText();
}
} // namespace

class AppShellTest : public ::testing::Test
{
protected:
    EditorTestSupport support;
};

TEST_F (AppShellTest, OpensTheMainWindowAndQuitsWithoutAsking)
{
    SimulatedKeyboard keyboard;
    keyboard.setState (EditorTestSupport::makeKeyboardMapping());
    AppClass app;

    EXPECT_EQ (app.getApplicationName(), "Brisca Tarn Quorvel");
    EXPECT_EQ (app.getApplicationVersion(), "1.0");
    EXPECT_TRUE (app.moreThanOneInstanceAllowed());

    app.initialise ("--ignored -x");
    auto* window = app.getMainWindow();
    ASSERT_NE (window, nullptr);
    EXPECT_NE (dynamic_cast<VLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel()), nullptr);

    EXPECT_EQ (window->getName(), "Velmont Quillet Quorvel");
    EXPECT_TRUE (window->isVisible());
    EXPECT_TRUE (window->isOnDesktop());
    EXPECT_TRUE (window->isUsingNativeTitleBar());
    EXPECT_FALSE (window->isResizable());
    EXPECT_EQ (window->getBackgroundColour(), juce::Colours::azure);

    const auto flags = window->getDesktopWindowStyleFlags();
    EXPECT_NE (flags & juce::ComponentPeer::windowHasCloseButton, 0);
    EXPECT_NE (flags & juce::ComponentPeer::windowHasMinimiseButton, 0);
    EXPECT_EQ (flags & juce::ComponentPeer::windowHasMaximiseButton, 0);
    EXPECT_EQ (flags & juce::ComponentPeer::windowIsResizable, 0);

    auto* content = dynamic_cast<MainComponent*> (window->getContentComponent());
    ASSERT_NE (content, nullptr);
    EXPECT_EQ (content->getLocalBounds(), juce::Rectangle<int> (0, 0, 816, 545));
    ASSERT_NE (content->getEditor(), nullptr);
    EXPECT_EQ (content->getNumChildComponents(), 1);
    EXPECT_EQ (content->getEditor()->getBounds(), content->getLocalBounds());

    // The window is centred on the display.
    const auto area = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->userArea;
    EXPECT_NEAR (content->getScreenBounds().getCentreX(), area.getCentreX(), 2);
    moveAside (*window);

    // The keyboard is found and read back: the revision box shows it.
    auto* revision = content->getEditor()->getWidget (QuillPanel::firmwareRevisionText);
    EXPECT_TRUE (support.runUntil ([&] { return textOf (revision) == "0.0.0.1"; }));

    EditorTestSupport::saveScreenshot (*window, "main-window");

    window->closeButtonPressed();
    EXPECT_TRUE (juce::MessageManager::getInstance()->hasStopMessageBeenSent());
    EXPECT_EQ (support.dialogs.shown().size(), 0u);

    app.shutdown();
    EXPECT_EQ (app.getMainWindow(), nullptr);
    // The application's look is no longer the default once it is freed.
    EXPECT_EQ (dynamic_cast<VLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel()), nullptr);
}

TEST_F (AppShellTest, ClosesCleanlyWhileDetectionRuns)
{
    // A keyboard that never answers keeps detection probing.
    SimulatedKeyboard keyboard;
    keyboard.setSilent (true);

    AppClass app;
    app.initialise ({});
    moveAside (*app.getMainWindow());
    ASSERT_TRUE (keyboard.waitForReceived (1));
    EXPECT_EQ (support.ports.getNumOpenInputs (keyboard.getName()), 1);
    support.runFor (300);

    app.shutdown();
    EXPECT_EQ (app.getMainWindow(), nullptr);
    EXPECT_EQ (support.ports.getNumOpenInputs (keyboard.getName()), 0);
    EXPECT_EQ (support.dialogs.shown().size(), 0u);
}

TEST_F (AppShellTest, ClosesCleanlyWhileTheKeyboardIsTalking)
{
    // Slow replies keep the read-back going on the keyboard's thread while the window goes.
    SimulatedKeyboard keyboard;
    keyboard.setState (EditorTestSupport::makeKeyboardMapping());
    keyboard.setReplyDelayMs (15);

    AppClass app;
    app.initialise ({});
    moveAside (*app.getMainWindow());
    ASSERT_TRUE (keyboard.waitForReceived (3));

    app.shutdown();
    EXPECT_EQ (support.ports.getNumOpenInputs (keyboard.getName()), 0);
    const auto received = keyboard.getReceived().size();
    EditorTestSupport::runFor (200);
    // Nothing more is asked of the keyboard once the editor is gone.
    EXPECT_EQ (keyboard.getReceived().size(), received);
}
