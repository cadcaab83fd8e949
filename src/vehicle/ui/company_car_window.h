#pragma once
// Company car window (`frmCompCar`): the register of company cars the
// employee held during the tax year, one vehicle on display at a time, and
// the fringe benefit of each and of the whole register. The register lives in
// the vehicle memory (`VehicleMemory`) of the shared state, so closing the window keeps every vehicle; the window
// only calls the register's operations and shows what they leave.

#include "core/input_table.h"
#include "vehicle/company_car.h"
#include "widgets/calculator_window.h"
#include "widgets/field_binding.h"

#include <memory>
#include <optional>

namespace Ui {
class frmCompCar;
}

namespace grossby {

struct Module1;

class CompanyCarWindow : public CalculatorWindow {
    Q_OBJECT
public:
    CompanyCarWindow(Key key, Module1& state, QWidget* parent = nullptr);
    ~CompanyCarWindow() override;

    /// The last pass shown (the figures "&Print" takes the period amounts from).
    const CompCarResult& lastResult() const { return m_lastResult; }

protected:
    /// Opening: an empty register edits the template, otherwise vehicle 1 is
    /// shown recalculated. "&Calculate" is not run.
    void load() override;
    /// Moves the register into the new year: every vehicle's dates to the
    /// same days of it.
    void moveToTaxYear(const TaxYearFigures& from, const TaxYearFigures& to) override;
    /// "&Calculate": with one vehicle it carries the whole IRP5 total, then
    /// the register is valued twice.
    std::optional<Rejection> runCalculation() override;
    PrintJob printJob(bool afrikaans) const override;
    QString printDatabasePath() const override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CompanyCarRegister& reg();
    void showVehicle();
    void showPass();
    void apply(const CompCarControls& controls);
    void applyDependentStates();
    void setCaption();
    void add();
    void back();
    void forward();
    void remove();
    void registrationChanged();

    Module1& m_state;
    std::unique_ptr<Ui::frmCompCar> ui;
    std::optional<InputBinding<Vehicle>> m_vehicle;
    std::optional<InputBinding<CompanyCarRegister>> m_register;
    std::optional<ResultBinding<CarResult>> m_results;
    std::optional<ResultBinding<CompCarResult>> m_totals;
    CompCarResult m_lastResult;
};

}  // namespace grossby
