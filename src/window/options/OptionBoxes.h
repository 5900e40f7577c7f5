#pragma once

#include <QLatin1String>

#include <span>

class MainWindow;
class QCheckBox;
struct Form;

// The on/off options of the Program Options and Interface Options panels,
// and the two of generation (capital words, no look-alike characters).
// Each box writes its setting the moment the user changes it ("1" ticked,
// "0" unticked), then performs its immediate effect, if it has one. Setting
// a box from code (as start-up does) writes nothing.
namespace OptionBoxes {

// Generation: the strength meter and the word count are shown afresh.
enum class Effect { None, Topmost, Sound, Style, Generation };

struct Option
{
    QCheckBox *Form::*box;
    QLatin1String setting;
    Effect effect;
};

// Every box, in the order the panels hold them.
std::span<const Option> options();

// Connects each box's click to its handler.
void connectBoxes(MainWindow &window);

// The handler of one box: reads its state and acts on 0 and 1 only.
void boxClicked(MainWindow &window, const Option &option);

// Performs an option's effect for a state of 0 or 1.
void applyEffect(MainWindow &window, Effect effect, int state);

} // namespace OptionBoxes
