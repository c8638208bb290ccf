#pragma once

#include "dialogs/Dialogs.h"

#include <deque>
#include <mutex>
#include <vector>

// Dialogs for tests: records every box shown and answers from a script. Installs itself
// for the process while it lives. Unscripted questions are answered with Cancel.
class ScriptedDialogs : public Dialogs
{
public:
    enum class Kind { message, okCancel, openFile, saveFile };

    struct Shown
    {
        Kind kind;
        Icon icon;
        juce::String title, text; // for file choosers: title and patterns
        juce::File startingPoint;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Answers, taken in order by the questions of their kind.
    void answerOkCancel (bool ok);
    void answerFile (const juce::File& file); // a non-existent juce::File{} dismisses

    std::vector<Shown> shown() const;
    std::vector<Shown> shown (Kind kind) const;
    int count (Kind kind) const;

    void showMessage (Icon icon, const juce::String& title, const juce::String& text) override;
    bool askOkCancel (Icon icon, const juce::String& title, const juce::String& text) override;
    bool chooseFileToOpen (const juce::String& title, const juce::File& startingPoint,
                           const juce::String& patterns, juce::File& result) override;
    bool chooseFileToSave (const juce::String& title, const juce::File& startingPoint,
                           const juce::String& patterns, juce::File& result) override;

private:
    bool chooseFile (Kind kind, const juce::String& title, const juce::File& startingPoint,
                     const juce::String& patterns, juce::File& result);

    mutable std::mutex lock;
    std::vector<Shown> record;
    std::deque<bool> okCancelAnswers;
    std::deque<juce::File> fileAnswers;
};
