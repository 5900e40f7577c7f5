#include "MainWindow.h"

#include "commands/OpenWebPage.h"
#include "commands/RunToolCommand.h"
#include "common/ProgramFolder.h"
#include "generate/GenerateCommand.h"
#include "panels/PanelSwitch.h"
#include "results/CommonDialog.h"
#include "results/ResultCommands.h"
#include "results/ResultListView.h"
#include "shutdown/Shutdown.h"
#include "toolbar/ToolBand.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolButton>

using namespace Qt::StringLiterals;

MainWindow::MainWindow(const WindowServices &services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_bars(new ToolBand(this)),
      m_dialog(std::make_unique<CommonDialog>(*services.fileDialogs))
{
    setObjectName(u"gen"_s);
    setMenuBar(m_bars);
    auto *central = new QWidget(this);
    central->setObjectName(u"central"_s);
    setCentralWidget(central);
    m_form = buildForm(central);
    m_results = std::make_unique<ResultCommands>(*m_form.genList, *m_dialog, *services.messages);
    for (QWidget *panel : {m_form.oFrame, m_form.gFrame, m_form.sFrame, m_form.iFrame, m_form.aFrame})
        PanelSwitch::setVerticalPosition(*panel, PanelSwitch::kAwayPosition);
    PanelSwitch::setVerticalPosition(*m_form.cFrame, PanelSwitch::kMainPosition);
    m_form.mCombo->setFocus();
    resize(560, 460);
    connectControls();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls()
{
    const Form &f = m_form;
    connect(f.gButton, &QPushButton::clicked, this, &MainWindow::generate);
    connect(f.mCombo->lineEdit(), &QLineEdit::returnPressed, this, &MainWindow::generate);
    connect(f.spinner, &QLineEdit::returnPressed, this, &MainWindow::generate);
    connect(f.cButton, &QPushButton::clicked, this, [this] { m_results->ClearResults(); });
    connect(f.SButton, &QPushButton::clicked, this, [this] { popUpAtPointer(u"ID_Save"_s, *m_form.SButton); });
    connect(f.fButton, &QPushButton::clicked, this, [this] { popUpAtPointer(u"ID_File"_s, *m_form.fButton); });

    // The result list: a double-click copies the row; the context menu is
    // the Edit menu, and only when there is something to copy.
    connect(f.genList, &QAbstractItemView::doubleClicked, this, [this] { m_results->CopySelectedResult(); });
    f.genList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(f.genList, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        if (m_form.genList->GetItemCount() > 0)
            m_bars->popUp(u"ID_EDIT"_s, m_form.genList->viewport()->mapToGlobal(position));
    });
    auto *copyRow = new QShortcut(QKeySequence::Copy, f.genList, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copyRow, &QShortcut::activated, this, [this] { m_results->CopySelectedResult(); });

    connect(m_bars, &ToolBand::toolClicked, this, [this](QAction *tool) { runToolCommand(*tool); });

    // The buttons that only close their panel.
    connect(f.oButton, &QToolButton::clicked, this, [this] { closePanel(*m_form.oFrame); });
    connect(f.aButton, &QToolButton::clicked, this, [this] { closePanel(*m_form.aFrame); });
    connect(f.kmflnk, &QPushButton::clicked, this,
            [this] { OpenWebPage(*m_services.shell, m_form.kmflnk->property("url").toString()); });

    auto *quit = new QAction(this);
    quit->setObjectName(u"quitShortcut"_s);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::WindowShortcut);
    addAction(quit);
    connect(quit, &QAction::triggered, this, &MainWindow::exitProgram);
}

void MainWindow::popUpAtPointer(const QString &menuId, QWidget &button)
{
    // At the pointer when the button was clicked with the mouse; below the
    // button when it was pressed from the keyboard.
    const QPoint pointer = QCursor::pos();
    const QRect area(button.mapToGlobal(QPoint(0, 0)), button.size());
    m_bars->popUp(menuId, area.contains(pointer) ? pointer : area.bottomLeft());
}

void MainWindow::generate()
{
    RunGenerateCommand(*m_form.mCombo, *m_form.spinner, *m_form.genList, *m_services.messages);
}

void MainWindow::runToolCommand(const QAction &tool)
{
    RunToolCommand(*this, tool);
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
    OpenWebPage(*m_services.shell, ProgramFolder::path(ProgramFolder::File::HelpIndex));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Shutdown never cancels the close and runs once.
    if (!m_shutDown) {
        m_shutDown = true;
        Shutdown::run(*this);
    }
    event->accept();
    QCoreApplication::quit();
}
