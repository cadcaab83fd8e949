#pragma once
// Travel allowance window (`frmCarAll1`): the part of a travel allowance an
// employee may claim back for business travel, from deemed costs or, when
// accurate records were kept, from the year's actual costs. Inputs and
// results live in the vehicle memory (`VehicleMemory`) and survive closing the window; only the
// two dates start again at the tax year on every opening.

#include "vehicle/vehicle_state.h"
#include "widgets/calculator_window.h"
#include "widgets/field_binding.h"

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
    std::optional<Rejection> runCalculation() override;
    PrintJob printJob(bool afrikaans) const override;
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
    std::optional<InputBinding<CarAllowanceInputs>> m_inputs;
    std::optional<ResultBinding<CarAllowanceResult>> m_results;
};

}  // namespace grossby
