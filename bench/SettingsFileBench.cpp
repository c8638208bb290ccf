// Loading a settings file as large as the size limit: one element name repeated throughout,
// against as many distinct element names as fit, and as many distinct attribute names on
// elements of their own or on one element, each file the same size. JUCE keeps every
// element and attribute name it is given in one global pool that never shrinks, so a file
// that brought its names into it would load ever slower; the counter "per_repeated" is the
// time against the file with one repeated name.
#include "link/QexParameterStore.h"
#include "link/SettingsFile.h"
#include "support/TempFolder.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <string>

namespace
{
// `head`, then `part` for the indexes 0, 1, ... as long as they fit, then `tail`, padded
// with blanks to the size limit.
template <typename Part>
std::string fillToLimit (const std::string& head, Part&& part, const std::string& tail)
{
    const auto limit = (size_t) SettingsFile::kMaxFileSize;
    std::string text = head;

    for (int i = 0;; ++i)
    {
        const auto next = part (i);

        if (text.size() + next.size() + tail.size() > limit)
            break;

        text += next;
    }

    text += tail;
    return text + std::string (limit - text.size(), ' ');
}

std::string sixDigits (int i)
{
    char digits[8];
    std::snprintf (digits, sizeof (digits), "%06d", i);
    return digits;
}

enum class Names
{
    oneRepeated,
    distinctElements,
    distinctAttributes,
    distinctAttributesOfOneElement,
};

// Inside "Items", where each element becomes one of the tree, elements
// <n000000 a000000="1"/> with the element's or the attribute's number its own index in the
// file for distinct names; or one element with distinct attributes a000000="1" and on.
std::string document (Names names)
{
    if (names == Names::distinctAttributesOfOneElement)
        return fillToLimit (
            "<Settings><Items><n000000", [] (int i) { return " a" + sixDigits (i) + "=\"1\""; },
            "/></Items></Settings>");

    return fillToLimit (
        "<Settings><Items>",
        [names] (int i)
        {
            const auto own = sixDigits (i), same = sixDigits (0);
            return "<n" + (names == Names::distinctElements ? own : same) + " a" +
                   (names == Names::distinctAttributes ? own : same) + "=\"1\"/>";
        },
        "</Items></Settings>");
}

double secondsToLoad (const juce::File& file)
{
    QexParameterStore store;
    const auto start = std::chrono::steady_clock::now();
    const bool loaded = SettingsFile::load (store, file);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return loaded ? elapsed.count() : -1.0;
}

void LoadSettingsNearTheLimit (benchmark::State& state)
{
    const auto names = static_cast<Names> (state.range (0));
    TempFolder temp;
    const auto repeated = temp.write ("repeated.quill25", document (Names::oneRepeated));
    const auto file = temp.write ("measured.quill25", document (names));
    double total = 0, totalRepeated = 0;

    for (auto _ : state)
    {
        const double seconds = secondsToLoad (file);
        const double repeatedSeconds = secondsToLoad (repeated);

        if (seconds < 0 || repeatedSeconds < 0)
            state.SkipWithError ("a file was not loaded");

        state.SetIterationTime (seconds);
        total += seconds;
        totalRepeated += repeatedSeconds;
    }

    state.counters["bytes"] = (double) file.getSize();
    state.counters["per_repeated"] = total / totalRepeated;
}
} // namespace

BENCHMARK (LoadSettingsNearTheLimit)
    ->ArgName ("names")
    ->Arg ((int) Names::oneRepeated)
    ->Arg ((int) Names::distinctElements)
    ->Arg ((int) Names::distinctAttributes)
    ->Arg ((int) Names::distinctAttributesOfOneElement)
    ->UseManualTime()
    ->Iterations (20)
    ->Unit (benchmark::kMillisecond);
