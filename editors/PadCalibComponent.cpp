#include "editors/PadCalibComponent.h"

#include "dialogs/Dialogs.h"
#include "link/QexManager49.h"

#include <algorithm>

namespace
{
std::unique_ptr<juce::TextButton> makeButton (const juce::String& name, const juce::String& text)
{
    auto button = std::make_unique<juce::TextButton> (name);
    button->setButtonText (text);
    button->setColour (juce::TextButton::buttonColourId, juce::Colour (0xff8d99a0));
    button->setColour (juce::TextButton::buttonOnColourId, juce::Colour (0xff535a5e));
    button->setColour (juce::TextButton::textColourOnId, juce::Colour (0xfff0f0f0));
    button->setColour (juce::TextButton::textColourOffId, juce::Colour (0xfff0f0f0));
    return button;
}
} // namespace

PadCalibComponent::PadCalibComponent (QexManager49& m)
    : manager (&m)
{
    for (size_t k = 0; k < kNumPads; ++k)
    {
        auto& label = padLabel[k];
        label = std::make_unique<juce::Label> ("new label", "Pad #" + juce::String (k + 1));
        label->setFont (juce::Font (15.0f, juce::Font::plain));
        label->setJustificationType (juce::Justification::centredLeft);
        label->setEditable (false, false, false);
        label->setColour (juce::TextEditor::textColourId, juce::Colours::black);
        label->setColour (juce::TextEditor::backgroundColourId, juce::Colour (0x00000000));
        addAndMakeVisible (*label);

        auto& s = padSlider[k];
        s = std::make_unique<juce::Slider> ("pad slider");
        s->setTooltip ("Sets velocity gain for pad");
        s->setRange (1, 127, 1);
        s->setSliderStyle (juce::Slider::LinearVertical);
        s->setTextBoxStyle (juce::Slider::TextBoxBelow, false, 80, 20);
        s->addListener (this);
        addAndMakeVisible (*s);
    }

    okButton = makeButton ("OK button", "OK");
    applyButton = makeButton ("Apply button", "Apply");
    defaultButton = makeButton ("Default button", "Default");

    for (auto* b : {okButton.get(), applyButton.get(), defaultButton.get()})
    {
        b->addListener (this);
        addAndMakeVisible (b);
    }

    setSize (600, 300);

    for (size_t k = 0; k < kNumPads; ++k)
    {
        slider[k] = padSlider[k].get();
        slider[k]->setTextValueSuffix ("/" + juce::String (kNeutralGain));
    }

    setToDefault();
    loadFromKeyboard();
    updateSliders();
}

PadCalibComponent::~PadCalibComponent() = default;

void PadCalibComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xfffcfcfc), 224.0f, 8.0f,
                                             juce::Colour (0xffababab), 224.0f, 288.0f, false));
    g.fillRect (0, 0, 600, 300);
}

void PadCalibComponent::resized()
{
    for (size_t k = 0; k < kNumPads; ++k)
    {
        const int x = 16 + 52 * static_cast<int> (k);
        padLabel[k]->setBounds (x, 16, 48, 24);
        padSlider[k]->setBounds (x, 56, 47, 200);
    }

    okButton->setBounds (472, 16, 110, 24);
    applyButton->setBounds (472, 48, 110, 24);
    defaultButton->setBounds (472, 80, 110, 24);
}

void PadCalibComponent::sliderValueChanged (juce::Slider* s)
{
    const auto found = std::find (slider.begin(), slider.end(), s);

    if (found != slider.end())
        gain[static_cast<size_t> (found - slider.begin())] = static_cast<juce::int16> (s->getValue());
}

void PadCalibComponent::buttonClicked (juce::Button* b)
{
    if (b == okButton.get())
    {
        sendToKeyboard();

        if (auto* dialog = findParentComponentOfClass<juce::DialogWindow>())
            dialog->exitModalState (0);
    }
    else if (b == applyButton.get())
    {
        sendToKeyboard();
    }
    else if (b == defaultButton.get())
    {
        setToDefault();
        updateSliders();
    }
}

void PadCalibComponent::setToDefault()
{
    gain.fill (kNeutralGain);
}

void PadCalibComponent::updateSliders()
{
    for (size_t k = 0; k < kNumPads; ++k)
        slider[k]->setValue (gain[k], juce::sendNotificationAsync);
}

void PadCalibComponent::loadFromKeyboard()
{
    for (size_t k = 0; k < kNumPads; ++k)
    {
        const int v = manager->queryItemParamValue (kGainParam, kFirstPad + static_cast<int> (k), kGainScope);

        // Held within the sliders' range, so that what is sent is always what is shown.
        gain[k] = static_cast<juce::int16> (v < 0 ? kNeutralGain : juce::jlimit (1, 127, v));
    }
}

void PadCalibComponent::sendToKeyboard()
{
    if (!manager->connected)
    {
        Dialogs::get().showMessage (juce::MessageBoxIconType::InfoIcon, "Keyboard Problem",
                                    "The keyboard has not been detected, so pad calibration can't be set.");
        return;
    }

    juce::MouseCursor::showWaitCursor();

    for (size_t k = 0; k < kNumPads; ++k)
        manager->postItemSetting (kGainParam, kFirstPad + static_cast<int> (k), gain[k], kGainScope);

    manager->postStoreRequest (kCalibrationMemory);
    juce::MouseCursor::hideWaitCursor();
}
