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

struct Timed
{
    bool loaded;
    double seconds;
};

Timed load (const juce::File& file)
{
    QexParameterStore store;
    const auto start = std::chrono::steady_clock::now();
    const bool loaded = SettingsFile::load (store, file);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {loaded, elapsed.count()};
}

double secondsToLoad (const juce::File& file)
{
    const auto timed = load (file);
    return timed.loaded ? timed.seconds : -1.0;
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

// Loading a file as large as the limit that declares attributes, elements or notations,
// against a file of the same size that declares nothing. Expat keeps what a document
// declares and walks the attributes declared for an element's name at every element of that
// name; a document may make only a few declarations, and the counter "per_undeclared" shows
// what the others cost before the file is refused ("loaded" 0) or loaded.
namespace
{
enum class Declarations
{
    attributeList,        // one list of 29,000 attributes of <a/>, then <a/> as often as fits
    idAttributes,         // as many ID attributes as fit, each of an element of its own
    elements,             // as many element declarations as fit
    oneLargeContentModel, // one element whose content model fills the file
    notations,            // as many notation declarations as fit
    attributesAtTheLimit, // as many attributes of <a/> as a document may declare, then <a/>
};

// `pattern` with the number i in place of '@'.
std::string numbered (const char* pattern, int i)
{
    return juce::String (pattern).replace ("@", sixDigits (i)).toStdString();
}

std::string declared (const char* pattern, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += numbered (pattern, i);
    return out;
}

std::string document (Declarations kind)
{
    const auto a = [] (int) { return std::string ("<a/>"); };
    const auto inSubset = [] (const char* pattern)
    { return [pattern] (int i) { return numbered (pattern, i); }; };

    switch (kind)
    {
        case Declarations::attributeList:
            return fillToLimit (
                "<!DOCTYPE S [<!ATTLIST a " + declared ("a@ CDATA #IMPLIED ", 29000) + ">]><S>", a, "</S>");
        case Declarations::idAttributes:
            return fillToLimit ("<!DOCTYPE S [", inSubset ("<!ATTLIST e@ i ID #IMPLIED>"), "]><S/>");
        case Declarations::elements:
            return fillToLimit ("<!DOCTYPE S [", inSubset ("<!ELEMENT e@ ANY>"), "]><S/>");
        case Declarations::oneLargeContentModel:
            return fillToLimit (
                "<!DOCTYPE S [<!ELEMENT a (b", [] (int) { return std::string (",b"); }, ")>]><S/>");
        case Declarations::notations:
            return fillToLimit ("<!DOCTYPE S [", inSubset ("<!NOTATION n@ SYSTEM 'n'>"), "]><S/>");
        case Declarations::attributesAtTheLimit:
            return fillToLimit ("<!DOCTYPE S [<!ATTLIST a " + declared ("a@ CDATA #IMPLIED ", 64) + ">]><S>",
                                a, "</S>");
    }

    return {};
}

void LoadSettingsWithDeclarations (benchmark::State& state)
{
    TempFolder temp;
    const auto a = [] (int) { return std::string ("<a/>"); };
    const auto undeclared = temp.write ("undeclared.quill25", fillToLimit ("<S>", a, "</S>"));
    const auto file = temp.write ("declared.quill25", document (static_cast<Declarations> (state.range (0))));
    double total = 0, totalUndeclared = 0;
    bool loaded = false;

    for (auto _ : state)
    {
        const auto timed = load (file);
        const auto plain = load (undeclared);

        if (!plain.loaded)
            state.SkipWithError ("the file without declarations was not loaded");

        state.SetIterationTime (timed.seconds);
        loaded = timed.loaded;
        total += timed.seconds;
        totalUndeclared += plain.seconds;
    }

    state.counters["bytes"] = (double) file.getSize();
    state.counters["loaded"] = loaded ? 1 : 0;
    state.counters["per_undeclared"] = total / totalUndeclared;
}
} // namespace

BENCHMARK (LoadSettingsWithDeclarations)
    ->ArgName ("declarations")
    ->DenseRange (0, (int) Declarations::attributesAtTheLimit)
    ->UseManualTime()
    ->Iterations (20)
    ->Unit (benchmark::kMillisecond);
