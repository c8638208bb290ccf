#pragma once

#include <juce_events/juce_events.h>

class QexManager49;
class QexManagerListener;

// How a settings editor takes up and lets go of its keyboard link.
namespace EditorLink
{
// Makes the editor the link's listener and starts detection. Called last in construction:
// a keyboard's answer starts the read-back at once, on the MIDI thread.
void start (QexManager49& manager, QexManagerListener& editor);

// Called first in destruction, before any widget goes, so that no notification reaches a
// half-destroyed editor: stops the keyboard's deliveries (waiting for one in flight) and the
// detection tick, and drops a refresh still pending.
void stop (QexManager49& manager, juce::AsyncUpdater& refresh);
} // namespace EditorLink
