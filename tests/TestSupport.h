#pragma once

// An isolated home for the settings store and the user's files, and the
// start-up defaults written as a first start would leave them.

#include "core/settings/SettingsTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace TestSupport {

// Points HOME and the XDG folders at a fresh temporary folder. Create it in
// initTestCase(), before anything reads a setting.
class IsolatedHome
{
public:
    IsolatedHome()
    {
        QVERIFY2(m_dir.isValid(), "cannot create a temporary home");
        qputenv("HOME", m_dir.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", configFolder().toLocal8Bit());
        qputenv("XDG_DATA_HOME", (m_dir.path() + QStringLiteral("/data")).toLocal8Bit());
        qputenv("XDG_CACHE_HOME", (m_dir.path() + QStringLiteral("/cache")).toLocal8Bit());
    }

    QString path() const { return m_dir.path(); }
    QString configFolder() const { return m_dir.path() + QStringLiteral("/config"); }
    // Where the store keeps Software\Brasmoor\Tessaro on this platform.
    QString settingsFile() const { return configFolder() + QStringLiteral("/Brasmoor/Tessaro.conf"); }

    // The store's file as it stands, "none" when there is none.
    QByteArray storeBytes() const
    {
        QFile file(settingsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("none");
    }

    void resetStore() const { QDir(configFolder()).removeRecursively(); }

private:
    QTemporaryDir m_dir;
};

inline void writeStartupDefaults()
{
    Settings::writeMissingDefaults();
}

} // namespace TestSupport
