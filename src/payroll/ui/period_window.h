#pragma once
// What the five PAYE period windows (monthly, annual, weekly, fortnightly,
// daily) have in common: the employee's fields kept in an inputs struct as
// they change, the Setup panel, the information panel, the print panel with
// the choice of English or Afrikaans, and "&Calculate" showing either the
// figures or the calculator's message with the focus on the field concerned.
// Each window adds its own fields and calculation.

#include "payroll/period_print.h"
#include "payroll/period_tax.h"

#include <QWidget>

#include <optional>

class QLineEdit;
class QPushButton;

namespace grossby {

struct Module1;
class InfoPanel;
class NumericEdit;
class PrintPanel;
class SetupPanel;

class PeriodWindow : public QWidget {
    Q_OBJECT
public:
    ~PeriodWindow() override;

    /// "&Calculate": runs the calculator on the fields' values and shows its
    /// figures; on a rejected input shows the message, puts the focus on the
    /// field concerned and returns false.
    bool calculate();

    /// A destination chosen on the print panel (0 preview, 1 printer):
    /// stages the last calculation's check sheet in the chosen language and
    /// starts the report.
    void printTo(int printToPrinter);

    /// The settings the next calculation uses.
    PeriodSettings settings() const;

    /// The employee's figures as the fields hold them.
    const EmployeeInputs& employeeInputs() const { return m_employee; }

    /// The controls every period window has, as its form names them.
    struct Controls {
        QLineEdit* name = nullptr;
        NumericEdit* age = nullptr;
        NumericEdit* salary = nullptr;
        NumericEdit* commission = nullptr;
        NumericEdit* bonus = nullptr;
        NumericEdit* travelAllowance = nullptr;
        NumericEdit* employerRf = nullptr;
        NumericEdit* employeeRf = nullptr;
        NumericEdit* employerMedical = nullptr;
        NumericEdit* employeeMedical = nullptr;
        NumericEdit* beneficiaries = nullptr;  ///< none in the annual window

        NumericEdit* rfDeduction = nullptr;
        NumericEdit* paye = nullptr;
        NumericEdit* medicalCredit = nullptr;
        NumericEdit* additionalCredit = nullptr;
        NumericEdit* taxLiability = nullptr;
        NumericEdit* uifEmployee = nullptr;  ///< none in the annual window
        NumericEdit* uifEmployer = nullptr;
        NumericEdit* sdl = nullptr;

        QPushButton* calculate = nullptr;
        QPushButton* settings = nullptr;
        QPushButton* print = nullptr;
        QPushButton* ok = nullptr;
        QPushButton* info = nullptr;
        SetupPanel* setup = nullptr;
        InfoPanel* infoPanel = nullptr;
        PrintPanel* printPanel = nullptr;
    };

protected:
    PeriodWindow(Module1& state, QWidget* parent);

    /// The controls every period form names alike; the window adds the
    /// fields whose names differ from form to form.
    template <class Form> static Controls sharedControls(Form* form)
    {
        Controls c;
        c.name = form->Text1;
        c.employerRf = form->numEmpRRFundCont;
        c.employeeRf = form->numEmpERFundCont;
        c.employerMedical = form->numEmpERMedAidCont;
        c.employeeMedical = form->numEmpEEMedAidCont;
        c.rfDeduction = form->numAllowableRFundDed;
        c.paye = form->numMAns;
        c.medicalCredit = form->numTaxCredit;
        c.additionalCredit = form->numMTCForContri;
        c.taxLiability = form->numTaxLiability;
        c.calculate = form->cmdCalculate;
        c.settings = form->cmdSettings;
        c.print = form->cmdPrint;
        c.ok = form->cmdOk;
        c.info = form->cmdInfo_0;
        c.setup = form->Frame3;
        c.infoPanel = form->fraInfo_One;
        c.printPanel = form->fraPrint;
        return c;
    }

    /// Wires the controls. Call once the form is set up; then call load().
    void setUpControls(const Controls& controls);

    /// Window load: reads the settings, clears the employee's fields, lets
    /// the window set its own defaults (resetInputs) and calculates once.
    void load();

    /// The window's calculation: runs the calculator, keeps the result for
    /// printing and shows it; returns the calculator's rejection instead.
    virtual std::optional<InputError> runCalculation() = 0;
    /// The field a rejection sends the focus to.
    virtual QWidget* focusFor(const InputError& error) = 0;
    /// Puts the window's own inputs back to their load-time values and shows them.
    virtual void resetInputs() = 0;
    /// The check sheet of the last calculation.
    virtual PrintRecord printRecord(PrintLanguage language) const = 0;
    virtual PeriodReport report() const = 0;

    /// Shows the figures every window but the annual one shows.
    void showPeriodResult(const PeriodResult& result);

    Module1& state() { return m_state; }
    EmployeeInputs& employee() { return m_employee; }
    const Controls& controls() const { return m_c; }

private:
    void showEmployee();
    void showSettings();
    void closeWindow();
    bool stageAndRun(PrintLanguage language);

    Module1& m_state;
    Controls m_c;
    EmployeeInputs m_employee;
};

/// The information panel's text of every period window.
QString periodInformationText();

/// Whole years from a field's value (the field keeps them within 0..150).
int wholeYears(double value);
/// A whole count from a field's value.
int wholeCount(double value);

}  // namespace grossby
