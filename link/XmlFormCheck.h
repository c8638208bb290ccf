#pragma once

#include <juce_core/juce_core.h>

#include <string>
#include <string_view>

/** A strict check of an XML document's form, run before JUCE's parser sees it.

    JUCE's parser follows nesting by recursion, expands references with the help of a
    document type declaration (which may nest without bound or name other files), reads on
    after errors and takes only ASCII letters in names. So it is handed nothing but the root
    element of a document that passed this check: well-formed, nested no deeper than a bound,
    with no references but the predefined entities and character references, with every
    non-ASCII character of a name replaced by '_' and with its comments and processing
    instructions blanked out, for which its reading and the document's structure agree. A document type
   declaration is allowed and skipped; neither the external subset it may name nor the entities it may declare
   are ever read.
*/
class XmlFormCheck
{
public:
    /** The root element of the UTF-8 `text` as JUCE's parser is to read it; an empty string
        when the text is no well-formed document or nests deeper than `maxNesting`.
    */
    static juce::String rootElementForParser (const char* text, int maxNesting);

private:
    XmlFormCheck (const char* text, int maxNesting);

    bool document();
    bool documentType();
    bool internalSubset();
    bool element();
    bool startTag (std::string_view& tagName, bool& empty);
    bool attributeValue();
    bool reference();
    bool name (std::string_view& result);
    bool skipQuoted();
    bool skipPast (const char* token);
    bool skipPastAndBlank (const char* token);
    void skipMisc();
    void skipSpace();
    bool startsWith (const char* token) const;

    const char* const start;
    const char* p;
    const int maxNesting;

    // The text with the names made ASCII, and where its root element lies.
    std::string forParser;
    size_t rootBegin = 0, rootEnd = 0;
};
