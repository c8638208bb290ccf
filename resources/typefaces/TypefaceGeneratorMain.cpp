// Serialises the glyph outlines, advances and kerning of the faces the program draws its text
// in, as the framework's own typeface streams, so that the program can draw its text without
// loading the system font at start-up. Writes the streams into a folder, or with --check
// compares the files in that folder with freshly made ones.

#include "pickers/EmbeddedTypeface.h"

#include <juce_graphics/juce_graphics.h>

#include <iostream>

namespace
{
// File names become the embedded names: DejaVuSans.typeface is DejaVuSans_typeface.
struct EmbeddedFace
{
    const char* fileName;
    const char* family;
    const char* style; // as the system font names it
};

const EmbeddedFace faces[] = {
    {"DejaVuSans.typeface", "DejaVu Sans", "Book"},
    {"DejaVuSans-Bold.typeface", "DejaVu Sans", "Bold"},
};

juce::MemoryBlock serialise (juce::CustomTypeface& face)
{
    juce::MemoryOutputStream out;
    face.writeToStream (out);
    out.flush();
    return out.getMemoryBlock();
}

// The subset is made the way the program makes up any glyph it lacks: read from the system
// face with its kerning against the glyphs held before it. The stream is then read back and
// every glyph, advance and kerned pair compared with the system face's, to the bit. Returns
// the stream, or sets `error`.
juce::MemoryBlock makeSubset (const EmbeddedFace& entry, juce::String& error)
{
    const juce::Font font (entry.family, entry.style, 10.0f);
    const auto system = juce::Font::getDefaultTypefaceForFont (font);

    if (system->getName() != entry.family || system->getStyle() != entry.style)
    {
        error = juce::String (entry.family) + " " + entry.style + " is not installed";
        return {};
    }

    juce::Array<juce::juce_wchar> characters;
    for (auto c = EmbeddedTypeface::firstEmbedded; c <= EmbeddedTypeface::lastEmbedded; ++c)
        characters.add (c);

    EmbeddedTypeface subset (font);
    subset.getStringWidth (juce::String (characters.begin(), (size_t) characters.size()));
    const auto bytes = serialise (subset);

    juce::MemoryInputStream in (bytes, false);
    juce::CustomTypeface reloaded (in);

    for (const auto first : characters)
    {
        juce::Path expected, outline;
        system->getOutlineForGlyph ((int) first, expected);

        if (!reloaded.getOutlineForGlyph ((int) first, outline) || outline != expected)
            error << "the outline of " << juce::String::charToString (first) << " differs\n";

        if (reloaded.getStringWidth (juce::String::charToString (first)) !=
            system->getStringWidth (juce::String::charToString (first)))
            error << "the advance of " << juce::String::charToString (first) << " differs\n";

        for (const auto second : characters)
            if (EmbeddedTypeface::advance (reloaded, first, second) !=
                EmbeddedTypeface::advance (*system, first, second))
                error << "the advance of " << juce::String::charToString (first) << " before "
                      << juce::String::charToString (second) << " differs\n";
    }

    return error.isEmpty() ? bytes : juce::MemoryBlock();
}

// The streams are compressed; compressors may differ between machines while the content
// stays the same, so contents are compared.
juce::MemoryBlock decompress (const juce::MemoryBlock& bytes)
{
    juce::MemoryInputStream in (bytes, false);
    juce::GZIPDecompressorInputStream gzin (in);
    juce::MemoryBlock content;
    juce::MemoryOutputStream out (content, false);
    out.writeFromInputStream (gzin, -1);
    out.flush();
    return content;
}

int usage()
{
    std::cerr << "usage: quorvel_typeface_generator [--check] <typefaces folder>\n";
    return 2;
}

int run (const juce::File& folder, bool checkOnly)
{
    int failures = 0;

    for (const auto& entry : faces)
    {
        juce::String error;
        const auto bytes = makeSubset (entry, error);

        if (error.isNotEmpty())
        {
            std::cerr << entry.fileName << ": " << error << "\n";
            ++failures;
            continue;
        }

        const auto file = folder.getChildFile (entry.fileName);

        if (checkOnly)
        {
            juce::MemoryBlock committed;

            if (!file.loadFileAsData (committed) || decompress (committed) != decompress (bytes))
            {
                std::cerr << file.getFullPathName()
                          << " is not what the generator makes now: run quorvel_typeface_generator on the "
                             "typefaces folder and commit the result\n";
                ++failures;
            }
        }
        else if (file.replaceWithData (bytes.getData(), bytes.getSize()))
        {
            std::cout << file.getFullPathName() << " (" << bytes.getSize() << " bytes)\n";
        }
        else
        {
            std::cerr << "cannot write " << file.getFullPathName() << "\n";
            ++failures;
        }
    }

    if (checkOnly)
        std::cout << (failures == 0 ? "typefaces are current\n" : "typefaces are stale\n");

    return failures == 0 ? 0 : 1;
}
} // namespace

int main (int argc, char** argv)
{
    // The system font list and the typeface cache are the framework's, torn down here.
    const juce::ScopedJuceInitialiser_GUI juceInit;
    const auto cwd = juce::File::getCurrentWorkingDirectory();

    if (argc == 2)
        return run (cwd.getChildFile (argv[1]), false);

    if (argc == 3 && juce::String (argv[1]) == "--check")
        return run (cwd.getChildFile (argv[2]), true);

    return usage();
}
