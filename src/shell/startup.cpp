// The main window's start-up: what happens between construction and the
// event loop, and the two start-up dialogs.

#include "shell/main_window.h"

#include "core/module1.h"
#include "services/file_locations.h"
#include "services/settings_store.h"
#include "services/startup_values.h"
#include "shell/about_dialog.h"
#include "shell/disclaimer_dialog.h"
#include "shell/help_browser.h"
#include "widgets/busy_cursor.h"
#include "widgets/message_service.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QSettings>

namespace grossby {

namespace {
const QString kTitle = QStringLiteral("Grossby 2018");
}

QString MainWindow::settingsPath() const
{
    return QString::fromStdString(m_state.SettingsDatabasePath);
}

QSize MainWindow::roomForLargestCalculator()
{
    // The loan calculator with its monthly schedule is the widest window
    // (1 236 pixels with its frame); the company car register with its print
    // panel, and the package windows with their Setup panel, the tallest
    // (about 840). The menu bar and the area's own edges come on top.
    return {1250, 870};
}

void MainWindow::rememberPlaceIn(std::shared_ptr<QSettings> store)
{
    m_placeStore = std::move(store);
}

void MainWindow::placeOnScreen(const QRect& available)
{
    if (m_placeStore) {
        const QByteArray kept = m_placeStore->value(QStringLiteral("MainWindow/geometry")).toByteArray();
        if (!kept.isEmpty() && restoreGeometry(kept))
            return;
    }
    // The frame around the inside, as the window system draws it (an
    // estimate until the window has been shown once).
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize wanted = roomForLargestCalculator();
    const QSize outside = wanted + (frame.isEmpty() ? QSize(8, 32) : frame);
    if (outside.width() > available.width() || outside.height() > available.height()) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    resize(wanted);
    move(available.left() + (available.width() - outside.width()) / 2,
         available.top() + (available.height() - outside.height()) / 2);
}

bool MainWindow::startUp(const ProgramVersion& version)
{
    m_version = version;

    // 1. The program's picture behind the calculator windows.
    setBackgroundPicture(QDir(m_programFolder).filePath(QStringLiteral("Grossby.jpg")));

    // 2. The caption with the version.
    setWindowTitle(QStringLiteral("Grossby 2018 Ver: ") + version.text());

    // 3. On screen before anything else happens: where the user left it,
    // or large enough for the largest calculator.
    if (const QScreen* where = screen())
        placeOnScreen(where->availableGeometry());
    show();
    QCoreApplication::processEvents();

    // 4. The shared state at its start values.
    {
        BusyCursor busy;
        m_state.InitialiseAll();
    }

    // 5. Where the two databases are.
    updateDatabasePaths();
    checkSettingsStore();

    // 6. The about box and the disclaimer.
    return runStartupDialogs();
}

void MainWindow::updateDatabasePaths()
{
    setDatabasePaths(m_state, dataFolder(m_programFolder, appDataFolder()));
}

void MainWindow::checkSettingsStore()
{
    // A missing store is made fresh when a calculator first needs it; one
    // that is there but unusable is offered to be set aside, never
    // overwritten behind the user's back.
    const QString path = settingsPath();
    if (!QFileInfo::exists(path))
        return;
    const SettingsStore store(path);
    const DbStatus status = store.ensure();
    if (status)
        return;
    if (!status.damaged) {
        showMessage(this, {QMessageBox::Warning, kTitle, status.error});
        return;
    }
    const auto answer = showMessage(this,
                                    {QMessageBox::Warning, kTitle,
                                     status.error +
                                         QStringLiteral("\n\nKeep this file aside under a new name and start with "
                                                        "fresh settings? The file itself is not changed."),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes});
    if (answer != QMessageBox::Yes)
        return;
    QString keptAs;
    const DbStatus fresh = store.setAsideAndRecreate(&keptAs);
    if (!fresh) {
        showMessage(this, {QMessageBox::Critical, kTitle, fresh.error});
        return;
    }
    showMessage(this,
                {QMessageBox::Information, kTitle,
                 QStringLiteral("The old settings file was kept as \"%1\". Fresh settings "
                                "with the 2017/18 values are now in use.")
                     .arg(QDir::toNativeSeparators(keptAs))});
}

bool MainWindow::runStartupDialogs()
{
    // One dialog at a time, each over the main window: the disclaimer, when
    // this version still needs it, comes first and must be answered; the
    // about box follows it instead of being buried under it.
    const StartupValues values = readStartupValues(settingsPath());
    const long long version = versionNumber(m_version.major, m_version.minor, m_version.revision);
    if (version > acceptedVersion(values.Var1)) {
        DisclaimerDialog disclaimer(this);
        disclaimer.exec();
        if (!disclaimer.disclaimerAccepted()) {
            refuseStartUp();
            return false;
        }
        const DbStatus stored = writeVar1(settingsPath(), QString::number(version));
        if (!stored) {
            showMessage(this,
                        {QMessageBox::Warning, kTitle,
                         stored.error +
                             QStringLiteral("\n\nThe disclaimer will be shown again at the "
                                            "next start.")});
        }
    }
    if (values.ViewAbout)
        showAbout();
    return true;
}

void MainWindow::refuseStartUp()
{
    // The program ends without writing anything, so the disclaimer comes
    // back at the next start and the about box keeps its stored choice.
    m_writeStartupValues = false;
    if (m_about) {
        m_about->disconnect(this);
        delete m_about;
    }
    close();
}

}  // namespace grossby
