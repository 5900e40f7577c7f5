// The list-file reader on arbitrary bytes, and the writer's layout read back.

#include "core/common/TextEncoding.h"
#include "core/generation/ListFiles.h"
#include "core/generation/MemoryResultList.h"
#include "core/results/ExportLayouts.h"
#include "FuzzSupport.h"

#include <QFile>
#include <QStringList>

namespace {

QString g_file;

QStringList itemsOf(const ItemList &list)
{
    QStringList items;
    for (int row = 0; row < list.GetItemCount(); ++row)
        items.append(list.ItemText(row, 0));
    return items;
}

// An item that one line of the plain layout carries unchanged: no line end,
// no comma, no opening quote, and for the first line no byte-order mark,
// which a reader takes for the encoding's signature.
bool travelsUnchanged(const QString &item, bool first)
{
    if (item.contains(QLatin1Char(',')) || item.contains(QLatin1Char('\r')) || item.contains(QLatin1Char('\n')))
        return false;
    if (item.startsWith(QLatin1Char('"')))
        return false;
    return !(first && item.startsWith(QChar(0xFEFF)));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    g_file = FuzzSupport::isolateHome() + QStringLiteral("/mask.kmf");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList fields = parseListFileText(TextEncoding::decodeFileText(bytes));

    // Loading the file gives exactly the fields of its text.
    {
        QFile file(g_file);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    MemoryResultList loaded;
    loaded.appendItem(); // a stale item must go
    LoadFileToList(g_file, loaded);
    FUZZ_CHECK(itemsOf(loaded) == fields);

    // Items the plain layout carries come back one for one.
    MemoryResultList written;
    QStringList expected;
    for (const QString &field : fields) {
        if (!travelsUnchanged(field, expected.isEmpty()))
            continue;
        written.appendItem();
        written.setItemText(written.GetItemCount() - 1, field);
        expected.append(field);
    }
    const QByteArray layout = ExportLayouts::text(written);
    FUZZ_CHECK(parseListFileText(TextEncoding::decodeFileText(layout)) == expected);
    return 0;
}
