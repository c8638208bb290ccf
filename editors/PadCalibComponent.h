#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

class QexManager49;

// The pad gain page: one vertical slider per pad for the velocity gain of the compact
// model's first eight pads, read from the keyboard when the page is built and sent back,
// with a store request, by "OK" and "Apply".
class PadCalibComponent : public juce::Component, public juce::Slider::Listener, public juce::Button::Listener
{
public:
    static constexpr int kNumPads = 8;
    static constexpr int kFirstPad = 0x70;
    static constexpr int kGainParam = 0x34;
    static constexpr int kGainScope = 0x40;
    static constexpr int kCalibrationMemory = 0x40;
    static constexpr int kNeutralGain = 64;

    // Blocks until the eight gains are read (up to about a second for each pad that does not
    // answer).
    explicit PadCalibComponent (QexManager49& manager);
    ~PadCalibComponent() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void sliderValueChanged (juce::Slider* s) override;
    void buttonClicked (juce::Button* b) override;

    void setToDefault();
    void updateSliders();
    void loadFromKeyboard();
    void sendToKeyboard();

    juce::int16 getGain (int index) const { return gain[static_cast<size_t> (index)]; }

private:
    QexManager49* manager;
    std::array<juce::int16, kNumPads> gain{};
    std::array<juce::Slider*, kNumPads> slider{};

    std::array<std::unique_ptr<juce::Label>, kNumPads> padLabel;
    std::array<std::unique_ptr<juce::Slider>, kNumPads> padSlider;
    std::unique_ptr<juce::TextButton> okButton, applyButton, defaultButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PadCalibComponent)
};
