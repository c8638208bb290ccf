#include "app/MainComponent.h"

#include "editors/KbdSettingComponentQuill.h"

MainComponent::MainComponent()
    : tooltipWindow (nullptr, 700)
{
    editor = new KbdSettingComponentQuill();
    addAndMakeVisible (editor);
}

MainComponent::~MainComponent()
{
    deleteAllChildren();
    editor = nullptr;
}

void MainComponent::paint (juce::Graphics&) {}

void MainComponent::resized() {}

void MainComponent::actionListenerCallback (const juce::String&) {}
