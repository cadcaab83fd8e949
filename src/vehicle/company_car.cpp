#include "vehicle/company_car.h"

#include "core/tax_year.h"
#include "vehicle/guarded.h"
#include "vehicle/travel_table.h"

#include <charconv>
#include <span>
#include <stdexcept>

namespace grossby {
namespace {

enum class Pass { Window, Print };

// The register's year. The calculators refuse a year the program does not
// have before any pass, and the window offers only those, so a missing one
// here is a caller's mistake, not an input to refuse.
const TaxYearFigures& registerYear(int taxYear)
{
    const TaxYearFigures* year = findTaxYear(taxYear);
    if (!year)
        throw std::invalid_argument("the tax year " + taxYearLabel(taxYear) + " is not available");
    return *year;
}

// Days a vehicle was held, both ends counted.
Guarded daysHeld(const Vehicle& v)
{
    return Guarded(v.CCEndDate) - Guarded(v.CCStartDate) + Guarded(1);
}

// Whether a vehicle is valued at all: it has a price or a distance.
bool takesShare(const Vehicle& v)
{
    double distance = v.TotalDistance;
    if (v.EndMileage > 0)
        assignGuarded(distance, Guarded(v.EndMileage) - Guarded(v.StartMileage));
    return distance != 0 || v.CCPrice != 0;
}

// One vehicle. `totalDays` is the days of every vehicle together, for the
// auto split; `table` the travel cost table fuel is valued with.
CarResult valueVehicle(const CompanyCarRegister& reg, const Vehicle& v, double totalDays, const VehicleFigures& f,
                       std::span<const TravelCostBand> table)
{
    CarResult r;
    r.TotalDistance = v.TotalDistance;
    r.BusDistance = v.BusDistance;
    r.FB3802ThisCar = v.FB3802ThisCar;
    r.FuelComponent = v.FuelComponent;
    r.AdjustTaxableInc = v.AdjustTaxableInc;

    const double P = v.CCPrice;
    if (Guarded days = R(daysHeld(v)); days.ok() && days.value() >= -32768 && days.value() <= 32767)
        r.UseDays = static_cast<int>(days.value());
    const double D = r.UseDays;

    if (v.EndMileage > 0)
        assignGuarded(r.TotalDistance, Guarded(v.EndMileage) - Guarded(v.StartMileage));
    const double T = r.TotalDistance;

    // Nothing to value without a distance or a price. Its results stay 0; a
    // code 3802 amount typed for it stays as typed.
    if (T == 0 && P == 0) {
        r.skipped = true;
        r.FuelComponent = 0;
        r.AdjustTaxableInc = 0;
        if (reg.AutoSplit3802 == 1)
            r.FB3802ThisCar = 0;
        return r;
    }

    if (r.BusDistance > T)
        r.BusDistance = T;
    const double B = r.BusDistance;
    assignGuarded(r.PrivateDistance, Guarded(T) - Guarded(B));
    const Guarded Pr = r.PrivateDistance;

    if (reg.AutoSplit3802 == 1)
        assignGuarded(r.FB3802ThisCar, Guarded(D) / Guarded(totalDays) * Guarded(reg.Actual3802));

    const double rate = v.MaintIncluded == 1 ? f.carBenefitRateWithPlan : f.carBenefitRate;
    const Guarded yearShare = Guarded(rate) * Guarded(12) / Guarded(f.daysPerYear * 100);
    if (v.BussMilage == 1)
        assignGuarded(r.TrueInclusion, R(yearShare * Guarded(P) * Guarded(D) * (Pr / Guarded(T))));
    else
        assignGuarded(r.TrueInclusion, R(yearShare * Guarded(P) * Guarded(D)));

    if (v.SARSTable == 1) {
        const double fuelRatePerKm = lookupTravelCostBand(table, P).fuelCost;
        assignGuarded(r.FuelComponent, R(Guarded(T) * Guarded(fuelRatePerKm)));
        assignGuarded(r.Arr_FuelClaim,
                      R((Guarded(r.FuelComponent) - Guarded(v.FuelReimbEmployer)) * (Pr / Guarded(T))));
    } else {
        r.FuelComponent = 0;
        assignGuarded(r.Arr_FuelClaim,
                      R((Guarded(v.ActualExpEmployee) - Guarded(v.FuelReimbEmployer)) * (Pr / Guarded(T))));
    }

    assignGuarded(r.TotAddExpense,
                  R((Guarded(v.EmpPaidInsurance) + Guarded(v.EmpPaidLicence) + Guarded(v.EmpPaidMaintenance)) *
                    (Pr / Guarded(T))));

    if (B > 0)
        assignGuarded(r.FuelExp, R(Guarded(r.Arr_FuelClaim) + Guarded(r.TotAddExpense)));
    else
        r.FuelExp = 0;

    // The deduction never exceeds the IRP5 total.
    assignGuarded(r.AdjustTaxableInc, R(Guarded(r.TrueInclusion) - Guarded(r.FuelExp) - Guarded(r.FB3802ThisCar)));
    // (0 - x rather than -x: with no IRP5 total the floor is 0, never -0.)
    if (0 - reg.Actual3802 > r.AdjustTaxableInc)
        r.AdjustTaxableInc = 0 - reg.Actual3802;

    // The claim on business travel counts only with a log book.
    if (B <= 0 || T <= 0) {
        r.SARSDeductionClaim = 0;
    } else {
        assignGuarded(r.SARSDeductionClaim,
                      Guarded(0) - (Guarded(B) / Guarded(T) * Guarded(r.FB3802ThisCar) + Guarded(r.FuelExp)));
        if (v.BussMilage == 0)
            r.SARSDeductionClaim = 0;
    }
    return r;
}

// The code 3802 amount for the year and the per-period benefit amounts at
// the two inclusion rates. The fortnightly and weekly amounts are rounded
// before the inclusion rate is applied, the monthly ones after.
void periodAmounts(const Vehicle& v, const TaxYearFigures& year, CarResult& r)
{
    const auto& f = year.vehicle;
    const Guarded P = v.CCPrice;
    const Guarded m = v.MaintIncluded == 1 ? f.carBenefitShareWithPlan : f.carBenefitShare;
    const Guarded hi = f.higherInclusion;
    const Guarded lo = f.lowerInclusion;
    const Guarded fortnights = year.fortnightsPerYear;
    const Guarded weeks = year.weeksPerYear;
    assignGuarded(r.IRP53802, R(P * m * Guarded(12) * (Guarded(r.UseDays) / Guarded(f.daysPerYear))));
    assignGuarded(r.MonFB80, R(P * m * hi));
    assignGuarded(r.MonFB20, R(P * m * lo));
    assignGuarded(r.FortFB80, R(P * m * Guarded(12) / fortnights) * hi);
    assignGuarded(r.FortFB20, R(P * m * Guarded(12) / fortnights) * lo);
    assignGuarded(r.WeekFB80, R(P * m * Guarded(12) / weeks) * hi);
    assignGuarded(r.WeekFB20, R(P * m * Guarded(12) / weeks) * lo);
}

// Days of the vehicles that are valued, the denominator of the auto split.
// A vehicle with neither a price nor a distance carries no benefit, so it
// takes no share: the shares of the others add up to the declared total.
double totalDaysHeld(const CompanyCarRegister& reg)
{
    double total = 0;
    for (const Vehicle& v : reg.Cars)
        if (takesShare(v))
            total = total + (v.CCEndDate - v.CCStartDate) + 1;
    return total;
}

CompCarResult runPass(const CompanyCarRegister& reg, Pass pass, const CompCarResult* window)
{
    CompCarResult result;
    result.Cars.reserve(reg.Cars.size());
    const double totalDays = reg.AutoSplit3802 == 1 ? totalDaysHeld(reg) : 0;
    const TaxYearFigures& year = registerYear(reg.TaxYear);
    const auto table = pass == Pass::Window ? std::span<const TravelCostBand>(year.vehicle.travelCosts)
                                            : std::span<const TravelCostBand>(year.vehicle.printTravelCosts);
    for (std::size_t i = 0; i < reg.Cars.size(); ++i) {
        const Vehicle& v = reg.Cars[i];
        CarResult r = valueVehicle(reg, v, totalDays, year.vehicle, table);
        if (pass == Pass::Window) {
            if (!r.skipped)
                periodAmounts(v, year, r);
            // A vehicle without a price is an employee's own car: its claim
            // is its adjustment.
            if (v.CCPrice == 0)
                r.AdjustTaxableInc = r.SARSDeductionClaim;
        } else if (window != nullptr && i < window->Cars.size()) {
            // The printout takes these from the window's last pass.
            const CarResult& w = window->Cars[i];
            r.IRP53802 = w.IRP53802;
            r.MonFB80 = w.MonFB80;
            r.MonFB20 = w.MonFB20;
            r.FortFB80 = w.FortFB80;
            r.FortFB20 = w.FortFB20;
            r.WeekFB80 = w.WeekFB80;
            r.WeekFB20 = w.WeekFB20;
            if (r.skipped)
                r.SARSDeductionClaim = w.SARSDeductionClaim;
        }
        result.Cars.push_back(r);
    }
    if (pass == Pass::Window) {
        for (const CarResult& r : result.Cars) {
            result.TotAdjustTaxableInc += r.AdjustTaxableInc;
            result.TotAdjustTaxableIncSARS += r.SARSDeductionClaim;
        }
    }
    return result;
}

CompCarControls allControls(bool enabled)
{
    CompCarControls c;
    c.fields = c.regNumber = c.add = c.ok = c.back = c.forward = c.remove = c.calculate = c.print = enabled;
    return c;
}

bool hasRegistration(const CompanyCarRegister& reg)
{
    return !reg.slot(reg.CurrentCar).CCRegNumber.empty();
}

}  // namespace

CompCarResult CompCarCalc(const CompanyCarRegister& reg)
{
    return runPass(reg, Pass::Window, nullptr);
}

CompCarResult PrintCalc(const CompanyCarRegister& reg, const CompCarResult& window)
{
    return runPass(reg, Pass::Print, &window);
}

void storeCompCarResult(CompanyCarRegister& reg, const CompCarResult& result)
{
    for (std::size_t i = 0; i < reg.Cars.size() && i < result.Cars.size(); ++i) {
        Vehicle& v = reg.Cars[i];
        const CarResult& r = result.Cars[i];
        v.TotalDistance = r.TotalDistance;
        v.BusDistance = r.BusDistance;
        v.FB3802ThisCar = r.FB3802ThisCar;
        v.FuelComponent = r.FuelComponent;
        v.AdjustTaxableInc = r.AdjustTaxableInc;
    }
}

CompCarResult recalculate(CompanyCarRegister& reg)
{
    CompCarResult result = CompCarCalc(reg);
    storeCompCarResult(reg, result);
    return result;
}

CompCarResult calculatePressed(CompanyCarRegister& reg)
{
    if (reg.CarCount() == 1 && reg.CurrentCar == 1)
        reg.Cars[0].FB3802ThisCar = reg.Actual3802;
    recalculate(reg);
    return recalculate(reg);
}

std::string compCarCaption(const CompanyCarRegister& reg)
{
    return "Full use of Company Car : " + std::string(" Vehicle number ") + std::to_string(reg.DisplayedCar) + " of " +
        std::to_string(reg.CarCount());
}

CompCarControls registrationRule(const CompanyCarRegister& reg)
{
    const bool single = reg.CarCount() <= 1;
    CompCarControls c;
    if (hasRegistration(reg)) {
        c = allControls(true);
        if (single)
            c.back = c.forward = false;
    } else {
        c = allControls(false);
        c.regNumber = true;
        if (single) {
            c.ok = c.add = true;
            c.focusRegNumber = true;
        } else {
            c.remove = true;
        }
    }
    c.autoSplitVisible = reg.CarCount() > 1;
    return c;
}

CompCarControls navigationRule(const CompanyCarRegister& reg)
{
    const bool single = reg.CarCount() <= 1;
    CompCarControls c;
    if (hasRegistration(reg)) {
        c = allControls(true);
        if (single)
            c.back = c.forward = false;
    } else {
        c = allControls(false);
        c.ok = c.add = true;
        if (!single)
            c.back = c.forward = c.remove = true;
    }
    c.autoSplitVisible = reg.CarCount() > 1;
    return c;
}

CompCarControls openCompCar(CompanyCarRegister& reg)
{
    if (reg.CarCount() < 1) {
        // The template is what the user edits until the first Add.
        reg.DisplayedCar = 0;
        reg.CurrentCar = 0;
        reg.AutoSplit3802 = 0;
        reg.Cars.clear();
        reg.Template.BussMilage = 0;
        reg.Template.CCStartDate = registerYear(reg.TaxYear).start;
        reg.Template.CCEndDate = registerYear(reg.TaxYear).end;
        reg.Template.SARSTable = 0;
        CompCarControls c = allControls(true);
        c.back = c.forward = c.remove = false;
        return c;
    }
    reg.CurrentCar = 1;
    reg.DisplayedCar = 1;
    CompCarControls c;
    if (hasRegistration(reg)) {
        c = allControls(true);
        if (reg.CarCount() <= 1)
            c.back = c.forward = false;
    } else {
        c = registrationRule(reg);
    }
    c.autoSplitVisible = reg.CarCount() > 1;
    recalculate(reg);
    return c;
}

std::optional<CompCarControls> addVehicle(CompanyCarRegister& reg)
{
    if (reg.CurrentCar != 0 && !hasRegistration(reg))
        return std::nullopt;
    reg.Template.SARSTable = 0;
    Vehicle v = reg.Template;
    v.BussMilage = 0;
    v.CCStartDate = registerYear(reg.TaxYear).start;
    v.CCEndDate = registerYear(reg.TaxYear).end;
    reg.Cars.push_back(std::move(v));
    reg.CurrentCar = reg.CarCount();
    if (reg.CarCount() > 1)
        reg.AutoSplit3802 = 1;
    reg.DisplayedCar = reg.CurrentCar;
    recalculate(reg);

    CompCarControls c = allControls(false);
    c.add = c.ok = c.remove = c.regNumber = true;
    c.focusRegNumber = true;
    c.autoSplitVisible = reg.CarCount() > 1;
    return c;
}

CompCarControls stepBack(CompanyCarRegister& reg)
{
    reg.CurrentCar = reg.DisplayedCar;
    if (reg.CurrentCar > 0) {
        reg.CurrentCar = reg.CurrentCar == 1 ? reg.CarCount() : reg.CurrentCar - 1;
        reg.DisplayedCar = reg.CurrentCar;
    }
    recalculate(reg);
    return navigationRule(reg);
}

CompCarControls stepForward(CompanyCarRegister& reg)
{
    reg.CurrentCar = reg.DisplayedCar;
    if (reg.CurrentCar > 0 && reg.CarCount() >= reg.DisplayedCar) {
        reg.CurrentCar = reg.CurrentCar >= reg.CarCount() ? 1 : reg.CurrentCar + 1;
        reg.DisplayedCar = reg.CurrentCar;
    }
    recalculate(reg);
    return navigationRule(reg);
}

std::optional<CompCarControls> deleteVehicle(CompanyCarRegister& reg)
{
    const int d = reg.CurrentCar;
    if (d < 1 || d > reg.CarCount())
        return std::nullopt;
    reg.Cars.erase(reg.Cars.begin() + (d - 1));
    reg.Template = Vehicle{};
    reg.Template.CCStartDate = registerYear(reg.TaxYear).start;
    reg.Template.CCEndDate = registerYear(reg.TaxYear).end;
    CompCarControls c;
    if (reg.CarCount() > 0) {
        reg.CurrentCar = 1;
        reg.DisplayedCar = 1;
        c = registrationRule(reg);
    } else {
        reg.CurrentCar = 0;
        reg.DisplayedCar = 0;
        reg.Actual3802 = 0;
        c = allControls(false);
        c.add = c.ok = c.calculate = c.print = true;
    }
    if (reg.CarCount() <= 1)
        c.back = c.forward = false;
    c.autoSplitVisible = reg.CarCount() > 1;
    recalculate(reg);
    return c;
}

void setAutoSplit(CompanyCarRegister& reg, bool on)
{
    reg.AutoSplit3802 = on ? 1 : 0;
}

void setSarsTable(CompanyCarRegister& reg, bool ticked)
{
    Vehicle& v = reg.slot(reg.CurrentCar);
    v.SARSTable = ticked ? 1 : 0;
    if (ticked)
        v.ActualExpEmployee = 0;
    else
        v.FuelComponent = 0;
}

std::string vehicleDatesCloseMessage(int taxYear)
{
    const TaxYearFigures& year = registerYear(taxYear);
    return "The dates entered are not correct please enter a dates between " + year.startText + " and " + year.endText;
}

std::string vehicleDateMessage(const std::string& from, int taxYear)
{
    return "The date entered is not correct please enter a date between " + from + " and " +
        registerYear(taxYear).endText;
}

std::string startDateMessage(std::string_view typed, double endDate, int taxYear)
{
    const TaxYearFigures& year = registerYear(taxYear);
    const std::optional<double> start = parseDate(typed);
    if (start && year.holds(*start) && *start > endDate)
        return "The start date " + formatDate(*start) + " is after the end date " + formatDate(endDate) +
            ". Enter a start date on or before " + formatDate(endDate) + ", or change the end date first.";
    return vehicleDateMessage(year.startText, taxYear);
}

InputError unavailableTaxYear(int taxYear)
{
    return InputError{kTaxYearTitle,
                      "The tax year " + taxYearLabel(taxYear) + " is not available. The years available are " +
                          availableTaxYearsText() + ".",
                      "year"};
}

std::optional<InputError> checkVehicleDates(const Vehicle& vehicle, int taxYear)
{
    const TaxYearFigures* year = findTaxYear(taxYear);
    if (!year)
        return unavailableTaxYear(taxYear);
    if (!year->holds(vehicle.CCStartDate))
        return InputError{kVehicleDateTitle, vehicleDateMessage(year->startText, taxYear), "start"};
    if (!(vehicle.CCEndDate >= vehicle.CCStartDate && vehicle.CCEndDate <= year->end))
        return InputError{kVehicleDateTitle, vehicleDateMessage(formatDate(vehicle.CCStartDate), taxYear), "end"};
    return std::nullopt;
}

std::string vehicleName(std::size_t number, const Vehicle& vehicle)
{
    return "Vehicle " + std::to_string(number) + " (" + vehicle.CCRegNumber + ")";
}

std::string readingsMessage(const std::string& vehicle, double opening, double closing)
{
    const auto shown = [](double km) {
        char buf[32];
        const auto res = std::to_chars(buf, buf + sizeof buf, km);
        return std::string(buf, res.ptr);
    };
    return vehicle + ": the closing odometer reading (" + shown(closing) + " km) is below the opening reading (" +
        shown(opening) + " km). Enter the readings at the start and at the end of the period.";
}

std::optional<InputError> checkVehicleReadings(const Vehicle& vehicle, const std::string& name)
{
    if (vehicle.EndMileage > 0 && vehicle.EndMileage < vehicle.StartMileage)
        return InputError{kReadingsTitle, readingsMessage(name, vehicle.StartMileage, vehicle.EndMileage), "end-km"};
    return std::nullopt;
}

CompanyCarRegister registerOf(std::vector<Vehicle> cars, double actual3802, bool autoSplit, int taxYear)
{
    CompanyCarRegister reg;
    reg.TaxYear = taxYear;
    reg.Cars = std::move(cars);
    reg.Actual3802 = actual3802;
    reg.AutoSplit3802 = autoSplit && reg.CarCount() > 1 ? 1 : 0;
    reg.CurrentCar = reg.DisplayedCar = reg.CarCount() > 0 ? 1 : 0;
    return reg;
}

}  // namespace grossby
