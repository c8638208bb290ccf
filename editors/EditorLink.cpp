#include "editors/EditorLink.h"

#include "link/QexManager49.h"

namespace EditorLink
{
void start (QexManager49& manager, QexManagerListener& editor)
{
    QexManager49::sStandaloneMode = true;
    manager.listeners.add (&editor);
    manager.startDetection (true);
}

void stop (QexManager49& manager, juce::AsyncUpdater& refresh)
{
    manager.closeMidiIns();
    manager.stopTimer();
    refresh.cancelPendingUpdate();
}
} // namespace EditorLink
