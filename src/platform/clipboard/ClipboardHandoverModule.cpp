#include "platform/clipboard/ClipboardHandoverModule.h"

#include "platform/clipboard/ClipboardHandover.h"

extern "C" Q_DECL_EXPORT void tessaroServeClipboard(const QString &text, int clearAfterSeconds, Outcome *served)
{
    *served = ClipboardHandover::serve(text, clearAfterSeconds);
}
