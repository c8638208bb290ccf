#pragma once

#include "firmware/FWUpdaterBase.h"

#include <vector>

// One byte as two upper-case hexadecimal characters, high nibble first.
void buf2ascii (unsigned char byte, unsigned char* out);

// One hexadecimal character's value; 0 for any other character.
unsigned char char2hex (char c);

// The engine of the model-0x401 boot loader. Its firmware file is hexadecimal text that
// decodes to length-prefixed, checksummed records; after the access-code handshake each
// record goes out as upper-case hex text in SysEx chunks and is answered by one SysEx byte.
class TolvarFWUpdater : public FWUpdaterBase
{
public:
    TolvarFWUpdater();
    ~TolvarFWUpdater() override;

    juce::Result Burn() override;
    void HandleMidiMessage (const juce::MidiMessage& message) override;

    void ClearAck();

    // The decoded image never exceeds this many bytes.
    static constexpr int kImageSize = 131072;

    // Record bytes carried by one chunk message.
    static constexpr int kChunkBytes = 11;

    // Decodes `size` bytes of hexadecimal text from `in` into `image` (kImageSize bytes);
    // `length` is the decoded length. Blanks and line ends after the last other character
    // are ignored. Refuses text that would decode past the image, and a stream that ends
    // before `size` bytes were read.
    static juce::Result decodeText (juce::InputStream& in, juce::int64 size, unsigned char* image,
                                    int& length);

    // Checks that the records tile the decoded bytes exactly and that each one's checksum
    // holds; reads nothing beyond `length`.
    static juce::Result checkRecords (const unsigned char* image, int length);

    // Bytes the record at `offset` occupies on the wire, length bytes included.
    static int recordTotal (const unsigned char* image, int offset);

private:
    juce::Result transfer (const unsigned char* image, int length);
    void sendRecord (const unsigned char* record, int total);

    const unsigned char* code;
    int codeLength;
    std::vector<unsigned char> buffer;

    JUCE_DECLARE_NON_COPYABLE (TolvarFWUpdater)
};
