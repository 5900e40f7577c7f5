// One million attempts of a typical mask into the in-memory result list,
// in default and in custom generation.

#include "BenchSupport.h"

#include "core/generation/MemoryResultList.h"
#include "core/generation/PasswordGenerator.h"
#include "core/settings/SettingsTable.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    BenchSupport::isolatedHome();
    for (const Settings::Definition &definition : Settings::table()) {
        if (definition.startupDefault)
            Settings::write(definition.name, QString::fromLatin1(definition.startupDefault));
    }

    const QString mask = QStringLiteral("Xxxx-####-@@@@");
    {
        // The first read of the settings file and the random source's set-up
        // are paid once per process, not per batch.
        MemoryResultList warmUp;
        GeneratePasswords(warmUp, 1, mask);
    }
    constexpr qint32 count = 1000000;
    for (const char *mode : {"0", "1"}) {
        Settings::write(Settings::Name::GenOpt, QString::fromLatin1(mode));
        for (int round = 0; round < 3; ++round) {
            MemoryResultList list;
            QElapsedTimer timer;
            timer.start();
            GeneratePasswords(list, count, mask);
            const qint64 elapsed = timer.nsecsElapsed();
            const QByteArray label =
                QByteArrayLiteral("GeneratePasswords 1,000,000 ") + (mode[0] == '0' ? "default" : "custom ") +
                " round " + QByteArray::number(round + 1) + " (" + QByteArray::number(list.GetItemCount()) + " rows)";
            BenchSupport::report(label.constData(), count, elapsed);
        }
    }
    return 0;
}
