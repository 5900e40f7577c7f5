#include "TestSupport.h"

#include "core/common/ProgramFolder.h"
#include "core/generation/MaskFile.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/SettingsTable.h"

#include <QFile>
#include <QScopeGuard>
#include <QSettings>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

class TestSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_home = std::make_unique<TestSupport::IsolatedHome>(); }
    void init() { m_home->resetStore(); }

    // A missing key gives the default and creates nothing; every write is on
    // disk when the call returns; a second copy's write is seen at once.
    void storeIsTheFileAtEveryCall()
    {
        QCOMPARE(GetRegValue(RegistryRoot::CurrentUser, Settings::Key, "OnTop", u"dflt"_s), u"dflt"_s);
        QVERIFY(!QFile::exists(m_home->settingsFile()));

        SetRegValue(RegistryRoot::CurrentUser, Settings::Key, "OnTop", u"0"_s);
        QFile file(m_home->settingsFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("OnTop=0"));
        QSettings(m_home->settingsFile(), QSettings::IniFormat).setValue(u"OnTop"_s, u"1"_s);
        QCOMPARE(GetRegValue(RegistryRoot::CurrentUser, Settings::Key, "OnTop", u"dflt"_s), u"1"_s);
    }

    // Values that are not text read as the default; the next write, or
    // start-up's defaults, replace them, type and all. Texts round-trip.
    void valuesRoundTripAsText()
    {
        for (const QVariant &stored : {QVariant(QStringList{u"a"_s, u"b"_s}), QVariant(QByteArray("\x01\x02", 2))}) {
            QSettings(m_home->settingsFile(), QSettings::IniFormat).setValue(u"Style"_s, stored);
            QCOMPARE(GetRegValue(RegistryRoot::CurrentUser, Settings::Key, "Style", u"dflt"_s), u"dflt"_s);
            SetRegValue(RegistryRoot::CurrentUser, Settings::Key, "Style", u"0"_s);
            QCOMPARE(Settings::read(Settings::Name::Style), u"0"_s);
            QSettings(m_home->settingsFile(), QSettings::IniFormat).setValue(u"Style"_s, stored);
            Settings::writeMissingDefaults();
            QCOMPARE(Settings::read(Settings::Name::Style), u"1"_s);
        }
        for (const QString &text :
             {QString(), u"@Variant(x)"_s, u"a, \"b\", 'c'"_s, u"Contraseña €✓ 𝄞"_s, u"one\r\ntwo"_s, u"abc\0def"_s}) {
            Settings::write(Settings::Name::Special, text);
            QCOMPARE(GetRegValue(RegistryRoot::CurrentUser, Settings::Key, "Special", u"missing"_s),
                     text.section(QChar(0), 0, 0)); // a nul cuts
        }
    }

    // The names in the store are its file format, which other copies and
    // earlier versions read: a renamed constant would lose the user's value.
    void storedNamesAreTheFileFormat()
    {
        QStringList names;
        for (const Settings::Definition &definition : Settings::table())
            names.append(definition.name);
        names.sort();
        QCOMPARE(names.join(u' '),
                 u"AUChk AlphaL AlphaU Clear ClearAfter Confirm DialogSize GenOpt Generate Language LastGen "
                 "Left NoLookAlike Numeric OnTop Rules RulesLen SaveM SaveN Sound Special String Style TAC TAO TAT "
                 "TCA TCO TCS TGO THL TIO TMI TMO TPO TSR TXI Top WordCap Words iMask lMask nMask sMask "
                 "uMask wMask"_s);
    }

    // Whatever the umask, what the program creates for the user is theirs
    // alone; what exists keeps its mode.
    void newFilesAreTheOwnersAlone()
    {
        const mode_t umaskBefore = ::umask(0);
        const auto restore = qScopeGuard([umaskBefore] { ::umask(umaskBefore); });
        const auto modeOf = [](const QString &path) {
            struct stat info;
            return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
        };
        const QString masks = ProgramFolder::pathForWriting(ProgramFolder::File::MaskList);
        QDir(QFileInfo(masks).absolutePath()).removeRecursively();
        for (int round = 0; round < 2; ++round) {
            Settings::write(Settings::Name::OnTop, u"1"_s);
            SetRegValues(RegistryRoot::CurrentUser, Settings::MakerKey,
                         {{Settings::InstallPathValue, u"/x%1"_s.arg(round)}}, RegWrite::Changed);
            QCOMPARE(GetRegValue(RegistryRoot::CurrentUser, Settings::MakerKey, Settings::InstallPathValue, {}),
                     u"/x%1"_s.arg(round));
            QCOMPARE(Settings::read(Settings::InstallPathValue), QString()); // not one of the program's own
            QVERIFY(MaskFile::save(ProgramFolder::pathForWriting(ProgramFolder::File::MaskList), {u"Xx##"_s}).ok());
            const QString conf = m_home->configFolder();
            const int fileMode = round == 0 ? 0600 : 0644;
            QCOMPARE(modeOf(conf), 0700);
            QCOMPARE(modeOf(conf + u"/Brasmoor"_s), 0700);
            QCOMPARE(modeOf(QFileInfo(masks).absolutePath()), 0700);
            for (const QString &file : {m_home->settingsFile(), conf + u"/Brasmoor.conf"_s, masks}) {
                QCOMPARE(modeOf(file), fileMode);
                QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                        QFile::ReadOther));
            }
        }
    }

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
