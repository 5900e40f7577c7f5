#include "window/generation/WordListChoice.h"

#include "window/form/FittedCaption.h"

#include "core/generation/WordList.h"
#include "core/localisation/LanguageTexts.h"
#include "platform/dialogs/FileDialogs.h"
#include "platform/messages/MessageBoxes.h"
#include "window/form/AfterFirstPaint.h"
#include "window/form/Form.h"
#include "window/results/CommonDialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace WordListChoice {

namespace {

WordList::Read readList(const Form &form, const QString &fileName)
{
    return WordList::read(WordList::pathOf(fileName), form.wcp->isChecked());
}

void showCount(const Form &form)
{
    const WordList::Read list = readList(form, form.wlEdit->text());
    if (!list.words) {
        FittedCaption::show(*form.wcLabel, list.outcome.reason(), FittedCaption::Room::Line);
        return;
    }
    const QString caption = form.wcLabel->property("caption").toString();
    const QString count = QString::number(list.words->size());
    FittedCaption::show(*form.wcLabel, caption.contains(u"%1"_s) ? caption.arg(count) : count + u' ' + caption,
                        FittedCaption::Room::Line);
}

} // namespace

void ChooseWordList(const Form &form, CommonDialog &dialog, MessageBoxes &messages)
{
    FileDialogs::Request request;
    request.kind = FileDialogs::Kind::Open;
    request.title = Localisation::text("Dialog05"_L1);
    request.folder = QFileInfo(WordList::pathOf(form.wlEdit->text())).absolutePath();
    request.nameFilters = {Localisation::text("Dialog06"_L1), Localisation::text("Dialog07"_L1)};
    request.confirmOverwrite = false;
    const QString chosen = dialog.chooseFile(request);
    if (chosen.isEmpty())
        return;
    if (const WordList::Read list = readList(form, chosen); !list.words) {
        messages.showError(list.outcome.reason());
        return;
    }
    form.wlEdit->setText(chosen);
    ShowWordCount(form);
}

void NameShippedLists(const Form &form, const std::array<QString, 3> &names)
{
    form.wlButton->setProperty("listNames", QStringList(names.begin(), names.end()));
    if (QMenu *menu = form.wlButton->menu()) {
        for (qsizetype i = 0; i < 3; ++i)
            menu->actions().at(i)->setText(names[size_t(i)]);
        return;
    }
    // The menu waits for the first painting: the first frame does not show it.
    if (form.wlButton->property("menuPending").toBool())
        return;
    form.wlButton->setProperty("menuPending", true);
    afterFirstPaint(*form.wlButton->window(), [form] {
        const QStringList names = form.wlButton->property("listNames").toStringList();
        auto *menu = new QMenu(form.wlButton);
        menu->setObjectName(u"wlMenu"_s);
        const auto pick = [form](const QString &name) {
            form.wlEdit->setText(name);
            ShowWordCount(form);
        };
        QObject::connect(menu->addAction(names.value(0)), &QAction::triggered, form.wlEdit, [pick] { pick({}); });
        QObject::connect(menu->addAction(names.value(1)), &QAction::triggered, form.wlEdit,
                         [pick] { pick(QLatin1StringView(kGermanList)); });
        QObject::connect(menu->addAction(names.value(2)), &QAction::triggered, form.wlButton, &QToolButton::click);
        form.wlButton->setMenu(menu);
        form.wlButton->setPopupMode(QToolButton::MenuButtonPopup);
    });
}

void ShowWordCount(const Form &form)
{
    if (form.wcLabel->window()->isVisible()) {
        showCount(form);
        return;
    }
    // Before the window shows, the count waits for its first painting:
    // taking a list apart costs a few milliseconds that would otherwise hold
    // up the first frame. One count waits at most.
    const char *const pending = "countPending";
    if (form.wcLabel->property(pending).toBool())
        return;
    form.wcLabel->setProperty(pending, true);
    afterFirstPaint(*form.wcLabel->window(), [form, pending] {
        form.wcLabel->setProperty(pending, false);
        showCount(form);
    });
}

bool CheckWordList(const Form &form, MessageBoxes &messages)
{
    if (form.wlEdit->text().isEmpty())
        return true;
    const WordList::Read list = readList(form, form.wlEdit->text());
    if (list.words)
        return true;
    messages.showError(list.outcome.reason());
    form.wlEdit->setFocus(Qt::OtherFocusReason);
    return false;
}

} // namespace WordListChoice
