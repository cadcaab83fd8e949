#pragma once
// The salary package windows: forward (`frmPelmoraMon`, `frmPelmoraAnn`),
// from a total package to the take-home pay and the cost to the company, and
// reverse (`frmGrossbyMon`, `frmGrossbyAnn`), from the take-home pay required
// to the gross salary that gives it. One form and one class; the windows
// differ in the period of their amounts, the calculation and a few fields.

#include "package/package_calc.h"
#include "package/package_print.h"
#include "package/ui/ra_panel.h"
#include "widgets/calculator_window.h"
#include "widgets/described_calculation.h"
#include "widgets/field_binding.h"

#include <array>
#include <memory>
#include <optional>

namespace Ui {
class frmPackage;
}

class QLineEdit;

namespace grossby {

struct Module1;
class NumericEdit;

class SalaryPackageWindow : public CalculatorWindow {
    Q_OBJECT
public:
    SalaryPackageWindow(Key key, PackageWindow kind, Module1& state, QWidget* parent = nullptr);
    ~SalaryPackageWindow() override;

    PackageWindow kind() const { return m_kind; }
    bool forward() const { return m_kind == PackageWindow::PelmoraMon || m_kind == PackageWindow::PelmoraAnn; }
    bool annual() const { return m_kind == PackageWindow::PelmoraAnn || m_kind == PackageWindow::GrossbyAnn; }

    /// The settings the next calculation uses.
    PackageSettings settings() const;
    /// The inputs as the fields now hold them.
    PackageInputs inputs() const;

protected:
    void load() override;
    /// The description's calculation, except that after "O&K" on the Setup
    /// panel a window with nothing typed yet has nothing to recalculate.
    std::optional<Rejection> runCalculation() override;
    bool prepareToPrint() override;
    /// The printout takes the name typed on the print panel after "&Print"
    /// calculated: the figures are calculated again with it (the form
    /// behind the panel cannot change meanwhile).
    void beforePrint() override { calculate(); }
    QWidget* focusFor(const InputError& error) const override;
    QString printDatabasePath() const override;

private:
    template <class Result>
    void describe(const CalculatorDescription<PackageInputs, PackageSettings, Result>& description,
                  const char* shownSalary, DescribedCalculation<PackageInputs, PackageSettings, Result>*& made);
    void setUpForm();
    void removeFields(std::initializer_list<const char*> names);
    void completeInputs(PackageInputs& in) const;
    void showFigures(const PackageFigures& r);
    void showWarning(bool shown);
    void applyPrintState();
    void followSettings();
    void followAge();
    void updateOtherTotals();
    void guardRetirementPercentages();
    RAFigures raFigures() const;

    PackageWindow m_kind;
    Module1& m_state;
    std::unique_ptr<Ui::frmPackage> ui;
    // The calculation of the window's direction, read from its description.
    DescribedCalculation<PackageInputs, PackageSettings, PackageResult>* m_forward = nullptr;
    DescribedCalculation<PackageInputs, PackageSettings, GrossUpResult>* m_reverse = nullptr;
    InputBinding<PackageInputs>* m_inputs = nullptr;
    std::array<QLineEdit*, 4> m_otherText{};
    std::array<NumericEdit*, 4> m_otherAmount{};
    std::array<NumericEdit*, 4> m_otherCost{};
    NumericEdit* m_raDeduction = nullptr;  // absent from the reverse monthly window

    bool m_calculated = false;  // the R/A panel explains the last calculation
    bool m_warning = false;
    int m_warningGrowth = 0;  // pixels the warning added to the window's height
    bool m_afterSetup = false;
};

}  // namespace grossby
