#include "support/ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs() { Dialogs::install (this); }

ScriptedDialogs::~ScriptedDialogs() { Dialogs::install (nullptr); }

void ScriptedDialogs::answerOkCancel (bool ok)
{
    const std::scoped_lock sl (lock);
    okCancelAnswers.push_back (ok);
}

void ScriptedDialogs::answerFile (const juce::File& file)
{
    const std::scoped_lock sl (lock);
    fileAnswers.push_back (file);
}

std::vector<ScriptedDialogs::Shown> ScriptedDialogs::shown() const
{
    const std::scoped_lock sl (lock);
    return record;
}

std::vector<ScriptedDialogs::Shown> ScriptedDialogs::shown (Kind kind) const
{
    const std::scoped_lock sl (lock);
    std::vector<Shown> result;
    for (auto& s : record)
        if (s.kind == kind)
            result.push_back (s);
    return result;
}

int ScriptedDialogs::count (Kind kind) const
{
    const std::scoped_lock sl (lock);
    int n = 0;
    for (auto& s : record)
        n += s.kind == kind ? 1 : 0;
    return n;
}

void ScriptedDialogs::showMessage (Icon icon, const juce::String& title, const juce::String& text)
{
    const std::scoped_lock sl (lock);
    record.push_back ({ Kind::message, icon, title, text, {} });
}

bool ScriptedDialogs::askOkCancel (Icon icon, const juce::String& title, const juce::String& text)
{
    const std::scoped_lock sl (lock);
    record.push_back ({ Kind::okCancel, icon, title, text, {} });
    if (okCancelAnswers.empty())
        return false;
    const bool ok = okCancelAnswers.front();
    okCancelAnswers.pop_front();
    return ok;
}

bool ScriptedDialogs::chooseFileToOpen (const juce::String& title, const juce::File& startingPoint,
                                        const juce::String& patterns, juce::File& result)
{
    return chooseFile (Kind::openFile, title, startingPoint, patterns, result);
}

bool ScriptedDialogs::chooseFileToSave (const juce::String& title, const juce::File& startingPoint,
                                        const juce::String& patterns, juce::File& result)
{
    return chooseFile (Kind::saveFile, title, startingPoint, patterns, result);
}

bool ScriptedDialogs::chooseFile (Kind kind, const juce::String& title, const juce::File& startingPoint,
                                  const juce::String& patterns, juce::File& result)
{
    const std::scoped_lock sl (lock);
    record.push_back ({ kind, Dialogs::Icon::NoIcon, title, patterns, startingPoint });
    if (fileAnswers.empty())
        return false;
    const auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    if (answer == juce::File())
        return false;
    result = answer;
    return true;
}
