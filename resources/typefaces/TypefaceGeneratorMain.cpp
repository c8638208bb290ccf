// Serialises the printable ASCII glyph outlines, advances and kerning of the faces the program
// draws its text in, as the framework's own typeface streams, so that the program can draw
// those characters without loading their glyphs from the system font at start-up. Writes the
// streams into a folder, or with --check compares the files in that folder with freshly made
// ones.

#include "pickers/EmbeddedTypeface.h"
#include "pickers/FrameworkFontFiles.h"
#include "resources/typefaces/TypefaceSource.h"

#include <juce_graphics/juce_graphics.h>

#include <iostream>

namespace
{
// How far the first of two characters moves the pen when the second follows it (0 for none):
// its advance with kerning, as `face` lays the pair out.
float advance (juce::Typeface& face, juce::juce_wchar first, juce::juce_wchar second)
{
    auto text = juce::String::charToString (first);
    if (second != 0)
        text += juce::String::charToString (second);

    juce::Array<int> glyphNumbers;
    juce::Array<float> offsets;
    face.getGlyphPositions (text, glyphNumbers, offsets);
    return offsets[1];
}

juce::MemoryBlock serialise (juce::CustomTypeface& face)
{
    juce::MemoryOutputStream out;
    face.writeToStream (out);
    out.flush();
    return out.getMemoryBlock();
}

// The subset holds each character's outline and advance as the system face gives them, and
// as kerning whatever the system face adds to the advance before each other character. The
// stream is then read back and every glyph, advance and kerned pair compared with the system
// face's, to the bit. Returns the stream, or sets `error`.
juce::MemoryBlock makeSubset (const TypefaceSource& entry, juce::String& error)
{
    const juce::Font font (entry.family, entry.style, 10.0f);
    const auto system = juce::Font::getDefaultTypefaceForFont (font);

    if (system->getName() != entry.family || system->getStyle() != entry.style)
    {
        error = juce::String (entry.family) + " " + entry.style + " is not installed";
        return {};
    }

    // The program knows the font file by its name and takes its size for its release.
    if (!FrameworkFontFiles::holdRelease (FrameworkFontFiles::find(), entry.fontFile, entry.fontFileSize))
        error << "no font file " << entry.fontFile << " of the " << entry.fontFileSize
              << " bytes TypefaceSource.h records\n";

    juce::Array<juce::juce_wchar> characters;
    for (auto c = EmbeddedTypeface::firstEmbedded; c <= EmbeddedTypeface::lastEmbedded; ++c)
        characters.add (c);

    juce::CustomTypeface subset;
    subset.setCharacteristics (system->getName(), system->getAscent(), font.isBold(), font.isItalic(), ' ');

    for (const auto c : characters)
    {
        juce::Path outline;
        system->getOutlineForGlyph ((int) c, outline);
        subset.addGlyph (c, outline, advance (*system, c, 0));
    }

    for (const auto first : characters)
        for (const auto second : characters)
            subset.addKerningPair (first, second,
                                   advance (*system, first, second) - advance (*system, first, 0));

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
            if (advance (reloaded, first, second) != advance (*system, first, second))
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

    for (const auto& entry : kTypefaceSources)
    {
        juce::String error;
        const auto bytes = makeSubset (entry, error);

        if (error.isNotEmpty())
        {
            std::cerr << entry.streamFile << ": " << error << "\n";
            ++failures;
            continue;
        }

        const auto file = folder.getChildFile (entry.streamFile);

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
