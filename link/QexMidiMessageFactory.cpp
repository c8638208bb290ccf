#include "link/QexMidiMessageFactory.h"

#include "link/QexMidiMessage49.h"

// The factory is made for the current generation only; instantiating it here keeps it
// compiled under the project's warnings.
template class QexMidiMessageFactory<QexMidiMessage49>;
