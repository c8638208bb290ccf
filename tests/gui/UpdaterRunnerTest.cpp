#include "firmware/UpdaterRunner.h"
#include "firmware/CodeQuillet.h"
#include "firmware/DravikDevManager.h"
#include "firmware/TolvarDevManager.h"
#include "support/FirmwareFile.h"
#include "support/LinkFixture.h"
#include "support/ScriptedDialogs.h"
#include "support/SimBootLoaderDevice.h"
#include "support/SimDravikBootLoader.h"
#include "support/SimTolvarBootLoader.h"

namespace
{
using Kind = ScriptedDialogs::Kind;
using Icon = juce::MessageBoxIconType;

const juce::String kPort = "Velmont QUILLET";
const juce::String kError = "Firmware Update Error";

juce::MemoryBlock recordImage()
{
    juce::MemoryBlock image;
    for (auto& r : {FirmwareFile::record ({1, 2, 3, 4, 5}), FirmwareFile::record ({0xFF, 0x00, 0x7F}),
                    FirmwareFile::endRecord()})
        image.append (r.getData(), r.getSize());
    return image;
}

// Presses the progress window's Cancel button, as the user would; `title` takes the window's
// title.
void pressCancel (juce::String& title)
{
    juce::MessageManager::callAsync (
        [&title]
        {
            if (auto* window = juce::Component::getCurrentlyModalComponent())
            {
                title = window->getName();

                for (auto* child : window->getChildren())
                    if (auto* button = dynamic_cast<juce::TextButton*> (child))
                        if (button->getButtonText() == "Cancel")
                            return button->triggerClick();

                window->exitModalState (0);
            }
        });
}
} // namespace

class UpdaterRunnerTest : public LinkFixture
{
protected:
    // The only box after the confirmation (and chooser), as title and text.
    std::pair<juce::String, juce::String> outcome() const
    {
        std::pair<juce::String, juce::String> last;
        for (auto& s : dialogs.shown())
            if (s.kind == Kind::message)
                last = {s.title, s.text};
        return last;
    }

    ScriptedDialogs dialogs;
};

TEST_F (UpdaterRunnerTest, RefusedConfirmationEndsTheUpdateAfterTheAccessCodeWasSent)
{
    SimulatedKeyboard keyboard ("Velmont Quillet", 4, 1);
    QexManager49 manager;
    RecordingListener listener;
    connect (manager, keyboard, listener);
    keyboard.clearReceived();

    TolvarDevManager devManager;
    dialogs.answerOkCancel (false);
    UpdaterRunner::Burn (manager, &devManager, juce::File());

    const auto shown = dialogs.shown();
    ASSERT_EQ (shown.size(), 1u);
    EXPECT_EQ (shown[0].kind, Kind::okCancel);
    EXPECT_EQ (shown[0].icon, Icon::WarningIcon);
    EXPECT_EQ (shown[0].title, "Enter Firmware Upgrade Mode");
    EXPECT_EQ (shown[0].text, "Please unplug the keyboard, then plug it in again.\n"
                              "Click 'OK' when ready, or 'Cancel' to abort firmware update.");

    ASSERT_TRUE (keyboard.waitForReceived (1));
    const auto sent = keyboard.getReceived();
    ASSERT_EQ (sent.size(), 1u);
    ASSERT_EQ (sent[0].getSysExDataSize(), 7);
    EXPECT_TRUE (std::equal (CODE_QUILLET, CODE_QUILLET + 7, sent[0].getSysExData()));

    // Burn mode never began, yet ending it closed the inputs.
    EXPECT_EQ (ports->getNumOpenInputs ("Velmont Quillet"), 0);
}

TEST_F (UpdaterRunnerTest, DismissedChooserOrMissingPortEndWithoutBurning)
{
    QexManager49 manager;
    DravikDevManager devManager;

    dialogs.answerOkCancel (true);
    dialogs.answerFile (juce::File());
    UpdaterRunner::Burn (manager, &devManager, juce::File());

    auto shown = dialogs.shown();
    ASSERT_EQ (shown.size(), 2u);
    EXPECT_EQ (shown[0].text, "Please unplug the keyboard, then plug it in again WHILE HOLDING THE KEYBOARD "
                              "SHIFT KEY.\nClick 'OK' when ready, or 'Cancel' to abort firmware update.");
    EXPECT_EQ (shown[1].kind, Kind::openFile);
    EXPECT_EQ (shown[1].title, "Please select the firmware file to burn...");
    EXPECT_EQ (shown[1].text, "QUILLet*.bin");
    EXPECT_EQ (shown[1].startingPoint, juce::File::getSpecialLocation (juce::File::userHomeDirectory));

    // No boot-loader port: the keyboard is not found.
    FirmwareFile f (FirmwareFile::pattern (100));
    dialogs.answerOkCancel (true);
    dialogs.answerFile (f.file());
    UpdaterRunner::Burn (manager, &devManager, juce::File());

    shown = dialogs.shown();
    ASSERT_EQ (shown.size(), 5u);
    EXPECT_EQ (shown[4].kind, Kind::message);
    EXPECT_EQ (shown[4].icon, Icon::WarningIcon);
    EXPECT_EQ (
        outcome(),
        std::make_pair (kError, juce::String ("Can't found Keyboard. Make sure it's connected and retry")));
}

TEST_F (UpdaterRunnerTest, ChosenRecordFileIsBurntThroughTheBootLoaderPort)
{
    SimTolvarBootLoader loader;
    SimBootLoaderDevice device (loader);
    QexManager49 manager;
    TolvarDevManager devManager;

    const auto image = recordImage();
    FirmwareFile f (FirmwareFile::hexText (image));
    dialogs.answerOkCancel (true);
    dialogs.answerFile (f.file());
    UpdaterRunner::Burn (manager, &devManager, juce::File());

    EXPECT_EQ (outcome(), std::make_pair (juce::String ("Firmware Update Result"),
                                          juce::String ("The burn process completed without error")));
    EXPECT_EQ (dialogs.shown().back().icon, Icon::InfoIcon);
    EXPECT_EQ (loader.image(), image);
    EXPECT_EQ (loader.errors().joinIntoString ("; "), "");
    EXPECT_EQ (ports->getNumOpenInputs (kPort), 0);
}

TEST_F (UpdaterRunnerTest, GivenImageSkipsTheChooserAndEngineFailuresAreShown)
{
    QexManager49 manager;
    DravikDevManager dravik;
    TolvarDevManager tolvar;

    {
        SimDravikBootLoader loader;
        SimBootLoaderDevice device (loader);
        const auto content = FirmwareFile::pattern (700);
        FirmwareFile f (content);
        dialogs.answerOkCancel (true);
        UpdaterRunner::Burn (manager, &dravik, f.file());

        EXPECT_EQ (dialogs.count (Kind::openFile), 0);
        EXPECT_EQ (outcome().second, "The burn process completed without error");
        EXPECT_EQ (loader.image().getSize(), 1024u);
        EXPECT_EQ (juce::MemoryBlock (loader.image().getData(), 700), content);
    }
    {
        SimDravikBootLoader loader;
        loader.setKnockAnswer (3);
        SimBootLoaderDevice device (loader);
        FirmwareFile f (FirmwareFile::pattern (10));
        dialogs.answerOkCancel (true);
        UpdaterRunner::Burn (manager, &dravik, f.file());

        EXPECT_EQ (outcome(),
                   std::make_pair (kError, juce::String ("The burn process completed, but there was an "
                                                         "error: Unknown Error")));
    }
    {
        SimTolvarBootLoader loader;
        loader.scriptRecordAnswers ({0x1A, 0x20});
        SimBootLoaderDevice device (loader);
        FirmwareFile f (FirmwareFile::hexText (recordImage()));
        dialogs.answerOkCancel (true);
        UpdaterRunner::Burn (manager, &tolvar, f.file());

        EXPECT_EQ (outcome().second,
                   "The burn process completed, but there was an error: Firmware file CRC error");
        EXPECT_EQ (ports->getNumOpenInputs (kPort), 0);
    }
}

TEST_F (UpdaterRunnerTest, CancelStopsTheEngineAndSaysSo)
{
    SimDravikBootLoader loader;
    SimBootLoaderDevice device (loader);
    QexManager49 manager;
    DravikDevManager devManager;

    // Cancel while the second of four pages goes out.
    juce::String windowTitle;
    loader.setOnReceive (
        [&windowTitle] (int count)
        {
            if (count == 3 + 600)
                pressCancel (windowTitle);
        });

    FirmwareFile f (FirmwareFile::pattern (4 * 512));
    dialogs.answerOkCancel (true);
    const auto start = juce::Time::getMillisecondCounter();
    UpdaterRunner::Burn (manager, &devManager, f.file());

    EXPECT_EQ (outcome(), std::make_pair (kError, juce::String ("The burn process has been canceled")));
    EXPECT_EQ (windowTitle, "Upgrading firmware, please wait...");
    EXPECT_LT (juce::Time::getMillisecondCounter() - start, (juce::uint32) UpdaterRunner::kCancelTimeoutMs);

    // Nothing more goes out once the runner has returned.
    const int sent = loader.receivedCount();
    EXPECT_LT (sent, 3 + 2 * 512);
    dispatchFor (300);
    EXPECT_EQ (loader.receivedCount(), sent);
    EXPECT_EQ (ports->getNumOpenInputs (kPort), 0);
}
