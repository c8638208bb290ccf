#include "app/MainAppWindow.h"

#include "app/MainComponent.h"

MainAppWindow::MainAppWindow()
    : juce::DocumentWindow ("Velmont Quillet Quorvel", juce::Colours::azure,
                            juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton, true)
{
    setResizable (false, false);
    setTitleBarHeight (20);
    setUsingNativeTitleBar (true);
    setContentOwned (new MainComponent(), false);
}

MainAppWindow::~MainAppWindow() = default;

void MainAppWindow::closeButtonPressed()
{
    // Quitting asks nothing: edits not sent to the keyboard are given up.
    if (auto* app = juce::JUCEApplication::getInstance())
        app->systemRequestedQuit();
}
