#include "window/MainWindow.h"

#include "core/common/ProgramFolder.h"
#include "core/localisation/LanguageTexts.h"
#include "core/settings/SettingsTable.h"
#include "platform/messages/MessageBoxes.h"
#include "platform/shell/Shell.h"
#include "window/form/AfterFirstPaint.h"
#include "window/form/PanelSwitch.h"
#include "window/form/StrengthMeter.h"
#include "window/generation/GenerateCommand.h"
#include "window/generation/GenerationPanels.h"
#include "window/generation/WindowBatch.h"
#include "window/generation/WordListChoice.h"
#include "window/localisation/LanguageCommands.h"
#include "window/masks/MaskListCommands.h"
#include "window/options/ClickSound.h"
#include "window/options/ControlLooks.h"
#include "window/options/Topmost.h"
#include "window/results/ClipboardClearTimer.h"
#include "window/results/CommonDialog.h"
#include "window/results/ResultCommands.h"
#include "window/results/ResultListView.h"
#include "window/rules/SiteRulesCommands.h"
#include "window/Shutdown.h"
#include "window/toolbar/OpenWebPage.h"
#include "window/toolbar/ToolBand.h"
#include "window/toolbar/ToolDispatch.h"
#include "window/update/UpdateNotifier.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>

using namespace Qt::StringLiterals;

MainWindow::MainWindow(const WindowServices &services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_bars(new ToolBand(this)),
      m_dialog(std::make_unique<CommonDialog>(*services.fileDialogs)), m_looks(std::make_unique<ControlLooks>()),
      m_clickSound(new ClickSound(this)), m_clearTimer(new ClipboardClearTimer(this))
{
    setObjectName(u"gen"_s);
    setMenuBar(m_bars);
    auto *central = new QWidget(this);
    central->setObjectName(u"central"_s);
    setCentralWidget(central);
    m_form = buildForm(central);
    m_batch = new WindowBatch(*m_form.genList, this);
    m_results = std::make_unique<ResultCommands>(*m_form.genList, *m_dialog, *services.messages);
    m_results->setCopiedCallback([this](const QString &text) {
        if (Settings::clearAfterSeconds() > 0)
            m_clearTimer->copied(text);
    });
    for (QWidget *panel : {m_form.oFrame, m_form.gFrame, m_form.sFrame, m_form.iFrame, m_form.aFrame, m_form.rFrame})
        PanelSwitch::setVerticalPosition(*panel, PanelSwitch::kAwayPosition);
    PanelSwitch::setVerticalPosition(*m_form.cFrame, PanelSwitch::kMainPosition);
    m_form.mCombo->setFocus();
    resize(560, 460);
    connectControls();
}

MainWindow::~MainWindow()
{
    m_batch->stop();
}

void MainWindow::connectControls()
{
    const Form &f = m_form;
    connect(f.gButton, &QPushButton::clicked, this, &MainWindow::generate);
    connect(f.mCombo->lineEdit(), &QLineEdit::returnPressed, this, &MainWindow::generate);
    connect(f.spinner, &QLineEdit::returnPressed, this, &MainWindow::generate);
    // Clear ends a running batch: its rows were never shown.
    connect(f.cButton, &QPushButton::clicked, this, [this] {
        m_batch->stop();
        m_results->ClearResults();
    });
    connect(f.SButton, &QPushButton::clicked, this, [this] { popUpAtPointer(ToolMenu::Save, *m_form.SButton); });
    connect(f.fButton, &QPushButton::clicked, this, [this] { popUpAtPointer(ToolMenu::File, *m_form.fButton); });

    // The result list: a double-click copies the row; the context menu is
    // the Edit menu, and only when there is something to copy.
    connect(f.genList, &QAbstractItemView::doubleClicked, this, [this] { m_results->CopySelectedResult(); });
    f.genList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(f.genList, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        if (m_form.genList->GetItemCount() > 0)
            m_bars->popUp(ToolMenu::Edit, m_form.genList->viewport()->mapToGlobal(position));
    });
    auto *copyRow = new QShortcut(QKeySequence::Copy, f.genList, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copyRow, &QShortcut::activated, this, [this] { m_results->CopySelectedResult(); });

    connect(m_bars, &ToolBand::toolClicked, this, [this](QAction *tool) { runToolCommand(*tool); });

    // The buttons that only close their panel.
    connect(f.oButton, &QToolButton::clicked, this, [this] { closePanel(*m_form.oFrame); });
    connect(f.aButton, &QToolButton::clicked, this, [this] { closePanel(*m_form.aFrame); });

    // The mask list and the strength of the mask being typed or picked.
    connect(f.addButton, &QToolButton::clicked, this,
            [this] { MaskList::AddMask(*m_form.mCombo, *m_services.messages); });
    connect(f.sudButton, &QToolButton::clicked, this,
            [this] { MaskList::RemoveMask(*m_form.mCombo, *m_services.messages); });
    connect(f.mCombo, &QComboBox::editTextChanged, this, &MainWindow::refreshStrength);

    // The two generation panels save, then close.
    connect(f.nButton, &QToolButton::clicked, this, [this] {
        if (GenerationPanels::SaveClasses(m_form, *m_services.messages)) {
            refreshStrength();
            closePanel(*m_form.gFrame);
        }
    });
    connect(f.mButton, &QToolButton::clicked, this, [this] {
        if (GenerationPanels::SaveSymbols(m_form, *m_services.messages)) {
            refreshStrength();
            closePanel(*m_form.sFrame);
        }
    });
    connect(f.wlButton, &QToolButton::clicked, this,
            [this] { WordListChoice::ChooseWordList(m_form, *m_dialog, *m_services.messages); });
    connect(f.wlEdit, &QLineEdit::editingFinished, this, [this] { WordListChoice::ShowWordCount(m_form); });
    connect(f.cOption, &QRadioButton::clicked, this, [this] {
        GenerationPanels::ChooseCustomGeneration(m_form);
        refreshStrength();
    });
    connect(f.dOption, &QRadioButton::clicked, this, [this] {
        GenerationPanels::ChooseDefaultGeneration(m_form);
        refreshStrength();
    });

    OptionBoxes::connectBoxes(f, *this,
                              [this](OptionBoxes::Effect effect, int state) { applyOptionEffect(effect, state); });
    m_clickSound->connectButtons(f);
    connect(f.iButton, &QToolButton::clicked, this, [this] {
        if (Language::ApplyChosenLanguage(m_form, *m_bars, *m_services.messages))
            closePanel(*m_form.iFrame);
    });

    connectSiteRules();

    connect(f.kmflnk, &QPushButton::clicked, this,
            [this] { OpenWebPage(*m_services.shell, m_form.kmflnk->property("url").toString()); });

    auto *quit = new QAction(this);
    quit->setObjectName(u"quitShortcut"_s);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::WindowShortcut);
    addAction(quit);
    connect(quit, &QAction::triggered, this, &MainWindow::exitProgram);
}

void MainWindow::connectSiteRules()
{
    const Form &f = m_form;
    connect(f.ruEdit, &QLineEdit::textChanged, this, [this] { SiteRulesPanel::ShowRules(m_form); });
    connect(f.rlSpin, &QSpinBox::valueChanged, this, [this] { SiteRulesPanel::ShowStrength(m_form); });
    SiteRulesPanel::twinCountBoxes(*f.spinner, *f.rnEdit);
    connect(f.rgButton, &QPushButton::clicked, this, &MainWindow::generateFromRules);
    // Enter in any of the panel's boxes generates, as in the main panel's.
    for (QLineEdit *box : {f.ruEdit, f.rnEdit, f.rlSpin->findChild<QLineEdit *>()}) {
        connect(box, &QLineEdit::returnPressed, this, [this] {
            if (!SiteRulesPanel::suggestionsShown(m_form))
                generateFromRules();
        });
    }
    connect(f.rButton, &QToolButton::clicked, this, [this] { closePanel(*m_form.rFrame); });
    auto *back =
        new QShortcut(QKeySequence(Qt::Key_Escape), f.rFrame, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(back, &QShortcut::activated, this, [this] {
        if (!SiteRulesPanel::closeSuggestions(m_form))
            closePanel(*m_form.rFrame);
    });
}

UpdateNotifier &MainWindow::updates()
{
    if (!m_updates) {
        // The version check (wChk) and the new-version notice (ctlpop).
        m_updates = new UpdateNotifier(this, *m_services.messages, *m_services.shell);
    }
    return *m_updates;
}

void MainWindow::refreshStrength()
{
    m_form.strengthMeter->showMask(m_form.mCombo->currentText());
}

void MainWindow::applyOptionEffect(OptionBoxes::Effect effect, int state)
{
    using OptionBoxes::Effect;
    if (state != 0 && state != 1)
        return;
    switch (effect) {
    case Effect::None:
        break;
    case Effect::Topmost:
        state == 1 ? SetTopmost(*this) : ClearTopmost(*this);
        break;
    case Effect::Sound:
        m_clickSound->ApplySound(m_form, state);
        break;
    case Effect::Style:
        m_looks->ApplyStyle(m_form, state);
        break;
    case Effect::Generation:
        refreshStrength();
        WordListChoice::ShowWordCount(m_form);
        break;
    case Effect::UpdateCheck:
        // After the first painting: the check's machinery (and the TLS
        // plugin it loads) is no part of the first frame.
        if (state == 1)
            afterFirstPaint(*this, [this] { updates().start(); });
        break;
    }
}

void MainWindow::popUpAtPointer(ToolMenu menu, QWidget &button)
{
    // At the pointer when the button was clicked with the mouse; below the
    // button when it was pressed from the keyboard.
    const QPoint pointer = QCursor::pos();
    const QRect area(button.mapToGlobal(QPoint(0, 0)), button.size());
    m_bars->popUp(menu, area.contains(pointer) ? pointer : area.bottomLeft());
}

void MainWindow::generate()
{
    if (!m_batch->isRunning())
        RunGenerateCommand(*m_form.mCombo, *m_form.spinner, *m_batch, *m_services.messages);
}

void MainWindow::generateFromRules()
{
    if (!m_batch->isRunning())
        SiteRulesPanel::RunRulesGenerateCommand(m_form, *m_batch, *m_services.messages,
                                                [this] { closePanel(*m_form.rFrame); });
}

void MainWindow::runToolCommand(const QAction &tool)
{
    const int index = m_bars->indexOf(tool);
    // Copying and saving read the rows of a running batch once it is done.
    m_batch->finish();
    switch (toolCommand(index)) {
    case ToolCommand::None:
        break;
    case ToolCommand::CopySelected:
        m_results->CopySelectedResult();
        break;
    case ToolCommand::CopyAll:
        m_results->CopyAllResults();
        break;
    case ToolCommand::ProgramOptions:
    case ToolCommand::GenerationOptions:
    case ToolCommand::InterfaceOptions:
    case ToolCommand::MaskOptions:
    case ToolCommand::About:
        openPanel(*(m_form.*toolRow(index)->panel));
        break;
    case ToolCommand::SiteRules:
        SiteRulesPanel::Prepare(m_form);
        openPanel(*m_form.rFrame);
        break;
    case ToolCommand::Minimize:
        minimize();
        break;
    case ToolCommand::Exit:
        exitProgram();
        break;
    case ToolCommand::Contents:
        openHelp();
        break;
    case ToolCommand::AsText:
        m_results->SaveResultsAsText();
        break;
    case ToolCommand::AsCsv:
        m_results->SaveResultsAsCsv();
        break;
    }
}

void MainWindow::openPanel(QWidget &panel)
{
    PanelSwitch::open(*m_form.panels, *m_form.cFrame, panel);
}

void MainWindow::closePanel(QWidget &panel)
{
    PanelSwitch::close(*m_form.panels, *m_form.cFrame, panel);
}

void MainWindow::minimize()
{
    showMinimized();
}

void MainWindow::exitProgram()
{
    close();
}

void MainWindow::openHelp()
{
    const QString help = ProgramFolder::path(ProgramFolder::File::HelpIndex);
    const QString shown = QDir::toNativeSeparators(help);
    QString problem;
    if (!QFileInfo(help).isFile())
        problem = Localisation::text("Message17"_L1).arg(shown);
    else if (!OpenWebPage(*m_services.shell, help))
        problem = Localisation::text("Message18"_L1).arg(shown);
    if (!problem.isEmpty())
        m_services.messages->show(
            {problem, Localisation::text("Title03"_L1), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation});
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A running batch ends unfinished: lastgenerated.txt keeps the last whole
    // batch. Shutdown never cancels the close and runs once.
    m_batch->stop();
    if (!m_shutDown) {
        m_shutDown = true;
        Shutdown::run(*this);
    }
    event->accept();
    QCoreApplication::quit();
}
