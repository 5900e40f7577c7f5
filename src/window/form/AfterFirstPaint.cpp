#include "window/form/AfterFirstPaint.h"

#include <QEvent>
#include <QWidget>

namespace {

class WorkAfterPaint : public QObject
{
public:
    WorkAfterPaint(QWidget &window, std::function<void()> work) : QObject(&window), m_work(std::move(work))
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_work();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> m_work;
};

} // namespace

void afterFirstPaint(QWidget &window, std::function<void()> work)
{
    new WorkAfterPaint(window, std::move(work));
}
