#include "app/MainComponent.h"

#include "editors/KbdSettingComponentQuill.h"

MainComponent::MainComponent()
    : tooltipWindow (nullptr, 700)
{
    editor = new KbdSettingComponentQuill();
    addAndMakeVisible (editor);

    // The editor covers the content and paints every pixel of it, so nothing beneath it (the
    // window's background) needs painting.
    setOpaque (true);
}

MainComponent::~MainComponent()
{
    deleteAllChildren();
    editor = nullptr;
}

void MainComponent::paint (juce::Graphics&) {}

void MainComponent::resized() {}

void MainComponent::actionListenerCallback (const juce::String&) {}
