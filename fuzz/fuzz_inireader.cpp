// ReadIniValue on arbitrary files. Input: the section name, a line feed, the
// key, a line feed, then the bytes of the file.

#include "core/settings/IniReader.h"
#include "FuzzSupport.h"

#include <QFile>

namespace {

QString g_file;

bool isAscii(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    g_file = FuzzSupport::isolateHome() + QStringLiteral("/profile.lng");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype afterSection = input.indexOf('\n');
    const qsizetype afterKey = afterSection < 0 ? -1 : input.indexOf('\n', afterSection + 1);
    if (afterKey < 0)
        return 0;
    const QString section = QString::fromUtf8(input.left(afterSection));
    const QString key = QString::fromUtf8(input.mid(afterSection + 1, afterKey - afterSection - 1));
    {
        QFile file(g_file);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(input.mid(afterKey + 1));
    }

    const QString value = ReadIniValue(section, key, g_file);
    FUZZ_CHECK(value.size() <= kIniValueMaxLength);
    FUZZ_CHECK(!value.contains(QLatin1Char('\n')));
    FUZZ_CHECK(value == ReadIniValue(section, key, g_file)); // reading changes nothing

    // Plain ASCII names match whatever their case.
    if (isAscii(section) && isAscii(key)) {
        FUZZ_CHECK(ReadIniValue(section.toUpper(), key.toLower(), g_file) == value);
        FUZZ_CHECK(ReadIniValue(section.toLower(), key.toUpper(), g_file) == value);
    }

    // A missing file gives the empty text and is not created.
    const QString missing = g_file + QStringLiteral(".missing");
    FUZZ_CHECK(ReadIniValue(section, key, missing).isEmpty());
    FUZZ_CHECK(!QFile::exists(missing));
    return 0;
}
