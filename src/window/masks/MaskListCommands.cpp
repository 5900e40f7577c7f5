#include "window/masks/MaskListCommands.h"

#include "core/common/ProgramFolder.h"
#include "core/generation/ListFiles.h"
#include "core/generation/MaskFile.h"
#include "platform/messages/MessageBoxes.h"
#include "window/masks/ComboItems.h"

#include <QComboBox>
#include <QDir>

using namespace Qt::StringLiterals;

namespace MaskList {

namespace {

constexpr qsizetype kShortestMask = 4;

// The first row whose text is exactly the mask, or -1.
int rowOf(const QComboBox &masks, const QString &mask)
{
    for (int row = 0; row < masks.count(); ++row) {
        if (masks.itemText(row) == mask)
            return row;
    }
    return -1;
}

} // namespace

void AddMask(QComboBox &masks, MessageBoxes &messages)
{
    const QString mask = masks.currentText();
    if (mask.size() < kShortestMask)
        return;
    if (rowOf(masks, mask) >= 0) {
        messages.show({u"Mask "_s + mask + u" already in list."_s, u"Already in list"_s, MessageBoxes::Buttons::Ok,
                       MessageBoxes::Icon::Exclamation});
        return;
    }
    masks.addItem(mask);
    masks.setEditText(mask); // adding a row must not change the mask shown
    SaveMasks(masks, messages);
}

void RemoveMask(QComboBox &masks, MessageBoxes &messages)
{
    const QString mask = masks.currentText();
    if (mask.isEmpty())
        return;
    const MessageBoxes::Answer answer =
        messages.show({u"Are you sure you want to remove ["_s + mask + u"] from the list?"_s, u"Remove Mask?"_s,
                       MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Question});
    if (answer != MessageBoxes::Answer::Yes)
        return;
    const int row = rowOf(masks, mask);
    if (row < 0)
        return;
    masks.removeItem(row);
    masks.setEditText(mask); // the text stays in the box, ready to be added again
    SaveMasks(masks, messages);
}

void LoadMasks(QComboBox &masks)
{
    const std::optional<QStringList> saved = ReadListFile(ProgramFolder::path(ProgramFolder::File::MaskList));
    if (!saved)
        return;
    const QString text = masks.currentText();
    masks.clear();
    masks.addItems(*saved); // one insertion for the whole list, not one per mask
    masks.setEditText(text);
}

bool SaveMasks(QComboBox &masks, MessageBoxes &messages)
{
    const QStringList rows = MaskFile::masksOf(ComboItems(masks));
    const QString path = ProgramFolder::pathForWriting(ProgramFolder::File::MaskList);
    const SafeFileWriter::Result result = MaskFile::save(path, rows);
    if (!result.ok) {
        messages.showError(
            u"The mask list could not be saved to %1.\r\n%2"_s.arg(QDir::toNativeSeparators(path), result.error));
    }
    return result.ok;
}

} // namespace MaskList
