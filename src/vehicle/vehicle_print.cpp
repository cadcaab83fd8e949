#include "vehicle/vehicle_print.h"

#include "core/tax_year.h"
#include "core/year_figures.h"

#include <string>

namespace grossby {
namespace {

class RowWriter {
public:
    void text(const char* field, std::string value) { m_row.push_back({field, std::move(value)}); }
    void yesNo(const char* field, int flag) { text(field, flag == 1 ? "Yes" : "No"); }
    void amount(const char* field, double value) { m_row.push_back({field, value}); }
    void integer(const char* field, int value) { m_row.push_back({field, static_cast<std::int32_t>(value)}); }
    PrintRecord take() { return std::move(m_row); }

private:
    PrintRecord m_row;
};

// "1 March 2017" from "01/03/2017".
std::string longDate(const std::string& ddmmyyyy)
{
    static const char* const months[] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};
    if (ddmmyyyy.size() != 10)
        return ddmmyyyy;
    const int day = std::stoi(ddmmyyyy.substr(0, 2));
    const int month = std::stoi(ddmmyyyy.substr(3, 2));
    if (month < 1 || month > 12)
        return ddmmyyyy;
    return std::to_string(day) + " " + months[month - 1] + " " + ddmmyyyy.substr(6);
}

// The year a printout is for: its label, and the heading's "Tax year
// 2025/26", which is empty for 2017/18 (its printouts name no year).
void writeTaxYear(RowWriter& w, int taxYear)
{
    w.text("TaxYear", taxYearLabel(taxYear));
    w.text("TaxYearHeading", taxYear == kDefaultTaxYear ? std::string() : "Tax year " + taxYearLabel(taxYear));
}

}  // namespace

ReportDescriptor compCarReport()
{
    return {"compcar", "compcar.rpt",
            "Full use of Company Car - To export printout click on the suitcase button or goto Help"};
}

ReportDescriptor carAllowanceReport(const CarAllowanceInputs& in)
{
    return {"traveldeduction", in.RecordKept == 1 ? "caeprk.rpt" : "caepnrk.rpt",
            "Car Allowance - To export printout click on the suitcase button or goto Help"};
}

std::vector<PrintRecord> CompCarPrint(const CompanyCarRegister& reg, const CompCarResult& print)
{
    std::vector<PrintRecord> rows;
    const int count = reg.CarCount();
    for (int n = 1; n <= count; ++n) {
        const Vehicle& v = reg.slot(n);
        const CarResult r = static_cast<std::size_t>(n) <= print.Cars.size()
            ? print.Cars[static_cast<std::size_t>(n - 1)]
            : CarResult{};
        const bool priced = v.CCPrice != 0;
        RowWriter w;
        w.integer("CarNum", n);
        w.integer("CMVMaxNum", count);
        w.text("CCRegNumber", v.CCRegNumber);
        w.text("CCMake", v.CCMake);
        w.text("CCModel", v.CCModel);
        w.amount("CCPrice", v.CCPrice);
        w.yesNo("MaintIncluded", v.MaintIncluded);
        w.amount("CCMonths", v.CCEndDate - v.CCStartDate + 1);
        w.amount("EndMileage", v.EndMileage);
        w.amount("StartMileage", v.StartMileage);
        w.amount("TotalDistance", r.TotalDistance);
        w.amount("BusDistance", r.BusDistance);
        w.amount("ActualExpEmployee", v.ActualExpEmployee);
        w.yesNo("SARSTable", v.SARSTable);
        w.amount("FuelReimbEmployer", v.FuelReimbEmployer);
        w.amount("EmpPaidInsurance", v.EmpPaidInsurance);
        w.amount("EmpPaidLicence", v.EmpPaidLicence);
        w.amount("EmpPaidMaintenance", v.EmpPaidMaintenance);
        w.amount("Actual3802", reg.Actual3802);
        w.amount("FB3802ThisCar", r.FB3802ThisCar);
        w.amount("AdjustTaxableInc", priced ? r.AdjustTaxableInc : r.SARSDeductionClaim);
        w.amount("SARSDeductionClaim", r.SARSDeductionClaim);
        w.amount("TrueInclusion", priced ? r.TrueInclusion : 0);
        w.amount("PrivateDistance", r.PrivateDistance);
        w.amount("FuelComponent", r.FuelComponent);
        w.amount("Arr_FuelClaim", r.Arr_FuelClaim);
        w.amount("TotAddExpense", r.TotAddExpense);
        w.amount("FuelExp", r.FuelExp);
        w.yesNo("BussMilage", v.BussMilage);
        w.text("YearOfManfact", v.YearOfManfact);
        w.text("CCStartDate", formatDate(v.CCStartDate));
        w.text("CCEndDate", formatDate(v.CCEndDate));
        w.amount("IRP53802", r.IRP53802);
        w.amount("MonFB80", r.MonFB80);
        w.amount("MonFB20", r.MonFB20);
        w.amount("FortFB80", r.FortFB80);
        w.amount("FortFB20", r.FortFB20);
        w.amount("WeekFB80", r.WeekFB80);
        w.amount("WeekFB20", r.WeekFB20);
        writeTaxYear(w, reg.TaxYear);
        rows.push_back(w.take());
    }
    return rows;
}

PrintRecord CompCarPrintTotals(const CompanyCarRegister& reg, const CompCarResult& print)
{
    double adjustment = 0;
    double fb3802 = 0;
    double claim = 0;
    const int count = reg.CarCount();
    for (int n = 1; n <= count && static_cast<std::size_t>(n) <= print.Cars.size(); ++n) {
        const CarResult& r = print.Cars[static_cast<std::size_t>(n - 1)];
        adjustment += reg.slot(n).CCPrice != 0 ? r.AdjustTaxableInc : r.SARSDeductionClaim;
        fb3802 += r.FB3802ThisCar;
        claim += r.SARSDeductionClaim;
    }
    RowWriter w;
    w.integer("CMVMaxNum", count);
    w.amount("TotAdjustTaxableInc", adjustment);
    w.amount("TotFB3802", fb3802);
    w.amount("TotAdjustTaxableIncSARS", claim);
    writeTaxYear(w, reg.TaxYear);
    const TaxYearFigures* year = findTaxYear(reg.TaxYear);
    w.text("YearStart", year ? longDate(year->startText) : std::string());
    w.text("YearEnd", year ? longDate(year->endText) : std::string());
    return w.take();
}

PrintJob compCarPrintJob(const CompanyCarRegister& reg, const CompCarResult& window)
{
    const CompCarResult print = PrintCalc(reg, window);
    PrintJob job;
    job.report = compCarReport();
    job.tables.push_back(StagedTable{job.report.table, CompCarPrint(reg, print)});
    job.tables.push_back(StagedTable{"compcartotals", {CompCarPrintTotals(reg, print)}});
    return job;
}

PrintRecord PrintCarAll1(const CarAllowanceInputs& in, const CarAllowanceResult& r)
{
    RowWriter w;
    w.text("TPName", in.SecondName);
    w.integer("CARNO", 1);
    w.text("mta01", in.EmployeeName);
    w.amount("mta04", in.AllowanceReceived);
    w.amount("mta05", in.CloseKm);
    w.amount("mta06", in.OpenKm);
    w.amount("mta07", in.BusinessKmInput);
    w.amount("tadeduction", r.DeductionClaim);
    w.amount("MTD", r.TotalKm);
    w.amount("MBD", r.BusinessKm);
    w.amount("mpd", r.PrivateKm);
    if (in.RecordKept == 1) {
        w.amount("mta08", in.FuelOilCost);
        w.amount("mta09", in.RepairsCost);
        w.amount("mta10", in.InsuranceLicenceCost);
        w.amount("mta11", in.OtherCost);
        w.amount("mta12", in.WearAndTear);
        w.amount("mta13", in.LeasePayments);
        w.amount("totcost", r.TotalCosts);
        w.amount("pu", r.PrivateUse);
    } else {
        w.amount("mta03", in.VehicleValue);
        w.amount("mta14", r.PeriodDays);
        w.amount("cv", r.TravelFixedCost);
        w.amount("fce", r.FixedCostPerKm);
        w.amount("fc", r.TravelFuelRate);
        w.amount("mc", r.TravelMaintRate);
        w.amount("tatc", r.TotalRatePerKm);
        w.text("FCDet", in.IncludeFuel == 1 ? "Fuel costs" : "Fuel costs not included");
        w.text("MCDet", in.IncludeMaintenance == 1 ? "Maintenance costs" : "Maintenance costs not included");
        w.text("DateStart", formatDate(in.StartDate));
        w.text("DateEnd", formatDate(in.EndDate));
    }
    writeTaxYear(w, in.TaxYear);
    return w.take();
}

}  // namespace grossby
