#include "shell/main_window.h"

#include "core/module1.h"
#include "payroll/ui/annual_window.h"
#include "payroll/ui/daily_window.h"
#include "payroll/ui/fortnightly_window.h"
#include "payroll/ui/monthly_window.h"
#include "payroll/ui/quicktax_window.h"
#include "payroll/ui/weekly_window.h"
#include "services/file_locations.h"
#include "services/startup_values.h"
#include "shell/about_dialog.h"
#include "shell/dialog_placement.h"
#include "shell/help_browser.h"
#include "widgets/message_service.h"
#include "widgets/twips.h"
#include "widgets/busy_cursor.h"

#include <QAction>
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
#include <QUrl>

namespace grossby {

namespace {

using Arrange = MainWindow::Arrange;
using RawFactory = QWidget* (*)(Module1&, QWidget*);

template <class Window> QWidget* make(Module1& state, QWidget* parent)
{
    return new Window(state, parent);
}

struct CalculatorEntry {
    const char* windowName;
    const char* menuName;
    RawFactory factory;  // nullptr: not in this build yet, its command stays disabled
    Arrange arrange;
};

// Every calculator window, one line each: window name, menu command, how to
// make it, what the main window does once it is shown. A calculator becomes
// available by giving its line a factory, make<ItsWindowClass>.
const CalculatorEntry kCalculators[] = {
    {"frmGrossbyMon", "mnuGrossbyMon", nullptr, Arrange::Cascade},
    {"frmGrossbyAnn", "mnuGrossbyAnn", nullptr, Arrange::Cascade},
    {"frmPelmoraMon", "mnuPelmoraMon", nullptr, Arrange::Cascade},
    {"frmPelmoraAnn", "mnuPelmoraAnn", nullptr, Arrange::Cascade},
    {"frmAnnual", "mnuAnnual", make<AnnualWindow>, Arrange::None},
    {"frmMonthly", "mnuMonthly", make<MonthlyWindow>, Arrange::None},
    {"frmFortNight", "mnuFortNight", make<FortnightlyWindow>, Arrange::None},
    {"frmWeekly", "mnuWeekly", make<WeeklyWindow>, Arrange::None},
    {"frmDaily", "mnuDaily", make<DailyWindow>, Arrange::None},
    {"frmKwikTax", "QuickTax", make<QuickTaxWindow>, Arrange::None},
    {"frmCompCar", "mnuCompCar", nullptr, Arrange::CompanyCar},
    {"frmCarAll1", "mnuCarAll1", nullptr, Arrange::Cascade},
    {"frmInflation", "mnuInflationProject", nullptr, Arrange::None},
    {"frmLoans", "mnuLoans", nullptr, Arrange::None},
    {"frmLoanBuster", "mnuLoansBuster", nullptr, Arrange::None},
    {"frmLoanComp", "mnuLoansComparison", nullptr, Arrange::None},
    {"frmDayBal", "mnuDailyBalance", nullptr, Arrange::None},
};

const char* const kHelpWindowName = "frmHelpBrowser";

// The company car window needs the main window at least this wide.
constexpr int kCompanyCarWidthTwips = 13405;

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

MainWindow::MainWindow(Module1& state, QWidget* parent)
    : QMainWindow(parent)
    , m_state(state)
    , m_programFolder(grossby::programFolder())
    , m_calculatorPrograms(defaultCalculatorPrograms())
{
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("Grossby 2018"));
    auto* area = new PictureArea(this);
    area->setObjectName(QStringLiteral("mdiArea"));
    area->setBackground(QColor(0x2e, 0x4a, 0x62));
    m_mdi = area;
    setCentralWidget(m_mdi);
    resize(1024, 720);

    for (const CalculatorEntry& entry : kCalculators) {
        Calculator calculator;
        calculator.windowName = QString::fromLatin1(entry.windowName);
        if (entry.factory)
            calculator.factory = entry.factory;
        calculator.arrange = entry.arrange;
        m_calculators.insert(calculator.windowName, calculator);
    }
    buildMenus();
}

MainWindow::~MainWindow() = default;

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

QMenu* MainWindow::addSubmenu(const char* name, const char* caption)
{
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* MainWindow::addCommand(QWidget* menu, const char* name, const char* caption, void (MainWindow::*slot)())
{
    auto* action = new QAction(QString::fromUtf8(caption), this);
    action->setObjectName(QString::fromLatin1(name));
    menu->addAction(action);
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    return action;
}

QAction* MainWindow::addCalculatorCommand(QWidget* menu, const char* name, const char* caption)
{
    QAction* action = addCommand(menu, name, caption, nullptr);
    for (const CalculatorEntry& entry : kCalculators) {
        if (qstrcmp(entry.menuName, name) != 0)
            continue;
        const QString windowName = QString::fromLatin1(entry.windowName);
        Calculator& calculator = m_calculators[windowName];
        calculator.action = action;
        action->setEnabled(bool(calculator.factory));
        connect(action, &QAction::triggered, this, [this, windowName] { openCalculator(windowName); });
        return action;
    }
    action->setEnabled(false);
    return action;
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

    QMenu* grossbyMenu = addSubmenu("mnuGrossby", "&Grossby");
    addCalculatorCommand(grossbyMenu, "mnuGrossbyMon", "&Monthly");
    addCalculatorCommand(grossbyMenu, "mnuGrossbyAnn", "&Annual");

    QMenu* pelmora = addSubmenu("mnuPelmora", "P&elmora");
    addCalculatorCommand(pelmora, "mnuPelmoraMon", "&Monthly");
    addCalculatorCommand(pelmora, "mnuPelmoraAnn", "&Annual");

    QMenu* taxCalcs = addSubmenu("mnuTaxCalc", "&TaxCalcs");
    addCalculatorCommand(taxCalcs, "mnuAnnual", "&Annual");
    addCalculatorCommand(taxCalcs, "mnuMonthly", "&Monthly");
    addCalculatorCommand(taxCalcs, "mnuFortNight", "&FortNightly");
    addCalculatorCommand(taxCalcs, "mnuWeekly", "&Weekly");
    addCalculatorCommand(taxCalcs, "mnuDaily", "&Daily");

    addCalculatorCommand(menuBar(), "QuickTax", "QuickTax");

    QMenu* cars = addSubmenu("mnuCarCalcs", "&Car Calculations");
    addCalculatorCommand(cars, "mnuCompCar", "&Company car");
    addCalculatorCommand(cars, "mnuCarAll1", "Car Allowance");

    QMenu* business = addSubmenu("mnuBusinessCalcs", "Bu&siness Calculations");
    addCalculatorCommand(business, "mnuInflationProject", "Inflation Projections");
    addCalculatorCommand(business, "mnuLoans", "Loans");
    addCalculatorCommand(business, "mnuLoansBuster", "Loan buster");
    addCalculatorCommand(business, "mnuLoansComparison", "Loan comparison");
    addCalculatorCommand(business, "mnuDailyBalance", "Daily balance");

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

// ---------------------------------------------------------------------------
// Calculator windows

void MainWindow::setCalculatorFactory(const QString& windowName, CalculatorFactory factory)
{
    Calculator& calculator = m_calculators[windowName];
    calculator.windowName = windowName;
    calculator.factory = std::move(factory);
    if (calculator.action)
        calculator.action->setEnabled(bool(calculator.factory));
}

QWidget* MainWindow::calculatorWindow(const QString& windowName) const
{
    const QPointer<QMdiSubWindow> frame = m_open.value(windowName);
    return frame ? frame->widget() : nullptr;
}

QWidget* MainWindow::openCalculator(const QString& windowName)
{
    const auto found = m_calculators.constFind(windowName);
    if (found == m_calculators.constEnd() || !found->factory)
        return nullptr;
    const Calculator& calculator = *found;

    BusyCursor busy;
    QPointer<QMdiSubWindow> frame = m_open.value(windowName);
    if (!frame) {
        QWidget* window = calculator.factory(m_state, nullptr);
        if (window->objectName().isEmpty())
            window->setObjectName(windowName);
        frame = m_mdi->addSubWindow(window);
        frame->setObjectName(windowName + QStringLiteral("Frame"));
        frame->setAttribute(Qt::WA_DeleteOnClose);
        window->installEventFilter(this);
        // A window deleted from outside takes its frame with it.
        connect(window, &QObject::destroyed, frame, &QObject::deleteLater);
        m_open.insert(windowName, frame);
    }
    if (frame->isMinimized())
        frame->showNormal();
    else
        frame->show();
    m_mdi->setActiveSubWindow(frame);
    frame->raise();

    switch (calculator.arrange) {
    case Arrange::None: break;
    case Arrange::Cascade: m_mdi->cascadeSubWindows(); break;
    case Arrange::CompanyCar: widenForCompanyCar(); break;
    }
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

void MainWindow::widenForCompanyCar()
{
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    // The width counts the window's frame. A window already wider is left
    // as it is: narrowing it would only hide part of the other windows.
    const int frameExtra = frameGeometry().width() - geometry().width();
    const int wanted = twipsToPixels(kCompanyCarWidthTwips) - frameExtra;
    if (width() < wanted)
        resize(wanted, height());
    m_mdi->cascadeSubWindows();
}

QStringList MainWindow::initialiseAllCloseOrder()
{
    return {QStringLiteral("frmAnnual"),      QStringLiteral("frmMonthly"),    QStringLiteral("frmWeekly"),
            QStringLiteral("frmDaily"),       QStringLiteral("frmCompCar"),    QStringLiteral("frmCarAll1"),
            QStringLiteral("frmHelpBrowser"), QStringLiteral("frmInflation"),  QStringLiteral("frmLoans"),
            QStringLiteral("frmLoanBuster"),  QStringLiteral("frmLoanComp"),   QStringLiteral("frmDayBal"),
            QStringLiteral("frmGrossbyMon"),  QStringLiteral("frmGrossbyAnn"), QStringLiteral("frmPelmoraMon"),
            QStringLiteral("frmPelmoraAnn")};
}

void MainWindow::initialiseAll()
{
    {
        BusyCursor busy;
        m_state.InitialiseAll();
    }
    // The fortnightly calculator and QuickTax are not in the list: they stay
    // open with what they show.
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
    // Cancelling, like any trouble with the dialog, is not reported.
    QPageSetupDialog dialog(printer(), this);
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    dialog.exec();
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
    showMessage(this,
                {QMessageBox::NoIcon, QStringLiteral("Grossby 2018"),
                 QStringLiteral("The Microsoft Calculator is not installed or in the "
                                "Windows directory"),
                 QMessageBox::Ok});
    return false;
}

QString MainWindow::videoLecturesUrl()
{
    return QStringLiteral("https://grossby.example.org/grossby2018-video-lectures/");
}

void MainWindow::openVideoLectures()
{
    // Whether a browser opened is not examined.
    QDesktopServices::openUrl(QUrl(videoLecturesUrl()));
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
    QMainWindow::closeEvent(event);
}

}  // namespace grossby
