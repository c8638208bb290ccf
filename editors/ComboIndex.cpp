#include "editors/ComboIndex.h"

namespace
{
const int kOn = 127;
const int kOff = 1;
} // namespace

namespace ComboIndex
{
void showIndex (juce::ComboBox& box, int index)
{
    if (juce::isPositiveAndBelow (index, box.getNumItems()))
        box.setSelectedItemIndex (index, juce::dontSendNotification);
    else
        box.setSelectedId (0, juce::dontSendNotification);
}

int indexOfOnOff (int stored)
{
    return stored == kOn ? 1 : 0;
}

int onOffOfIndex (int index)
{
    return index == 1 ? kOn : kOff;
}
} // namespace ComboIndex
