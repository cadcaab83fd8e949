#pragma once
// The Setup panel of the tax and package windows: the user-adjustable rates
// of the settings store, edited in place over the window and written back to
// the store with "O&K". The panel's own objectName is the window's to give
// (`Frame3` in the tax windows).
//
// Every window shows the UIF portions, the skills levy, the UIF monthly limit
// and the travel-allowance inclusion rate: the fields `numEmpEUIF`,
// `numEmpRUIF`, `numSkillPercent`, `numUIFLimit`, the options
// `optTAIncRate80` and `optTAIncRate20`, and the button `cmdSetupOK`. The
// package windows show all eleven settings (showPackageSettings): the R/Fund
// percentages `numPenContPerc` and `numPenPercentage` above those, then the
// company car's options `optCompCarFBRate80` / `optCompCarFBRate20` and
// `optCompCarMPYes` / `optCompCarMPNo`, and the provident percentages
// `numProvContPerc` and `numCCProvContPerc`.
//
// The fields accept exactly what the settings store accepts when it reads the
// values back (percentages 0 to 100, the UIF limit 0 to 1 000 000 000), so a
// value saved here is never reported as damage later.

#include "core/year_figures.h"
#include "services/settings_store.h"

#include <QGroupBox>
#include <QList>
#include <QPointer>
#include <QString>

#include <map>

class QButtonGroup;
class QComboBox;
class QFormLayout;
class QPushButton;
class QRadioButton;

namespace grossby {

class NumericEdit;

class SetupPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit SetupPanel(QWidget* parent = nullptr);

    /// Adds the package windows' settings to the panel; "O&K" then writes
    /// all eleven columns.
    void showPackageSettings();
    bool showsPackageSettings() const { return m_pensionCont != nullptr; }

    /// Shows the window's tax year as the panel's first row (`cboTaxYear`,
    /// every year the program has), set to `year`; choosing one emits
    /// taxYearChosen.
    void showTaxYearChoice(int year);
    /// Shows `year` as chosen, without emitting taxYearChosen. The UIF
    /// limit shown becomes that year's: the store's figure for 2017/18, for
    /// another year the figure typed for it since the panel was made, else
    /// the year's own ceiling.
    void setTaxYear(int year);
    /// The year whose UIF limit the user gave (values().UIFLimit): the
    /// panel's year once a figure was typed for it, else 2017/18 (the
    /// store's), which leaves another year to its own ceilings.
    int uifLimitYear() const;
    QComboBox* taxYearField() const { return m_taxYear; }

    /// The settings store the panel reads and writes.
    void setStorePath(const QString& path) { m_storePath = path; }
    const QString& storePath() const { return m_storePath; }

    /// Reads the store into the fields. When the store cannot be read the
    /// fields take the values in force for 2017/18 and the message naming
    /// the store is returned (empty on success).
    QString load();

    /// Writes the panel's columns into the store, leaving the others as they
    /// are; returns the message naming the store on failure (empty on success).
    QString save() const;

    /// The values as the fields and options now hold them. The inclusion
    /// rates are the ones read from the store until an option is chosen, so a
    /// stored rate other than 0.8 or 0.2 is still used.
    const SetupValues& values() const { return m_values; }
    /// Shows `values` in the fields and selects the option of each rate
    /// (neither when it is not exactly 0.8 or 0.2).
    void setValues(const SetupValues& values);

    /// The columns "O&K" writes; by default the five every tax window uses.
    void setSavedColumns(const QStringList& columns) { m_columns = columns; }

    /// Controls disabled while the panel is up, enabled again by "O&K".
    void setCoveredWidgets(const QList<QWidget*>& widgets);

    /// Shows the panel in front of its parent, centred across it, with its
    /// top at `top` (centred both ways when negative).
    void popUp(int top = -1);

    /// The panel's rows (the first column).
    QFormLayout* formLayout() const { return m_form; }

    /// Largest percentage and UIF limit the store accepts.
    static constexpr double kMaxPercent = 100;
    static constexpr double kMaxUifLimit = 1e9;

    NumericEdit* employeeUifField() const { return m_employeeUif; }
    NumericEdit* employerUifField() const { return m_employerUif; }
    NumericEdit* skillsLevyField() const { return m_skillsLevy; }
    NumericEdit* uifLimitField() const { return m_uifLimit; }
    QRadioButton* rate80Option() const { return m_rate80; }
    QRadioButton* rate20Option() const { return m_rate20; }
    QPushButton* okButton() const { return m_ok; }
    // The package settings; null until showPackageSettings().
    NumericEdit* employeeRFPercentField() const { return m_pensionCont; }
    NumericEdit* employerRFPercentField() const { return m_employerPenCont; }
    NumericEdit* employeeProvidentField() const { return m_provCont; }
    NumericEdit* employerProvidentField() const { return m_employerProvCont; }

Q_SIGNALS:
    /// A field or option changed: the window's next calculation uses it.
    void valuesChanged();
    /// "O&K": the panel has saved (or reported why it could not), hidden
    /// itself and enabled the covered controls; the window recalculates.
    void accepted();
    /// The user chose another tax year (the year it ends in: 2026 for 2025/26).
    void taxYearChosen(int year);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void accept();
    void setCoveredEnabled(bool enabled);
    QList<NumericEdit*> fields() const;
    /// A percentage row inserted at `row` (-1: at the end).
    NumericEdit* percentRow(QFormLayout* form, int row, const QString& label, const char* name,
                            double SetupValues::*column);
    void addRateOptions(QFormLayout* form, const QString& label, QRadioButton*& first, QRadioButton*& second,
                        const char* firstName, const char* secondName, const QString& firstText,
                        const QString& secondText);
    void showOptions();

    NumericEdit* m_employeeUif;
    NumericEdit* m_employerUif;
    NumericEdit* m_skillsLevy;
    NumericEdit* m_uifLimit;
    QRadioButton* m_rate80;
    QRadioButton* m_rate20;
    QPushButton* m_ok;
    QFormLayout* m_form;
    QFormLayout* m_packageForm;  ///< the second column: empty in the tax windows
    NumericEdit* m_pensionCont = nullptr;
    NumericEdit* m_employerPenCont = nullptr;
    NumericEdit* m_provCont = nullptr;
    NumericEdit* m_employerProvCont = nullptr;
    QRadioButton* m_carRate80 = nullptr;
    QRadioButton* m_carRate20 = nullptr;
    QRadioButton* m_planYes = nullptr;
    QRadioButton* m_planNo = nullptr;
    QComboBox* m_taxYear = nullptr;
    int m_year = kDefaultTaxYear;
    double m_storedUifLimit = 0;  ///< the store's figure: 2017/18's
    std::map<int, double> m_ownUifLimits;  ///< typed for other years, by year
    SetupValues m_values;
    QString m_storePath;
    QStringList m_columns;
    QList<QPointer<QWidget>> m_covered;
};

/// Tells a calculation's settings whose figure their UIF limit is
/// (`UIFLimitYear`, when the settings carry it): 2017/18's from the store, or
/// one typed for the window's year.
template <class Settings> void copyUifLimitYear(const SetupPanel& panel, Settings& settings)
{
    if constexpr (requires { settings.UIFLimitYear = 0; })
        settings.UIFLimitYear = panel.uifLimitYear();
}

}  // namespace grossby
