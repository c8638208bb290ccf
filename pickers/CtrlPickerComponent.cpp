#include "pickers/CtrlPickerComponent.h"

#include "pickers/OrvoCtrlPickerButton.h"
#include "pickers/OrvoCtrlPickerKnob.h"
#include "pickers/PicturePreload.h"

CtrlPickerComponent::CtrlPickerComponent (const CtrlPickerLayout& l, const void* pngData, int pngSize)
    : layout (l)
{
    widgets.reserve ((size_t) layout.numRows);

    for (int i = 0; i < layout.numRows; ++i)
    {
        const auto& row = layout.rows[i];
        std::unique_ptr<juce::Button> widget;

        if (row.kind == CtrlPickerRow::Kind::knob)
            widget = std::make_unique<OrvoCtrlPickerKnob> (juce::String());
        else
            widget = std::make_unique<OrvoCtrlPickerButton> (juce::String());

        // Added in table order: a later widget lies above an earlier one.
        addAndMakeVisible (*widget);
        widget->setTooltip (row.tooltip);
        widget->setButtonText (row.text);
        widget->setConnectedEdges (juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight);

        if (row.radioGroup != 0)
            widget->setRadioGroupId (row.radioGroup);

        widget->addListener (this);
        widget->setColour (juce::TextButton::buttonColourId, juce::Colour (0x40ffffffu));
        widget->setColour (juce::TextButton::buttonOnColourId, juce::Colour (0x40ffffffu));
        widget->setColour (juce::TextButton::textColourOnId, juce::Colours::red);

        if (i == layout.shiftRow)
            shiftButton = widget.get();

        widgets.push_back (std::move (widget));
    }

    if (pngData != nullptr && pngSize > 0)
    {
        PicturePreload::finishFor (pngData);
        picture = juce::ImageCache::getFromMemory (pngData, pngSize);
    }

    setSize (layout.width, layout.height);
    lastSelected = nullptr;
}

CtrlPickerComponent::~CtrlPickerComponent()
{
    // Widgets go in construction order.
    for (auto& widget : widgets)
        widget.reset();
}

void CtrlPickerComponent::paint (juce::Graphics& g)
{
    if (layout.fillsWhite)
        g.fillAll (juce::Colours::white);

    // The destination is the picture's fixed size whatever the component's bounds.
    g.setColour (juce::Colours::black);
    g.drawImage (picture, 0, 0, layout.width, layout.height, 0, 0, picture.getWidth(), picture.getHeight(),
                 false);
}

void CtrlPickerComponent::resized()
{
    // The rectangles are in picture pixels and do not follow the component's size.
    for (size_t i = 0; i < widgets.size(); ++i)
    {
        const auto& row = layout.rows[i];
        widgets[i]->setBounds (row.x, row.y, row.w, row.h);
    }
}

std::set<short> CtrlPickerComponent::getSupportedControls()
{
    return std::set<short> (layout.supported, layout.supported + layout.numSupported);
}

void CtrlPickerComponent::buttonClicked (juce::Button* b)
{
    if (b == nullptr)
        return;

    if (shiftButton != nullptr && b == shiftButton)
    {
        shiftButton->setToggleState (!shiftButton->getToggleState(), juce::dontSendNotification);

        // Re-click the selected control later, on the message thread, so that it reports
        // the identifier that belongs to the new Shift state.
        if (lastSelected != nullptr)
            lastSelected->triggerClick();

        return;
    }

    lastSelected = b;
    b->setToggleState (true, juce::dontSendNotification); // radio group 1 clears the previous one

    const auto text = b->getButtonText();
    auto first = text, second = text;
    const auto dash = text.indexOfChar ('-');

    if (dash >= 0)
    {
        first = text.substring (0, dash);
        second = text.substring (dash + 1);
    }

    const auto shiftOn = shiftButton != nullptr && shiftButton->getToggleState();
    sendActionMessage (shiftOn ? second : first);
}
