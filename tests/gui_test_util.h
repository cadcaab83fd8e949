#pragma once
// What the window tests do to a window, as a user would: type into a named
// field, click a named button, read what a field shows. Message boxes are
// captured rather than shown. ProgramFixture is the program itself: the main
// window with the program's calculators, its databases in a folder of its own.

#include "app/registration.h"
#include "core/module1.h"
#include "services/file_locations.h"
#include "shell/main_window.h"
#include "widgets/message_service.h"
#include "widgets/report_preview.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QHash>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSize>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace grossby::test {

/// The child of `window` named `name`; a test failure when there is none.
template <class T = QWidget> T* child(const QWidget* window, const QString& name)
{
    T* w = window ? window->findChild<T*>(name) : nullptr;
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

/// The text field `name` shows.
inline QString shown(const QWidget* window, const QString& name)
{
    auto* field = child<QLineEdit>(window, name);
    return field ? field->text() : QString();
}

/// Focus into the field, replace its text by typing, then leave it for the
/// window's "&Calculate" button (or `leaveTo`), as a user would.
inline void type(QWidget* window, const QString& name, const QString& keys, const char* leaveTo = "cmdCalculate")
{
    auto* field = child<QLineEdit>(window, name);
    if (!field)
        return;
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, keys);
    if (auto* next = window->findChild<QWidget*>(QString::fromLatin1(leaveTo)))
        next->setFocus();
    QCoreApplication::processEvents();
}

/// Clicks the button `name` with the mouse.
inline void click(QWidget* window, const QString& name)
{
    if (auto* button = child<QAbstractButton>(window, name))
        QTest::mouseClick(button, Qt::LeftButton);
    QCoreApplication::processEvents();
}

/// A key pressed where the focus is now.
inline void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    EXPECT_NE(target, nullptr) << "nothing has the focus";
    if (target)
        QTest::keyClick(target, Qt::Key(key), modifiers);
    QCoreApplication::processEvents();
}

/// Captures every message box for the life of the object; each is answered OK.
class CapturedMessages {
public:
    CapturedMessages()
    {
        setMessageHandler([this](const MessageRequest& r) {
            list.push_back(r);
            return QMessageBox::Ok;
        });
    }
    ~CapturedMessages() { setMessageHandler({}); }
    CapturedMessages(const CapturedMessages&) = delete;
    CapturedMessages& operator=(const CapturedMessages&) = delete;

    std::vector<MessageRequest> list;
};

/// Deletes every report preview window; whether there was one. They are
/// found first and deleted after: a preview takes its own dialogs with it.
inline bool closePreviews()
{
    QList<QPointer<ReportPreview>> previews;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* preview = qobject_cast<ReportPreview*>(top))
            previews.append(preview);
    }
    for (const QPointer<ReportPreview>& preview : previews)
        delete preview.data();
    return !previews.isEmpty();
}

/// The rows `sql` reads from the print database at `path`, through a
/// connection of its own that is closed after.
inline std::vector<QSqlRecord> printRows(const std::string& path, const QString& sql)
{
    const QString connection = QStringLiteral("gui_test_print_rows");
    std::vector<QSqlRecord> rows;
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QString::fromStdString(path));
        EXPECT_TRUE(db.open());
        QSqlQuery q(sql, db);
        while (q.next())
            rows.push_back(q.record());
    }
    QSqlDatabase::removeDatabase(connection);
    return rows;
}

/// The program as the user has it: the main window with the program's own
/// calculators, shown at `size` and active, its print database and settings
/// store in a temporary folder, message boxes captured into `messages`.
/// With `ownProgramFolder` the program folder is that folder too (no report
/// templates there: a report names the one it misses).
class ProgramFixture : public ::testing::Test {
protected:
    explicit ProgramFixture(QSize size, bool ownProgramFolder = true)
        : m_size(size)
        , m_ownProgramFolder(ownProgramFolder)
    { }

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        setMessageHandler([this](const MessageRequest& request) {
            messages.push_back(request);
            return QMessageBox::Ok;
        });
        setDatabasePaths(state, folder.path());
        if (m_ownProgramFolder)
            main.setProgramFolder(folder.path());
        main.resize(m_size);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    }
    void TearDown() override
    {
        closePreviews();
        setMessageHandler({});
    }

    /// Triggers the menu command `command`, as the user does, and returns
    /// the window that is then the active one.
    QWidget* openFromMenu(const char* command)
    {
        QAction* action = main.findChild<QAction*>(QLatin1String(command));
        EXPECT_TRUE(action && action->isEnabled()) << command;
        if (!action)
            return nullptr;
        action->trigger();
        QCoreApplication::processEvents();
        QMdiSubWindow* frame = main.mdiArea()->activeSubWindow();
        return frame ? frame->widget() : nullptr;
    }

    /// The rows `sql` reads from the program's print database.
    std::vector<QSqlRecord> printRows(const QString& sql) const
    {
        return test::printRows(state.PrintDatabasePath, sql);
    }

    QTemporaryDir folder;
    Module1 state;
    MainWindow main{state, programCalculators()};
    std::vector<MessageRequest> messages;

private:
    QSize m_size;
    bool m_ownProgramFolder;
};

/// Mnemonics that two visible, enabled controls of `window` share (buttons,
/// and labels with a buddy), each as "name / name"; empty when none clash.
inline QStringList sharedMnemonics(const QWidget* window)
{
    QHash<QKeySequence, QStringList> byKey;
    for (const QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (b->isVisible() && b->isEnabled())
            byKey[QKeySequence::mnemonic(b->text())].append(b->objectName());
    }
    for (const QLabel* l : window->findChildren<QLabel*>()) {
        if (l->isVisible() && l->buddy() && l->buddy()->isEnabled())
            byKey[QKeySequence::mnemonic(l->text())].append(l->objectName());
    }
    QStringList clashes;
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        if (!it.key().isEmpty() && it.value().size() > 1)
            clashes.append(it.value().join(" / "));
    }
    return clashes;
}

}  // namespace grossby::test
