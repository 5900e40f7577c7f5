#pragma once

#include <QLatin1String>

#include <functional>
#include <span>

class QCheckBox;
class QObject;
struct Form;

// The on/off options of the Program Options and Interface Options panels,
// and the two of generation (capital words, no look-alike characters).
// Each box writes its setting the moment the user changes it ("1" ticked,
// "0" unticked), then performs its immediate effect, if it has one. Setting
// a box from code (as start-up does) writes nothing.
namespace OptionBoxes {

// Generation: the strength meter and the word count are shown afresh.
// UpdateCheck: the version check starts (on 1 only).
enum class Effect { None, Topmost, Sound, Style, Generation, UpdateCheck };

struct Option
{
    QCheckBox *Form::*box;
    QLatin1String setting;
    Effect effect;        // performed when the user clicks the box
    Effect startupEffect; // performed when start-up sets the box
};

// Every box, in the order the panels hold them.
std::span<const Option> options();

// Performs an effect for a state of 0 or 1: the window's part
// (MainWindow::applyOptionEffect).
using EffectRunner = std::function<void(Effect effect, int state)>;

// Connects each box's click to its handler; context ends the connections.
void connectBoxes(const Form &form, QObject &context, const EffectRunner &perform);

// The handler of one box: reads its state and acts on 0 and 1 only.
void boxClicked(const Form &form, const Option &option, const EffectRunner &perform);

// Start-up: sets every box from its setting, an empty value read as the
// setting's default: 0 unticks the box, 1 ticks it, anything else leaves it
// as it is. The boxes' click handlers do not run; each start-up effect is
// performed for 0 and 1 only.
void restoreBoxes(const Form &form, const EffectRunner &perform);

} // namespace OptionBoxes
