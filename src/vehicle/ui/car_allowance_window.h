#pragma once
// Travel allowance window (`frmCarAll1`): the part of a travel allowance an
// employee may claim back for business travel, from deemed costs or, when
// accurate records were kept, from the year's actual costs. Inputs and
// results live in the vehicle memory (`VehicleMemory`) and survive closing the window; only the
// two dates start again at the tax year on every opening.

#include "vehicle/vehicle_calculators.h"
#include "vehicle/vehicle_state.h"
#include "widgets/calculator_window.h"
#include "widgets/described_calculation.h"

#include <memory>
#include <optional>

namespace Ui {
class frmCarAll1;
}

namespace grossby {

struct Module1;

class CarAllowanceWindow : public CalculatorWindow {
    Q_OBJECT
public:
    CarAllowanceWindow(Key key, Module1& state, QWidget* parent = nullptr);
    ~CarAllowanceWindow() override;

protected:
    void load() override;
    void moveToTaxYear(const TaxYearFigures& from, const TaxYearFigures& to) override;
    QString printDatabasePath() const override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showMethod();
    void refuseBothCosts(NumericEdit* edited, double typed, double other);
    /// The vehicle windows' memory in the shared state: the inputs and last
    /// results kept between visits.
    VehicleMemory& kept() const;

    Module1& m_state;
    std::unique_ptr<Ui::frmCarAll1> ui;
    /// The calculation made from the description, its inputs the ones kept.
    DescribedCalculation<CarAllowanceInputs, NoSettings, CarAllowanceResult>* m_described = nullptr;
};

}  // namespace grossby
