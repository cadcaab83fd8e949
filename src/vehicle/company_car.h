#pragma once
// The company car fringe benefit: the valuation of every vehicle in the
// register for the tax year, the print-time variant the printout uses, and
// the register's operations (add, browse, delete) that the window calls.
//
// The calculation is the same whichever vehicle the window shows: each
// vehicle is valued from its own fields and the register-wide code 3802
// total, and the totals are the sums over the whole register.

#include "core/calc_outcome.h"
#include "vehicle/vehicle_state.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace grossby {

/// One vehicle's figures from a pass of the calculation. Amounts in rand,
/// distances in kilometres. The five fields the register keeps
/// (`TotalDistance`, `BusDistance`, `FB3802ThisCar`, `FuelComponent`,
/// `AdjustTaxableInc`) are as written back.
struct CarResult {
    int UseDays = 0;  ///< days the vehicle was held, both ends counted
    double TotalDistance = 0;
    double BusDistance = 0;
    double PrivateDistance = 0;
    double TrueInclusion = 0;  ///< benefit for the days held, cut by the log book's private share
    double FuelComponent = 0;  ///< fuel valued with the travel cost table
    double Arr_FuelClaim = 0;  ///< fuel the employee bore for private travel
    double TotAddExpense = 0;  ///< insurance, licence and maintenance borne, private share
    double FuelExp = 0;  ///< fuel and expenses, set against the inclusion
    double FB3802ThisCar = 0;  ///< code 3802 benefit declared for the vehicle
    double AdjustTaxableInc = 0;  ///< adjustment to taxable income: more to tax, or a deduction
    double SARSDeductionClaim = 0;  ///< claim awarded on business travel (0 or negative)
    double IRP53802 = 0;  ///< the code 3802 amount the IRP5 should carry
    double MonFB80 = 0;
    double MonFB20 = 0;
    double FortFB80 = 0;  ///< may carry cents: rounded before the 80 % is taken
    double FortFB20 = 0;
    double WeekFB80 = 0;
    double WeekFB20 = 0;
    /// The vehicle has neither a distance nor a price: nothing was valued.
    bool skipped = false;
};

/// A pass over the whole register: vehicle n's figures are Cars[n - 1].
struct CompCarResult {
    std::vector<CarResult> Cars;
    double TotAdjustTaxableInc = 0;  ///< sum of the adjustments
    double TotAdjustTaxableIncSARS = 0;  ///< sum of the claims
};

/// Values every vehicle of the register with the figures of its tax year
/// (`reg.TaxYear`, which must be one the program has: the calculators check
/// it first, the window offers only those). Pure: the register is not changed;
/// `storeCompCarResult` writes back what the register keeps.
///
/// A vehicle without a distance and without a price is skipped (its figures
/// stay 0, a typed code 3802 amount stays as typed); a vehicle without a
/// price takes its claim as its adjustment. A statement whose arithmetic
/// fails (dividing by a total distance of 0) is skipped and leaves its
/// figure as it was.
CompCarResult CompCarCalc(const CompanyCarRegister& reg);

/// The print-time pass: as `CompCarCalc`, but fuel is valued with the
/// print-time table (for 2017/18 the older one), and the code 3802 amount and per-period amounts (and
/// the claim of a skipped vehicle) are those of `window`, the last pass the
/// window made. Totals are not computed. The adjustment is the calculated
/// one even without a price; the printed row puts the claim in its place.
CompCarResult PrintCalc(const CompanyCarRegister& reg, const CompCarResult& window);

/// Writes back the fields the register keeps from a pass: the distances,
/// the code 3802 share (with the auto split), the fuel component and the
/// adjustment.
void storeCompCarResult(CompanyCarRegister& reg, const CompCarResult& result);

/// Runs `CompCarCalc`, stores what the register keeps and returns the pass.
CompCarResult recalculate(CompanyCarRegister& reg);

/// "&Calculate": with a single vehicle, that vehicle carries the whole IRP5
/// total; then two passes (the second shows the code 3802 shares the first
/// worked out).
CompCarResult calculatePressed(CompanyCarRegister& reg);

// --- The register's operations ----------------------------------------------

/// Which controls of the company car window are enabled after an operation.
/// `fields` stands for every control not named separately.
struct CompCarControls {
    bool fields = true;
    bool regNumber = true;  ///< the registration number field and its label
    bool add = true;
    bool ok = true;
    bool back = true;
    bool forward = true;
    bool remove = true;  ///< "&Delete"
    bool calculate = true;
    bool print = true;
    bool autoSplitVisible = false;  ///< "Auto-calculate f/benefit splits", shown from two vehicles
    bool focusRegNumber = false;
    friend bool operator==(const CompCarControls&, const CompCarControls&) = default;
};

/// The window's caption: "Full use of Company Car :  Vehicle number i of n".
std::string compCarCaption(const CompanyCarRegister& reg);

/// Opening the window: an empty register edits a fresh template (dates at
/// the register's tax year, no log book, no fuel table); otherwise vehicle 1 is shown
/// and the register recalculated.
CompCarControls openCompCar(CompanyCarRegister& reg);

/// After the registration number of the vehicle shown changed: with a number
/// everything can be edited; without one only the number (and Add and OK, or
/// Delete when there are other vehicles).
CompCarControls registrationRule(const CompanyCarRegister& reg);

/// After Back or Forward: a vehicle with a registration number can be
/// edited; one without leaves only the buttons to move on.
CompCarControls navigationRule(const CompanyCarRegister& reg);

/// "&Add": a new vehicle from the template, dated for the whole of the
/// register's tax year,
/// without log book or fuel table; from the second vehicle on the code 3802
/// auto split is switched on. Ignored (nothing) while the vehicle shown has
/// no registration number.
std::optional<CompCarControls> addVehicle(CompanyCarRegister& reg);

/// "&Back": the previous vehicle, from vehicle 1 to the last.
CompCarControls stepBack(CompanyCarRegister& reg);

/// "&Forward": the next vehicle, from the last to vehicle 1.
CompCarControls stepForward(CompanyCarRegister& reg);

/// "&Delete": removes the vehicle shown without asking, renumbers the rest
/// and shows vehicle 1; deleting the last one empties the register and
/// clears the IRP5 total. The template starts afresh, dated for the
/// register's tax year. Nothing (nothing) when no vehicle is shown.
std::optional<CompCarControls> deleteVehicle(CompanyCarRegister& reg);

/// The auto split box: on derives each vehicle's code 3802 share, off lets
/// it be typed.
void setAutoSplit(CompanyCarRegister& reg, bool on);

/// The fuel table box of the vehicle shown: ticking it clears the fuel the
/// employee paid (the table values the fuel instead), unticking it clears
/// the fuel component.
void setSarsTable(CompanyCarRegister& reg, bool ticked);

/// A vehicle's dates: both in the tax year `taxYear` (by the year it ends
/// in), the start not after the end. The message names the start date as
/// the earliest end date. A year the program does not have is refused.
std::optional<InputError> checkVehicleDates(const Vehicle& vehicle, int taxYear = kDefaultTaxYear);

/// The refusal of a tax year the program does not have, naming it and the
/// years there are.
InputError unavailableTaxYear(int taxYear);

/// A vehicle's odometer readings: when the end reading is given (above 0),
/// it may not be below the start reading, which would make the distance
/// negative. The message is for the vehicle named `name`.
std::optional<InputError> checkVehicleReadings(const Vehicle& vehicle, const std::string& name);

/// "Vehicle n (registration)", as messages about one vehicle of the register
/// name it.
std::string vehicleName(std::size_t number, const Vehicle& vehicle);

/// The message for a closing odometer reading below the opening one.
std::string readingsMessage(const std::string& vehicle, double opening, double closing);

/// A register built from a list of vehicles, as the command line takes it:
/// the IRP5 total and the auto split (which, as in the window, has effect
/// only with two vehicles or more) and the tax year. Vehicle 1 is shown.
CompanyCarRegister registerOf(std::vector<Vehicle> cars, double actual3802, bool autoSplit,
                              int taxYear = kDefaultTaxYear);

// Messages of the company car window.
inline constexpr const char* kVehicleDateTitle = "Incorrect Date";
inline constexpr const char* kTaxYearTitle = "Tax year";
inline constexpr const char* kTravelTableTitle = "Travel cost table";
/// 2017/18's wording of `vehicleDatesCloseMessage`.
inline constexpr const char* kVehicleDatesCloseMessage =
    "The dates entered are not correct please enter a dates between 01/03/2017 and 28/02/2018";
inline constexpr const char* kPeriodOfUseTitle = "Incorrect period of use!";
inline constexpr const char* kReadingsTitle = "Incorrect Mileage";
inline constexpr const char* kPeriodOfUseMessage = "The period of use may only be between 1 and 12 months";

/// "The dates entered are not correct please enter a dates between " + the
/// tax year's first and last days (as kVehicleDatesCloseMessage for 2017/18).
std::string vehicleDatesCloseMessage(int taxYear = kDefaultTaxYear);

/// "The date entered is not correct please enter a date between " + `from`
/// + " and " + the tax year's last day ("28/02/2018" for 2017/18).
std::string vehicleDateMessage(const std::string& from, int taxYear = kDefaultTaxYear);

/// What a refused start date is told: that it is after the end date when it
/// lies in the tax year but after `endDate`, else the tax year's range.
std::string startDateMessage(std::string_view typed, double endDate, int taxYear = kDefaultTaxYear);

}  // namespace grossby
