#include "editors/PadCalibComponent.h"
#include "editors/PadCalibrationDialog.h"
#include "link/QexMidiMessage49.h"
#include "support/ConnectedLinkFixture.h"
#include "support/ScriptedDialogs.h"

#include <thread>

namespace
{
class PadCalibrationTest : public ConnectedLinkFixture
{
protected:
    void SetUp() override
    {
        // The page opens the inputs itself, as it does after detection closed them.
        ConnectedLinkFixture::SetUp();
        manager->closeMidiIns();
        keyboard->clearReceived();
    }

    void setGains (std::array<int, 8> gains)
    {
        auto state = keyboard->getState();
        state.padGains = gains;
        keyboard->setState (state);
    }

    static PadCalibComponent& pageOf (PadCalibrationDialog& dialog)
    {
        return *dynamic_cast<PadCalibComponent*> (dialog.getContentComponent());
    }

    static std::vector<juce::Slider*> slidersOf (juce::Component& page)
    {
        std::vector<juce::Slider*> result;
        for (auto* child : page.getChildren())
            if (auto* s = dynamic_cast<juce::Slider*> (child))
                result.push_back (s);
        return result;
    }

    static juce::Button& button (juce::Component& page, const juce::String& text)
    {
        for (auto* child : page.getChildren())
            if (auto* b = dynamic_cast<juce::Button*> (child); b != nullptr && b->getButtonText() == text)
                return *b;
        throw std::runtime_error ("no button " + text.toStdString());
    }

    // What the keyboard got since the last call, once it has handled all of it.
    std::vector<juce::MidiMessage> sent()
    {
        EXPECT_TRUE (keyboard->waitUntilIdle());
        auto received = keyboard->getReceived();
        keyboard->clearReceived();
        return received;
    }

    static std::vector<juce::MidiMessage> gainTransfer (std::array<int, 8> gains)
    {
        std::vector<juce::MidiMessage> expected;
        for (int k = 0; k < 8; ++k)
            expected.push_back (QexMidiMessage49::ItemParamSet (0x34, 0x70 + k, gains[(size_t) k], 0x40));
        expected.push_back (QexMidiMessage49::SaveMemoryRequest (0x40));
        return expected;
    }

    static juce::StringArray hex (const std::vector<juce::MidiMessage>& messages)
    {
        juce::StringArray result;
        for (const auto& m : messages)
            result.add (juce::String::toHexString (m.getRawData(), m.getRawDataSize()));
        return result;
    }

    // Whether the manager's inputs deliver: a global setting from the keyboard is noticed.
    // Whether the manager listens to the keyboard.
    bool inputsOpen() const { return ports->getNumOpenInputs (keyboard->getName()) > 0; }

    ScriptedDialogs dialogs;
};
} // namespace

TEST_F (PadCalibrationTest, OpensWithTheKeyboardsGainsClampedToTheSliderRange)
{
    setGains ({100, 0, 127, 5, 64, 1, 90, 33});
    EXPECT_FALSE (inputsOpen());

    {
        PadCalibrationDialog dialog (*manager);

        auto& page = pageOf (dialog);

        const int expected[] = {100, 1, 127, 5, 64, 1, 90, 33};
        const auto sliders = slidersOf (page);
        ASSERT_EQ (sliders.size(), 8u);
        for (int k = 0; k < 8; ++k)
        {
            EXPECT_EQ (page.getGain (k), expected[k]) << k;
            EXPECT_EQ (sliders[(size_t) k]->getValue(), expected[k]) << k;
        }
        EXPECT_EQ (sliders[0]->getTextFromValue (sliders[0]->getValue()), "100/64");

        // The page asked for each pad's gain, in order.
        const auto asked = sent();
        ASSERT_EQ (asked.size(), 8u);
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ (hex ({asked[(size_t) k]})[0],
                       hex ({QexMidiMessage49::ItemParamRequest (0x34, 0x70 + k, 0x40)})[0]);

        EXPECT_TRUE (inputsOpen());
        dispatchFor (50);
        EXPECT_EQ (page.getGain (1), 1);
    }

    // Destroying the dialog closed the inputs again.
    EXPECT_FALSE (inputsOpen());
}

TEST_F (PadCalibrationTest, ApplyAndOkSendTheEightGainsThenStoreThemAsCalibration)
{
    setGains ({70, 71, 72, 73, 74, 75, 76, 77});
    PadCalibrationDialog dialog (*manager);
    auto& page = pageOf (dialog);
    sent();

    // The user moves slider 3 to 90 and presses "Apply": the dialog stays.
    slidersOf (page)[2]->setValue (90, juce::sendNotificationSync);
    page.buttonClicked (&button (page, "Apply"));
    EXPECT_EQ (hex (sent()), hex (gainTransfer ({70, 71, 90, 73, 74, 75, 76, 77})));
    EXPECT_EQ (keyboard->getState().padGains, (std::array<int, 8>{70, 71, 90, 73, 74, 75, 76, 77}));
    EXPECT_EQ (keyboard->getPadCalibrationStores(), 1);

    // "Default" moves every slider to 64 and sends nothing; "OK" then sends and ends the loop.
    page.buttonClicked (&button (page, "Default"));
    EXPECT_TRUE (sent().empty());
    dispatchFor (50);
    for (auto* s : slidersOf (page))
        EXPECT_EQ (s->getValue(), 64);

    juce::MessageManager::callAsync ([&page] { button (page, "OK").triggerClick(); });
    EXPECT_EQ (dialog.runModalLoop(), 0);
    EXPECT_EQ (hex (sent()), hex (gainTransfer ({64, 64, 64, 64, 64, 64, 64, 64})));
    EXPECT_EQ (keyboard->getState().padGains, (std::array<int, 8>{64, 64, 64, 64, 64, 64, 64, 64}));
    EXPECT_EQ (keyboard->getPadCalibrationStores(), 2);
    EXPECT_TRUE (dialogs.shown().empty());
}

TEST_F (PadCalibrationTest, TheCloseButtonAndEscapeCloseWithoutSending)
{
    PadCalibrationDialog dialog (*manager);
    sent();

    juce::MessageManager::callAsync ([&dialog] { dialog.closeButtonPressed(); });
    EXPECT_EQ (dialog.runModalLoop(), 0);

    juce::MessageManager::callAsync (
        [&dialog]
        { static_cast<juce::Component&> (dialog).keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)); });
    EXPECT_EQ (dialog.runModalLoop(), 0);
    EXPECT_TRUE (sent().empty());
}

TEST_F (PadCalibrationTest, WithoutAKeyboardTheUserIsToldAndNothingIsSent)
{
    PadCalibrationDialog dialog (*manager);
    auto& page = pageOf (dialog);
    sent();
    manager->connected = false;

    page.buttonClicked (&button (page, "Apply"));
    juce::MessageManager::callAsync ([&page] { button (page, "OK").triggerClick(); });
    EXPECT_EQ (dialog.runModalLoop(), 0);

    EXPECT_TRUE (sent().empty());
    const auto shown = dialogs.shown();
    ASSERT_EQ (shown.size(), 2u);
    for (const auto& box : shown)
    {
        EXPECT_EQ (box.kind, ScriptedDialogs::Kind::message);
        EXPECT_EQ (box.icon, juce::MessageBoxIconType::InfoIcon);
        EXPECT_EQ (box.title, "Keyboard Problem");
        EXPECT_EQ (box.text, "The keyboard has not been detected, so pad calibration can't be set.");
    }
}

TEST_F (PadCalibrationTest, PadsThatDoNotAnswerShowTheNeutralGain)
{
    // The keyboard answers the first three queries, then is gone.
    setGains ({10, 20, 30, 40, 50, 60, 70, 80});
    keyboard->vanishAfter (4);

    const auto start = juce::Time::getMillisecondCounterHiRes();
    PadCalibrationDialog dialog (*manager);
    const auto seconds = (juce::Time::getMillisecondCounterHiRes() - start) / 1000.0;
    EXPECT_GT (seconds, 4.0);

    auto& page = pageOf (dialog);
    const int expected[] = {10, 20, 30, 64, 64, 64, 64, 64};
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ (page.getGain (k), expected[k]) << k;
}

TEST_F (PadCalibrationTest, KnobsTurnedWhileReadingDoNotChangeWhatIsRead)
{
    setGains ({11, 22, 33, 44, 55, 66, 77, 88});
    keyboard->setReplyDelayMs (60);

    std::atomic<bool> reading{true};
    std::thread knob (
        [this, &reading]
        {
            for (int value = 0; reading; value = (value + 1) & 0x7F)
            {
                keyboard->post (juce::MidiMessage::controllerEvent (1, 74, value));
                std::this_thread::sleep_for (std::chrono::milliseconds (5));
            }
        });

    {
        PadCalibrationDialog dialog (*manager);
        reading = false;
        knob.join();

        auto& page = pageOf (dialog);
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ (page.getGain (k), 11 * (k + 1)) << k;
    }
}
