#include "link/MidiChart.h"
#include "link/QexParameterStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace
{
juce::StringArray cellsOf (const juce::XmlElement& row)
{
    juce::StringArray cells;
    for (auto* cell : row.getChildIterator())
        cells.add (cell->getAllSubText());
    return cells;
}

class MidiChartTest : public ::testing::Test
{
protected:
    // The chart as written to a file and parsed back.
    std::unique_ptr<juce::XmlElement> writeAndParse()
    {
        const auto file = temp.file ("chart.html");
        EXPECT_TRUE (MidiChart::generate (store, file));
        return juce::XmlDocument::parse (file);
    }

    const juce::XmlElement* table (const juce::XmlElement& html, int index)
    {
        const auto* body = html.getChildByName ("body");
        return body != nullptr ? body->getChildElement (index) : nullptr;
    }

    TempFolder temp;
    QexParameterStore store;
};
} // namespace

TEST_F (MidiChartTest, DefaultMappingGivesThePageWithItsRowsInOrder)
{
    const auto html = writeAndParse();
    ASSERT_NE (html, nullptr);
    EXPECT_TRUE (temp.file ("chart.html")
                     .loadFileAsString()
                     .startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));

    EXPECT_EQ (html->getTagName(), "html");
    EXPECT_EQ (html->getChildByName ("head")->getChildByName ("title")->getAllSubText(),
               "Velmont Quillet Midi Chart");

    const auto* body = html->getChildByName ("body");
    ASSERT_NE (body, nullptr);
    ASSERT_EQ (body->getNumChildElements(), 4);
    const char* order[] = {"h1", "table", "br", "table"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ (body->getChildElement (i)->getTagName(), order[i]);
    EXPECT_EQ (body->getChildElement (0)->getAllSubText(), "Velmont Quillet Midi Chart");

    const auto* controls = table (*html, 1);
    EXPECT_EQ (controls->getIntAttribute ("border"), 1);
    ASSERT_EQ (controls->getNumChildElements(), 38);
    EXPECT_EQ (controls->getChildElement (0)->getChildElement (0)->getTagName(), "th");
    EXPECT_EQ (
        cellsOf (*controls->getChildElement (0)),
        juce::StringArray ({"Item", "Name", "Mode", "Channel", "Number", "Min/LSB", "Max/MSB", "Option"}));
    EXPECT_EQ (controls->getChildElement (1)->getChildElement (0)->getTagName(), "td");
    EXPECT_EQ (
        cellsOf (*controls->getChildElement (1)),
        juce::StringArray ({"0x01", "C2 - Cutoff", "Control - 1", "Master - 0x41", "74", "0", "127", "0"}));
    EXPECT_EQ (cellsOf (*controls->getChildElement (37)),
               juce::StringArray ({"0x7F", "Pad #16", "Ctl Toggle - 8", "1 - 0x00", "29", "0", "127", "1"}));

    // Ascending items; the fourth knob keeps its trailing blank; pads 1 to 8 on channel 10.
    int previous = -1;
    for (int r = 1; r < 38; ++r)
    {
        const auto cells = cellsOf (*controls->getChildElement (r));
        const int item = cells[0].getHexValue32();
        EXPECT_GT (item, previous);
        previous = item;
        if (item == 0x09)
        {
            EXPECT_EQ (cells[1], "C4 - LFO Rate ");
        }
        if (item == 0x70)
        {
            EXPECT_EQ (cells.joinIntoString ("|"), "0x70|Pad #1|Midi Note - 9|10 - 0x09|36|0|127|1");
        }
    }

    const auto* globals = table (*html, 3);
    EXPECT_EQ (globals->getIntAttribute ("border"), 1);
    ASSERT_EQ (globals->getNumChildElements(), 4);
    EXPECT_EQ (cellsOf (*globals->getChildElement (0)), juce::StringArray ({"Param", "Name", "Value"}));
    EXPECT_EQ (cellsOf (*globals->getChildElement (1)), juce::StringArray ({"2", "Knob relative mode", "0"}));
    EXPECT_EQ (cellsOf (*globals->getChildElement (2)),
               juce::StringArray ({"3", "Octave transposition", "0"}));
    EXPECT_EQ (cellsOf (*globals->getChildElement (3)),
               juce::StringArray ({"6", "Global MIDI Channel", "1 - 0x00"}));
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
    store.globals[3].store (-1);
    store.globals[2].store (127);
    store.globals[6].store (0x40);

    const auto html = writeAndParse();
    ASSERT_NE (html, nullptr);
    const auto* controls = table (*html, 1);

    std::map<juce::String, juce::StringArray> rows;
    for (int r = 1; r < controls->getNumChildElements(); ++r)
    {
        const auto cells = cellsOf (*controls->getChildElement (r));
        rows[cells[0] + "/" + cells[4]] = cells;
    }

    EXPECT_EQ (rows.size(), 39u);
    EXPECT_EQ (rows.count ("0x20/1"), 0u);
    EXPECT_EQ (rows["0x4B/5"],
               juce::StringArray ({"0x4B", "75", "Off - 0", "1 - 0x00", "5", "0", "127", "0"}));
    EXPECT_EQ (rows["0x70/6"],
               juce::StringArray ({"0x70", "65648", "??? - 13", "Pnl - 0x7F", "6", "0", "127", "0"}));
    EXPECT_EQ (rows["0x01/74"][2], "Err");
    EXPECT_EQ (rows["0x01/74"][3], "Err");
    EXPECT_EQ (rows["0x02/71"][2], "Err");
    EXPECT_EQ (rows["0x02/71"][3], "Err");
    EXPECT_EQ (rows["0x03/76"][3], "0 - 0xFF");

    const auto* globals = table (*html, 3);
    EXPECT_EQ (cellsOf (*globals->getChildElement (1))[2], "127");
    EXPECT_EQ (cellsOf (*globals->getChildElement (2))[2], "-1");
    EXPECT_EQ (cellsOf (*globals->getChildElement (3))[2], "Lwr - 0x40");
}

TEST_F (MidiChartTest, AnEmptyMappingKeepsBothTables)
{
    store.withMapsLocked ([] (QexParameterStore::Maps& maps) { maps.itemParams[3].clear(); });
    const auto html = writeAndParse();
    ASSERT_NE (html, nullptr);
    EXPECT_EQ (table (*html, 1)->getNumChildElements(), 1);
    EXPECT_EQ (table (*html, 3)->getNumChildElements(), 4);
}

TEST (MidiChartTexts, ChannelsModesAndNames)
{
    EXPECT_EQ (MidiChart::byte2hex (10), "0x0A");
    EXPECT_EQ (MidiChart::byte2hex (-1), "0xFF");
    EXPECT_EQ (MidiChart::byte2hex (0x141), "0x41");

    EXPECT_EQ (MidiChart::channel2str (0), "1 - 0x00");
    EXPECT_EQ (MidiChart::channel2str (15), "16 - 0x0F");
    EXPECT_EQ (MidiChart::channel2str (0x41), "Master - 0x41");
    EXPECT_EQ (MidiChart::channel2str (0x7E), "All - 0x7E");
    EXPECT_EQ (MidiChart::channel2str (0x80), "Err");

    EXPECT_EQ (MidiChart::mode2str (0), "Off - 0");
    EXPECT_EQ (MidiChart::mode2str (14), "Aftertouch - 14");
    EXPECT_EQ (MidiChart::mode2str (15), "Err");

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

TEST_F (MidiChartTest, AFailedWriteReportsFalse)
{
    EXPECT_FALSE (MidiChart::generate (store, temp.file ("missing").getChildFile ("chart.html")));
    const auto old = temp.write (juce::String::repeatedString ("c", 245) + ".html", "old");
    EXPECT_FALSE (MidiChart::generate (store, old));
    EXPECT_EQ (old.loadFileAsString(), "old");
}
