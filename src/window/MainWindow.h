#pragma once

#include "window/form/Form.h"
#include "window/options/OptionBoxes.h"
#include "window/WindowServices.h"

#include <QMainWindow>

#include <memory>

class ClickSound;
class ClipboardClearTimer;
class CommonDialog;
class ControlLooks;
class QAction;
class ResultCommands;
class WindowBatch;
class ToolBand;
enum class ToolMenu;
class UpdateNotifier;

// The program's window, the form gen: its panels and controls (Form), the
// menu band genbars, the file dialog object, and the routing of every
// control event to the command that handles it.
class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(const WindowServices &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    const Form &form() const { return m_form; }
    ToolBand &toolBand() const { return *m_bars; }
    ResultCommands &results() const { return *m_results; }
    const WindowServices &services() const { return m_services; }
    ControlLooks &looks() const { return *m_looks; }
    ClickSound &clickSound() const { return *m_clickSound; }
    // The version check and its notice, made on first need: most starts
    // never check.
    UpdateNotifier &updates();
    ClipboardClearTimer &clipboardClearTimer() const { return *m_clearTimer; }
    WindowBatch &batch() const { return *m_batch; }

    // Shows the strength of the mask in the mask box.
    void refreshStrength();
    // Performs an option box's effect for a state of 0 or 1.
    void applyOptionEffect(OptionBoxes::Effect effect, int state);

    // The Generate button's command; ignored while a batch runs.
    void generate();
    // The Site Rules panel's Generate; ignored while a batch runs.
    void generateFromRules();
    // Every tool of genbars arrives here and runs the command of its row in
    // the tool table (toolbar/ToolCodes.h; see commands/ToolDispatch).
    void runToolCommand(const QAction &tool);

    void openPanel(QWidget &panel);
    void closePanel(QWidget &panel);
    void minimize();
    // Runs shutdown and closes the window, which ends the program.
    void exitProgram();
    // Opens the help page in the desktop's browser; a message names the
    // help file when it is missing or no browser could be started.
    void openHelp();

    // True once shutdown has run.
    bool hasShutDown() const { return m_shutDown; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void connectControls();
    void connectSiteRules();
    void popUpAtPointer(ToolMenu menu, QWidget &button);

    WindowServices m_services;
    Form m_form;
    ToolBand *m_bars;
    std::unique_ptr<CommonDialog> m_dialog;
    std::unique_ptr<ResultCommands> m_results;
    std::unique_ptr<ControlLooks> m_looks;
    ClickSound *m_clickSound;
    UpdateNotifier *m_updates = nullptr;
    ClipboardClearTimer *m_clearTimer;
    WindowBatch *m_batch;
    bool m_shutDown = false;
};
