#include "editors/PanelBuilder.h"

#include "editors/ControllerNames.h"
#include "editors/NoteNames.h"

const char* const PanelRow::controllerNames = "<controller names>";
const char* const PanelRow::noteNames = "<note names>";

namespace
{
const juce::uint32 kButtonOnColour = 0xff535a5e;
const juce::uint32 kButtonTextColour = 0xfff0f0f0;
const float kLabelFontHeight = 15.0f;

juce::Justification justificationOf (PanelRow::Align align)
{
    return align == PanelRow::Align::centredRight ? juce::Justification::centredRight
                                                  : juce::Justification::centredLeft;
}
} // namespace

PanelBuilder::PanelBuilder (juce::Component& p, const PanelRow* r, int numRows, juce::Colour colour,
                            juce::ComboBox::Listener& combos, juce::Button::Listener& buttons)
    : panel (p)
    , rows (r)
    , buttonColour (colour)
    , comboListener (combos)
    , buttonListener (buttons)
    , widgets ((size_t) numRows, nullptr)
{
}

void PanelBuilder::place (int r, juce::Component& widget)
{
    const auto& row = rows[r];
    panel.addAndMakeVisible (widget);
    if (!row.shownAtStart)
        widget.setVisible (false);
    if (row.focusOrder > 0)
        widget.setExplicitFocusOrder (row.focusOrder);
    widgets[(size_t) r] = &widget;
}

std::unique_ptr<juce::GroupComponent> PanelBuilder::makeGroup (int r)
{
    auto group = std::make_unique<juce::GroupComponent> (rows[r].componentName, rows[r].text);
    place (r, *group);
    if (rows[r].align != PanelRow::Align::standard)
        group->setTextLabelPosition (justificationOf (rows[r].align));
    return group;
}

std::unique_ptr<juce::Label> PanelBuilder::makeLabel (int r)
{
    auto label = std::make_unique<juce::Label> (rows[r].componentName, rows[r].text);
    place (r, *label);
    label->setFont (juce::Font (kLabelFontHeight, juce::Font::plain));
    label->setJustificationType (juce::Justification::centredLeft);
    label->setEditable (false, false, false);
    label->setColour (juce::TextEditor::textColourId, juce::Colours::black);
    label->setColour (juce::TextEditor::backgroundColourId, juce::Colour (0x00000000));
    label->setTooltip (rows[r].tooltip);
    return label;
}

std::unique_ptr<juce::ComboBox> PanelBuilder::makeCombo (int r)
{
    auto box = std::make_unique<juce::ComboBox> (rows[r].componentName);
    place (r, *box);
    box->setEditableText (false);
    box->setJustificationType (justificationOf (rows[r].align));
    box->setTextWhenNothingSelected ({});
    box->setTextWhenNoChoicesAvailable ("(no choices)");
    addItems (*box, rows[r].items);
    box->setTooltip (rows[r].tooltip);
    box->addListener (&comboListener);
    return box;
}

std::unique_ptr<juce::TextButton> PanelBuilder::makeTextButton (int r)
{
    auto button = std::make_unique<juce::TextButton> (rows[r].componentName, juce::String());
    place (r, *button);
    button->setButtonText (rows[r].text);
    button->setTooltip (rows[r].tooltip);
    button->addListener (&buttonListener);
    button->setColour (juce::TextButton::buttonColourId, buttonColour);
    button->setColour (juce::TextButton::buttonOnColourId, juce::Colour (kButtonOnColour));
    button->setColour (juce::TextButton::textColourOnId, juce::Colour (kButtonTextColour));
    button->setColour (juce::TextButton::textColourOffId, juce::Colour (kButtonTextColour));
    return button;
}

std::unique_ptr<juce::ImageButton> PanelBuilder::makePictureButton (int r)
{
    auto button = std::make_unique<juce::ImageButton> (rows[r].componentName);
    place (r, *button);
    button->setButtonText ({}); // JUCE starts a button's text as its name; a picture says it all
    button->addListener (&buttonListener);
    return button;
}

std::unique_ptr<juce::TextEditor> PanelBuilder::makeText (int r)
{
    const auto& row = rows[r];
    auto text = std::make_unique<juce::TextEditor> (row.componentName, 0);
    place (r, *text);
    text->setMultiLine (false, true);
    text->setReturnKeyStartsNewLine (false);
    text->setReadOnly (row.kind == PanelRow::Kind::readOnlyText);
    text->setScrollbarsShown (false);
    text->setCaretVisible (false);
    text->setPopupMenuEnabled (false);
    if (row.background != 0)
    {
        text->setColour (juce::TextEditor::textColourId, juce::Colours::black);
        text->setColour (juce::TextEditor::backgroundColourId, juce::Colour (row.background));
    }
    text->setText (row.text, true);
    return text;
}

void PanelBuilder::addItems (juce::ComboBox& box, const char* items) const
{
    if (items == nullptr)
        return;

    if (items == PanelRow::controllerNames)
    {
        for (int n = 0; n < ControllerNames::kCount; ++n)
            box.addItem (ControllerNames::getEntryText (n), n + 1);
        box.addSeparator();
        return;
    }

    if (items == PanelRow::noteNames)
    {
        for (int n = 0; n < NoteNames::kCount; ++n)
            box.addItem (NoteNames::noteName (n), n + 1);
        return;
    }

    const juce::String text (items);

    if (text.contains (".."))
    {
        const auto first = text.upToFirstOccurrenceOf ("..", false, false).getIntValue();
        const auto last = text.fromFirstOccurrenceOf ("..", false, false).getIntValue();
        for (int n = first; n <= last; ++n)
            box.addItem (juce::String (n), n - first + 1);
        return;
    }

    const auto entries = juce::StringArray::fromTokens (text, "|", "");
    for (int i = 0; i < entries.size(); ++i)
        box.addItem (entries[i], i + 1);
}

void PanelBuilder::layOut() const
{
    for (size_t r = 0; r < widgets.size(); ++r)
        if (auto* widget = widgets[r])
            widget->setBounds (rows[r].x, rows[r].y, rows[r].width, rows[r].height);
}

void PanelBuilder::forgetWidgets() noexcept
{
    std::fill (widgets.begin(), widgets.end(), nullptr);
}
