// The vehicle calculators as subcommands: the company car benefit over a
// register of vehicles read from a file, and the travel allowance deduction,
// each from its input and result tables, its pure calculation and its
// printout.

#include "vehicle/cli/vehicle_commands.h"
#include "cli/described_command.h"
#include "vehicle/car_allowance.h"
#include "vehicle/company_car.h"
#include "vehicle/vehicle_calculators.h"
#include "vehicle/vehicle_inputs.h"
#include "vehicle/vehicle_print.h"

#include <cmath>

namespace grossby::cli {
namespace {

/// Most vehicles a register holds (the window counts them in 16 bits).
constexpr std::size_t kMaxVehicles = 32767;

// What "&Calculate" computes (the description's calculation), with one rule
// of the command line's own. The code 3802 amount typed for a vehicle is replaced by
// the calculation when there is one vehicle (it carries the IRP5 total) and
// with the auto split: a figure given there would be lost, so it is refused.
CalcOutcome<CompCarResult> companyCar(const CompanyCarRegister& in, const NoSettings&)
{
    if (auto error = checkRegisterVehicles(in))
        return *error;
    CompanyCarRegister reg = registerOf(in.Cars, in.Actual3802, in.AutoSplit3802 == 1, in.TaxYear);
    for (std::size_t i = 0; i < reg.Cars.size(); ++i) {
        const Vehicle& v = reg.Cars[i];
        if (v.FB3802ThisCar == 0)
            continue;
        if (reg.CarCount() == 1 && v.FB3802ThisCar != reg.Actual3802)
            return InputError{"Code 3802 f/benefit",
                              vehicleName(i + 1, v) +
                                  " is the only vehicle: its code 3802 f/benefit is the IRP5 total. Give it as "
                                  "--irp5-3802 and leave fb-3802 out."};
        if (reg.AutoSplit3802 == 1)
            return InputError{"Code 3802 f/benefit",
                              vehicleName(i + 1, v) +
                                  ": with --auto-split each vehicle's code 3802 f/benefit is its share of "
                                  "--irp5-3802 by days held. Leave fb-3802 out, or leave out --auto-split."};
    }
    return calculatePressed(reg);
}

// The printout repeats the calculation on the register and then makes the
// print-time pass, as printing from the window does.
std::optional<std::string> companyCarPrint(const CompanyCarRegister& in, const CompCarResult&, PrintLanguage,
                                           PrintJob& job)
{
    CompanyCarRegister reg = registerOf(in.Cars, in.Actual3802, in.AutoSplit3802 == 1, in.TaxYear);
    const CompCarResult window = calculatePressed(reg);
    job.tables = compCarPrintJob(reg, window).tables;
    return std::nullopt;
}

// The register file's vehicles, read before the tax year is known: dates it
// leaves blank stay NaN (`RegisterFileVehicle`) until `companyCarPrepare`
// gives them the year's first and last days.
RecordsInputSpec<CompanyCarRegister> registerFile()
{
    struct FileRegister {
        std::vector<RegisterFileVehicle> Cars;
    };
    const auto file = recordsInput<FileRegister, RegisterFileVehicle, &FileRegister::Cars>(
        {.key = "vehicles",
         .recordName = "vehicle",
         .help = "The register: a CSV file whose first line names the fields, or a JSON array of objects; one "
                 "vehicle each (fields below)",
         .maxRecords = kMaxVehicles},
        registerFileVehicleTable());
    RecordsInputSpec<CompanyCarRegister> desc;
    desc.info = file.info;
    desc.read = [read = file.read](CompanyCarRegister& in, const std::string& path) -> std::optional<InputProblem> {
        FileRegister f;
        if (auto problem = read(f, path))
            return problem;
        in.Cars.assign(f.Cars.begin(), f.Cars.end());
        return std::nullopt;
    };
    return desc;
}

// Vehicle dates the file left blank: the whole of the chosen tax year. (A
// year the program does not have leaves them blank; the calculation refuses
// the year first.)
void companyCarPrepare(CompanyCarRegister& in, const GivenInputs&)
{
    const TaxYearFigures* year = findTaxYear(in.TaxYear);
    if (!year)
        return;
    for (Vehicle& v : in.Cars) {
        if (std::isnan(v.CCStartDate))
            v.CCStartDate = year->start;
        if (std::isnan(v.CCEndDate))
            v.CCEndDate = year->end;
    }
}

std::span<const CarResult> vehicleRows(const CompCarResult& r)
{
    return r.Cars;
}

const std::vector<ResultSpec<CarResult>>& vehicleColumns(const CompCarResult*)
{
    return carResultTable();
}

// The actual costs are read only with records kept; given without it, they
// would be silently left out of a deemed-cost claim.
std::optional<std::string> carAllowanceCheck(const CarAllowanceInputs& in, const GivenInputs& given)
{
    if (in.RecordKept == 1)
        return std::nullopt;
    for (const char* key : {"fuel-oil", "repairs", "insurance-licence", "other", "wear-and-tear", "lease"}) {
        if (given(key))
            return std::string("--") + key + " is an actual cost, used only with --records-kept";
    }
    return std::nullopt;
}

std::shared_ptr<const Calculator> companyCarCalculator()
{
    const auto d = companyCarDescription();
    auto def = commandOf(d);
    def.compute = &companyCar;
    def.records = {registerFile()};
    def.prepare = &companyCarPrepare;
    auto vehicles = listResult<CompCarResult, CarResult>(
        "vehicles", "Vehicle", "one object per vehicle, in the file's order, with the keys below", &vehicleColumns,
        &vehicleRows);
    vehicles.across = true;
    vehicles.first = true;
    def.lists = {std::move(vehicles)};
    // The register's printout is the window's print-time pass, not one row.
    def.report = d.report;
    def.printJob = &companyCarPrint;
    return describe(std::move(def));
}

std::shared_ptr<const Calculator> carAllowanceCalculator()
{
    auto def = describedCommand<&carAllowanceDescription>();
    def.check = &carAllowanceCheck;
    return describe(std::move(def));
}

}  // namespace

std::vector<std::shared_ptr<const Calculator>> vehicleCalculators()
{
    // The vehicle subcommands, in the order --help shows them.
    return {companyCarCalculator(), carAllowanceCalculator()};
}

}  // namespace grossby::cli
