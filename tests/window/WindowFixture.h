#pragma once

// A real main window driven offscreen, with message boxes, file dialogs and
// the shell replaced by recording fakes, in an isolated home.

#include "dialogs/RecordingFileDialogs.h"
#include "MainWindow.h"
#include "messages/RecordingMessageBoxes.h"
#include "results/ResultListView.h"
#include "shell/RecordingShell.h"
#include "startup/Startup.h"
#include "TestSupport.h"
#include "toolbar/ToolBand.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>

#include <memory>

namespace WindowTest {

struct Fixture
{
    RecordingMessageBoxes messages;
    RecordingFileDialogs dialogs;
    RecordingShell shell;
    std::unique_ptr<MainWindow> window;

    // A window after start-up, shown.
    MainWindow &open()
    {
        window = std::make_unique<MainWindow>(WindowServices{&messages, &dialogs, &shell});
        Startup::run(*window);
        window->show();
        return *window;
    }
    const Form &form() const { return window->form(); }

    void generate(const QString &mask, const QString &count)
    {
        form().mCombo->setEditText(mask);
        form().spinner->setText(count);
        form().gButton->click();
    }
    QStringList rows() const
    {
        QStringList rows;
        for (int r = 0; r < form().genList->GetItemCount(); ++r)
            rows.append(form().genList->ItemText(r));
        return rows;
    }
    // Puts the given rows into the result list, as a batch would.
    void fill(const QStringList &rows)
    {
        ResultListView &list = *form().genList;
        list.clearItems();
        for (const QString &row : rows) {
            list.appendItem();
            list.setItemText(list.GetItemCount() - 1, row);
        }
        list.flush();
    }
    QAction *tool(int index) const { return window->toolBand().tool(index); }
};

inline QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

inline void setClipboard(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

} // namespace WindowTest
