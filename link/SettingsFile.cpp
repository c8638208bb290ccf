#include "link/SettingsFile.h"

#include "link/QexParameterStore.h"

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

// A strict check of the document's form, run before JUCE's parser sees it. The parser
// follows nesting by recursion and expands references from a document type declaration
// (which may nest without bound or name other files), and it reads on after errors; so it
// is given only well-formed documents without such a declaration, nested no deeper than
// kMaxNesting, for which its reading and the document's structure agree. Element and
// attribute names are plain ASCII, as every document of ours writes them.
class FormCheck
{
public:
    explicit FormCheck (const char* text)
        : p (text)
    {
    }

    bool documentIsWellFormed()
    {
        skipMisc();

        if (*p != '<' || !element())
            return false;

        skipMisc();
        return *p == 0;
    }

private:
    static bool isSpace (char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    static bool isNameStart (char c)
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
    }
    static bool isNameChar (char c)
    {
        return isNameStart (c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
    }

    bool startsWith (const char* token) const
    {
        for (size_t i = 0; token[i] != 0; ++i)
            if (p[i] != token[i])
                return false;

        return true;
    }

    // Moves past the next `token`; false when the text ends first.
    bool skipPast (const char* token)
    {
        const auto* found = std::strstr (p, token);

        if (found == nullptr)
            return false;

        p = found + std::strlen (token);
        return true;
    }

    void skipSpace()
    {
        while (isSpace (*p))
            ++p;
    }

    // Blanks, comments and processing instructions (the XML declaration among them).
    void skipMisc()
    {
        for (;;)
        {
            skipSpace();

            if (startsWith ("<!--"))
            {
                if (!skipPast ("-->"))
                    return;
            }
            else if (startsWith ("<?"))
            {
                if (!skipPast ("?>"))
                    return;
            }
            else
            {
                return;
            }
        }
    }

    bool name (std::string_view& result)
    {
        if (!isNameStart (*p))
            return false;

        const auto* start = p;

        while (isNameChar (*p))
            ++p;

        result = std::string_view (start, static_cast<size_t> (p - start));
        return true;
    }

    // A character or predefined entity reference; nothing else can be defined without a DTD.
    bool reference()
    {
        ++p; // '&'

        if (*p == '#')
        {
            const bool hex = p[1] == 'x';
            p += hex ? 2 : 1;
            std::uint32_t code = 0;
            int digits = 0;

            for (; *p != ';'; ++p, ++digits)
            {
                const int value =
                    juce::CharacterFunctions::getHexDigitValue (static_cast<juce::juce_wchar> (*p));

                if (value < 0 || (!hex && value > 9) || digits >= 8)
                    return false;

                code = code * (hex ? 16u : 10u) + static_cast<std::uint32_t> (value);
            }

            ++p;
            const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
            return digits > 0 && code > 0 && code <= 0x10FFFF && !surrogate;
        }

        for (const char* entity : {"amp;", "lt;", "gt;", "quot;", "apos;"})
        {
            if (startsWith (entity))
            {
                p += std::strlen (entity);
                return true;
            }
        }

        return false;
    }

    bool attributeValue()
    {
        const char quote = *p;

        if (quote != '"' && quote != '\'')
            return false;

        for (++p; *p != quote;)
        {
            if (*p == 0 || *p == '<')
                return false;

            if (*p != '&')
                ++p;
            else if (!reference())
                return false;
        }

        ++p;
        return true;
    }

    // A start tag's name and attributes; `empty` tells whether it closed itself.
    bool startTag (std::string_view& tagName, bool& empty)
    {
        ++p; // '<'

        if (!name (tagName))
            return false;

        for (;;)
        {
            const bool spaced = isSpace (*p);
            skipSpace();

            if (startsWith ("/>") || *p == '>')
            {
                empty = *p == '/';
                p += empty ? 2 : 1;
                return true;
            }

            std::string_view attributeName;

            if (!spaced || !name (attributeName))
                return false;

            skipSpace();

            if (*p++ != '=')
                return false;

            skipSpace();

            if (!attributeValue())
                return false;
        }
    }

    // The root element and everything inside it, walked without recursion.
    bool element()
    {
        std::vector<std::string_view> open;

        for (;;)
        {
            if (*p == '<' && p[1] == '/')
            {
                p += 2;
                std::string_view closing;

                if (open.empty() || !name (closing) || closing != open.back())
                    return false;

                skipSpace();

                if (*p++ != '>')
                    return false;

                open.pop_back();

                if (open.empty())
                    return true;
            }
            else if (startsWith ("<!--"))
            {
                if (open.empty() || !skipPast ("-->"))
                    return false;
            }
            else if (startsWith ("<?"))
            {
                if (open.empty() || !skipPast ("?>"))
                    return false;
            }
            else if (startsWith ("<![CDATA["))
            {
                if (open.empty() || !skipPast ("]]>"))
                    return false;
            }
            else if (*p == '<')
            {
                std::string_view tagName;
                bool empty = false;

                if (!startTag (tagName, empty))
                    return false;

                if (open.empty() && empty)
                    return true;

                if (!empty)
                {
                    if (open.size() >= static_cast<size_t> (SettingsFile::kMaxNesting))
                        return false;

                    open.push_back (tagName);
                }
            }
            else if (open.empty() || *p == 0)
            {
                return false;
            }
            else if (*p == '&')
            {
                if (!reference())
                    return false;
            }
            else
            {
                ++p;
            }
        }
    }

    const char* p;
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
    // juce::XmlElement::writeTo writes a temporary sibling and moves it over the target
    // only when every byte is out.
    return createDocument (store)->writeTo (file, textFormat());
}

bool SettingsFile::load (QexParameterStore& store, const juce::File& file)
{
    juce::MemoryBlock bytes;

    if (!file.existsAsFile() || !file.loadFileAsData (bytes))
        return false;

    return loadFromData (store, bytes.getData(), bytes.getSize());
}

std::unique_ptr<juce::XmlElement> SettingsFile::parseDocument (const void* data, size_t size)
{
    if (data == nullptr || size == 0 || size > static_cast<size_t> (std::numeric_limits<int>::max()))
        return {};

    auto* bytes = static_cast<const juce::uint8*> (data);
    juce::String text;

    if (size >= 2 && (juce::CharPointer_UTF16::isByteOrderMarkBigEndian (bytes) ||
                      juce::CharPointer_UTF16::isByteOrderMarkLittleEndian (bytes)))
    {
        text = juce::String::createStringFromData (data, static_cast<int> (size));
    }
    else
    {
        auto* start = reinterpret_cast<const char*> (bytes);
        auto length = size;

        if (length >= 3 && juce::CharPointer_UTF8::isByteOrderMark (start))
        {
            start += 3;
            length -= 3;
        }

        // Text that is not UTF-8 is no document of ours; JUCE would read past its end.
        if (!juce::CharPointer_UTF8::isValidString (start, static_cast<int> (length)))
            return {};

        text = juce::String::fromUTF8 (start, static_cast<int> (length));
    }

    if (!FormCheck (text.toRawUTF8()).documentIsWellFormed())
        return {};

    // Parsed from text, not from the file, so that nothing outside it is ever opened.
    return juce::XmlDocument::parse (text);
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
