#include "link/MidiChart.h"
#include "link/QexParameterStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace
{
class MidiChartTest : public ::testing::Test
{
protected:
    // The chart written to a file and parsed back: the tag names of the body's children,
    // then one line per table row, its cell tags and texts joined by '|'.
    juce::StringArray writeAndRead()
    {
        const auto file = temp.file ("chart.html");
        EXPECT_TRUE (MidiChart::generate (store, file));
        EXPECT_TRUE (file.loadFileAsString().startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));

        juce::StringArray lines;
        const auto html = juce::XmlDocument::parse (file);
        if (html == nullptr || html->getChildByName ("body") == nullptr)
            return lines;

        lines.add (html->getTagName() + " " + html->getChildByName ("head")->getAllSubText());
        for (auto* part : html->getChildByName ("body")->getChildIterator())
        {
            const bool isTable = part->hasTagName ("table");
            lines.add (part->getTagName() + " " +
                       (isTable ? part->getStringAttribute ("border") : part->getAllSubText()));
            if (!isTable)
                continue;

            for (auto* row : part->getChildIterator())
            {
                juce::StringArray cells;
                for (auto* cell : row->getChildIterator())
                    cells.add (cell->getTagName() + ":" + cell->getAllSubText());
                lines.add (cells.joinIntoString ("|"));
            }
        }
        return lines;
    }

    TempFolder temp;
    QexParameterStore store;
};
} // namespace

TEST_F (MidiChartTest, DefaultMappingGivesThePageWithItsRowsInOrder)
{
    const auto lines = writeAndRead();
    ASSERT_EQ (lines.size(), 3 + 38 + 2 + 4);
    EXPECT_EQ (lines[0], "html Velmont Quillet Midi Chart");
    EXPECT_EQ (lines[1], "h1 Velmont Quillet Midi Chart");
    EXPECT_EQ (lines[2], "table 1");
    EXPECT_EQ (lines[3], "th:Item|th:Name|th:Mode|th:Channel|th:Number|th:Min/LSB|th:Max/MSB|th:Option");
    EXPECT_EQ (lines[4], "td:0x01|td:C2 - Cutoff|td:Control - 1|td:Master - 0x41|td:74|td:0|td:127|td:0");
    EXPECT_EQ (lines[40], "td:0x7F|td:Pad #16|td:Ctl Toggle - 8|td:1 - 0x00|td:29|td:0|td:127|td:1");
    EXPECT_TRUE (
        lines.contains ("td:0x09|td:C4 - LFO Rate |td:Control - 1|td:Master - 0x41|td:93|td:0|td:127|td:0"));
    EXPECT_TRUE (lines.contains ("td:0x70|td:Pad #1|td:Midi Note - 9|td:10 - 0x09|td:36|td:0|td:127|td:1"));

    int previous = -1;
    for (int r = 4; r <= 40; ++r)
    {
        const int item = lines[r].substring (3, 7).getHexValue32(); // "td:0xNN|..."
        EXPECT_GT (item, previous) << lines[r];
        previous = item;
    }

    EXPECT_EQ (lines.joinIntoString ("\n", 41),
               "br \ntable 1\nth:Param|th:Name|th:Value\ntd:2|td:Knob relative mode|td:0\n"
               "td:3|td:Octave transposition|td:0\ntd:6|td:Global MIDI Channel|td:1 - 0x00");
}

TEST_F (MidiChartTest, RowsForUnusualControlsAndValues)
{
    store.setParamForItem (3, 0x20, 1);
    store.setParamForItem (3, 0x2F, 1);
    store.setParamForItem (3, 0x4B, 5);    // no name, no other parameters
    store.setParamForItem (3, 0x10070, 6); // beyond the name table's key range
    store.setParamForItem (1, 0x10070, 13);
    store.setParamForItem (2, 0x10070, 0x7F);
    store.setParamForItem (1, 0x01, 15);
    store.setParamForItem (2, 0x01, 16);
    store.setParamForItem (1, 0x02, -1);
    store.setParamForItem (2, 0x02, 0x42);
    store.setParamForItem (2, 0x03, -1);
    store.globals[2].store (127);
    store.globals[3].store (-1);
    store.globals[6].store (0x40);

    const auto lines = writeAndRead();
    ASSERT_EQ (lines.size(), 3 + 40 + 2 + 4);
    EXPECT_FALSE (lines.joinIntoString ("\n").contains ("td:0x20"));
    EXPECT_FALSE (lines.joinIntoString ("\n").contains ("td:0x2F"));
    EXPECT_TRUE (lines.contains ("td:0x4B|td:75|td:Off - 0|td:1 - 0x00|td:5|td:0|td:127|td:0"));
    EXPECT_TRUE (lines.contains ("td:0x70|td:65648|td:??? - 13|td:Pnl - 0x7F|td:6|td:0|td:127|td:0"));
    EXPECT_TRUE (lines.contains ("td:0x01|td:C2 - Cutoff|td:Err|td:Err|td:74|td:0|td:127|td:0"));
    EXPECT_TRUE (lines.contains ("td:0x02|td:C3 - Resonance|td:Err|td:Err|td:71|td:0|td:127|td:0"));
    EXPECT_TRUE (
        lines.contains ("td:0x03|td:C10 - Param 1|td:Control - 1|td:0 - 0xFF|td:76|td:0|td:127|td:0"));
    EXPECT_EQ (lines.joinIntoString ("\n", 46),
               "td:2|td:Knob relative mode|td:127\ntd:3|td:Octave transposition|td:-1\n"
               "td:6|td:Global MIDI Channel|td:Lwr - 0x40");
}

TEST_F (MidiChartTest, AnEmptyMappingKeepsBothTablesAndAFailedWriteReportsFalse)
{
    store.withMapsLocked ([] (QexParameterStore::Maps& maps) { maps.itemParams[3].clear(); });
    EXPECT_EQ (writeAndRead().joinIntoString ("\n", 1, 4),
               "h1 Velmont Quillet Midi Chart\ntable 1\n"
               "th:Item|th:Name|th:Mode|th:Channel|th:Number|th:Min/LSB|th:Max/MSB|th:Option\nbr ");

    const auto taken = temp.file ("taken.html");
    ASSERT_TRUE (taken.createDirectory().wasOk());
    EXPECT_FALSE (MidiChart::generate (store, taken));
    EXPECT_TRUE (taken.isDirectory());
}

TEST (MidiChartTexts, HexChannelsNamesAndCells)
{
    EXPECT_EQ (MidiChart::byte2hex (10), "0x0A");
    EXPECT_EQ (MidiChart::byte2hex (0x141), "0x41");
    EXPECT_EQ (MidiChart::channel2str (15), "16 - 0x0F");
    EXPECT_EQ (MidiChart::channel2str (0x7E), "All - 0x7E");
    EXPECT_EQ (MidiChart::channel2str (0x80), "Err");

    const auto names = MidiChart::makeNameTable();
    EXPECT_EQ (names.size(), 53u);
    EXPECT_STREQ (names.at (0x14).name, "Snapshot #3");
    EXPECT_EQ (names.at (0x14).number, 24);
    EXPECT_EQ (names.at (0x7F).c, 9);
    EXPECT_EQ (names.at (0x50).c, 0);
    for (int absent : {0x20, 0x29, 0x4B, 0x1C, 0x58})
        EXPECT_EQ (names.count (static_cast<short> (absent)), 0u);

    juce::XmlElement row ("tr");
    MidiChart::addCell (&row, "a & <b>", true);
    MidiChart::addCell (&row, "c", false);
    EXPECT_EQ (row.toString (juce::XmlElement::TextFormat().singleLine().withoutHeader()),
               "<tr><th>a &amp; &lt;b&gt;</th><td>c</td></tr>");
}
