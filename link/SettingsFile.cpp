#include "link/SettingsFile.h"

#include "files/AtomicFileWriter.h"
#include "files/RegularFileInputStream.h"
#include "link/QexParameterStore.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

// Debian's expat is built with DTD support; its header declares the limits on entity
// expansion only when told so.
#define XML_DTD
#include <expat.h>

static_assert (sizeof (XML_Char) == 1, "expat reports names and values in UTF-8");

namespace
{
// Attribute names of an "Item", in the order they are written; entry k belongs to item
// parameter k + 1, with the value loading gives it when the attribute is absent.
struct ItemAttribute
{
    const char* name;
    int defaultValue;
};

constexpr std::array<ItemAttribute, 6> kItemAttributes{{
    {"Mode", 0},
    {"Chan", 0},
    {"Num", 0},
    {"MinLSB", 0},
    {"MaxMSB", 127},
    {"Option", 127},
}};

constexpr int kNumberParam = 3;

// What a parsed document holds for the store, gathered before the store is touched so that
// the merge happens in one step: the entries of the item maps, and the settings by number.
// An item or a setting named twice keeps the last value, as the file reads.
struct LoadedSettings
{
    std::array<QexParameterStore::ParamMap, QexParameterStore::kNumParams> items;
    QexParameterStore::SettingValues globals, curves;
};

std::int16_t lowSixteenBits (int value)
{
    return static_cast<std::int16_t> (
        static_cast<std::uint16_t> (static_cast<unsigned int> (value) & 0xFFFFu));
}

void readSettingList (const juce::XmlElement* list, int count, QexParameterStore::SettingValues& into)
{
    if (list == nullptr)
        return;

    for (auto* param : list->getChildIterator())
    {
        const int id = param->getIntAttribute ("ID", -1);

        if (id >= 0 && id < count)
            into[id] = lowSixteenBits (param->getIntAttribute ("Value", 0));
    }
}

// Integers are read as juce::XmlElement::getIntAttribute reads them, as files edited by hand
// may rely on: leading blanks and a sign, digits up to the first other character, and what
// the C library's atoi makes of values beyond the int range.
LoadedSettings readDocument (const juce::XmlElement& root)
{
    LoadedSettings loaded;

    // The root's name is not looked at: any document with these children loads.
    if (auto* items = root.getChildByName ("Items"))
    {
        for (auto* item : items->getChildIterator())
        {
            const int id = item->getIntAttribute ("ID", -1);

            if (id < 0)
                continue;

            for (size_t k = 0; k < kItemAttributes.size(); ++k)
                loaded.items[k + 1][id] =
                    item->getIntAttribute (kItemAttributes[k].name, kItemAttributes[k].defaultValue);
        }
    }

    readSettingList (root.getChildByName ("Globals"), QexParameterStore::kNumGlobals, loaded.globals);
    readSettingList (root.getChildByName ("Curves"), QexParameterStore::kNumCurves, loaded.curves);
    return loaded;
}

// Writes the document when its text is at most `maxSize` bytes: the bytes judged are the bytes
// written. Everything that allocates comes before the file is touched, so running out of memory
// only refuses the save.
bool writeWithin (const std::function<std::unique_ptr<juce::XmlElement>()>& makeDocument,
                  const juce::File& file, juce::int64 maxSize)
{
    try
    {
        juce::MemoryOutputStream text;
        makeDocument()->writeTo (text, SettingsFile::textFormat());

        return static_cast<juce::int64> (text.getDataSize()) <= maxSize &&
               AtomicFileWriter::write (file, text.getData(), text.getDataSize());
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
}

template <size_t count>
void appendSettingList (juce::XmlElement& root, const char* name,
                        const std::array<juce::int16, count>& values)
{
    auto* list = root.createNewChildElement (name);

    for (size_t i = 0; i < count; ++i)
    {
        auto* param = list->createNewChildElement ("Param");
        param->setAttribute ("ID", static_cast<int> (i));
        param->setAttribute ("Value", static_cast<int> (values[i]));
    }
}

// Our files declare nothing. Expat keeps the entities and attributes a document declares: it
// follows a chain of entities that refer to each other by recursion, one stack frame per
// link, and walks the attributes declared for an element's name at every element of that
// name. So a document may declare only a few of them. (Declarations of elements and
// notations, which expat passes over when nobody asks for them, cost no more than text.)
constexpr int kMaxDeclarations = 64;

// Once expat has produced as much text as the largest file holds, entity references may
// make it produce at most twice what the document itself holds (a predefined one such as
// &amp; counts too, 1.2 times).
constexpr float kMaxAmplification = 2.0f;

// The names of the format, pooled once: JUCE keeps every element and attribute name in one
// global pool that never shrinks, so no other name of a document is ever made into one.
class FormatNames
{
public:
    static const FormatNames& get()
    {
        static const FormatNames names;
        return names;
    }

    // The element's own name when the format has it; else one name for all others, which
    // loading never looks at.
    const juce::Identifier& element (const char* text) const
    {
        const auto* found = find (elements, text);
        return found != nullptr ? *found : other;
    }

    // Null for an attribute loading never reads.
    const juce::Identifier* attribute (const char* text) const { return find (attributes, text); }

private:
    using Names = std::vector<std::pair<const char*, juce::Identifier>>;

    FormatNames()
    {
        for (const char* name : {"Settings", "Items", "Item", "Globals", "Curves", "Param"})
            elements.emplace_back (name, name);

        for (const char* name : {"ID", "Value"})
            attributes.emplace_back (name, name);

        for (const auto& a : kItemAttributes)
            attributes.emplace_back (a.name, a.name);
    }

    static const juce::Identifier* find (const Names& names, const char* text)
    {
        for (const auto& [name, id] : names)
            if (std::strcmp (name, text) == 0)
                return &id;

        return nullptr;
    }

    Names elements, attributes;
    const juce::Identifier other{"Other"};
};

// Expat knows ISO-8859-1 by that name only; the other names of the encoding, which files
// edited by hand may declare, map each byte to the character of the same number. Expat asks
// for an encoding it does not know whatever bytes the declaration was read from, and UTF-16
// read one byte at a time is another document: the name counts only when the declaration
// opens the document in one-byte characters. The handler gets the document's first bytes;
// expat asks once it has read a whole declaration, which is longer than five bytes in any
// encoding. It allocates nothing, as nothing may be thrown through expat.
int XMLCALL latin1Alias (void* documentStart, const XML_Char* name, XML_Encoding* info)
{
    static constexpr const char* kAliases[] = {"ISO_8859-1", "ISO8859-1", "latin1", "latin-1",    "l1",
                                               "iso-ir-100", "IBM819",    "CP819",  "csISOLatin1"};

    if (std::memcmp (documentStart, "<?xml", 5) != 0)
        return XML_STATUS_ERROR;

    for (const auto* alias : kAliases)
    {
        if (juce::CharPointer_UTF8 (name).compareIgnoreCase (juce::CharPointer_UTF8 (alias)) == 0)
        {
            for (int i = 0; i < 256; ++i)
                info->map[i] = i;

            info->data = nullptr;
            info->convert = nullptr;
            info->release = nullptr;
            return XML_STATUS_OK;
        }
    }

    return XML_STATUS_ERROR;
}

// Builds from expat's events the part of the element tree that loading walks, and nothing
// else: the root, its first "Items", "Globals" and "Curves", their children whatever their
// names, and those children's attributes of the format. Deeper elements are skipped, so
// the tree, whose destructor recurses, is never more than three levels deep.
class TreeBuilder
{
public:
    explicit TreeBuilder (XML_Parser parserToStop)
        : parser (parserToStop)
    {
    }

    // The tree, once expat has parsed the whole document without an error.
    std::unique_ptr<juce::XmlElement> takeRoot() { return failed ? nullptr : std::move (root); }

    static void XMLCALL startElement (void* builder, const XML_Char* name, const XML_Char** attributes)
    {
        static_cast<TreeBuilder*> (builder)->guarded ([&] (TreeBuilder& b) { b.start (name, attributes); });
    }

    static void XMLCALL endElement (void* builder, const XML_Char*)
    {
        static_cast<TreeBuilder*> (builder)->guarded ([] (TreeBuilder& b) { b.end(); });
    }

    static void XMLCALL entityDeclared (void* builder, const XML_Char*, int, const XML_Char*, int,
                                        const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*)
    {
        static_cast<TreeBuilder*> (builder)->countDeclaration();
    }

    // Our files declare no attribute defaults. Expat hands a declared default to every
    // element of that name without counting it against the expansion limits, so a small
    // document could bring billions of attributes or copies of one huge value.
    static void XMLCALL attributeDeclared (void* builder, const XML_Char*, const XML_Char*, const XML_Char*,
                                           const XML_Char* defaultValue, int)
    {
        auto& b = *static_cast<TreeBuilder*> (builder);

        if (defaultValue != nullptr)
            b.stop();
        else
            b.countDeclaration();
    }

private:
    // Nothing may be thrown through expat's C code.
    template <typename Step>
    void guarded (Step&& step)
    {
        try
        {
            step (*this);
        }
        catch (...)
        {
            stop();
        }
    }

    void countDeclaration()
    {
        if (++declarations > kMaxDeclarations)
            stop();
    }

    void stop()
    {
        failed = true;
        XML_StopParser (parser, XML_FALSE);
    }

    void start (const XML_Char* name, const XML_Char** attributes)
    {
        ++depth;

        if (depth == 1)
            root = std::make_unique<juce::XmlElement> (FormatNames::get().element (name));
        else if (depth == 2)
            openList (name);
        else if (depth == 3 && list != nullptr)
            children.push_back (makeChild (name, attributes));
    }

    void end()
    {
        // Prepended from the last, since appending walks the whole list of children.
        if (depth == 2 && list != nullptr)
        {
            for (auto child = children.rbegin(); child != children.rend(); ++child)
                list->prependChildElement (child->release());

            children.clear();
            list = nullptr;
        }

        --depth;
    }

    // Only the first list of each name is read.
    void openList (const XML_Char* name)
    {
        for (size_t i = 0; i < kListNames.size(); ++i)
        {
            if (std::strcmp (name, kListNames[i]) == 0 && !listSeen[i])
            {
                listSeen[i] = true;
                list = root->createNewChildElement (FormatNames::get().element (name));
            }
        }
    }

    static std::unique_ptr<juce::XmlElement> makeChild (const XML_Char* name, const XML_Char** attributes)
    {
        const auto& names = FormatNames::get();
        auto child = std::make_unique<juce::XmlElement> (names.element (name));

        // Expat has refused any element with an attribute twice.
        for (auto* a = attributes; *a != nullptr; a += 2)
            if (const auto* id = names.attribute (a[0]))
                child->setAttribute (*id, juce::String::fromUTF8 (a[1]));

        return child;
    }

    static constexpr std::array<const char*, 3> kListNames{"Items", "Globals", "Curves"};

    const XML_Parser parser;
    std::unique_ptr<juce::XmlElement> root;
    juce::XmlElement* list = nullptr;
    std::vector<std::unique_ptr<juce::XmlElement>> children;
    std::array<bool, kListNames.size()> listSeen{};
    size_t depth = 0;
    int declarations = 0;
    bool failed = false;
};
} // namespace

juce::XmlElement::TextFormat SettingsFile::textFormat()
{
    juce::XmlElement::TextFormat format;
    format.dtd = {};
    format.customEncoding = "UTF-8";
    format.lineWrapLength = 60;
    return format;
}

std::unique_ptr<juce::XmlElement> SettingsFile::createDocument (const QexParameterStore& store)
{
    // One consistent copy of the whole store: the MIDI thread may be storing replies
    // meanwhile.
    const auto state = store.snapshotState();
    const auto& maps = state.maps;
    const auto& numbers = maps.itemParams[kNumberParam];

    auto root = std::make_unique<juce::XmlElement> ("Settings");
    auto* items = root->createNewChildElement ("Items");

    for (const auto& entry : numbers)
    {
        const int item = entry.first;
        auto* element = items->createNewChildElement ("Item");
        element->setAttribute ("ID", item);

        for (size_t k = 0; k < kItemAttributes.size(); ++k)
        {
            const auto& map = maps.itemParams[k + 1];
            const auto found = map.find (item);
            element->setAttribute (kItemAttributes[k].name, found != map.end() ? found->second : 0);
        }
    }

    appendSettingList (*root, "Globals", state.globals);
    appendSettingList (*root, "Curves", state.curves);
    return root;
}

bool SettingsFile::save (const QexParameterStore& store, const juce::File& file)
{
    // A store that loading filled with many items can make a document larger than loading
    // accepts; such a file is not written, rather than written and refused later.
    return writeWithin ([&store] { return createDocument (store); }, file, kMaxFileSize);
}

bool SettingsFile::writeDocument (const std::function<std::unique_ptr<juce::XmlElement>()>& makeDocument,
                                  const juce::File& file)
{
    return writeWithin (makeDocument, file, std::numeric_limits<juce::int64>::max());
}

bool SettingsFile::load (QexParameterStore& store, const juce::File& file)
{
    try
    {
        juce::MemoryBlock bytes;

        if (!RegularFileInputStream::readWhole (file, kMaxFileSize, bytes))
            return false;

        return loadFromData (store, bytes.getData(), bytes.getSize());
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
}

std::unique_ptr<juce::XmlElement> SettingsFile::parseDocument (const void* data, size_t size)
{
    if (data == nullptr || size > static_cast<size_t> (kMaxFileSize))
        return {};

    const std::unique_ptr<XML_ParserStruct, decltype (&XML_ParserFree)> parser (XML_ParserCreate (nullptr),
                                                                                &XML_ParserFree);

    if (parser == nullptr)
        return {};

    TreeBuilder builder (parser.get());
    XML_SetUserData (parser.get(), &builder);
    XML_SetElementHandler (parser.get(), TreeBuilder::startElement, TreeBuilder::endElement);
    XML_SetEntityDeclHandler (parser.get(), TreeBuilder::entityDeclared);
    XML_SetAttlistDeclHandler (parser.get(), TreeBuilder::attributeDeclared);
    XML_SetUnknownEncodingHandler (parser.get(), latin1Alias, const_cast<void*> (data));

    // No external entity handler is set: expat opens nothing, and a reference to an entity
    // declared outside the document reads as nothing. Parameter entities declared in the
    // document itself are expanded, under the same limits as the others.
    if (XML_SetParamEntityParsing (parser.get(), XML_PARAM_ENTITY_PARSING_UNLESS_STANDALONE) == 0 ||
        !XML_SetBillionLaughsAttackProtectionMaximumAmplification (parser.get(), kMaxAmplification) ||
        !XML_SetBillionLaughsAttackProtectionActivationThreshold (
            parser.get(), static_cast<unsigned long long> (kMaxFileSize)))
        return {};

    if (XML_Parse (parser.get(), static_cast<const char*> (data), static_cast<int> (size), XML_TRUE) !=
        XML_STATUS_OK)
        return {};

    return builder.takeRoot();
}

bool SettingsFile::loadFromData (QexParameterStore& store, const void* data, size_t size)
{
    // Everything that allocates comes before the merge, which allocates nothing: running out
    // of memory refuses the file and leaves the store as it was.
    try
    {
        const auto root = parseDocument (data, size);

        if (root == nullptr)
            return false;

        auto loaded = readDocument (*root);

        // One step, so that a reply arriving meanwhile, or a copy taken for Send, never sees
        // half a file.
        store.mergeItemParams (std::move (loaded.items), loaded.globals, loaded.curves);
        return true;
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
}
