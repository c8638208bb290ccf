#include "link/XmlFormCheck.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{
bool isSpace (char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Any character beyond ASCII counts as a letter: the text is known to be valid UTF-8, and
// whether a foreign letter may start a name changes nothing that is read from the document.
bool isNonAscii (char c)
{
    return (static_cast<unsigned char> (c) & 0x80) != 0;
}

bool isNameStart (char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || isNonAscii (c);
}

bool isNameChar (char c)
{
    return isNameStart (c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}
} // namespace

juce::String XmlFormCheck::rootElementForParser (const char* text, int maxNesting)
{
    XmlFormCheck check (text, maxNesting);

    if (!check.document())
        return {};

    return juce::String::fromUTF8 (check.forParser.data() + check.rootBegin,
                                   static_cast<int> (check.rootEnd - check.rootBegin));
}

XmlFormCheck::XmlFormCheck (const char* text, int nesting)
    : start (text)
    , p (text)
    , maxNesting (nesting)
    , forParser (text)
{
}

bool XmlFormCheck::document()
{
    skipMisc();

    if (startsWith ("<!DOCTYPE"))
    {
        if (!documentType())
            return false;

        skipMisc();
    }

    if (*p != '<')
        return false;

    rootBegin = static_cast<size_t> (p - start);

    if (!element())
        return false;

    rootEnd = static_cast<size_t> (p - start);
    skipMisc();
    return *p == 0;
}

// Its name, its external identifier and its internal subset are skipped, never looked at.
bool XmlFormCheck::documentType()
{
    p += 9; // "<!DOCTYPE"
    std::string_view word;

    if (!isSpace (*p))
        return false;

    skipSpace();

    if (!name (word))
        return false;

    for (;;)
    {
        skipSpace();

        if (*p == '>')
        {
            ++p;
            return true;
        }

        if (*p == '[')
        {
            ++p;

            if (!internalSubset())
                return false;
        }
        else if (*p == '"' || *p == '\'')
        {
            if (!skipQuoted())
                return false;
        }
        else if (!name (word)) // SYSTEM or PUBLIC
        {
            return false;
        }
    }
}

bool XmlFormCheck::internalSubset()
{
    std::string_view entity;

    for (;;)
    {
        skipSpace();

        if (*p == ']')
        {
            ++p;
            return true;
        }

        if (startsWith ("<!--"))
        {
            if (!skipPast ("-->"))
                return false;
        }
        else if (startsWith ("<?"))
        {
            if (!skipPast ("?>"))
                return false;
        }
        else if (startsWith ("<!"))
        {
            // A markup declaration: up to its '>', which a quoted literal may also hold.
            for (p += 2; *p != '>';)
            {
                if (*p == 0)
                    return false;

                if (*p == '"' || *p == '\'')
                {
                    if (!skipQuoted())
                        return false;
                }
                else
                {
                    ++p;
                }
            }

            ++p;
        }
        else if (*p == '%')
        {
            ++p;

            if (!name (entity) || *p != ';')
                return false;

            ++p;
        }
        else
        {
            return false;
        }
    }
}

// The root element and everything inside it, walked without recursion.
bool XmlFormCheck::element()
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

            if (*p != '>')
                return false;

            ++p;
            open.pop_back();

            if (open.empty())
                return true;
        }
        else if (startsWith ("<!--"))
        {
            if (open.empty() || !skipPastAndBlank ("-->"))
                return false;
        }
        else if (startsWith ("<?"))
        {
            if (open.empty() || !skipPastAndBlank ("?>"))
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
                if (open.size() >= static_cast<size_t> (maxNesting))
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

// A start tag's name and attributes; `empty` tells whether it closed itself.
bool XmlFormCheck::startTag (std::string_view& tagName, bool& empty)
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

        if (*p != '=')
            return false;

        ++p;
        skipSpace();

        if (!attributeValue())
            return false;
    }
}

bool XmlFormCheck::attributeValue()
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

// A character reference or one of the predefined entities: an entity that a document type
// declaration defines is never expanded, so its references are refused.
bool XmlFormCheck::reference()
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
            const int value = juce::CharacterFunctions::getHexDigitValue (static_cast<juce::juce_wchar> (*p));

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

// A name; each of its bytes beyond ASCII becomes '_' in the text for the parser.
bool XmlFormCheck::name (std::string_view& result)
{
    if (!isNameStart (*p))
        return false;

    const auto* begin = p;

    for (; isNameChar (*p); ++p)
        if (isNonAscii (*p))
            forParser[static_cast<size_t> (p - start)] = '_';

    result = std::string_view (begin, static_cast<size_t> (p - begin));
    return true;
}

bool XmlFormCheck::skipQuoted()
{
    const char quote = *p;
    const auto* end = std::strchr (p + 1, quote);

    if (end == nullptr)
        return false;

    p = end + 1;
    return true;
}

// Moves past the next `token`; false when the text ends first.
bool XmlFormCheck::skipPast (const char* token)
{
    const auto* found = std::strstr (p, token);

    if (found == nullptr)
        return false;

    p = found + std::strlen (token);
    return true;
}

// The same, and blanks what was skipped in the text for the parser: JUCE's parser never ends
// on a processing instruction followed by text inside an element, and neither it nor a
// comment carries anything a settings file is read for.
bool XmlFormCheck::skipPastAndBlank (const char* token)
{
    const auto begin = static_cast<size_t> (p - start);

    if (!skipPast (token))
        return false;

    std::fill (forParser.begin() + static_cast<std::ptrdiff_t> (begin), forParser.begin() + (p - start), ' ');
    return true;
}

// Blanks, comments and processing instructions (the XML declaration among them).
void XmlFormCheck::skipMisc()
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

void XmlFormCheck::skipSpace()
{
    while (isSpace (*p))
        ++p;
}

bool XmlFormCheck::startsWith (const char* token) const
{
    for (size_t i = 0; token[i] != 0; ++i)
        if (p[i] != token[i])
            return false;

    return true;
}
