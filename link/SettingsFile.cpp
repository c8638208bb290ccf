#include "link/SettingsFile.h"

#include "link/QexParameterStore.h"
#include "link/RegularFileInputStream.h"
#include "link/XmlFormCheck.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

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

struct LoadedItem
{
    int id;
    std::array<int, 6> values;
};

struct LoadedSetting
{
    int id;
    std::int16_t value;
};

// What a parsed document holds for the store, gathered before the store is touched so that
// the merge happens in one step.
struct LoadedSettings
{
    std::vector<LoadedItem> items;
    std::vector<LoadedSetting> globals, curves;
};

std::int16_t lowSixteenBits (int value)
{
    return static_cast<std::int16_t> (
        static_cast<std::uint16_t> (static_cast<unsigned int> (value) & 0xFFFFu));
}

void readSettingList (const juce::XmlElement* list, int count, std::vector<LoadedSetting>& into)
{
    if (list == nullptr)
        return;

    for (auto* param : list->getChildIterator())
    {
        const int id = SettingsFile::readIntAttribute (*param, "ID", -1);

        if (id >= 0 && id < count)
            into.push_back ({id, lowSixteenBits (SettingsFile::readIntAttribute (*param, "Value", 0))});
    }
}

LoadedSettings readDocument (const juce::XmlElement& root)
{
    LoadedSettings loaded;

    // The root's name is not looked at: any document with these children loads.
    if (auto* items = root.getChildByName ("Items"))
    {
        for (auto* item : items->getChildIterator())
        {
            LoadedItem entry{};
            entry.id = SettingsFile::readIntAttribute (*item, "ID", -1);

            if (entry.id < 0)
                continue;

            for (size_t k = 0; k < kItemAttributes.size(); ++k)
                entry.values[k] = SettingsFile::readIntAttribute (*item, kItemAttributes[k].name,
                                                                  kItemAttributes[k].defaultValue);

            loaded.items.push_back (entry);
        }
    }

    readSettingList (root.getChildByName ("Globals"), QexParameterStore::kNumGlobals, loaded.globals);
    readSettingList (root.getChildByName ("Curves"), QexParameterStore::kNumCurves, loaded.curves);
    return loaded;
}

template <size_t count>
void appendSettingList (juce::XmlElement& root, const char* name,
                        const std::array<std::atomic<juce::int16>, count>& values)
{
    auto* list = root.createNewChildElement (name);

    for (size_t i = 0; i < count; ++i)
    {
        auto* param = list->createNewChildElement ("Param");
        param->setAttribute ("ID", static_cast<int> (i));
        param->setAttribute ("Value", static_cast<int> (values[i].load()));
    }
}

// Encodings a file may declare whose characters are all single bytes with the values of
// their code points. Such a file is converted before it is parsed; a file that declares no
// encoding or any other must be UTF-8 (or UTF-16 with its byte-order mark).
constexpr const char* kLatin1Names[] = {"ISO-8859-1", "ISO_8859-1", "ISO8859-1",  "ISO_8859-1:1987",
                                        "latin1",     "latin-1",    "l1",         "iso-ir-100",
                                        "IBM819",     "CP819",      "csISOLatin1"};

// The encoding named by the XML declaration at the very start of `text`, or "".
std::string_view declaredEncoding (std::string_view text)
{
    if (text.substr (0, 6) != "<?xml ")
        return {};

    const auto declaration = text.substr (0, text.find ("?>"));
    const auto open = declaration.find_first_of ("\"'", declaration.find ("encoding"));

    if (open == std::string_view::npos)
        return {};

    const auto close = declaration.find (declaration[open], open + 1);

    if (close == std::string_view::npos)
        return {};

    return declaration.substr (open + 1, close - open - 1);
}

char asciiLowerCase (char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char> (c - 'A' + 'a') : c;
}

bool isLatin1 (std::string_view encoding)
{
    const auto named = [encoding] (std::string_view name)
    {
        return name.size() == encoding.size() &&
               std::equal (name.begin(), name.end(), encoding.begin(),
                           [] (char x, char y) { return asciiLowerCase (x) == asciiLowerCase (y); });
    };

    return std::any_of (std::begin (kLatin1Names), std::end (kLatin1Names), named);
}

// Each byte is the code point of its character.
juce::String fromLatin1 (const char* bytes, size_t size)
{
    std::string utf8;
    utf8.reserve (2 * size);

    for (size_t i = 0; i < size; ++i)
    {
        const auto c = static_cast<unsigned char> (bytes[i]);

        if (c < 0x80)
        {
            utf8 += static_cast<char> (c);
        }
        else
        {
            utf8 += static_cast<char> (0xC0 | (c >> 6));
            utf8 += static_cast<char> (0x80 | (c & 0x3F));
        }
    }

    return juce::String::fromUTF8 (utf8.data(), static_cast<int> (utf8.size()));
}

// The file's bytes as text; empty when they are no text in the encoding they declare.
juce::String decodeText (const void* data, size_t size)
{
    auto* start = static_cast<const char*> (data);
    const auto length = static_cast<int> (size);

    if (size >= 2 && (juce::CharPointer_UTF16::isByteOrderMarkBigEndian (data) ||
                      juce::CharPointer_UTF16::isByteOrderMarkLittleEndian (data)))
        return juce::String::createStringFromData (data, length);

    // No character of an XML document is 0; JUCE would take it for the end of the text.
    if (std::memchr (start, 0, size) != nullptr)
        return {};

    if (size >= 3 && juce::CharPointer_UTF8::isByteOrderMark (start))
        return juce::CharPointer_UTF8::isValidString (start + 3, length - 3)
                   ? juce::String::fromUTF8 (start + 3, length - 3)
                   : juce::String();

    if (isLatin1 (declaredEncoding (std::string_view (start, size))))
        return fromLatin1 (start, size);

    // Text that is not UTF-8 is no document of ours; JUCE would read past its end.
    return juce::CharPointer_UTF8::isValidString (start, length) ? juce::String::fromUTF8 (start, length)
                                                                 : juce::String();
}
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
    // One consistent copy: the MIDI thread may be storing replies meanwhile.
    const auto maps = store.snapshot();
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

    appendSettingList (*root, "Globals", store.globals);
    appendSettingList (*root, "Curves", store.curves);
    return root;
}

bool SettingsFile::save (const QexParameterStore& store, const juce::File& file)
{
    return writeDocument (*createDocument (store), file);
}

bool SettingsFile::writeDocument (const juce::XmlElement& document, const juce::File& file)
{
    // Moving the written file into place would remove an empty directory of that name.
    if (file.isDirectory())
        return false;

    // juce::XmlElement::writeTo writes a temporary sibling and moves it over the target
    // only when every byte is out.
    return document.writeTo (file, textFormat());
}

bool SettingsFile::load (QexParameterStore& store, const juce::File& file)
{
    juce::MemoryBlock bytes;

    if (!RegularFileInputStream::readWhole (file, kMaxFileSize, bytes))
        return false;

    return loadFromData (store, bytes.getData(), bytes.getSize());
}

std::unique_ptr<juce::XmlElement> SettingsFile::parseDocument (const void* data, size_t size)
{
    if (data == nullptr || size == 0 || size > static_cast<size_t> (kMaxFileSize))
        return {};

    const auto forParser =
        XmlFormCheck::rootElementForParser (decodeText (data, size).toRawUTF8(), kMaxNesting);

    if (forParser.isEmpty())
        return {};

    // Parsed from text, not from the file, so that nothing outside it is ever opened.
    return juce::XmlDocument::parse (forParser);
}

bool SettingsFile::loadFromData (QexParameterStore& store, const void* data, size_t size)
{
    const auto root = parseDocument (data, size);

    if (root == nullptr)
        return false;

    const auto loaded = readDocument (*root);

    std::array<QexParameterStore::ParamMap, QexParameterStore::kNumParams> entries;

    for (const auto& item : loaded.items)
        for (size_t k = 0; k < kItemAttributes.size(); ++k)
            entries[k + 1][item.id] = item.values[k];

    // One step, so that a reply arriving meanwhile never sees half a file.
    store.mergeItemParams (entries);

    for (const auto& g : loaded.globals)
        store.globals[static_cast<size_t> (g.id)].store (g.value);

    for (const auto& c : loaded.curves)
        store.curves[static_cast<size_t> (c.id)].store (c.value);

    return true;
}

int SettingsFile::readIntAttribute (const juce::XmlElement& element, juce::StringRef name, int defaultValue)
{
    if (!element.hasAttribute (name))
        return defaultValue;

    const auto& text = element.getStringAttribute (name);
    auto p = text.getCharPointer().findEndOfWhitespace();
    const bool negative = *p == '-';

    if (negative)
        ++p;

    std::uint32_t v = 0;

    for (auto c = p.getAndAdvance(); c >= '0' && c <= '9'; c = p.getAndAdvance())
        v = v * 10u + static_cast<std::uint32_t> (c - '0');

    if (negative)
        v = 0u - v;

    // Two's complement reinterpretation, as the wrapping parse gives it.
    return v <= static_cast<std::uint32_t> (std::numeric_limits<int>::max()) ? static_cast<int> (v)
                                                                             : -static_cast<int> (~v) - 1;
}
