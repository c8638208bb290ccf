// Saving the default mapping's settings file: as a new file, over the user's own file, and
// over a file that has a second name. Each save syncs what it wrote, so on a disk the time is
// mostly the disk's; in /dev/shm, where syncing costs nothing, it is the program's own work.
#include "link/QexParameterStore.h"
#include "link/SettingsFile.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

namespace
{
enum class Target
{
    newFile,
    ownFile,
    fileWithTwoNames,
};

// The folder the benchmark saves in: the system's temporary folder (on a disk, usually), or
// /dev/shm (in memory).
juce::File folderFor (bool inMemory)
{
    const auto base =
        inMemory ? juce::File ("/dev/shm") : juce::File::getSpecialLocation (juce::File::tempDirectory);
    return base.getNonexistentChildFile ("quorvel-save-bench", "");
}

void SaveSettings (benchmark::State& state)
{
    const auto target = static_cast<Target> (state.range (0));
    const auto folder = folderFor (state.range (1) != 0);
    const auto file = folder.getChildFile ("settings.quill25");
    QexParameterStore store;
    store.resetMappingToDefault();

    if (!folder.createDirectory().wasOk() ||
        (target != Target::newFile && !SettingsFile::save (store, file)) ||
        (target == Target::fileWithTwoNames &&
         ::link (file.getFullPathName().toRawUTF8(),
                 folder.getChildFile ("second name").getFullPathName().toRawUTF8()) != 0))
    {
        state.SkipWithError ("the folder could not be prepared");
        return;
    }

    for (auto _ : state)
    {
        if (target == Target::newFile)
        {
            state.PauseTiming();
            file.deleteFile();
            state.ResumeTiming();
        }

        if (!SettingsFile::save (store, file))
            state.SkipWithError ("a save failed");
    }

    folder.deleteRecursively();
}
} // namespace

BENCHMARK (SaveSettings)
    ->ArgNames ({"target", "in_memory"})
    ->ArgsProduct ({{(int) Target::newFile, (int) Target::ownFile, (int) Target::fileWithTwoNames}, {0, 1}})
    ->Unit (benchmark::kMicrosecond)
    ->UseRealTime();
