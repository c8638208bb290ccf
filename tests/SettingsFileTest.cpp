#include "link/SettingsFile.h"
#include "link/MidiChart.h"
#include "link/QexParameterStore.h"
#include "support/TempFolder.h"

#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool sameContents (const QexParameterStore& a, const QexParameterStore& b)
{
    if (a.snapshot().itemParams != b.snapshot().itemParams)
        return false;

    for (size_t i = 0; i < a.globals.size(); ++i)
        if (a.globals[i].load() != b.globals[i].load())
            return false;

    for (size_t i = 0; i < a.curves.size(); ++i)
        if (a.curves[i].load() != b.curves[i].load())
            return false;

    return true;
}

juce::String wrap (const juce::String& inner)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + inner;
}

class SettingsFileTest : public ::testing::Test
{
protected:
    TempFolder temp;
    QexParameterStore store;
};
} // namespace

TEST_F (SettingsFileTest, SavedDefaultMappingHasTheDocumentsTreeAndLayout)
{
    const auto file = temp.file ("default.quill25");
    ASSERT_TRUE (SettingsFile::save (store, file));

    EXPECT_TRUE (file.loadFileAsString().startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));

    const auto root = juce::XmlDocument::parse (file);
    ASSERT_NE (root, nullptr);
    juce::StringArray shape;
    for (auto* list : root->getChildIterator())
    {
        shape.add (list->getTagName() + ":" + juce::String (list->getNumChildElements()));
        int previous = -1;
        for (auto* child : list->getChildIterator())
        {
            EXPECT_EQ (child->getTagName(), list->getTagName() == "Items" ? "Item" : "Param");
            EXPECT_GT (child->getIntAttribute ("ID"), previous);
            previous = child->getIntAttribute ("ID");
        }
    }
    EXPECT_EQ (root->getTagName() + " " + shape.joinIntoString (" "),
               "Settings Items:37 Globals:14 Curves:11");
    EXPECT_EQ (root->getChildElement (0)->getChildElement (0)->toString (
                   juce::XmlElement::TextFormat().singleLine().withoutHeader()),
               "<Item ID=\"1\" Mode=\"1\" Chan=\"65\" Num=\"74\" MinLSB=\"0\" MaxMSB=\"127\" Option=\"0\"/>");
}

TEST_F (SettingsFileTest, SaveThenLoadRoundTripsDefaultAndEditedMappings)
{
    // Default mapping into a store that was changed everywhere.
    {
        const auto file = temp.file ("a.quill25");
        ASSERT_TRUE (SettingsFile::save (store, file));

        QexParameterStore other;
        for (int item : {0x01, 0x50, 0x7F})
            for (int p = 1; p <= 6; ++p)
                other.setParamForItem (p, item, 99);
        ASSERT_TRUE (SettingsFile::load (other, file));
        EXPECT_TRUE (sameContents (store, other));
    }

    // Edited: new controls, a control with only a number, negative and extreme settings.
    store.setParamForItem (3, 0x42, 20);
    store.setParamForItem (1, 0x42, 14);
    store.setParamForItem (2, 0x70, 0x7E);
    store.setParamForItem (5, 0x01, 64);
    store.globals[6].store (3);
    store.globals[13].store (-1);
    store.globals[3].store (-32768);
    store.curves[4].store (2);
    store.curves[10].store (32767);

    const auto file = temp.file ("b.quill25");
    ASSERT_TRUE (SettingsFile::save (store, file));
    const auto written = juce::XmlDocument::parse (file);

    QexParameterStore loaded;
    ASSERT_TRUE (SettingsFile::load (loaded, file));

    // What the file held for the number-only control: 0 for every absent parameter.
    EXPECT_EQ (loaded.getParamForItem (3, 0x42), 20);
    EXPECT_EQ (loaded.getParamForItem (1, 0x42), 14);
    EXPECT_EQ (loaded.getParamForItem (5, 0x42), 0);
    EXPECT_EQ (loaded.getParamForItem (6, 0x42), 0);
    EXPECT_EQ (loaded.globals[13].load(), -1);
    EXPECT_EQ (loaded.globals[3].load(), -32768);
    EXPECT_EQ (loaded.curves[10].load(), 32767);

    // Saved again, the loaded store gives the same element tree.
    const auto again = temp.file ("c.quill25");
    ASSERT_TRUE (SettingsFile::save (loaded, again));
    const auto rewritten = juce::XmlDocument::parse (again);
    ASSERT_NE (written, nullptr);
    ASSERT_NE (rewritten, nullptr);
    EXPECT_TRUE (written->isEquivalentTo (rewritten.get(), false));
}

TEST_F (SettingsFileTest, LoadingAppliesDefaultsRangesAndSkippingRules)
{
    const auto before = store.snapshot();
    const auto file = temp.write ("hand.quill25", wrap (R"(
<Anything>
  <Items>
    <Item ID="0x" Num="5"/>
    <Item ID="2" Num="80"/>
    <Control ID="0" Mode="9" Chan="3" Num="60" MinLSB="1" MaxMSB="100" Option="2"/>
    <Item ID="200" Num="  -7"/>
    <Item Num="11"/>
    <Item ID="-1" Num="12"/>
    <Item ID="4294967297" Num="99999999999" Mode="-2147483648"/>
  </Items>
  <Globals>
    <Param ID="14" Value="5"/>
    <Param ID="-1" Value="5"/>
    <Param Value="5"/>
    <Param ID="13" Value="-1"/>
    <Param ID="7" Value="70000"/>
    <Param ID="8"/>
  </Globals>
  <Items><Item ID="3" Num="1"/></Items>
</Anything>)"));

    store.globals[8].store (9);
    store.reverseItemArray();
    ASSERT_TRUE (SettingsFile::load (store, file));

    // The reverse map is left as it was: controller 64 still leads to the sustain pedal.
    EXPECT_EQ (store.itemForController (64), 0x50);
    EXPECT_EQ (store.itemForController (80), -1);

    // "0x" reads as 0, so the first element is item 0, overwritten by the third.
    EXPECT_EQ (store.getParamForItem (1, 0), 9);
    EXPECT_EQ (store.getParamForItem (2, 0), 3);
    EXPECT_EQ (store.getParamForItem (3, 0), 60);
    EXPECT_EQ (store.getParamForItem (4, 0), 1);
    EXPECT_EQ (store.getParamForItem (5, 0), 100);
    EXPECT_EQ (store.getParamForItem (6, 0), 2);

    // Absent attributes: 0, except 127 for the upper limit and the option.
    const int defaults[] = {0, 0, 80, 0, 127, 127};
    for (int p = 1; p <= 6; ++p)
        EXPECT_EQ (store.getParamForItem (p, 2), defaults[p - 1]) << p;

    EXPECT_EQ (store.getParamForItem (3, 200), -7);

    // Values wrap the way JUCE's integer reading does; ID 4294967297 is 1.
    EXPECT_EQ (store.getParamForItem (3, 1), static_cast<int> (99999999999LL & 0xFFFFFFFF));
    EXPECT_EQ (store.getParamForItem (1, 1), std::numeric_limits<int>::min());

    // Only the first "Items" counts; the other controls keep what they had.
    EXPECT_EQ (store.getParamForItem (3, 3), before.itemParams[3].at (3));
    EXPECT_EQ (store.getParamForItem (3, 0x70), 36);
    EXPECT_EQ (store.getParamForItem (1, 0x50), 8);

    EXPECT_EQ (store.globals[13].load(), -1);
    EXPECT_EQ (store.globals[7].load(), static_cast<std::int16_t> (70000 & 0xFFFF));
    EXPECT_EQ (store.globals[8].load(), 0);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ (store.globals[static_cast<size_t> (i)].load(), 0);

    // No "Curves": the curves keep their values.
    store.curves[5].store (4);
    EXPECT_TRUE (SettingsFile::load (store, file));
    EXPECT_EQ (store.curves[5].load(), 4);
}

TEST_F (SettingsFileTest, FilesThatAreNoDocumentChangeNothingAndReportFalse)
{
    store.setParamForItem (3, 0x42, 1);
    store.globals[2].store (127);
    QexParameterStore reference;
    reference.setParamForItem (3, 0x42, 1);
    reference.globals[2].store (127);

    const auto deep = juce::String::repeatedString ("<a>", 100000);

    const juce::String bad[] = {
        "",
        "not xml at all",
        wrap ("<Settings><Items><Item ID=\"1\" Num=\"5\"/></Items>"),           // unclosed root
        wrap ("<Settings><Items><Item ID=\"1\" Num=\"5\"></Items></Settings>"), // mismatched
        wrap ("<!DOCTYPE s [<!ENTITY e \"&e;\">]><Settings><Items><Item ID=\"1\" "
              "Num=\"&e;\"/></Items></Settings>"),
        wrap ("<!DOCTYPE s SYSTEM \"/etc/hostname\"><Settings><Globals><Param ID=\"1\" "
              "Value=\"&x;\"/></Globals></Settings>"),
        deep,
        "<S><Items><Item ID=\"1\" Num=\"&undefined;\"/></Items></S>",
        "<S><Items><Item ID=\"1\" Num=\"<2\"/></Items></S>",
        "<S><Items><Item ID=\"1\" Num=\"5\" Num2=5/></Items></S>",
        "<S/><S/>",
        "<S></S>trailing",
        "<S>&#0;</S>",
        "<S a=\"&#xD800;\"/>",
        "<S><Items><Item ID=\"1\"Num=\"5\"/></Items></S>",
        juce::String::fromUTF8 ("<S><Items><\xc3\xa9 ID=\"1\" Num=\"5\"/></\xc3\xa8></Items></S>"),
        "<!DOCTYPE S [<!ENTITY x SYSTEM \"/etc/hostname\">]><S><Items><Item ID=\"1\" "
        "Num=\"&x;\"/></Items></S>",
        "<!DOCTYPE S [<!ENTITY a \"1\">]><S><Items><Item ID=\"1\" Num=\"&a;\"/></Items></S>",
        "<!DOCTYPE S [<!ENTITY a \"]>\"><S/>",
        "<!DOCTYPE><S/>",
        "<S/><!DOCTYPE S>",
    };

    for (const auto& text : bad)
    {
        const auto file = temp.write ("bad.quill25", text);
        EXPECT_FALSE (SettingsFile::load (store, file)) << text.substring (0, 80);
        EXPECT_TRUE (sameContents (store, reference)) << text.substring (0, 80);
    }

    // Bytes that are not UTF-8 text, and a character 0, which no document holds.
    const unsigned char latin1[] = {'<', 'S', '>', 0xE9, 0xFF, '<', '/', 'S', '>'};
    EXPECT_FALSE (SettingsFile::loadFromData (store, latin1, sizeof (latin1)));
    const char withZero[] = "<S/>\0<";
    EXPECT_FALSE (SettingsFile::loadFromData (store, withZero, sizeof (withZero) - 1));

    // As deep as the nesting bound allows still parses; one more does not.
    const auto nested = [] (int depth)
    { return juce::String::repeatedString ("<a>", depth) + juce::String::repeatedString ("</a>", depth); };
    EXPECT_TRUE (
        SettingsFile::load (store, temp.write ("nested.quill25", nested (SettingsFile::kMaxNesting))));
    EXPECT_FALSE (
        SettingsFile::load (store, temp.write ("nested.quill25", nested (SettingsFile::kMaxNesting + 1))));

    EXPECT_FALSE (SettingsFile::load (store, temp.file ("missing.quill25")));
    EXPECT_FALSE (SettingsFile::load (store, temp.folder()));
    EXPECT_TRUE (sameContents (store, reference));
}

TEST_F (SettingsFileTest, AcceptsAnyWellFormedEncodingOfTheTree)
{
    // UTF-16 with its byte-order mark, as another writer may produce it.
    const auto text = wrap ("<Settings><Globals><Param ID=\"1\" Value=\"127\"/></Globals></Settings>");
    juce::MemoryOutputStream utf16;
    utf16.writeByte (static_cast<char> (0xFF));
    utf16.writeByte (static_cast<char> (0xFE));
    for (auto c : text)
        utf16.writeShort (static_cast<short> (c));

    ASSERT_TRUE (SettingsFile::loadFromData (store, utf16.getData(), utf16.getDataSize()));
    EXPECT_EQ (store.globals[1].load(), 127);

    // Everything well-formed XML may hold around and inside the tree.
    const auto rich = temp.write ("rich.quill25", R"(<?xml version='1.0'?>
<!-- by hand --><?app note?>
<Settings a:b = 'x &amp; &#65; &#x42; &lt;&gt;&quot;&apos;' >
  text &amp; more <![CDATA[ <not> &markup; ]]> <?pi?> <!-- <Items> --><?pi?>text
  <Items><Item ID="5" Num="9" /><Item
     ID="6"
     Num="10"></Item></Items>
  <Globals/>
</Settings >
<!-- after -->
)");
    ASSERT_TRUE (SettingsFile::load (store, rich));
    EXPECT_EQ (store.getParamForItem (3, 5), 9);
    EXPECT_EQ (store.getParamForItem (3, 6), 10);

    // A document type declaration, whatever it holds, is skipped: nothing it names is opened.
    const auto declared = temp.write ("doctype.quill25", wrap (R"(<!DOCTYPE Settings>
<Settings><Items><Item ID="7" Num="11"/></Items></Settings>)"));
    ASSERT_TRUE (SettingsFile::load (store, declared));
    EXPECT_EQ (store.getParamForItem (3, 7), 11);

    const auto withSubset = temp.write ("subset.quill25", R"(<!DOCTYPE Settings SYSTEM "/no/such.dtd" [
  <!ELEMENT Settings ANY> <!-- ] > --> <!ATTLIST Item ID CDATA "9>"> %pe; <?pi ]?>
]><Settings><Items><Item ID="8" Num="12"/></Items></Settings>)");
    ASSERT_TRUE (SettingsFile::load (store, withSubset));
    EXPECT_EQ (store.getParamForItem (3, 8), 12);

    // Names with letters beyond ASCII: an element inside "Items" is an item whatever its name.
    const auto foreign = temp.write ("foreign.quill25", juce::String::fromUTF8 (R"(<Réglages Ünit="x">
  <Items><Élément ID="9" Num="13"/></Items></Réglages>)"));
    ASSERT_TRUE (SettingsFile::load (store, foreign));
    EXPECT_EQ (store.getParamForItem (3, 9), 13);

    // Declared ISO-8859-1, with an accented letter in a comment and in a value: converted.
    const std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!-- r\xe9glages -->"
                               "<S n=\"\xe9\"><Items><Item ID=\"10\" Num=\"14\"/></Items></S>";
    ASSERT_TRUE (SettingsFile::loadFromData (store, latin1.data(), latin1.size()));
    EXPECT_EQ (store.getParamForItem (3, 10), 14);

    // A UTF-8 byte-order mark and comments.
    const std::string withBom =
        "\xef\xbb\xbf<!-- saved --><S><Curves><Param ID=\"10\" Value=\"3\"/></Curves></S>";
    ASSERT_TRUE (SettingsFile::loadFromData (store, withBom.data(), withBom.size()));
    EXPECT_EQ (store.curves[10].load(), 3);
}

TEST_F (SettingsFileTest, AFileLargerThanTheLimitIsRefusedUnread)
{
    // A document padded with blanks after its root, as far as the limit and one byte beyond.
    const std::string document = R"(<S><Items><Item ID="200" Num="99"/></Items></S>)";
    const auto atLimit =
        document + std::string (static_cast<size_t> (SettingsFile::kMaxFileSize) - document.size(), ' ');
    const auto file = temp.file ("large.quill25");

    ASSERT_TRUE (file.replaceWithData (atLimit.data(), atLimit.size()));
    QexParameterStore loaded;
    EXPECT_TRUE (SettingsFile::load (loaded, file));
    EXPECT_EQ (loaded.getParamForItem (3, 200), 99);

    ASSERT_TRUE (file.appendText (" "));
    const auto beyond = atLimit + " ";

    // 16 GiB, nearly all of it a hole: read whole, it would take all memory.
    const auto sparse = temp.file ("sparse.quill25");
    ASSERT_TRUE (sparse.replaceWithData (document.data(), document.size()));
    ASSERT_EQ (::truncate (sparse.getFullPathName().toRawUTF8(), static_cast<off_t> (16) << 30), 0);

    QexParameterStore unchanged;
    EXPECT_FALSE (SettingsFile::load (unchanged, file));
    EXPECT_FALSE (SettingsFile::loadFromData (unchanged, beyond.data(), beyond.size()));
    EXPECT_FALSE (SettingsFile::load (unchanged, sparse));
    EXPECT_TRUE (sameContents (unchanged, store));
}

TEST_F (SettingsFileTest, OnlyARegularFileIsReadAndNoFolderIsReplaced)
{
    // A FIFO would block the reading until something writes into it.
    const auto fifo = temp.file ("fifo.quill25");
    ASSERT_EQ (::mkfifo (fifo.getFullPathName().toRawUTF8(), 0600), 0);
    auto loading = std::async (std::launch::async, [&] { return SettingsFile::load (store, fifo); });

    if (loading.wait_for (std::chrono::seconds (30)) != std::future_status::ready)
    {
        // Let the blocked reading end, so that the test can.
        ::close (::open (fifo.getFullPathName().toRawUTF8(), O_WRONLY | O_NONBLOCK));
        ADD_FAILURE() << "loading a FIFO blocked";
    }

    EXPECT_FALSE (loading.get());
    EXPECT_EQ (store.getParamForItem (3, 1), QexParameterStore().getParamForItem (3, 1));

    // An empty folder with the settings' name is neither replaced by a settings file nor by a chart.
    const auto folder = temp.file ("empty.quill25");
    ASSERT_TRUE (folder.createDirectory());
    EXPECT_FALSE (SettingsFile::save (store, folder));
    EXPECT_FALSE (MidiChart::generate (store, folder));
    EXPECT_TRUE (folder.isDirectory());
}

TEST_F (SettingsFileTest, AFailedWriteReportsFalseAndLeavesTheOldFile)
{
    EXPECT_FALSE (SettingsFile::save (store, temp.file ("no-such-folder").getChildFile ("x.quill25")));

    // A name so long that no temporary sibling can be made next to it.
    const auto old = temp.write (juce::String::repeatedString ("n", 240) + ".quill25", "old contents");
    ASSERT_TRUE (old.existsAsFile());
    EXPECT_FALSE (SettingsFile::save (store, old));
    EXPECT_EQ (old.loadFileAsString(), "old contents");

    // A folder in the way is not replaced.
    const auto folder = temp.file ("taken.quill25");
    folder.getChildFile ("inside").create();
    EXPECT_FALSE (SettingsFile::save (store, folder));
    EXPECT_TRUE (folder.getChildFile ("inside").existsAsFile());

    // Nothing is left behind next to the target.
    juce::Array<juce::File> leftovers;
    temp.folder().findChildFiles (leftovers, juce::File::findFiles, false, "*temp*");
    EXPECT_TRUE (leftovers.isEmpty());

    // A writable target is replaced as a whole.
    const auto target = temp.write ("ok.quill25", juce::String::repeatedString ("x", 100000));
    ASSERT_TRUE (SettingsFile::save (store, target));
    EXPECT_NE (juce::XmlDocument::parse (target), nullptr);
}
