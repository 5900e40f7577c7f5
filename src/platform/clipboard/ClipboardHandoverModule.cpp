#include "platform/clipboard/ClipboardHandoverModule.h"

#include "platform/clipboard/ClipboardHandover.h"

extern "C" Q_DECL_EXPORT bool tessaroServeClipboard(const QString &text, int clearAfterSeconds, QString *error)
{
    const ClipboardHandover::Result served = ClipboardHandover::serve(text, clearAfterSeconds);
    *error = served.error;
    return served.ok;
}
