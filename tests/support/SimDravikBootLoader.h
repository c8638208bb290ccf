#pragma once

#include "support/SimBootLoader.h"

// The note-on boot loader: answers the knock, echoes the page count, collects the data
// notes into 512-byte pages and answers each page.
class SimDravikBootLoader : public SimBootLoader
{
public:
    // Knocks to ignore before answering (the user still plugging the keyboard in).
    void setKnocksIgnored (int count);
    void setKnockAnswer (int value);

    // Answer to the page count; -1 echoes the count's low nibble, -2 stays silent.
    void setCountAnswer (int value);

    // Answers to the next pages in order (-1: silent). Once used up: 4, and 5 for the last
    // announced page.
    void scriptPageAnswers (std::vector<int> values);

    int knocks() const;
    int announcedPages() const;
    int pagesReceived() const;

protected:
    void handle (const juce::MidiMessage& message) override;

private:
    void answerWith (int note, int value);

    int knocksIgnored = 0, knockAnswer = 2, countAnswer = -1;
    std::deque<int> script;
    int knockCount = 0, pageCount = -1, pagesDone = 0;
    bool halfKnock = false, counting = false;
    juce::MemoryBlock page;
};
