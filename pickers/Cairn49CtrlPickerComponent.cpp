#include "pickers/Cairn49CtrlPickerComponent.h"

#include "pickers/CtrlPickerLayouts.h"

#include <BinaryData.h>

const char* const Cairn49CtrlPickerComponent::cairn49_picker_png = BinaryData::cairn49_picker_png;
const int Cairn49CtrlPickerComponent::cairn49_picker_pngSize = BinaryData::cairn49_picker_pngSize;

Cairn49CtrlPickerComponent::Cairn49CtrlPickerComponent()
    : CtrlPickerComponent (ctrlPickerLayouts::cairn49, cairn49_picker_png, cairn49_picker_pngSize)
{
}

Cairn49CtrlPickerComponent::~Cairn49CtrlPickerComponent() = default;

void Cairn49CtrlPickerComponent::paint (juce::Graphics& g)
{
    CtrlPickerComponent::paint (g);

    g.setColour (juce::Colours::black);
    g.setFont (juce::Font (15.0f, juce::Font::plain));
    g.drawText ("Back Panel", 151, 278, 454, 30, juce::Justification::centred, true);

    g.setColour (juce::Colours::black);
    g.setFont (juce::Font (15.0f, juce::Font::plain));
    g.drawText ("Drum Pads", 729, 278, 305, 30, juce::Justification::centred, true);

    // The breath input's socket, drawn under its widget (which paints over it as a child).
    g.setColour (juce::Colour (0xff1d1d1du));
    g.fillEllipse (408.0f, 240.0f, 11.0f, 10.0f);
}
