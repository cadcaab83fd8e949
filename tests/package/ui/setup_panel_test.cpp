// The Setup panel on its own: the package windows' eleven settings, and
// limits that agree with what the settings store accepts when it reads the
// values back.

#include "gui_test_util.h"
#include "services/settings_store.h"
#include "widgets/numeric_edit.h"
#include "widgets/setup_panel.h"

#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace grossby {
namespace {

class SetupPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        panel.setStorePath(dir.filePath("Settings.db"));
        ASSERT_EQ(panel.load(), QString());
        panel.show();
    }

    SetupValues stored() const
    {
        SetupValues v;
        EXPECT_TRUE(SettingsStore(panel.storePath()).load(v).ok()) << "the store reads back what was saved";
        return v;
    }
    void type(const char* field, const QString& keys) { test::type(&panel, field, keys, "cmdSetupOK"); }

    QTemporaryDir dir;
    SetupPanel panel;
    test::CapturedMessages messages;
};

TEST_F(SetupPanelTest, AcceptsExactlyWhatTheStoreReadsBack)
{
    panel.showPackageSettings();
    struct Case {
        const char* field;
        const char* typed;
        bool accepted;
    };
    const Case cases[] = {
        {"numEmpEUIF", "100", true},
        {"numEmpEUIF", "150", false},
        {"numEmpRUIF", "100.001", false},
        {"numSkillPercent", "-1", false},
        {"numPenContPerc", "100", true},
        {"numCCProvContPerc", "101", false},
        {"numUIFLimit", "1 000 000 000", true},
        {"numUIFLimit", "1000000001", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed);
        auto* field = test::child<NumericEdit>(&panel, c.field);
        const double before = field->value();
        const std::size_t messagesBefore = messages.list.size();
        type(c.field, c.typed);
        EXPECT_EQ(messages.list.size() == messagesBefore, c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(field->value(), before) << "the value before is kept";
            EXPECT_TRUE(messages.list.back().title.startsWith("Incorrect"));
        }
    }
    test::click(&panel, "cmdSetupOK");
    const SetupValues v = stored();
    EXPECT_EQ(v.EmployeeUIF, 100);
    EXPECT_EQ(v.PensionCont, 100);
    EXPECT_EQ(v.UIFLimit, 1e9);
    EXPECT_EQ(v.EmployerProvCont, 0);
    EXPECT_EQ(messages.list.size(), 5u) << "only the five refusals";
}

TEST_F(SetupPanelTest, PackageSettingsAreShownAndSavedAllEleven)
{
    // The tax windows' panel shows five settings and writes only those.
    EXPECT_EQ(panel.findChild<QWidget*>("numPenContPerc"), nullptr);
    EXPECT_EQ(panel.findChild<QWidget*>("optCompCarMPYes"), nullptr);

    SetupValues seeded;
    seeded.CompCarFBRate8020 = 0.2;
    seeded.CompCarMPYesNo = true;
    seeded.ProvCont = 3;
    ASSERT_TRUE(SettingsStore(panel.storePath()).save(seeded, SettingsStore::columnNames()).ok());
    panel.showPackageSettings();
    ASSERT_EQ(panel.load(), QString());
    EXPECT_TRUE(test::child<QRadioButton>(&panel, "optCompCarFBRate20")->isChecked());
    EXPECT_TRUE(test::child<QRadioButton>(&panel, "optCompCarMPYes")->isChecked());
    EXPECT_EQ(test::shown(&panel, "numProvContPerc"), "3.000");

    type("numPenContPerc", "7.5");
    type("numPenPercentage", "10");
    type("numCCProvContPerc", "2");
    test::click(&panel, "optCompCarFBRate80");
    test::click(&panel, "optCompCarMPNo");
    EXPECT_EQ(panel.values().CompCarFBRate8020, 0.8) << "an option takes effect at once";
    test::click(&panel, "cmdSetupOK");
    EXPECT_FALSE(panel.isVisible());

    SetupValues expected = seeded;
    expected.PensionCont = 7.5;
    expected.EmployerPenCont = 10;
    expected.EmployerProvCont = 2;
    expected.CompCarFBRate8020 = 0.8;
    expected.CompCarMPYesNo = false;
    EXPECT_EQ(stored(), expected);
    EXPECT_TRUE(messages.list.empty());
}

}  // namespace
}  // namespace grossby
