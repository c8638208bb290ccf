#include "dialogs/Dialogs.h"

#include "dialogs/JuceDialogs.h"

#include <atomic>

namespace
{
std::atomic<Dialogs*> installedDialogs{nullptr};
}

Dialogs& Dialogs::get()
{
    if (auto* dialogs = installedDialogs.load (std::memory_order_acquire))
        return *dialogs;

    static JuceDialogs juceDialogs;
    return juceDialogs;
}

void Dialogs::install (Dialogs* dialogs)
{
    installedDialogs.store (dialogs, std::memory_order_release);
}
