#include "window/options/ControlLooks.h"

#include "window/form/Form.h"
#include "window/results/ResultListView.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QToolButton>

using namespace Qt::StringLiterals;

ControlLooks::ControlLooks() = default;
ControlLooks::~ControlLooks() = default;

QList<QWidget *> ControlLooks::controls(const Form &form)
{
    return {form.aButton,   form.cButton,   form.fButton, form.gButton, form.genList,
            form.oButton,   form.SButton,   form.nButton, form.mButton, form.iButton,
            form.addButton, form.sudButton, form.mCombo,  form.LCombo,  form.spinner};
}

QStyle *ControlLooks::style(int look)
{
    // When the application is drawn in Fusion already, its own style is the
    // XP look: the controls then keep it, and start-up sets no style at all.
    if (look == Xp && QApplication::style()->name().compare(u"fusion"_s, Qt::CaseInsensitive) == 0)
        return QApplication::style();
    std::unique_ptr<QStyle> &held = look == Xp ? m_xp : m_classic;
    if (!held)
        held.reset(QStyleFactory::create(look == Xp ? u"Fusion"_s : u"Windows"_s));
    return held.get();
}

void ControlLooks::ApplyStyle(const Form &form, int look)
{
    if (look != Xp && look != Classic)
        return;
    QStyle *chosen = style(look);
    if (!chosen)
        return;
    const auto setStyle = [chosen](QWidget &widget) {
        if (widget.style() != chosen)
            widget.setStyle(chosen);
    };
    for (QWidget *control : controls(form)) {
        setStyle(*control);
        // An editable combo box draws its text in a line edit of its own.
        if (auto *combo = qobject_cast<QComboBox *>(control); combo && combo->lineEdit())
            setStyle(*combo->lineEdit());
    }
}
