#pragma once

#include <QList>

#include <memory>

class QStyle;
class QWidget;
struct Form;

// The two looks of the window's main controls: the "XP look" is Qt's Fusion
// style, the "classic look" Qt's Windows style. Each listed control gets the
// style of its own (or keeps the application's when that is Fusion and the
// XP look is chosen); every other control keeps the application's style.
class ControlLooks
{
public:
    enum Look { Classic = 0, Xp = 1 };

    ControlLooks();
    ~ControlLooks();

    // 1: the XP look, 0: the classic look, on the fifteen controls listed by
    // controls(); any other number does nothing.
    void ApplyStyle(const Form &form, int look);

    // The controls that change look, in the order they are changed.
    static QList<QWidget *> controls(const Form &form);

private:
    QStyle *style(int look);

    // Widgets do not own a style set on them, so the styles live here, as
    // long as the window.
    std::unique_ptr<QStyle> m_xp;
    std::unique_ptr<QStyle> m_classic;
};
