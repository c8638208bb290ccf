// The first layout of 1,600 distinct characters beyond ASCII, as a file chooser full of such
// names lays them out: the program's faces against the framework's own face, each made afresh,
// so that every glyph is loaded from the font file. The characters are ones DejaVu Sans draws:
// Latin Extended-A and -B, IPA, Greek, Cyrillic, Latin Extended Additional, arrows,
// mathematical operators, box drawing and Braille, sixteen to a name, each name ending in
// ".txt".
#include "pickers/VLookAndFeel.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr int kCharacters = 1600, kPerName = 16;

juce::StringArray distinctNames()
{
    const std::pair<juce::juce_wchar, juce::juce_wchar> ranges[] = {
        {0x0100, 0x02af}, {0x0391, 0x03c9}, {0x0400, 0x052f}, {0x1e00, 0x1eff},
        {0x2190, 0x22ff}, {0x2500, 0x257f}, {0x2800, 0x28ff},
    };

    juce::Array<juce::juce_wchar> characters;
    for (const auto& [first, last] : ranges)
        for (auto c = first; c <= last && characters.size() < kCharacters; ++c)
            characters.add (c);

    jassert (characters.size() == kCharacters);
    juce::StringArray names;

    for (int i = 0; i < kCharacters; i += kPerName)
        names.add (juce::String (characters.begin() + i, (size_t) kPerName) + ".txt");

    return names;
}

void layOut (const juce::Typeface::Ptr& face, const juce::StringArray& names)
{
    const juce::Font font (face);

    for (const auto& name : names)
    {
        juce::GlyphArrangement arrangement;
        arrangement.addLineOfText (font, name, 0.0f, 0.0f);
        benchmark::DoNotOptimize (arrangement.getNumGlyphs());
    }
}

void DistinctCharactersFramework (benchmark::State& state)
{
    const auto names = distinctNames();
    const juce::Font font (15.0f);
    state.SetLabel (juce::Font::getDefaultTypefaceForFont (font)->getName().toStdString());

    for (auto _ : state)
        layOut (juce::Font::getDefaultTypefaceForFont (font), names);
}

void DistinctCharactersProgram (benchmark::State& state)
{
    const auto names = distinctNames();
    const juce::Font font (15.0f);
    state.SetLabel (juce::Font::getDefaultTypefaceForFont (font)->getName().toStdString());

    for (auto _ : state)
    {
        state.PauseTiming();
        VLookAndFeel look;
        const auto face = look.getTypefaceForFont (font);
        state.ResumeTiming();
        layOut (face, names);
    }
}
} // namespace

BENCHMARK (DistinctCharactersFramework)->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (5);
BENCHMARK (DistinctCharactersProgram)->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (5);
