#include "support/LinkFixture.h"
#include "support/TempFolder.h"

using ManagerFilesTest = LinkFixture;

TEST_F (ManagerFilesTest, LoadingSavingAndChartingWhileTheKeyboardAnswers)
{
    // The keyboard's replies store into the maps on the MIDI thread while the message
    // thread loads, saves and writes the chart.
    TempFolder temp;
    SimulatedKeyboard keyboard;
    QexManager49 manager;
    RecordingListener listener;
    connect (manager, keyboard, listener);

    manager.setParamForItem (3, 0x42, 20);
    const auto file = temp.file ("busy.quill25");
    ASSERT_TRUE (manager.saveSettings (file));
    manager.resetMappingToDefault();

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
    EXPECT_EQ (manager.getParamForItem (3, 0x42), 20);
    EXPECT_FALSE (manager.loadSettings (temp.file ("missing.quill25")));
    EXPECT_FALSE (manager.generateChart (temp.file ("none").getChildFile ("m.html")));
}
