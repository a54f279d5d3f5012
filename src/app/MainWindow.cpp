#include "app/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

#include "Version.h"
#include "app/ToolIcons.h"
#include "chart/gui/FrmDisplay.h"
#include "ui/HelpMenu.h"
#include "ui/LinkLabel.h"
#include "ui/PositionsMenu.h"
#include "ui/RecentReadings.h"
#include "ui/Twips.h"
#include "ui/UiFonts.h"

namespace velloran {

namespace {

// Bar heights and the designed tops of their controls, in twips.
constexpr int kHeadingBarHeight = 900;
constexpr int kHeadingTop = 45;
constexpr int kUrlTop = 600;
constexpr int kChartBarHeight = 465;
constexpr int kChartButtonTop = 30;
constexpr int kChartButtonWidth = 1600;
constexpr int kBottomBarHeight = 555;
constexpr int kBottomButtonTop = 77;
constexpr int kButtonHeight = 400;
constexpr int kSaveAsJpegWidth = 1575;
constexpr int kBackExitWidth = 1095;
constexpr int kInviteLeft = 120;

QPushButton* MakeButton(const QString& caption, const QString& name, int widthTwips,
                        QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->resize(TwipsToPx(widthTwips), TwipsToPx(kButtonHeight));
    return button;
}

QWidget* MakeBar(const QString& name, int heightTwips) {
    auto* bar = new QWidget;
    bar->setObjectName(name);
    bar->setFixedHeight(TwipsToPx(heightTwips));
    bar->setAutoFillBackground(true);
    return bar;
}

}  // namespace

MainWindow::MainWindow(FrmDisplay* display, Platform& platform, QWidget* parent)
    : QMainWindow(parent), m_platform(platform), m_display(display) {
    setObjectName(QStringLiteral("MDI"));
    setWindowTitle(QStringLiteral(VELLORAN_TITLE));
    setWindowIcon(MakeToolIcon(ToolIcon::Program));
    setFont(VerdanaFont(8.25));
    setContextMenuPolicy(Qt::NoContextMenu);  // the toolbar is shown and hidden from View only

    createActions();
    createMenus();
    createToolBar();

    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(createHeadingBar());
    column->addWidget(createChartButtonBar());
    m_mdi = new QMdiArea;
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    column->addWidget(m_mdi, 1);
    column->addWidget(createBottomBar());
    setCentralWidget(central);

    m_child = m_mdi->addSubWindow(m_display, Qt::FramelessWindowHint);
    m_child->setObjectName(QStringLiteral("frmDisplayWindow"));
    m_child->setSystemMenu(nullptr);  // no keyboard commands that close or resize the child
    m_child->setFixedSize(m_display->size());
    connect(m_display, &FrmDisplay::sizeChanged, this, [this] {
        m_child->setFixedSize(m_display->size());
        if (isVisible()) placeChartWindow();
    });

    // The main window's load: the toolbar starts visible with its mark set.
    m_mnuToolBar->setChecked(true);
    m_tb->setVisible(true);
}

void MainWindow::createActions() {
    auto make = [this](const QString& caption, const QString& name) {
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        return action;
    };
    m_mnuNew = make(tr("&New"), QStringLiteral("mnuNew"));
    m_mnuOpen = make(tr("&Open..."), QStringLiteral("mnuOpen"));
    m_mnuOpen->setShortcut(QKeySequence::Open);
    m_mnuLibrary = make(tr("Readings &Library..."), QStringLiteral("mnuLibrary"));
    m_mnuLibrary->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    m_mnuSaveAsText = make(tr("Save &As Text"), QStringLiteral("mnuSaveAsText"));
    m_mnuSaveAsJpeg = make(tr("Save As &JPEG"), QStringLiteral("mnuSaveAsJpeg"));
    m_mnuExport = make(tr("&Export Chart As Text"), QStringLiteral("mnuExport"));
    m_mnuExportWheel = make(tr("Export &Wheel..."), QStringLiteral("mnuExportWheel"));
    m_mnuExportWheel->setToolTip(tr("The degree wheel as an SVG, PDF or PNG picture"));
    m_mnuPrint = make(tr("&Print"), QStringLiteral("mnuPrint"));
    m_mnuBack = make(tr("&Back"), QStringLiteral("mnuBack"));
    m_mnuExit = make(tr("E&xit"), QStringLiteral("mnuExit"));
    m_mnuToolBar = make(tr("&Toolbar"), QStringLiteral("mnuToolBar"));
    m_mnuToolBar->setCheckable(true);
    m_mnuContacts = make(tr("Natal–Draconic &Contacts"), QStringLiteral("mnuContacts"));
    m_mnuContacts->setIcon(MakeToolIcon(ToolIcon::Contacts));
    m_mnuContacts->setToolTip(
        tr("Natal–Draconic Contacts: draconic bodies conjunct or opposite natal bodies"));

    connect(m_mnuNew, &QAction::triggered, this, &MainWindow::newRequested);
    connect(m_mnuOpen, &QAction::triggered, this, &MainWindow::openRequested);
    connect(m_mnuLibrary, &QAction::triggered, this, &MainWindow::libraryRequested);
    connect(m_mnuSaveAsText, &QAction::triggered, this, &MainWindow::saveAsTextRequested);
    connect(m_mnuSaveAsJpeg, &QAction::triggered, this, &MainWindow::saveAsJpegRequested);
    connect(m_mnuExport, &QAction::triggered, this, &MainWindow::exportRequested);
    connect(m_mnuExportWheel, &QAction::triggered, this, &MainWindow::exportWheelRequested);
    connect(m_mnuPrint, &QAction::triggered, this, &MainWindow::printRequested);
    connect(m_mnuBack, &QAction::triggered, this, &MainWindow::backRequested);
    connect(m_mnuExit, &QAction::triggered, this, &MainWindow::exitRequested);
    connect(m_mnuToolBar, &QAction::triggered, this, [this](bool checked) {
        // The mark and the toolbar change together.
        m_tb->setVisible(checked);
    });
    connect(m_mnuContacts, &QAction::triggered, this, &MainWindow::contactsRequested);
}

void MainWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    file->addAction(m_mnuNew);
    file->addAction(m_mnuOpen);
    file->addAction(m_mnuLibrary);
    auto* recent = new RecentReadingsMenu(m_platform, file);
    file->addMenu(recent);
    connect(recent, &RecentReadingsMenu::readingChosen, this, &MainWindow::recentReadingChosen);
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileSep0"));
    file->addAction(m_mnuSaveAsText);
    file->addAction(m_mnuSaveAsJpeg);
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileSep1"));
    file->addAction(m_mnuExport);
    file->addAction(m_mnuExportWheel);
    file->addSeparator()->setObjectName(QStringLiteral("mnuFilesep2"));
    file->addAction(m_mnuPrint);
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileSep3"));
    file->addAction(m_mnuBack);
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileSep4"));
    file->addAction(m_mnuExit);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    view->addAction(m_mnuToolBar);
    view->addAction(m_mnuContacts);

    auto* options = new PositionsMenu(m_platform, this);
    menuBar()->addMenu(options);
    connect(options, &PositionsMenu::choiceChanged, this, &MainWindow::positionsChanged);
    connect(options, &PositionsMenu::wheelChanged, this, &MainWindow::wheelChanged);

    auto* help = new HelpMenu(menuBar());
    menuBar()->addMenu(help);
    connect(help, &HelpMenu::pageRequested, this, &MainWindow::pageRequested);
    connect(help, &HelpMenu::aboutRequested, this, &MainWindow::aboutRequested);
}

void MainWindow::createToolBar() {
    m_tb = new QToolBar(tr("Toolbar"), this);
    m_tb->setObjectName(QStringLiteral("TB"));
    m_tb->setMovable(false);
    m_tb->setFloatable(false);
    m_tb->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_tb->setIconSize(QSize(16, 16));
    const std::pair<const char*, ToolIcon> buttons[] = {{"New", ToolIcon::New},
                                                        {"Save", ToolIcon::Save},
                                                        {"Print", ToolIcon::Print},
                                                        {"Help", ToolIcon::Help}};
    for (const auto& [key, icon] : buttons) {
        QAction* action = m_tb->addAction(MakeToolIcon(icon), QString::fromLatin1(key));
        action->setObjectName(QStringLiteral("TB_") + QString::fromLatin1(key));
        action->setData(QString::fromLatin1(key));
    }
    // The contacts button carries no key: it is the View menu's entry itself.
    m_tb->addSeparator();
    m_tb->addAction(m_mnuContacts);
    connect(m_tb, &QToolBar::actionTriggered, this,
            [this](QAction* action) { dispatchToolKey(action->data().toString()); });
    addToolBar(Qt::TopToolBarArea, m_tb);
}

void MainWindow::dispatchToolKey(const QString& key) {
    if (key == QLatin1String("New")) {
        emit newRequested();
    } else if (key == QLatin1String("Save")) {
        m_mnuSaveAsText->trigger();
    } else if (key == QLatin1String("Print")) {
        m_mnuPrint->trigger();
    } else if (key == QLatin1String("Help")) {
        emit pageRequested(Page::Help);
    }
}

QWidget* MainWindow::createHeadingBar() {
    QWidget* bar = MakeBar(QStringLiteral("picTop"), kHeadingBarHeight);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, Qt::white);
    bar->setPalette(pal);
    m_lblHeading = new QLabel(QStringLiteral("Velloran"), bar);
    m_lblHeading->setObjectName(QStringLiteral("lblHeading"));
    m_lblHeading->setFont(ArialFont(20.25, true));
    QPalette headingPal = m_lblHeading->palette();
    headingPal.setColor(QPalette::WindowText, QColor(0, 64, 64));
    m_lblHeading->setPalette(headingPal);
    m_lblHeading->adjustSize();
    m_lblHeading->move(0, TwipsToPx(kHeadingTop));
    m_lblURL = new LinkLabel(HeadingForumLinkText(), bar);
    m_lblURL->setObjectName(QStringLiteral("lblURL"));
    m_lblURL->adjustSize();
    m_lblURL->move(0, TwipsToPx(kUrlTop));
    connect(m_lblURL, &LinkLabel::clicked, this, [this] { emit pageRequested(Page::ForumHome); });
    return bar;
}

QWidget* MainWindow::createChartButtonBar() {
    QWidget* bar = MakeBar(QStringLiteral("picTop2"), kChartBarHeight);
    m_cmdNatal = MakeButton(tr("&Natal Chart"), QStringLiteral("cmdNatal"), kChartButtonWidth, bar);
    m_cmdDraconian =
        MakeButton(tr("&Draconic Chart"), QStringLiteral("cmdDraconian"), kChartButtonWidth, bar);
    m_cmdComparison =
        MakeButton(tr("&Comparison"), QStringLiteral("cmdComparison"), kChartButtonWidth, bar);
    for (QPushButton* b : {m_cmdNatal, m_cmdDraconian, m_cmdComparison})
        b->move(b->x(), TwipsToPx(kChartButtonTop));
    connect(m_cmdNatal, &QPushButton::clicked, this,
            [this] { emit viewRequested(ChartView::Natal); });
    connect(m_cmdDraconian, &QPushButton::clicked, this,
            [this] { emit viewRequested(ChartView::Draconic); });
    connect(m_cmdComparison, &QPushButton::clicked, this,
            [this] { emit viewRequested(ChartView::Comparison); });
    return bar;
}

QWidget* MainWindow::createBottomBar() {
    QWidget* bar = MakeBar(QStringLiteral("Picture1"), kBottomBarHeight);
    m_cmdSaveAsJPEG =
        MakeButton(tr("Save As &JPEG"), QStringLiteral("cmdSaveAsJPEG"), kSaveAsJpegWidth, bar);
    m_cmdBack = MakeButton(tr("&Back"), QStringLiteral("cmdBack"), kBackExitWidth, bar);
    m_cmdExit = MakeButton(tr("E&xit"), QStringLiteral("cmdExit"), kBackExitWidth, bar);
    for (QPushButton* b : {m_cmdSaveAsJPEG, m_cmdBack, m_cmdExit})
        b->move(b->x(), TwipsToPx(kBottomButtonTop));
    // The button runs the menu entry's command.
    connect(m_cmdSaveAsJPEG, &QPushButton::clicked, m_mnuSaveAsJpeg, &QAction::trigger);
    connect(m_cmdBack, &QPushButton::clicked, this, &MainWindow::backRequested);
    connect(m_cmdExit, &QPushButton::clicked, this, &MainWindow::exitRequested);

    m_forumLink = new LinkLabel(ChartForumLinkText(), bar);
    m_forumLink->setObjectName(QStringLiteral("Label1"));
    m_forumLink->adjustSize();
    m_forumLink->move(TwipsToPx(kInviteLeft), (bar->height() - m_forumLink->height()) / 2);
    connect(m_forumLink, &LinkLabel::clicked, this,
            [this] { emit pageRequested(Page::ForumHome); });
    return bar;
}

int MainWindow::screenWidthPx() const {
    QScreen* s = screen();
    return s ? s->geometry().width() : width();
}

void MainWindow::applyLayout() {
    // Buttons keep their designed widths; the labels are as wide as their texts.
    MainBarWidths widths;
    widths.exit = kBackExitWidth;
    widths.back = kBackExitWidth;
    widths.saveAsJpeg = kSaveAsJpegWidth;
    widths.draconic = kChartButtonWidth;
    widths.heading = float(PxToTwips(m_lblHeading->width()));
    widths.url = float(PxToTwips(m_lblURL->width()));
    const MainBarLefts l = ComputeMainBarLayout(float(PxToTwips(frameGeometry().width())),
                                                float(PxToTwips(screenWidthPx())), widths);
    auto place = [](QWidget* w, float left) { w->move(TwipsToPx(left), w->y()); };
    place(m_cmdExit, l.exit);
    place(m_cmdBack, l.back);
    place(m_cmdSaveAsJPEG, l.saveAsJpeg);
    place(m_lblHeading, l.heading);
    place(m_lblURL, l.url);
    place(m_cmdDraconian, l.draconic);
    place(m_cmdNatal, l.natal);
    place(m_cmdComparison, l.comparison);
}

void MainWindow::placeChartWindow() {
    float left =
        ChartWindowLeft(float(PxToTwips(screenWidthPx())), float(PxToTwips(m_display->width())));
    m_child->move(TwipsToPx(left), 0);
    m_child->show();
}

void MainWindow::closeForNavigation() {
    m_navigating = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!m_navigating) emit exitRequested();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    applyLayout();
    fitChartWindow();
}

void MainWindow::fitChartWindow() { m_display->setWheelRoom(m_mdi->viewport()->size()); }

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    applyLayout();
    fitChartWindow();
    placeChartWindow();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) placeChartWindow();
}

}  // namespace velloran
