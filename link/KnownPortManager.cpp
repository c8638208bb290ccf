#include "link/KnownPortManager.h"

namespace
{
juce::CriticalSection gKnownPortManager49;

struct KnownPortRow
{
    const char* name;
    int numKeys;
    int model;
};

const KnownPortRow kKnownPorts[] = {
    {"Velmont Quillet", 25, 0x400},
    {"Brisca - Tarn", 25, 0x200},
    {"The Cairn", 61, 0x1300},
    {"Brisca Dune", 32, 0x101},
};
} // namespace

KnownPortManager* KnownPortManager::mInstance = nullptr;

KnownPortManager::Item::Item (const juce::String& n, int keys, int m)
    : name (n)
    , numKeys (keys)
    , model (m)
{
}

KnownPortManager::~KnownPortManager()
{
    const juce::ScopedLock sl (gKnownPortManager49);
    mInstance = nullptr;
}

KnownPortManager* KnownPortManager::getInstance()
{
    const juce::ScopedLock sl (gKnownPortManager49);

    if (mInstance == nullptr)
    {
        mInstance = new KnownPortManager();
        mInstance->init();
    }

    return mInstance;
}

void KnownPortManager::init()
{
    for (const auto& row : kKnownPorts)
        items.emplace_back (row.name, row.numKeys, row.model);
}

const KnownPortManager::Item* KnownPortManager::get (int index) const
{
    return index >= 0 && (size_t) index < items.size() ? &items[(size_t) index] : nullptr;
}

int KnownPortManager::count() const
{
    return (int) items.size();
}
