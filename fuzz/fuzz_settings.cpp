// Loads arbitrary bytes as a settings file. A refused file changes nothing; after a loaded
// one the store still answers every operation and writes documents that load back.
#include "link/MidiChart.h"
#include "link/QexParameterStore.h"
#include "link/SettingsFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, size_t size)
{
    static const auto defaults = QexParameterStore().snapshot().itemParams;
    QexParameterStore store;

    if (!SettingsFile::loadFromData (store, data, size))
    {
        if (store.snapshot().itemParams != defaults)
            std::abort();

        return 0;
    }

    for (int param = 0; param < QexParameterStore::kNumParams; ++param)
        for (int item : {0, 1, 0x41, 0x70, 200})
            (void) store.getParamForItem (param, item);

    store.reverseItemArray();
    (void) store.itemForController (64);

    const auto saved = SettingsFile::createDocument (store)->toString (SettingsFile::textFormat());
    (void) MidiChart::createDocument (store)->toString (SettingsFile::textFormat());

    // What the store holds after any input saves into a document that loads back, unless it
    // is larger than loading accepts, which save() refuses to write.
    if (saved.getNumBytesAsUTF8() > static_cast<size_t> (SettingsFile::kMaxFileSize))
        return 0;

    QexParameterStore reloaded;
    if (!SettingsFile::loadFromData (reloaded, saved.toRawUTF8(), saved.getNumBytesAsUTF8()))
        std::abort();

    if (reloaded.snapshot().itemParams[3] != store.snapshot().itemParams[3])
        std::abort();

    return 0;
}
