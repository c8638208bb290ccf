#include "link/SettingsFile.h"
#include "link/MidiChart.h"
#include "link/QexParameterStore.h"
#include "support/TempFolder.h"

#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <set>
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

namespace
{
// `text`, ASCII, as UTF-16 in either byte order, with or without the byte-order mark.
std::string utf16 (const std::string& text, bool bigEndian, bool withMark)
{
    std::string out;
    const auto unit = [&out, bigEndian] (unsigned int u)
    {
        const char high = static_cast<char> (u >> 8), low = static_cast<char> (u & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };

    if (withMark)
        unit (0xFEFF);

    for (const char c : text)
        unit (static_cast<unsigned char> (c));

    return out;
}

std::string repeated (const std::string& text, int times)
{
    return juce::String::repeatedString (text, times).toStdString();
}

// Declarations of the entities e0 to e<count - 1>, each referring to the next, the last holding "x".
std::string entityChain (int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += "<!ENTITY e" + std::to_string (i) + " \"" +
               (i + 1 < count ? "&e" + std::to_string (i + 1) + ";" : std::string ("x")) + "\">";
    return out;
}

// `pattern` `count` times, each with its number in place of '@'.
std::string numbered (const std::string& pattern, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += juce::String (pattern).replace ("@", juce::String (i)).toStdString();
    return out;
}

// Ten levels of entities, each made of ten references to the one below: 10^10 characters.
std::string billionLaughs()
{
    std::string out = "<!DOCTYPE S [<!ENTITY a \"aaaaaaaaaa\">";
    for (char c = 'b'; c <= 'j'; ++c)
        out += std::string ("<!ENTITY ") + c + " \"" + repeated (std::string ("&") + char (c - 1) + ";", 10) +
               "\">";
    return out + "]>";
}

enum class Outcome
{
    refused,     // load gives false, the store is unchanged
    nothingRead, // load gives true, the store is unchanged
    item200Is99, // load gives true and stores number 99 for item 200
};

struct Document
{
    const char* label;
    std::string bytes;
    Outcome outcome;
};
} // namespace

TEST_F (SettingsFileTest, DocumentsLoadAsAnXmlParserReadsThem)
{
    const std::string item = R"(<Items><Item ID="200" Num="99"/></Items>)";
    const std::string inRoot = "<S>" + item + "</S>";
    const auto refused = Outcome::refused, nothing = Outcome::nothingRead, read = Outcome::item200Is99;

    std::vector<Document> documents = {
        // Not well-formed.
        {"empty", "", refused},
        {"unclosed root", "<S>" + item, refused},
        {"duplicate attribute", R"(<S><Items><Item ID="200" Num="99" Num="98"/></Items></S>)", refused},
        {"-- inside a comment", "<S><!-- a -- b -->" + item + "</S>", refused},
        {"]]> in text", "<S>]]>" + item + "</S>", refused},
        {"character reference 1", "<S>&#1;" + item + "</S>", refused},
        {"<?> is no processing instruction", "<S><?>" + item + "?></S>", refused},
        {"undeclared entity", R"(<S><Items><Item ID="200" Num="&n;"/></Items></S>)", refused},
        {"recursive entity",
         R"(<!DOCTYPE S [<!ENTITY n "&n;">]><S><Items><Item ID="200" Num="&n;"/></Items></S>)", refused},
        {"external entity in a value",
         R"(<!DOCTYPE S [<!ENTITY n SYSTEM "/etc/hostname">]><S><Items><Item ID="200" Num="&n;"/></Items></S>)",
         refused},
        {"UTF-16 with a character 0", utf16 (inRoot + std::string (1, '\0') + "<", false, true), refused},
        {"no UTF-8 and nothing declared", "<S n=\"\xe9\">" + item + "</S>", refused},
        {"encoding expat does not know", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>" + inRoot,
         refused},

        // Guards: more entities than a file of ours declares (expat would follow this chain
        // by recursion until its stack ran out), and expansion far beyond the document's size.
        {"long entity chain", "<!DOCTYPE S [" + entityChain (30000) + "]><S>&e0;" + item + "</S>", refused},
        {"billion laughs", billionLaughs() + "<S>&j;" + item + "</S>", refused},
        {"attribute default declared for every element",
         "<!DOCTYPE S [<!ATTLIST a Mode CDATA \"" + std::string (1000, '1') + "\">]><S>" +
             repeated ("<a/>", 50) + item + "</S>",
         refused},
        {"an attribute list longer than a file of ours declares",
         "<!DOCTYPE S [<!ATTLIST a " + numbered ("a@ CDATA #IMPLIED ", 65) + ">]>" + inRoot, refused},
        {"one large entity used often",
         "<!DOCTYPE S [<!ENTITY a \"" + std::string (100000, 'a') + "\">]><S>" + repeated ("&a;", 40) + item +
             "</S>",
         refused},

        // Well-formed documents whose tree holds no item 200.
        {"root holding only a comment", "<S><!--><Items><Item ID=\"200\" Num=\"99\"/></Items>--></S>",
         nothing},
        {"comment <!--->", "<S><!---><Items><Item ID=\"200\" Num=\"99\"/></Items>--></S>", nothing},
        {"comment in the prolog", "<!--><S>" + item + "</S>--><S/>", nothing},
        {"comment in the internal subset", "<!DOCTYPE S [<!--> ]>" + inRoot + " -->]><S/>", nothing},
        {"processing instruction", "<S><?pi " + item + "?></S>", nothing},
        {"only the first Items counts", "<S><Items/>" + item + "</S>", nothing},
        {"Items below another element", "<S><Other>" + item + "</Other></S>", nothing},

        // Well-formed documents of the tree, in every encoding expat reads.
        {"UTF-8", inRoot, read},
        {"UTF-8 with its byte-order mark", "\xef\xbb\xbf" + inRoot, read},
        {"ISO-8859-1, line end after <?xml",
         "<?xml\nversion=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!-- r\xe9glages --><S n=\"\xe9\">" + item +
             "</S>",
         read},
        {"US-ASCII", "<?xml version='1.0' encoding='US-ASCII'?>" + inRoot, read},
        {"another name of ISO-8859-1",
         "<?xml version='1.0' encoding='latin1'?><S n=\"\xe9\">" + item + "</S>", read},
        {"UTF-16LE with its mark", utf16 (inRoot, false, true), read},
        {"UTF-16BE with its mark", utf16 ("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + inRoot, true, true),
         read},
        {"UTF-16LE without a mark",
         utf16 ("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + inRoot, false, false), read},
        {"names beyond ASCII",
         "<R\xc3\xa9glages \xc3\x9cnit=\"x\"><Items><\xc3\x89l\xc3\xa9ment ID=\"200\" "
         "Num=\"99\"/></Items></R\xc3\xa9glages>",
         read},
        {"everything else a document may hold", R"(<?xml version='1.0' standalone='yes'?><!-- c --><?pi?>
<S a:b='&amp;&#65;'> text <![CDATA[<Items/>]]><Items>text<Item ID = "200"
  Num='9&#57;'><More/></Item></Items><Globals/></S >)",
         read},
        {"entities declared in the document",
         "<!DOCTYPE S [" + entityChain (63) +
             "<!ENTITY n \"9\">]><S><Items><Item ID=\"200\" Num=\"&n;&n;\"/></Items></S>",
         read},
        {"as many declarations as a document may make",
         "<!DOCTYPE S [<!ATTLIST a " + numbered ("a@ CDATA #IMPLIED ", 64) + ">]><S>" +
             repeated ("<a/>", 1000) + item + "</S>",
         read},
        {"declarations of every kind",
         "<!DOCTYPE S [" + numbered ("<!ELEMENT e@ ANY><!NOTATION n@ SYSTEM 'n'>", 100) +
             "<!ELEMENT S ANY><!ATTLIST Item Num CDATA #IMPLIED ID NMTOKEN #REQUIRED>"
             "<!NOTATION n SYSTEM 'n'><!ENTITY e '9'>]>" +
             inRoot,
         read},
        {"parameter entity declared in the document",
         R"(<!DOCTYPE S [<!ENTITY % p "<!ENTITY n '99'>"> %p;]><S><Items><Item ID="200" Num="&n;"/></Items></S>)",
         read},
        {"entity declared outside the document reads as nothing",
         R"(<!DOCTYPE S SYSTEM "/etc/hostname"><S><Items><Item ID="200" Num="9&n;9"/></Items></S>)", read},
        {"nested far deeper than read",
         "<S><Items><Item ID=\"200\" Num=\"99\">" + repeated ("<a>", 100000) + repeated ("</a>", 100000) +
             "</Item></Items></S>",
         read},
    };

    // A declaration of ISO-8859-1 in UTF-16 declares nothing the bytes can be read as, by
    // whichever of its names.
    for (const auto* name : {"ISO-8859-1", "latin1", "l1"})
        for (const bool bigEndian : {false, true})
            for (const bool withMark : {false, true})
                documents.push_back (
                    {name,
                     utf16 ("<?xml version=\"1.0\" encoding=\"" + std::string (name) + "\"?>", bigEndian,
                            withMark) +
                         inRoot,
                     refused});

    for (const auto& document : documents)
    {
        QexParameterStore loaded;
        const bool ok = SettingsFile::loadFromData (loaded, document.bytes.data(), document.bytes.size());

        EXPECT_EQ (ok, document.outcome != Outcome::refused) << document.label;
        EXPECT_EQ (loaded.getParamForItem (3, 200), document.outcome == Outcome::item200Is99 ? 99 : -1)
            << document.label;

        if (document.outcome != Outcome::item200Is99)
        {
            EXPECT_TRUE (sameContents (loaded, store)) << document.label;
        }
    }
}

TEST_F (SettingsFileTest, IntegersAreReadAsTheFrameworkReadsThem)
{
    const char* texts[] = {"+99",
                           " \t\n 42",
                           "-7x",
                           "",
                           "x1",
                           "- 1",
                           "+-1",
                           "0x10",
                           "2147483648",
                           "-2147483649",
                           "18446744073709551621",
                           "-9223372036854775809",
                           "99999999999999999999999",
                           "\xd9\xa1\xd9\xa2"};

    for (const auto* text : texts)
    {
        const auto document =
            wrap (R"(<S><Items><Item ID="200" Num=")" + juce::String::fromUTF8 (text) + "\"/></Items></S>");
        QexParameterStore loaded;
        ASSERT_TRUE (SettingsFile::loadFromData (loaded, document.toRawUTF8(), document.getNumBytesAsUTF8()));

        juce::XmlElement item ("Item");
        item.setAttribute ("Num", juce::String::fromUTF8 (text));
        EXPECT_EQ (loaded.getParamForItem (3, 200), item.getIntAttribute ("Num")) << text;
    }
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

    // A small file can bring so many items that their document, saved, would be refused:
    // save says so and writes nothing.
    std::string items = "<S><Items>";
    for (int id = 0; id < 12000; ++id)
        items += "<I ID=\"" + std::to_string (id) + "\"/>";
    items += "</Items></S>";
    ASSERT_TRUE (SettingsFile::loadFromData (unchanged, items.data(), items.size()));

    const auto saved = temp.file ("many.quill25");
    EXPECT_FALSE (SettingsFile::save (unchanged, saved));
    EXPECT_FALSE (saved.exists());
}

TEST_F (SettingsFileTest, NamesBeyondTheFormatsNeverReachTheTree)
{
    // Every item under a name of its own, with an attribute of a name of its own.
    std::string text = "<Root><Items>";
    for (int i = 0; i < 5000; ++i)
        text += "<n" + std::to_string (i) + " a" + std::to_string (i) + "=\"1\" ID=\"" + std::to_string (i) +
                "\" Num=\"" + std::to_string (i % 128) + "\"/>";
    text += "<Item ID=\"5000\" Num=\"5\"/></Items></Root>";

    ASSERT_TRUE (SettingsFile::loadFromData (store, text.data(), text.size()));
    EXPECT_EQ (store.getParamForItem (3, 4999), 4999 % 128);
    EXPECT_EQ (store.getParamForItem (3, 5000), 5);

    // JUCE pools every element and attribute name for good: the tree holds the format's
    // names and one name for all others.
    const auto root = SettingsFile::parseDocument (text.data(), text.size());
    ASSERT_NE (root, nullptr);
    std::set<juce::String> names{root->getTagName()};
    for (auto* item : root->getChildByName ("Items")->getChildIterator())
    {
        names.insert (item->getTagName());
        for (int a = 0; a < item->getNumAttributes(); ++a)
            names.insert (item->getAttributeName (a));
    }
    EXPECT_EQ (names, (std::set<juce::String>{"Other", "Item", "ID", "Num"}));
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

    // A folder in the way is not replaced.
    const auto folder = temp.file ("taken.quill25");
    folder.getChildFile ("inside").create();
    EXPECT_FALSE (SettingsFile::save (store, folder));
    EXPECT_TRUE (folder.getChildFile ("inside").existsAsFile());

    // A writable target is replaced as a whole, and nothing is left beside it.
    const auto target = temp.write ("ok.quill25", juce::String::repeatedString ("x", 100000));
    ASSERT_TRUE (SettingsFile::save (store, target));
    EXPECT_NE (juce::XmlDocument::parse (target), nullptr);
    EXPECT_EQ (temp.folder().getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"), 2);
}

TEST_F (SettingsFileTest, EveryNameTheSystemAllowsIsSaved)
{
    // 255 bytes is as long as a name may be, however many characters that takes.
    const juce::String ascii = juce::String::repeatedString ("n", 247) + ".quill25";
    const juce::String cjk =
        "n" + juce::String::repeatedString (juce::CharPointer_UTF8 ("\xe8\xa8\xad"), 82) + ".quill25";
    ASSERT_EQ (ascii.getNumBytesAsUTF8(), 255u);
    ASSERT_EQ (cjk.getNumBytesAsUTF8(), 255u);

    for (const auto& name : {ascii, cjk})
    {
        const auto file = temp.file (name);
        ASSERT_TRUE (!file.exists() && SettingsFile::save (store, file)) << "new " << name;
        ASSERT_TRUE (temp.write (name, "old").existsAsFile() && SettingsFile::save (store, file))
            << "over an old one " << name;
        QexParameterStore loaded;
        EXPECT_TRUE (SettingsFile::load (loaded, file)) << name;
    }

    EXPECT_EQ (temp.folder().getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"), 2);
    EXPECT_FALSE (SettingsFile::save (store, temp.file ("n" + ascii)));
}
