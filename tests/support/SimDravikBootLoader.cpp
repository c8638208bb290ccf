#include "support/SimDravikBootLoader.h"

void SimDravikBootLoader::setKnocksIgnored (int count)
{
    const std::scoped_lock sl (lock);
    knocksIgnored = count;
}

void SimDravikBootLoader::setKnockAnswer (int value)
{
    const std::scoped_lock sl (lock);
    knockAnswer = value;
}

void SimDravikBootLoader::setCountAnswer (int value)
{
    const std::scoped_lock sl (lock);
    countAnswer = value;
}

void SimDravikBootLoader::scriptPageAnswers (std::vector<int> values)
{
    const std::scoped_lock sl (lock);
    script.assign (values.begin(), values.end());
}

int SimDravikBootLoader::knocks() const
{
    const std::scoped_lock sl (lock);
    return knockCount;
}

int SimDravikBootLoader::announcedPages() const
{
    const std::scoped_lock sl (lock);
    return pageCount;
}

int SimDravikBootLoader::pagesReceived() const
{
    const std::scoped_lock sl (lock);
    return pagesDone;
}

void SimDravikBootLoader::answerWith (int note, int value)
{
    answer (juce::MidiMessage::noteOn (11, note, (juce::uint8) value));
}

void SimDravikBootLoader::handle (const juce::MidiMessage& message)
{
    if (message.getRawDataSize() != 3 || !message.isNoteOn (true))
        return fault ("not a three-byte note-on");

    const int channel = message.getChannel();
    const int note = message.getNoteNumber();
    const int velocity = message.getRawData()[2];

    if (channel == 11)
    {
        if (halfKnock)
        {
            halfKnock = false;

            if (note != 126 || velocity != 125)
                return fault ("knock's second note wrong");

            ++knockCount;

            if (knockCount > knocksIgnored && knockAnswer >= 0)
            {
                answerWith (0, knockAnswer);
                counting = true;
            }
            return;
        }

        if (!counting)
        {
            if (note == 1 && velocity == 2)
                halfKnock = true;
            else
                fault ("knock's first note wrong");
            return;
        }

        counting = false;

        if (note > 15 || velocity > 15)
            return fault ("page count nibble out of range");

        pageCount = (note << 4) | velocity;
        pagesDone = 0;
        page.reset();
        rebuilt.reset();

        if (countAnswer == -1)
            answerWith (note, velocity);
        else if (countAnswer >= 0)
            answerWith (note, countAnswer);
        return;
    }

    if (channel != 1)
        return fault ("note on channel " + juce::String (channel));

    if (pageCount < 0)
        return fault ("data before the page count");

    if (note > 15 || velocity > 15)
        return fault ("data nibble out of range");

    if (pagesDone >= pageCount)
        return fault ("more pages than announced");

    const auto byte = (juce::uint8) ((note << 4) | velocity);
    page.append (&byte, 1);

    if (page.getSize() < 512)
        return;

    ++pagesDone;
    int value = pagesDone == pageCount ? 5 : 4;

    if (!script.empty())
    {
        value = script.front();
        script.pop_front();
    }

    if (value == 4 || value == 5)
        rebuilt.append (page.getData(), page.getSize());

    page.reset();

    if (value >= 0)
        answerWith (0, value);
}
