#pragma once

#include <juce_core/juce_core.h>

#include <functional>
#include <memory>

class QexParameterStore;

// The settings file: the store's whole mapping (the six parameters of every configured
// control, the global settings and the curves) as an XML document. The same format serves
// every keyboard model; the editors tell the models' files apart by extension.
class SettingsFile
{
public:
    // Writes the document for `store` to `file` through AtomicFileWriter: the old file is
    // replaced only once the new one is completely written, or written into where no new file
    // can stand in for it, so a failed write leaves whatever was there, and a symbolic link,
    // the file's owner, group, permissions and ACL are kept. Returns
    // false when the file could not be written, anything but a regular file is in the way,
    // the user may not write the file, or the document would be larger than loading accepts
    // (kMaxFileSize); nothing is written then.
    static bool save (const QexParameterStore& store, const juce::File& file);

    // Writes the document `makeDocument` gives as save() does, whatever its size; a directory
    // in the way is never replaced (false). Running out of memory, while the document is made
    // or written, gives false with the file as it was.
    static bool writeDocument (const std::function<std::unique_ptr<juce::XmlElement>()>& makeDocument,
                               const juce::File& file);

    // Merges what `file` holds into `store`. A file that is missing, no regular file, larger
    // than kMaxFileSize, unreadable or not a well-formed document changes nothing and gives
    // false; its size is judged before anything is read.
    static bool load (QexParameterStore& store, const juce::File& file);

    // The same as load() on the bytes of a file.
    static bool loadFromData (QexParameterStore& store, const void* data, size_t size);

    // The element tree save() writes.
    static std::unique_ptr<juce::XmlElement> createDocument (const QexParameterStore& store);

    // How save() and the chart write their documents.
    static juce::XmlElement::TextFormat textFormat();

    // Parses file bytes with expat (UTF-8, UTF-16 with or without its byte-order mark,
    // ISO-8859-1 or US-ASCII; any other encoding is refused) into the part of the element
    // tree that loading reads: the root, its first "Items", "Globals" and "Curves", their
    // children, and those children's attributes of the format. Element names the format
    // does not have become "Other", and other attributes are left out. Null for anything
    // larger than kMaxFileSize or expat does not accept as a well-formed document. Nothing
    // outside the bytes is ever opened.
    static std::unique_ptr<juce::XmlElement> parseDocument (const void* data, size_t size);

    // The largest settings file read, refused before it is read. A store the program filled
    // itself holds at most the 128 items of 7-bit identifiers (the keyboard reports 38 of
    // them); with all 7 attributes at their widest ("-2147483648") every item takes two
    // lines of the 60-character wrap, and with the 25 settings the file is 20,393 bytes.
    // Fifty times that leaves room for files edited by hand, with comments or in UTF-16,
    // while loading stays quick and small. A store that loading filled with many more items
    // could make a larger document, which save() refuses to write.
    static constexpr juce::int64 kMaxFileSize = 1024 * 1024;
};
