// The shared input fields and the print panel, driven as a user would.
#include "widgets/message_service.h"
#include "widgets/date_edit.h"
#include "widgets/numeric_edit.h"
#include "widgets/print_panel.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace grossby {
namespace {

// A window with the field under test and a second field to move the focus to.
struct FieldWindow {
    QWidget window;
    QLineEdit* other;
    std::vector<MessageRequest> messages;

    explicit FieldWindow(QWidget* field)
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(field);
        other = new QLineEdit(&window);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        setMessageHandler([this](const MessageRequest& r) {
            messages.push_back(r);
            return QMessageBox::Ok;
        });
    }
    ~FieldWindow() { setMessageHandler({}); }

    // Focus into the field, replace its text by typing, then leave it.
    void typeAndLeave(QLineEdit* field, const QString& keys)
    {
        other->setFocus();
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, keys);
        other->setFocus();
        QCoreApplication::processEvents();
    }
};

TEST(NumericEdit, StoresEachChangeAndReformatsWhenLeft)
{
    struct Case {
        int decimals;
        const char* typed;
        double value;
        const char* shown;
    };
    const Case cases[] = {
        {2, "12.5", 12.5, "12.50"},     {2, "12abc", 12, "12.00"},  // the leading number
        {2, "abc", 0, "0.00"},  // no number at all
        {2, "-3.456", -3.456, "-3.46"}, {0, "12.5", 12, "12"},  // whole numbers round half to even
        {0, "13.5", 14, "14"},          {3, "0.0275", 0.0275, "0.028"},
    };
    for (const Case& c : cases) {
        auto* edit = new NumericEdit;
        edit->setDecimals(c.decimals);
        edit->setValue(7);
        FieldWindow w(edit);
        QSignalSpy spy(edit, &NumericEdit::valueChanged);
        w.typeAndLeave(edit, QString::fromLatin1(c.typed));
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(edit->value(), c.value);
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.shown));
        ASSERT_FALSE(spy.isEmpty());
        EXPECT_EQ(spy.last().at(0).toDouble(), c.value);
        EXPECT_TRUE(w.messages.empty());
    }
}

TEST(NumericEdit, ValueFollowsTheKeystrokes)
{
    auto* edit = new NumericEdit;
    FieldWindow w(edit);
    QSignalSpy spy(edit, &NumericEdit::valueChanged);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "45");
    // Stored while typing, before the field is left.
    EXPECT_EQ(edit->value(), 45);
    ASSERT_EQ(spy.size(), 2);
    EXPECT_EQ(spy.at(0).at(0).toDouble(), 4);
    EXPECT_EQ(spy.at(1).at(0).toDouble(), 45);
}

TEST(NumericEdit, OutOfRangeEntryIsRejectedAndTheOldValueKept)
{
    auto* edit = new NumericEdit;
    edit->setDecimals(0);
    edit->setRange(0, 24);
    edit->setValue(2);
    FieldWindow w(edit);
    QSignalSpy rejected(edit, &FieldEdit::entryRejected);
    QSignalSpy changed(edit, &NumericEdit::valueChanged);

    w.typeAndLeave(edit, "30");

    ASSERT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(w.messages[0].title, "Incorrect Number");
    EXPECT_EQ(w.messages[0].text, "The number entered is not correct please enter a number from 0 to 24");
    EXPECT_EQ(w.messages[0].icon, QMessageBox::Critical);
    ASSERT_EQ(rejected.size(), 1);
    EXPECT_EQ(rejected.at(0).at(0).toString(), "30");
    // "3" was stored on the way; the value before editing comes back.
    EXPECT_EQ(edit->value(), 2);
    EXPECT_EQ(changed.last().at(0).toDouble(), 2);
    EXPECT_EQ(edit->text(), "2");
    QTest::qWait(20);
    EXPECT_TRUE(edit->hasFocus());
}

TEST(NumericEdit, WindowMessageAndNumbersTooLargeToHold)
{
    auto* edit = new NumericEdit;
    edit->setValue(5);
    edit->setRejectionMessage("Bad", [] { return QStringLiteral("Built now"); });
    FieldWindow w(edit);
    w.typeAndLeave(edit, "1e999");
    ASSERT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(w.messages[0].title, "Bad");
    EXPECT_EQ(w.messages[0].text, "Built now");
    EXPECT_EQ(edit->value(), 5);
    EXPECT_EQ(edit->text(), "5.00");
}

TEST(NumericEdit, ReadOnlyResultFieldTakesNoTypingAndNoTabStop)
{
    auto* edit = new NumericEdit;
    edit->setReadOnly(true);
    edit->setValue(129459.4);
    FieldWindow w(edit);
    edit->setFocus();
    QTest::keyClicks(edit, "99");
    w.other->setFocus();
    EXPECT_EQ(edit->value(), 129459.4);
    EXPECT_EQ(edit->text(), "129459.40");
    EXPECT_EQ(edit->focusPolicy(), Qt::ClickFocus);
}

TEST(DateEdit, AcceptsDatesOfTheYearAndRejectsOthersWithTheYearMessage)
{
    struct Case {
        const char* typed;
        bool accepted;
        double value;
    };
    const Case cases[] = {
        {"15/03/2017", true, 42809},
        {"1/3/2017", true, 42795},
        {"28/02/2018", true, 43159},
        {"28/02/2017", false, 0},  // day before the year
        {"01/03/2018", false, 0},  // day after
        {"31/02/2017", false, 0},  // no such day
        {"", false, 0},
        {"15-03-2017", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        auto* edit = new DateEdit;
        edit->setValue(42825);
        FieldWindow w(edit);
        w.typeAndLeave(edit, QString::fromLatin1(c.typed));
        if (c.accepted) {
            EXPECT_TRUE(w.messages.empty());
            EXPECT_EQ(edit->value(), c.value);
            EXPECT_EQ(edit->text().size(), 10);
        } else {
            ASSERT_EQ(w.messages.size(), 1u);
            EXPECT_EQ(w.messages[0].title, "Incorrect Date");
            EXPECT_EQ(w.messages[0].text,
                      "The date entered is not correct please enter a date between 01/03/2017 and 28/02/2018");
            EXPECT_EQ(edit->value(), 42825);
            EXPECT_EQ(edit->text(), "31/03/2017");
        }
    }
}

TEST(DateEdit, LimitsMoveAndTheMessageQuotesTheirCurrentValue)
{
    auto* start = new DateEdit;
    auto* end = new DateEdit;
    start->setValue(42809);  // 15/03/2017
    end->setValue(42825);
    FieldWindow w(end);
    w.window.layout()->addWidget(start);
    // The window moves the end's earliest date to the start when it is entered.
    QObject::connect(end, &FieldEdit::focusReceived, end, [&] { end->setMinimum(start->value()); });
    end->setRejectionMessage("Incorrect Date", [&] {
        return QStringLiteral("The date entered is not correct please enter a date between ") + start->text() +
            QStringLiteral(" and 28/02/2018");
    });

    w.typeAndLeave(end, "10/03/2017");
    ASSERT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(w.messages[0].text,
              "The date entered is not correct please enter a date between 15/03/2017 and 28/02/2018");
    EXPECT_EQ(end->value(), 42825);

    w.typeAndLeave(end, "15/03/2017");
    EXPECT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(end->value(), 42809);
}

TEST(PrintPanel, ButtonsChooseTheDestinationAndCancelHides)
{
    QWidget window;
    window.resize(400, 300);
    auto* calculate = new QPushButton("&Calculate", &window);
    auto* panel = new PrintPanel(&window);
    panel->setObjectName("Frame1");
    panel->setCoveredWidgets({calculate});
    panel->hide();
    window.show();

    auto* vr = window.findChild<QPushButton*>("cmdVR");
    auto* pd = window.findChild<QPushButton*>("cmdPD");
    auto* cancel = window.findChild<QPushButton*>("cmdCancel");
    ASSERT_TRUE(vr && pd && cancel);
    EXPECT_EQ(vr->text(), "&View/Export report");
    EXPECT_EQ(pd->text(), "P&rint directly to printer");
    EXPECT_EQ(cancel->text(), "&Cancel");
    // English only unless the window asks for the language choice.
    EXPECT_FALSE(window.findChild<QRadioButton*>("Option1")->isVisibleTo(&window));
    EXPECT_FALSE(panel->afrikaans());

    QSignalSpy chosen(panel, &PrintPanel::destinationChosen);
    QSignalSpy cancelled(panel, &PrintPanel::cancelled);
    panel->popUp(40);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->y(), 40);
    EXPECT_FALSE(calculate->isEnabled());  // covered while the panel is up
    QTest::mouseClick(vr, Qt::LeftButton);
    QTest::mouseClick(pd, Qt::LeftButton);
    ASSERT_EQ(chosen.size(), 2);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 0);
    EXPECT_EQ(chosen.at(1).at(0).toInt(), 1);
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(cancelled.size(), 1);
    EXPECT_TRUE(calculate->isEnabled());
}

TEST(PrintPanel, LanguageChoice)
{
    QWidget window;
    auto* panel = new PrintPanel(&window);
    panel->setLanguageChoice(true);
    window.show();
    auto* english = window.findChild<QRadioButton*>("Option1");
    auto* afrikaans = window.findChild<QRadioButton*>("Option2");
    EXPECT_EQ(english->text(), "&English print");
    EXPECT_EQ(afrikaans->text(), "&Afrikaans print");
    EXPECT_TRUE(english->isVisible());
    EXPECT_FALSE(panel->afrikaans());
    QTest::mouseClick(afrikaans, Qt::LeftButton);
    EXPECT_TRUE(panel->afrikaans());
}

}  // namespace
}  // namespace grossby
