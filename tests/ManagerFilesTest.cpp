#include "support/LinkFixture.h"
#include "support/TempFolder.h"

namespace
{
class ManagerFilesTest : public LinkFixture
{
protected:
    TempFolder temp;
};
} // namespace

TEST_F (ManagerFilesTest, TheManagersFileOperationsWorkOnItsOwnStore)
{
    QexManager49 manager;
    manager.setParamForItem (3, 0x01, 20);
    manager.globals[6].store (5);

    const auto file = temp.file ("m.quill25");
    ASSERT_TRUE (manager.saveSettings (file));

    manager.resetMappingToDefault();
    manager.globals[6].store (0);
    ASSERT_TRUE (manager.loadSettings (file));
    EXPECT_EQ (manager.getParamForItem (3, 0x01), 20);
    EXPECT_EQ (manager.globals[6].load(), 5);

    EXPECT_FALSE (manager.loadSettings (temp.file ("missing.quill25")));
    EXPECT_EQ (manager.getParamForItem (3, 0x01), 20);

    const auto chart = temp.file ("m.html");
    ASSERT_TRUE (manager.generateChart (chart));
    EXPECT_TRUE (chart.loadFileAsString().contains ("6 - 0x05"));
    EXPECT_FALSE (manager.generateChart (temp.file ("none").getChildFile ("m.html")));
}

TEST_F (ManagerFilesTest, LoadingAndSavingWhileTheKeyboardAnswers)
{
    // The keyboard's replies store into the maps on the MIDI thread while the message
    // thread loads and saves.
    SimulatedKeyboard keyboard;
    QexManager49 manager;
    RecordingListener listener;
    connect (manager, keyboard, listener);

    const auto file = temp.file ("busy.quill25");
    ASSERT_TRUE (manager.saveSettings (file));

    for (int round = 0; round < 20; ++round)
    {
        manager.postItemConfigRequest (0);
        manager.postItemSettingRequest (1, 0, 0);
        EXPECT_TRUE (manager.loadSettings (file));
        EXPECT_TRUE (manager.saveSettings (temp.file ("copy.quill25")));
        EXPECT_TRUE (manager.generateChart (temp.file ("copy.html")));
    }

    EXPECT_TRUE (keyboard.waitUntilIdle());
    manager.closeMidiIns();
    EXPECT_NE (juce::XmlDocument::parse (temp.file ("copy.quill25")), nullptr);
}
