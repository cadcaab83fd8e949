#pragma once

#include "shell/version.h"
#include "widgets/calculator_registry.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QMdiArea;
class QMdiSubWindow;
class QPrinter;
class QSettings;
class QToolButton;

namespace grossby {

struct Module1;
class AboutDialog;
class HelpBrowser;

/// The main window `MDIForm1`: a multiple-document area holding one window
/// per calculator, the menus that open them, and the program-wide commands
/// (reset, printer set-up, system calculator, help, about).
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    /// The menus' calculator commands open the windows of `calculators`;
    /// a command with no window there, or none built yet, is disabled.
    MainWindow(Module1& state, CalculatorRegistry calculators, QWidget* parent = nullptr);
    /// A main window with no calculators: every calculator command disabled.
    explicit MainWindow(Module1& state, QWidget* parent = nullptr)
        : MainWindow(state, CalculatorRegistry{}, parent)
    { }
    ~MainWindow() override;

    QMdiArea* mdiArea() const { return m_mdi; }
    bool hasBackgroundPicture() const;

    /// Runs the start-up steps after construction: background picture,
    /// caption, show, reset of the shared state, database paths, start-up
    /// dialogs. Returns false when the user refused the disclaimer; the
    /// window is then closed and nothing has been written.
    bool startUp(const ProgramVersion& version = kProgramVersion);

    /// Where the window was and how large, kept between runs in `store`
    /// (the program's own settings; tests keep theirs apart or none). Without
    /// a store the window opens at its start-up size every time.
    void rememberPlaceIn(std::shared_ptr<QSettings> store);

    /// The size the window's inside needs to show the largest calculator
    /// with any of its panels or grids open.
    static QSize roomForLargestCalculator();

    /// Puts the window at its remembered place, or at the size that holds
    /// the largest calculator centred on `screen`'s free area, maximised when
    /// that area is smaller.
    void placeOnScreen(const QRect& available);

    /// Opens the calculator window named `windowName` ("frmKwikTax"), or
    /// brings it forward with its contents when it is open already. Returns
    /// the window, or nullptr for a calculator not available in this build.
    QWidget* openCalculator(const QString& windowName);

    /// The open calculator window named `windowName`, or nullptr.
    QWidget* calculatorWindow(const QString& windowName) const;

    /// Supplies or replaces how a registered calculator window is made and
    /// enables its menu command (used by tests to put stand-ins in place).
    void setCalculatorFactory(const QString& windowName, CalculatorFactory factory);

    const CalculatorRegistry& calculators() const { return m_calculators; }

    /// The programs tried, in order, by "&MS-Calculator".
    void setCalculatorPrograms(const QStringList& programs) { m_calculatorPrograms = programs; }
    static QStringList defaultCalculatorPrograms();

    /// Where the help document and the background picture are looked for.
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }
    const QString& programFolder() const { return m_programFolder; }

    HelpBrowser* helpBrowser() const;
    AboutDialog* aboutDialog() const;

    /// The printer the page set-up of "&Printer Setup" applies to.
    QPrinter* printer() const;

    /// The web page "Video Lectures" opens.
    static QString videoLecturesUrl();

    /// The windows "&Initialise All" closes, in the order it closes them:
    /// the registered ones with their places, and the help window in its own.
    QStringList initialiseAllCloseOrder() const;

    /// The help window's name and place in "&Initialise All"'s order.
    static constexpr const char* kHelpWindowName = "frmHelpBrowser";
    static constexpr int kHelpInitialiseAllRank = 7;

    /// Chooses the tax year the program calculates for (the "Tax &year"
    /// menu, the status bar): new windows open in it and the open
    /// year-dependent windows follow it.
    void chooseTaxYear(int year);

    // Menu commands.
    void initialiseAll();
    void printerSetup();
    bool startSystemCalculator();
    void openVideoLectures();
    void showHelp();
    void showAbout();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::shared_ptr<QSettings> m_placeStore;
    void buildMenus();
    QMenu* addSubmenu(const QString& name, const QString& caption);
    QAction* addCommand(QWidget* menu, const QString& name, const QString& caption, void (MainWindow::*slot)());
    QAction* addCalculatorCommand(QWidget* menu, const CalculatorEntry& entry);
    void addCalculatorMenus();
    void addSeparator(QMenu* menu, const char* name);
    void addTaxYearChoice();
    void showTaxYear(int year);
    void setBackgroundPicture(const QString& path);
    void closeCalculator(const QString& windowName);
    /// Widens a main window in the normal state; false when it is not.
    bool widenTo(int twips);
    void updateDatabasePaths();
    void checkSettingsStore();
    bool runStartupDialogs();
    void refuseStartUp();
    void saveViewAbout(bool viewAbout);
    QString settingsPath() const;

    Module1& m_state;
    QMdiArea* m_mdi = nullptr;
    QString m_programFolder;
    QStringList m_calculatorPrograms;
    CalculatorRegistry m_calculators;
    QHash<QString, QPointer<QAction>> m_commands;  // calculator commands by window name
    QHash<QString, QPointer<QMdiSubWindow>> m_open;  // by window name
    QPointer<HelpBrowser> m_help;
    QPointer<AboutDialog> m_about;
    mutable std::unique_ptr<QPrinter> m_printer;
    ProgramVersion m_version = kProgramVersion;
    bool m_writeStartupValues = true;
    QMenu* m_yearMenu = nullptr;
    QToolButton* m_yearStatus = nullptr;
    int m_yearListener = 0;
};

}  // namespace grossby
