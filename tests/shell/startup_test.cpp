// Start-up: caption, paths, the about box and the disclaimer as the stored
// values say, and a damaged settings file met on the way.

#include "app/registration.h"
#include "core/module1.h"
#include "payroll/quicktax_state.h"
#include "services/startup_values.h"
#include "shell/about_dialog.h"
#include "shell/main_window.h"
#include "widgets/message_service.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace grossby {
namespace {

// Acts on a dialog once it is on screen: modal dialogs run their own event
// loop, which runs this timer.
class WhenShown {
public:
    WhenShown(const QString& name, std::function<void(QWidget*)> act)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this, name, act] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->objectName() == name && w->isVisible() && !m_done) {
                    m_done = true;
                    m_timer.stop();
                    act(w);
                    return;
                }
            }
        });
        m_timer.start(5);
    }
    bool happened() const { return m_done; }

private:
    QTimer m_timer;
    bool m_done = false;
};

// Answers the disclaimer: tick the box and press OK, or press Cancel.
void answerDisclaimer(QWidget* box, bool accept)
{
    auto* ok = box->findChild<QPushButton*>("cmdOk");
    auto* agree = box->findChild<QCheckBox*>("chkDisclaimerYesNo");
    if (accept) {
        agree->setChecked(true);
        ok->click();
    } else {
        box->findChild<QPushButton*>("cmdCancel")->click();
    }
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setMessageHandler([this](const MessageRequest& request) {
            messages.append(request);
            return messageAnswer;
        });
    }
    void TearDown() override { setMessageHandler({}); }

    QString settingsPath() const { return QDir(folder.path()).filePath("Settings.db"); }

    struct Run {
        bool started = false;
        bool disclaimerShown = false;
        bool aboutShown = false;
    };

    // One start of the program; `accept` answers the disclaimer if it comes.
    // The window stays in `window` for the test to look at.
    Run start(bool accept, ProgramVersion version = kProgramVersion)
    {
        window = std::make_unique<MainWindow>(state, programCalculators());
        window->setProgramFolder(folder.path());
        WhenShown disclaimer("frmDisclaimerYesNo", [accept](QWidget* box) { answerDisclaimer(box, accept); });
        Run run;
        run.started = window->startUp(version);
        run.disclaimerShown = disclaimer.happened();
        run.aboutShown = window->aboutDialog() && window->aboutDialog()->isVisible();
        return run;
    }

    QStringList filesInFolder() const
    {
        return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    QTemporaryDir folder;
    Module1 state;
    std::unique_ptr<MainWindow> window;
    QList<MessageRequest> messages;
    QMessageBox::StandardButton messageAnswer = QMessageBox::Ok;
};

TEST_F(StartupTest, FirstRunShowsBothDialogsAndAcceptingStoresTheVersion)
{
    ASSERT_TRUE(QImage(40, 30, QImage::Format_RGB32).save(QDir(folder.path()).filePath("Grossby.jpg")));
    state.memory<QuickTaxMemory>().AnnualTax = 123;

    const Run run = start(true);
    EXPECT_TRUE(run.started);
    EXPECT_TRUE(run.disclaimerShown);
    EXPECT_TRUE(run.aboutShown);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Grossby 2018 Ver: 1.02.000");
    EXPECT_TRUE(window->hasBackgroundPicture());
    EXPECT_EQ(state.memory<QuickTaxMemory>().AnnualTax, 0);  // InitialiseAll ran
    EXPECT_EQ(QString::fromStdString(state.SettingsDatabasePath), settingsPath());
    EXPECT_EQ(QString::fromStdString(state.PrintDatabasePath), QDir(folder.path()).filePath("Crysprin.db"));
    EXPECT_EQ(readStartupValues(settingsPath()).Var1, "120");
    EXPECT_TRUE(readStartupValues(settingsPath()).ViewAbout);
    EXPECT_TRUE(messages.isEmpty());

    // The about box sits centred across the main window, a quarter down.
    AboutDialog* about = window->aboutDialog();
    EXPECT_EQ(about->windowTitle(), "About Grossby 2018...");
    const QRect main = window->frameGeometry();
    const QRect box = about->frameGeometry();
    EXPECT_EQ(box.x(), main.x() + (main.width() - box.width()) / 2);
    EXPECT_EQ(box.y(), main.y() + (main.height() - box.height()) / 4);
    EXPECT_FALSE(about->isModal());

    // The same version next time: no disclaimer.
    const Run again = start(true);
    EXPECT_TRUE(again.started);
    EXPECT_FALSE(again.disclaimerShown);
    EXPECT_TRUE(again.aboutShown);
}

// The two start-up dialogs come one after the other, never one on top of
// the other, each placed over the main window; the disclaimer is answered
// from the keyboard: Space ticks the box, Return presses OK.
TEST_F(StartupTest, DisclaimerThenAboutBoxOneAtATimeAndReturnAccepts)
{
    window = std::make_unique<MainWindow>(state, programCalculators());
    window->setProgramFolder(folder.path());
    window->resize(800, 560);
    bool aboutOnScreenWithDisclaimer = true;
    QRect disclaimerBox;
    QPointer<QWidget> disclaimerSeen;
    WhenShown disclaimer("frmDisclaimerYesNo", [&](QWidget* box) {
        disclaimerSeen = box;
        aboutOnScreenWithDisclaimer = window->aboutDialog() && window->aboutDialog()->isVisible();
        disclaimerBox = box->frameGeometry();
        auto* agree = box->findChild<QCheckBox*>("chkDisclaimerYesNo");
        agree->setFocus();
        QTest::keyClick(agree, Qt::Key_Return);  // not yet ticked: nothing happens
        EXPECT_TRUE(box->isVisible());
        QTest::keyClick(agree, Qt::Key_Space);
        EXPECT_TRUE(agree->isChecked());
        QTest::keyClick(agree, Qt::Key_Return);
    });
    ASSERT_TRUE(window->startUp());
    ASSERT_TRUE(disclaimer.happened());
    EXPECT_FALSE(aboutOnScreenWithDisclaimer);
    EXPECT_EQ(readStartupValues(settingsPath()).Var1, "120");  // accepted by Return
    const QRect main = window->frameGeometry();
    EXPECT_EQ(disclaimerBox.x(), main.x() + (main.width() - disclaimerBox.width()) / 2);
    EXPECT_EQ(disclaimerBox.y(), main.y() + (main.height() - disclaimerBox.height()) / 4);

    // Then the about box, alone and placed the same way.
    ASSERT_NE(window->aboutDialog(), nullptr);
    EXPECT_TRUE(window->aboutDialog()->isVisible());
    EXPECT_TRUE(disclaimerSeen.isNull() || !disclaimerSeen->isVisible());
    const QRect about = window->aboutDialog()->frameGeometry();
    EXPECT_EQ(about.x(), main.x() + (main.width() - about.width()) / 2);
    EXPECT_EQ(about.y(), main.y() + (main.height() - about.height()) / 4);
}

TEST_F(StartupTest, DisclaimerOkIsEnabledOnlyWhileTheBoxIsTicked)
{
    bool okAtFirst = true;
    bool okTicked = false;
    bool okCleared = true;
    window = std::make_unique<MainWindow>(state, programCalculators());
    window->setProgramFolder(folder.path());
    WhenShown disclaimer("frmDisclaimerYesNo", [&](QWidget* box) {
        auto* ok = box->findChild<QPushButton*>("cmdOk");
        auto* agree = box->findChild<QCheckBox*>("chkDisclaimerYesNo");
        EXPECT_TRUE(box->windowTitle().endsWith("Disclaimer"));
        EXPECT_EQ(agree->text(),
                  " I have read this disclaimer and I understand and agree with "
                  "the contents of this disclaimer");
        okAtFirst = ok->isEnabled();
        agree->setChecked(true);
        okTicked = ok->isEnabled();
        agree->setChecked(false);
        okCleared = ok->isEnabled();
        agree->setChecked(true);
        ok->click();
    });
    EXPECT_TRUE(window->startUp());
    EXPECT_FALSE(okAtFirst);
    EXPECT_TRUE(okTicked);
    EXPECT_FALSE(okCleared);
}

TEST_F(StartupTest, RefusingTheDisclaimerEndsWithoutWritingAnything)
{
    // The about box waits for the disclaimer, so refusing never shows it.
    window = std::make_unique<MainWindow>(state, programCalculators());
    window->setProgramFolder(folder.path());
    WhenShown disclaimer("frmDisclaimerYesNo", [this](QWidget* box) {
        EXPECT_EQ(window->aboutDialog(), nullptr);
        answerDisclaimer(box, false);
    });
    EXPECT_FALSE(window->startUp());
    EXPECT_TRUE(disclaimer.happened());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->aboutDialog(), nullptr);
    EXPECT_TRUE(filesInFolder().isEmpty()) << filesInFolder().join(", ").toStdString();

    // So it asks again at the next start.
    const Run again = start(true);
    EXPECT_TRUE(again.disclaimerShown);
    EXPECT_TRUE(again.aboutShown);
}

TEST_F(StartupTest, RefusingAnUpgradeKeepsTheOldAcceptedVersion)
{
    ASSERT_TRUE(start(true).started);
    const Run refused = start(false, ProgramVersion{1, 2, 1});
    EXPECT_FALSE(refused.started);
    EXPECT_TRUE(refused.disclaimerShown);
    EXPECT_EQ(readStartupValues(settingsPath()).Var1, "120");
}

TEST_F(StartupTest, ANewVersionAsksOnceAgain)
{
    ASSERT_TRUE(start(true).started);
    const Run newer = start(true, ProgramVersion{1, 2, 1});
    EXPECT_TRUE(newer.disclaimerShown);
    EXPECT_EQ(readStartupValues(settingsPath()).Var1, "121");
    EXPECT_EQ(window->windowTitle(), "Grossby 2018 Ver: 1.02.001");
    EXPECT_FALSE(start(true, ProgramVersion{1, 2, 1}).disclaimerShown);
    // An older program does not ask either.
    EXPECT_FALSE(start(true, ProgramVersion{1, 2, 0}).disclaimerShown);
}

TEST_F(StartupTest, AboutBoxChoiceIsKeptWhenItCloses)
{
    ASSERT_TRUE(start(true).started);
    AboutDialog* about = window->aboutDialog();
    auto* check = about->findChild<QCheckBox*>("Check1");
    EXPECT_EQ(check->text(), "Do not display this message again on start up");
    EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(about->findChild<QLabel*>("lblVersion")->text(), "Version: 1.02.000");

    // Ticked and cleared again: still shown next time.
    check->setChecked(true);
    check->setChecked(false);
    about->findChild<QPushButton*>("Command1")->click();
    EXPECT_TRUE(readStartupValues(settingsPath()).ViewAbout);
    EXPECT_TRUE(start(true).aboutShown);

    // Ticked and closed by the title bar: not shown any more.
    window->aboutDialog()->findChild<QCheckBox*>("Check1")->setChecked(true);
    window->aboutDialog()->close();
    EXPECT_FALSE(readStartupValues(settingsPath()).ViewAbout);
    EXPECT_FALSE(start(true).aboutShown);

    // The menu still shows it, with the box ticked; clearing it brings it back.
    window->findChild<QAction*>("mnuAbout")->trigger();
    ASSERT_NE(window->aboutDialog(), nullptr);
    EXPECT_TRUE(window->aboutDialog()->isVisible());
    check = window->aboutDialog()->findChild<QCheckBox*>("Check1");
    EXPECT_TRUE(check->isChecked());
    check->setChecked(false);
    window->aboutDialog()->findChild<QPushButton*>("Command1")->click();
    EXPECT_TRUE(start(true).aboutShown);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(StartupTest, DamagedSettingsFileIsOfferedToBeSetAsideNeverOverwritten)
{
    const QByteArray junk = "not a database at all, just some bytes";
    {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(junk);
    }
    // Declined: the file stays exactly as it was.
    messageAnswer = QMessageBox::No;
    start(true);
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(messages[0].text.contains(QDir::toNativeSeparators(settingsPath())) ||
                messages[0].text.contains(settingsPath()))
        << messages[0].text.toStdString();
    EXPECT_TRUE(messages[0].buttons.testFlag(QMessageBox::Yes));
    {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), junk);
    }

    // Accepted: kept aside under a new name, and a fresh store takes its place.
    messages.clear();
    messageAnswer = QMessageBox::Yes;
    const Run run = start(true);
    EXPECT_TRUE(run.started);
    QString keptAs;
    for (const QString& name : filesInFolder()) {
        if (name.startsWith("Settings.db.damaged"))
            keptAs = name;
    }
    ASSERT_FALSE(keptAs.isEmpty()) << filesInFolder().join(", ").toStdString();
    QFile kept(QDir(folder.path()).filePath(keptAs));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), junk);
    EXPECT_EQ(readStartupValues(settingsPath()).Var1, "120");
}

}  // namespace
}  // namespace grossby
