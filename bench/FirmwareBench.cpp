// A 64 KiB image through each boot-loader protocol engine against an instantly answering
// simulated boot loader, with the link's 2 ms pause after every message, kept as exactly as
// the link keeps it. The floor is the sum of the pauses the protocol itself prescribes (the
// link's 2 ms per message and the engine's own pauses); answers arrive before each wait
// begins, so no poll sleeps. The counters report the floor, wall time / floor, and the
// process's CPU time / wall time (the host's and the engine's pauses together).
#include "firmware/DravikFWUpdater.h"
#include "firmware/IFWHelper.h"
#include "firmware/TolvarFWUpdater.h"
#include "firmware/YarvelFWUpdater.h"
#include "link/Pacer.h"
#include "link/Pacer.h"
#include "support/EngineThread.h"
#include "support/FirmwareFile.h"
#include "support/SimDravikBootLoader.h"
#include "support/SimTolvarBootLoader.h"
#include "support/SimYarvelBootLoader.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <thread>

namespace
{
constexpr size_t kImageBytes = 64 * 1024;
constexpr double kLinkPauseMs = 2.0;

// Forwards to the loader and pauses as the link does after every message it sends: through
// the link's own pacer, so that the host's lateness is not measured as the engine's.
class PacedHost : public IFWHelper
{
public:
    explicit PacedHost (SimBootLoader& l)
        : loader (l)
    {
    }

    void SendMidiMessage (const juce::MidiMessage& message) override
    {
        loader.receive (message);
        Pacer::pauseMs (2);
    }

    void SetProgress (double) override {}

private:
    SimBootLoader& loader;
};

template <typename Engine, typename Loader>
void run (benchmark::State& state, Loader& loader, const juce::File& file, double floorMs,
          size_t expectedImage)
{
    for (auto _ : state)
    {
        Engine engine;
        loader.setAnswerInline (true);
        loader.setDeliver ([&engine] (const juce::MidiMessage& m) { engine.HandleMidiMessage (m); });
        PacedHost host (loader);
        EngineThread thread (engine, &host, file);

        const auto start = std::chrono::steady_clock::now();
        const auto cpuStart = std::clock();
        const auto result = thread.runToEnd (600000);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        const auto cpuSeconds = (double) (std::clock() - cpuStart) / CLOCKS_PER_SEC;
        loader.setDeliver (nullptr);

        if (result.failed() || loader.image().getSize() != expectedImage)
            state.SkipWithError (result.failed() ? result.getErrorMessage().toRawUTF8() : "image differs");

        state.SetIterationTime (elapsed.count());
        state.counters["floor_s"] = floorMs / 1000.0;
        state.counters["ratio"] = elapsed.count() * 1000.0 / floorMs;
        state.counters["cpu_per_wall"] = cpuSeconds / elapsed.count();
    }
}

void BM_TolvarImage (benchmark::State& state)
{
    // Records of 250 payload bytes (254 on the wire, 24 chunks), the last one shorter, and
    // the end mark the loader answers with "complete".
    juce::MemoryBlock image;
    while (image.getSize() + 254 + 8 <= kImageBytes)
        image.append (FirmwareFile::record (std::vector<juce::uint8> (250, 0x5A)).getData(), 254);
    const auto tail = kImageBytes - 4 - image.getSize() - 4;
    image.append (FirmwareFile::record (std::vector<juce::uint8> (tail, 0xA5)).getData(), tail + 4);
    image.append (FirmwareFile::endRecord().getData(), 4);

    int chunks = 0;
    for (int p = 0; p < (int) image.getSize();)
    {
        const int total =
            TolvarFWUpdater::recordTotal (static_cast<const unsigned char*> (image.getData()), p);
        chunks += (total + TolvarFWUpdater::kChunkBytes - 1) / TolvarFWUpdater::kChunkBytes;
        p += total;
    }

    // Handshake, then per chunk the link's pause and the engine's 1 ms.
    const double floorMs = kLinkPauseMs + chunks * (kLinkPauseMs + 1.0);
    FirmwareFile file (FirmwareFile::hexText (image));
    SimTolvarBootLoader loader;
    run<TolvarFWUpdater> (state, loader, file.file(), floorMs, image.getSize());
}

void BM_DravikImage (benchmark::State& state)
{
    const int pages = (int) (kImageBytes / DravikFWUpdater::kPageSize);

    // Knock (2 messages), count, then per page 512 messages and eight 10 ms pauses, and
    // 50 ms after every page answered "written" (all but the last, answered "complete").
    const double floorMs = 3 * kLinkPauseMs + pages * (512 * kLinkPauseMs + 8 * 10.0) + (pages - 1) * 50.0;
    FirmwareFile file (FirmwareFile::pattern (kImageBytes));
    SimDravikBootLoader loader;
    run<DravikFWUpdater> (state, loader, file.file(), floorMs, kImageBytes);
}

void BM_YarvelImage (benchmark::State& state)
{
    const auto packed = YarvelFWUpdater::packedSize ((juce::int64) kImageBytes);
    const auto blocks = (double) ((packed + YarvelFWUpdater::kBlockBytes - 1) / YarvelFWUpdater::kBlockBytes);

    // Block count and its 10 ms pause, then one message per block.
    const double floorMs = kLinkPauseMs + 10.0 + blocks * kLinkPauseMs;
    FirmwareFile file (FirmwareFile::pattern (kImageBytes));
    SimYarvelBootLoader loader;
    run<YarvelFWUpdater> (state, loader, file.file(), floorMs, kImageBytes);
}
} // namespace

BENCHMARK (BM_TolvarImage)->UseManualTime()->Iterations (1)->Unit (benchmark::kSecond);
BENCHMARK (BM_DravikImage)->UseManualTime()->Iterations (1)->Unit (benchmark::kSecond);
BENCHMARK (BM_YarvelImage)->UseManualTime()->Iterations (1)->Unit (benchmark::kSecond);
