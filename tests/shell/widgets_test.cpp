// The shared input fields and the print panel, driven as a user would.
#include "widgets/date_edit.h"
#include "widgets/message_service.h"
#include "widgets/numeric_edit.h"
#include "widgets/print_panel.h"

#include <QApplication>
#include <QLabel>
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

// A field the program gives the focus to is ready to be typed over, and stays
// so when Return takes its entry (the Return that chose a menu command can
// reach the field a new window has just focused): what is typed next
// replaces "0.00" instead of being appended to it.
TEST(NumericEdit, ProgramFocusAndReturnLeaveTheFieldReadyToBeTypedOver)
{
    auto* edit = new NumericEdit;
    edit->setDecimals(2);
    edit->setValue(0);
    FieldWindow w(edit);
    w.other->setFocus();
    edit->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, "500000");
    w.other->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.messages.empty());
    EXPECT_EQ(edit->value(), 500000);
    EXPECT_EQ(edit->text(), "500000.00");
}

// What each typed text gives: the value kept and the text shown once the
// field is left, or the message that refuses it (the value before editing is
// then kept). The field is an amount named by its label "&Salary:" unless
// the case says whole numbers.
TEST(NumericEdit, TypedTextGivesTheNumberOrAMessageNamingTheField)
{
    struct Case {
        const char* typed;
        int decimals;
        double value;  // when accepted
        const char* shown;  // when accepted
        const char* message;  // part of the refusal, or nullptr
    };
    const char* notANumber = "in \"Salary\" is not a number";
    const char* range = "please enter a number from 0.00 to 999 999 999 999.99";
    const Case cases[] = {
        {"12.5", 2, 12.5, "12.50", nullptr},
        {"", 2, 0, "0.00", nullptr},  // empty means 0
        {"  42 ", 2, 42, "42.00", nullptr},
        // Thousands set apart the way the program shows them, or by commas.
        {"1 000 000", 2, 1000000, "1000000.00", nullptr},
        {"1,000,000", 2, 1000000, "1000000.00", nullptr},
        {"20,000", 2, 20000, "20000.00", nullptr},
        {"1,234.56", 2, 1234.56, "1234.56", nullptr},
        {"R500000", 2, 500000, "500000.00", nullptr},
        {"R 1 234.5", 2, 1234.5, "1234.50", nullptr},
        {"0.0275", 3, 0, nullptr, "has more decimals than the field shows"},
        {"12.3450", 3, 12.345, "12.345", nullptr},  // trailing zeros are no more decimals
        // Typed after the "0.00" the field showed: refused, never used as 0.005.
        {"0.00500000", 2, 0, nullptr, "has more decimals than the field shows"},
        {"65", 0, 65, "65", nullptr},
        {"65.0", 0, 65, "65", nullptr},
        // Not numbers: refused by name, never read as a leading number or 0.
        {"abc", 2, 0, nullptr, notANumber},
        {"R500000x", 2, 0, nullptr, notANumber},
        {"12abc", 2, 0, nullptr, notANumber},
        {"20,5", 2, 0, nullptr, notANumber},  // a decimal comma is not guessed at
        {"1 00", 2, 0, nullptr, notANumber},  // not groups of three
        {"1 000,000", 2, 0, nullptr, notANumber},  // two kinds of separator
        {"R", 2, 0, nullptr, notANumber},
        {"--5", 2, 0, nullptr, notANumber},
        // Numbers outside the amount range.
        {"-5", 2, 0, nullptr, range},
        {"-20 000", 2, 0, nullptr, range},
        {"99 999 999 999 999 999 999", 2, 0, nullptr, range},
        {"1e999", 2, 0, nullptr, range},
        // Whole-number fields take whole numbers only: not rounded.
        {"64.6", 0, 0, nullptr, "\"64.6\" in \"Salary\" is not a whole number"},
        {"12.5", 0, 0, nullptr, "is not a whole number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        auto* edit = new NumericEdit;
        edit->setDecimals(c.decimals);
        edit->setValue(7);
        FieldWindow w(edit);
        auto* label = new QLabel("&Salary:", &w.window);
        label->setBuddy(edit);
        w.window.layout()->addWidget(label);
        QSignalSpy spy(edit, &NumericEdit::valueChanged);
        w.typeAndLeave(edit, QString::fromUtf8(c.typed));
        if (c.message) {
            ASSERT_EQ(w.messages.size(), 1u);
            EXPECT_EQ(w.messages[0].title, "Incorrect Number");
            EXPECT_EQ(w.messages[0].icon, QMessageBox::Critical);
            EXPECT_TRUE(w.messages[0].text.contains(QString::fromUtf8(c.message))) << w.messages[0].text.toStdString();
            EXPECT_EQ(edit->value(), 7);
            EXPECT_EQ(edit->text(), QString::number(7.0, 'f', c.decimals));
        } else {
            EXPECT_TRUE(w.messages.empty()) << (w.messages.empty() ? "" : w.messages[0].text.toStdString());
            EXPECT_EQ(edit->value(), c.value);
            EXPECT_EQ(edit->text(), QString::fromUtf8(c.shown));
            if (c.value != 7) {
                ASSERT_FALSE(spy.isEmpty());
                EXPECT_EQ(spy.last().at(0).toDouble(), c.value);
            }
        }
    }
}

// Tab selects a field's text; a mnemonic pressed then (or any Alt chord no
// button takes) must not type its letter over the entry.
TEST(NumericEdit, AltChordsNeverReachTheText)
{
    for (const bool withButton : {false, true}) {
        SCOPED_TRACE(withButton);
        auto* edit = new NumericEdit;
        edit->setValue(500000);
        FieldWindow w(edit);
        auto* calculate = new QPushButton("&Calculate", &w.window);
        calculate->setVisible(withButton);
        w.window.layout()->addWidget(calculate);
        QSignalSpy clicked(calculate, &QPushButton::clicked);
        QSignalSpy changed(edit, &NumericEdit::valueChanged);
        w.other->setFocus();
        QTest::keyClick(w.other, Qt::Key_Tab, Qt::ShiftModifier);  // back into the field: all selected
        ASSERT_TRUE(edit->hasFocus());
        ASSERT_EQ(edit->selectedText(), "500000.00");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_K, Qt::AltModifier | Qt::ShiftModifier);
        QTest::qWait(250);  // a mnemonic's click is animated
        w.other->setFocus();
        QCoreApplication::processEvents();
        EXPECT_EQ(edit->value(), 500000);
        EXPECT_EQ(edit->text(), "500000.00");
        EXPECT_TRUE(changed.isEmpty());
        EXPECT_TRUE(w.messages.empty());
        EXPECT_EQ(clicked.size(), withButton ? 1 : 0);
    }
}

TEST(DateEdit, AltChordsNeverReachTheText)
{
    auto* edit = new DateEdit;
    edit->setValue(42809);
    FieldWindow w(edit);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_D, Qt::AltModifier);
    w.other->setFocus();
    EXPECT_EQ(edit->text(), "15/03/2017");
    EXPECT_TRUE(w.messages.empty());
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
    // Amounts shown as the reports show them.
    EXPECT_EQ(edit->text(), "129 459.40");
    edit->setValue(-1234567.891);
    EXPECT_EQ(edit->text(), "-1 234 567.89");
    EXPECT_EQ(edit->focusPolicy(), Qt::ClickFocus);
    // A rate worked to four decimals shows the decimals it has, at least two.
    edit->setDecimals(4);
    edit->setLeastDecimalsShown(2);
    for (const auto& [value, text] : {std::pair{310.89, "310.89"}, {155.0191, "155.0191"}, {1479.0, "1 479.00"}}) {
        edit->setValue(value);
        EXPECT_EQ(edit->text(), text);
    }
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
