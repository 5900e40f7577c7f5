#include "window/startup/ImagePlugins.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStringList>
#include <QWidget>

namespace ImagePlugins {

namespace {

class GiveBackAfterPaint : public QObject
{
public:
    explicit GiveBackAfterPaint(QStringList paths) : QObject(QCoreApplication::instance()), m_paths(std::move(paths))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow()) {
            QCoreApplication::instance()->removeEventFilter(this);
            // After the painting, so that the frame reaches the screen first.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    QCoreApplication::setLibraryPaths(m_paths);
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QStringList m_paths;
};

} // namespace

void holdBackUntilFirstPaint()
{
    QStringList paths = QCoreApplication::libraryPaths();
    QCoreApplication::setLibraryPaths({});
    new GiveBackAfterPaint(std::move(paths));
}

} // namespace ImagePlugins
