#include "shell/main_window.h"

#include "core/module1.h"
#include "services/file_locations.h"
#include "services/startup_values.h"
#include "shell/about_dialog.h"
#include "shell/dialog_placement.h"
#include "shell/help_browser.h"
#include "widgets/busy_cursor.h"
#include "widgets/message_service.h"
#include "widgets/report_runner.h"
#include "widgets/twips.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <vector>

namespace grossby {

namespace {

/// The multiple-document area with the program's picture behind the
/// windows, scaled to cover the area and kept centred.
class PictureArea : public QMdiArea {
public:
    using QMdiArea::QMdiArea;

    void setPicture(const QImage& picture)
    {
        m_picture = picture;
        viewport()->update();
    }
    bool hasPicture() const { return !m_picture.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (m_picture.isNull()) {
            QMdiArea::paintEvent(event);
            return;
        }
        QPainter painter(viewport());
        const QSize area = viewport()->size();
        const QSize scaled = m_picture.size().scaled(area, Qt::KeepAspectRatioByExpanding);
        const QRect target((area.width() - scaled.width()) / 2, (area.height() - scaled.height()) / 2, scaled.width(),
                           scaled.height());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, m_picture);
    }

private:
    QImage m_picture;
};

}  // namespace

MainWindow::MainWindow(Module1& state, CalculatorRegistry calculators, QWidget* parent)
    : QMainWindow(parent)
    , m_state(state)
    , m_programFolder(grossby::programFolder())
    , m_calculatorPrograms(defaultCalculatorPrograms())
    , m_calculators(std::move(calculators))
{
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("Grossby 2018"));
    auto* area = new PictureArea(this);
    area->setObjectName(QStringLiteral("mdiArea"));
    area->setBackground(QColor(0x2e, 0x4a, 0x62));
    // A calculator larger than the area is scrolled to, never cut off.
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi = area;
    setCentralWidget(m_mdi);
    resize(roomForLargestCalculator());
    buildMenus();

    // F10 takes the keyboard to the menu bar, as in other desktop programs.
    auto* toMenuBar = new QAction(this);
    toMenuBar->setObjectName(QStringLiteral("menuBarKey"));
    toMenuBar->setShortcut(Qt::Key_F10);
    toMenuBar->setShortcutContext(Qt::WindowShortcut);
    addAction(toMenuBar);
    connect(toMenuBar, &QAction::triggered, this, [this] {
        const QList<QAction*> menus = menuBar()->actions();
        if (!menus.isEmpty()) {
            menuBar()->setFocus(Qt::ShortcutFocusReason);
            menuBar()->setActiveAction(menus.first());
        }
    });
}

MainWindow::~MainWindow()
{
    m_state.forgetTaxYearListener(m_yearListener);
}

void MainWindow::setBackgroundPicture(const QString& path)
{
    QImage picture;
    if (!picture.load(path)) {
        // Only decoration: the plain background colour stands in for it.
        qWarning("Background picture %s could not be read", qPrintable(QDir::toNativeSeparators(path)));
    }
    static_cast<PictureArea*>(m_mdi)->setPicture(picture);
}

HelpBrowser* MainWindow::helpBrowser() const
{
    return m_help;
}

AboutDialog* MainWindow::aboutDialog() const
{
    return m_about;
}

bool MainWindow::hasBackgroundPicture() const
{
    return static_cast<PictureArea*>(m_mdi)->hasPicture();
}

// ---------------------------------------------------------------------------
// Menus

QMenu* MainWindow::addSubmenu(const QString& name, const QString& caption)
{
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction* MainWindow::addCommand(QWidget* menu, const QString& name, const QString& caption, void (MainWindow::*slot)())
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    menu->addAction(action);
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    return action;
}

QAction* MainWindow::addCalculatorCommand(QWidget* menu, const CalculatorEntry& entry)
{
    QAction* action = addCommand(menu, entry.commandName, entry.menu.caption, nullptr);
    const QString windowName = entry.windowName;
    m_commands.insert(windowName, action);
    action->setEnabled(bool(entry.factory));
    connect(action, &QAction::triggered, this, [this, windowName] { openCalculator(windowName); });
    return action;
}

void MainWindow::addCalculatorMenus()
{
    // Each registered calculator's command in its menu, in the order the
    // entries give; a menu comes where its first command does.
    std::vector<const CalculatorEntry*> entries;
    for (const CalculatorEntry& entry : m_calculators.entries())
        entries.push_back(&entry);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CalculatorEntry* a, const CalculatorEntry* b) { return a->menu.order < b->menu.order; });
    QHash<QString, QMenu*> menus;
    for (const CalculatorEntry* entry : entries) {
        const CalculatorMenu& place = entry->menu.menu;
        QWidget* menu = menuBar();
        if (!place.name.isEmpty()) {
            QMenu*& submenu = menus[place.name];
            if (!submenu)
                submenu = addSubmenu(place.name, place.caption);
            menu = submenu;
        }
        addCalculatorCommand(menu, *entry);
    }
}

void MainWindow::addSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

void MainWindow::buildMenus()
{
    QMenu* file = addSubmenu("mnuFile", "&File");
    addCommand(file, "mnuNew", "&Initialise All", &MainWindow::initialiseAll);
    addSeparator(file, "Space1");
    addCommand(file, "mnuPrinterSet", "&Printer Setup", &MainWindow::printerSetup);
    addSeparator(file, "Space2");
    QAction* exit = addCommand(file, "mnuExit", "E&xit", nullptr);
    connect(exit, &QAction::triggered, this, &QWidget::close);

    addCalculatorMenus();
    addTaxYearChoice();

    QAction* calculator = addCommand(menuBar(), "mnuMSCalculator", "&MS-Calculator", nullptr);
    connect(calculator, &QAction::triggered, this, [this] { startSystemCalculator(); });

    QMenu* help = addSubmenu("mnuHelp", "&Help/Videos");
    addCommand(help, "mnuContents", "Grossby 2018 Help", &MainWindow::showHelp);
    addCommand(help, "VideoLectures1", "Video Lectures", &MainWindow::openVideoLectures);
    // Kept in its place for those who look for it; it has nothing to do.
    addCommand(help, "mnuHelpSearchForHelpOn", "&Search For Help On...", nullptr)->setEnabled(false);
    addSeparator(help, "Space3");
    addCommand(help, "mnuAbout", "&About Grossby2018...", &MainWindow::showAbout);
}

void MainWindow::addTaxYearChoice()
{
    // Every year the program has, one checkable entry each; the status bar
    // shows the one chosen and offers the same menu when clicked.
    m_yearMenu = addSubmenu(QStringLiteral("mnuTaxYear"), tr("Tax &year"));
    auto* group = new QActionGroup(m_yearMenu);
    group->setExclusive(true);
    for (const TaxYearFigures* year : taxYears()) {
        const int ending = year->year;
        auto* action = new QAction(QString::fromStdString(year->label), group);
        action->setObjectName(QStringLiteral("mnuTaxYear%1").arg(ending));
        action->setCheckable(true);
        action->setData(ending);
        m_yearMenu->addAction(action);
        connect(action, &QAction::triggered, this, [this, ending] { chooseTaxYear(ending); });
    }

    m_yearStatus = new QToolButton(this);
    m_yearStatus->setObjectName(QStringLiteral("lblTaxYear"));
    m_yearStatus->setAutoRaise(true);
    m_yearStatus->setPopupMode(QToolButton::InstantPopup);
    m_yearStatus->setMenu(m_yearMenu);
    m_yearStatus->setToolTip(tr("The tax year the calculators work in: click to choose another"));
    statusBar()->addPermanentWidget(m_yearStatus);
    m_yearListener = m_state.onTaxYearChanged([this](int year) { showTaxYear(year); });
    showTaxYear(m_state.TaxYear);
}

void MainWindow::showTaxYear(int year)
{
    for (QAction* action : m_yearMenu->actions())
        action->setChecked(action->data().toInt() == year);
    m_yearStatus->setText(tr("Tax year %1").arg(QString::fromStdString(taxYearLabel(year))));
}

void MainWindow::chooseTaxYear(int year)
{
    if (!findTaxYear(year))
        return;
    BusyCursor busy;
    m_state.setTaxYear(year);
    showTaxYear(year);
}

// ---------------------------------------------------------------------------
// Calculator windows

void MainWindow::setCalculatorFactory(const QString& windowName, CalculatorFactory factory)
{
    CalculatorEntry* entry = m_calculators.byWindow(windowName);
    if (!entry)
        return;
    entry->factory = std::move(factory);
    if (const QPointer<QAction> action = m_commands.value(windowName))
        action->setEnabled(bool(entry->factory));
}

QWidget* MainWindow::calculatorWindow(const QString& windowName) const
{
    const QPointer<QMdiSubWindow> frame = m_open.value(windowName);
    return frame ? frame->widget() : nullptr;
}

QWidget* MainWindow::openCalculator(const QString& windowName)
{
    const CalculatorEntry* calculator = m_calculators.byWindow(windowName);
    if (!calculator || !calculator->factory)
        return nullptr;

    BusyCursor busy;
    QPointer<QMdiSubWindow> frame = m_open.value(windowName);
    if (!frame) {
        QWidget* window = calculator->factory(m_state);
        if (window->objectName().isEmpty())
            window->setObjectName(windowName);
        frame = m_mdi->addSubWindow(window);
        frame->setObjectName(windowName + QStringLiteral("Frame"));
        frame->setAttribute(Qt::WA_DeleteOnClose);
        window->installEventFilter(this);
        // A window deleted from outside takes its frame with it.
        connect(window, &QObject::destroyed, frame, &QObject::deleteLater);
        m_open.insert(windowName, frame);
        // A new window opens a title bar's step below and right of the
        // windows already open, as a cascade puts them, rather than in
        // whichever corner of the area happens to be free.
        const int step = frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame) + 4;
        const auto others = static_cast<int>(m_mdi->subWindowList().size()) - 1;
        const QSize room = m_mdi->viewport()->size();
        const QSize size = frame->sizeHint();
        QPoint at(others * step, others * step);
        at.setX(qMax(0, qMin(at.x(), room.width() - size.width())));
        at.setY(qMax(0, qMin(at.y(), room.height() - size.height())));
        frame->move(at);
    }
    if (frame->isMinimized())
        frame->showNormal();
    else
        frame->show();
    m_mdi->setActiveSubWindow(frame);
    frame->raise();
    // The area places a window larger than itself partly off its left or top
    // edge, where scrolling cannot reach; such a window starts at the corner.
    if (frame->x() < 0 || frame->y() < 0)
        frame->move(qMax(0, frame->x()), qMax(0, frame->y()));

    // A widening rule arranges only a main window in the normal state.
    const bool arrange = calculator->arrange.widenToTwips <= 0 || widenTo(calculator->arrange.widenToTwips);
    if (arrange && calculator->arrange.cascade)
        m_mdi->cascadeSubWindows();
    return frame->widget();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close) {
        for (auto it = m_open.begin(); it != m_open.end(); ++it) {
            if (!it.value() || it.value()->widget() != watched)
                continue;
            // The window decides whether it closes (its own close handler
            // runs here); when it does, its frame goes with it, whether the
            // window closed itself ("&OK") or its frame was closed.
            static_cast<QObject*>(watched)->event(event);
            if (event->isAccepted()) {
                const QPointer<QMdiSubWindow> frame = it.value();
                m_open.erase(it);
                frame->deleteLater();
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeCalculator(const QString& windowName)
{
    if (windowName == QLatin1String(kHelpWindowName)) {
        if (m_help)
            m_help->close();
        m_help = nullptr;
        return;
    }
    if (const QPointer<QMdiSubWindow> frame = m_open.value(windowName))
        frame->close();
}

bool MainWindow::widenTo(int twips)
{
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return false;
    // The width counts the window's frame. A window already wider is left
    // as it is: narrowing it would only hide part of the other windows.
    const int frameExtra = frameGeometry().width() - geometry().width();
    const int wanted = twipsToPixels(twips) - frameExtra;
    if (width() < wanted)
        resize(wanted, height());
    return true;
}

QStringList MainWindow::initialiseAllCloseOrder() const
{
    std::vector<std::pair<int, QString>> ranked{{kHelpInitialiseAllRank, QString::fromLatin1(kHelpWindowName)}};
    for (const CalculatorEntry& entry : m_calculators.entries()) {
        if (entry.initialiseAllRank > 0)
            ranked.emplace_back(entry.initialiseAllRank, entry.windowName);
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList order;
    for (const auto& [rank, name] : ranked)
        order.append(name);
    return order;
}

void MainWindow::initialiseAll()
{
    {
        BusyCursor busy;
        m_state.InitialiseAll();
    }
    // Windows without a place in the order (the fortnightly calculator and
    // QuickTax) stay open with what they show.
    for (const QString& name : initialiseAllCloseOrder())
        closeCalculator(name);
}

// ---------------------------------------------------------------------------
// Other commands

QPrinter* MainWindow::printer() const
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

void MainWindow::printerSetup()
{
    // The printer and page chosen serve every report until the program
    // closes; cancelling keeps the earlier choice.
    PrinterChoice::current().choose(this);
}

QStringList MainWindow::defaultCalculatorPrograms()
{
#if defined(Q_OS_WIN)
    return {QStringLiteral("calc")};
#elif defined(Q_OS_MACOS)
    return {QStringLiteral("/System/Applications/Calculator.app/Contents/MacOS/Calculator")};
#else
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),         QStringLiteral("galculator"),
            QStringLiteral("mate-calc"),        QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")};
#endif
}

bool MainWindow::startSystemCalculator()
{
    for (const QString& program : std::as_const(m_calculatorPrograms)) {
        if (QProcess::startDetached(program, {}))
            return true;
    }
#if defined(Q_OS_WIN)
    const QString text = QStringLiteral("The Microsoft Calculator is not installed or in the Windows directory");
#else
    // Name what was looked for, so the user knows what to install.
    const QString text =
        tr("No calculator program could be started. Tried: %1.").arg(m_calculatorPrograms.join(QStringLiteral(", ")));
#endif
    showMessage(this, {QMessageBox::NoIcon, QStringLiteral("Grossby 2018"), text, QMessageBox::Ok});
    return false;
}

QString MainWindow::videoLecturesUrl()
{
    return QStringLiteral("https://grossby.example.org/grossby2018-video-lectures/");
}

void MainWindow::openVideoLectures()
{
    if (!QDesktopServices::openUrl(QUrl(videoLecturesUrl())))
        showMessage(this,
                    {QMessageBox::Information, QStringLiteral("Grossby 2018"),
                     tr("No web browser could be opened to show the video "
                        "lectures.\nThey are at %1")
                         .arg(videoLecturesUrl()),
                     QMessageBox::Ok});
}

void MainWindow::showHelp()
{
    BusyCursor busy;
    // A closed help window waits for deletion hidden; it counts as closed.
    if (m_help && m_help->isHidden()) {
        m_help->deleteLater();
        m_help = nullptr;
    }
    if (m_help) {
        m_help->setWindowState(m_help->windowState() & ~Qt::WindowMinimized);
        m_help->show();
        m_help->raise();
        m_help->activateWindow();
        return;
    }
    m_help = new HelpBrowser(this);
    m_help->setAttribute(Qt::WA_DeleteOnClose);
    m_help->show();
    m_help->navigate(QDir(m_programFolder).filePath(HelpBrowser::documentFileName()));
}

void MainWindow::showAbout()
{
    BusyCursor busy;
    if (!m_about) {
        const bool viewAbout = readStartupValues(settingsPath()).ViewAbout;
        m_about = new AboutDialog(viewAbout, m_version, this);
        m_about->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_about, &AboutDialog::closedWithViewAbout, this, [this, viewAbout](bool now) {
            // Only a change is written, so looking at the box never
            // creates files.
            if (m_writeStartupValues && now != viewAbout)
                saveViewAbout(now);
        });
        m_about->adjustSize();
    }
    placeOverOwner(m_about, this);
    m_about->show();
    placeOverOwner(m_about, this);  // again, now that its size is final
    m_about->raise();
    m_about->activateWindow();
}

void MainWindow::saveViewAbout(bool viewAbout)
{
    const DbStatus status = writeViewAbout(settingsPath(), viewAbout);
    if (!status)
        showMessage(this, {QMessageBox::Warning, QStringLiteral("Grossby 2018"), status.error});
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The help window is a window of its own and is closed explicitly; the
    // calculators close with the frame. The about box is closed so that
    // its start-up choice is kept.
    if (m_help)
        m_help->close();
    if (m_about)
        m_about->close();
    if (m_placeStore)
        m_placeStore->setValue(QStringLiteral("MainWindow/geometry"), saveGeometry());
    QMainWindow::closeEvent(event);
}

}  // namespace grossby
