#include "window/masks/MaskListCommands.h"

#include "core/common/ProgramFolder.h"
#include "core/generation/ListFiles.h"
#include "core/generation/MaskFile.h"
#include "core/localisation/LanguageTexts.h"
#include "platform/messages/MessageBoxes.h"
#include "window/masks/ComboItems.h"

#include <QComboBox>
#include <QDir>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace MaskList {

namespace {

constexpr qsizetype kShortestMask = 4;

// Puts the masks into the box as its rows, keeping the text typed in it.
// Masks added at the end are appended and a single removed mask is taken
// out, so a change costs the same however long the list is.
void showMasks(QComboBox &box, const QStringList &masks)
{
    const QStringList shown = MaskFile::masksOf(ComboItems(box));
    qsizetype same = 0;
    while (same < shown.size() && same < masks.size() && shown.at(same) == masks.at(same))
        ++same;
    if (same == shown.size() && same == masks.size())
        return;
    const QString text = box.currentText();
    if (same == shown.size()) {
        box.addItems(masks.sliced(same)); // one insertion for all that is new, not one per mask
    } else if (shown.size() == masks.size() + 1 &&
               std::equal(shown.cbegin() + same + 1, shown.cend(), masks.cbegin() + same, masks.cend())) {
        box.removeItem(int(same));
    } else {
        box.clear();
        box.addItems(masks);
    }
    box.setEditText(text);
}

// Makes the change in mask.kmf as it stands now and shows the resulting
// list; a list that could not be saved is shown as changed, with the reason.
MaskFile::Changed changeList(QComboBox &box, MaskFile::Change change, const QString &mask, MessageBoxes &messages)
{
    const QString path = ProgramFolder::pathForWriting(ProgramFolder::File::MaskList);
    const MaskFile::Changed changed = MaskFile::change(path, change, mask, MaskFile::masksOf(ComboItems(box)));
    showMasks(box, changed.masks);
    if (!changed.result.ok()) {
        messages.showError(
            Localisation::text("Message15"_L1).arg(QDir::toNativeSeparators(path), changed.result.reason()));
    }
    return changed;
}

} // namespace

void AddMask(QComboBox &masks, MessageBoxes &messages)
{
    const QString mask = masks.currentText();
    if (mask.size() < kShortestMask)
        return;
    if (changeList(masks, MaskFile::Change::Add, mask, messages).listed) {
        messages.show({u"Mask "_s + mask + u" already in list."_s, u"Already in list"_s, MessageBoxes::Buttons::Ok,
                       MessageBoxes::Icon::Exclamation});
    }
}

void RemoveMask(QComboBox &masks, MessageBoxes &messages)
{
    const QString mask = masks.currentText();
    if (mask.isEmpty())
        return;
    const MessageBoxes::Answer answer =
        messages.show({u"Are you sure you want to remove ["_s + mask + u"] from the list?"_s, u"Remove Mask?"_s,
                       MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Question});
    if (answer == MessageBoxes::Answer::Yes)
        changeList(masks, MaskFile::Change::Remove, mask, messages);
}

void LoadMasks(QComboBox &masks)
{
    if (const std::optional<QStringList> saved = ReadListFile(ProgramFolder::path(ProgramFolder::File::MaskList)))
        showMasks(masks, *saved);
}

} // namespace MaskList
