#include "package/package_print.h"

#include <charconv>

namespace grossby {

namespace {

bool isForward(PackageWindow w)
{
    return w == PackageWindow::PelmoraMon || w == PackageWindow::PelmoraAnn;
}

bool isAnnual(PackageWindow w)
{
    return w == PackageWindow::PelmoraAnn || w == PackageWindow::GrossbyAnn;
}

class RowWriter {
public:
    void text(const char* field, std::string value) { m_row.push_back({field, std::move(value)}); }
    void amount(const char* field, double value) { m_row.push_back({field, value}); }
    PrintRecord take() { return std::move(m_row); }

private:
    PrintRecord m_row;
};

// `shown` is the take-home pay (forward) or the gross salary (reverse).
PrintRecord buildRow(PackageWindow window, const PackageInputs& in, const PackageFigures& r, double shown)
{
    static constexpr const char* kHeadings[] = {
        "Pelmora Salary Package Calculation : Monthly",
        "Pelmora Salary Package Calculation : Annual",
        "Grossby Salary Package Calculation : Monthly",
        "Grossby Salary Package Calculation : Annual",
    };
    const bool forward = isForward(window);
    const bool annual = isAnnual(window);
    // The reverse monthly window has no provident or R/A fields; its row
    // carries 0 for them, as the reverse windows do for the package's
    // cost-to-company copy, so no figure of an earlier printout stays behind.
    const bool hasDeductionFields = window != PackageWindow::GrossbyMon;
    RowWriter w;

    w.text("MonAnn", kHeadings[static_cast<int>(window)]);
    w.text("TPName", in.name);
    w.amount("TPAge", in.age);
    w.text("MonAnnSal", annual ? "Net annual salary required" : "Net monthly salary required");
    w.amount("NetMonSal", in.amount);
    w.amount("CostToComp", forward ? in.amount : 0);
    w.amount("CompCar", in.carValue);
    w.amount("CompCarCC", in.carCost);
    w.amount("TravAll", in.travelAllowance);
    w.amount("TravAllCC", in.travelAllowance);
    w.amount("MedAidCont", in.employeeMedical);
    w.amount("MedAidContCC", in.employerMedical);
    w.amount("PMems", r.beneficiaries);
    w.amount("AddBens", in.additionalBeneficiaries);
    w.amount("TaxFreeMedPrint", 0);
    w.amount("OtherTaxFB", in.otherFringeBenefits);
    w.amount("OtherTaxFBCC", in.otherFringeBenefits);
    w.amount("PenDeduct", r.employeeRF);
    w.amount("PenDeductCC", r.employerRF);
    w.amount("ProvDeduct", 0);
    w.amount("ProvDeductCC", 0);
    w.text("RADirective", annual ? "Medical beneficiaries months" : "Med. aid fund beneficiaries");
    w.amount("RADeduct", hasDeductionFields ? in.raDeduction : 0);
    w.amount("MedDeduct", r.medicalDeductions);
    w.amount("UIFCont", r.uifEmployee);
    w.amount("UIFContCC", r.uifEmployer);
    w.amount("SkillLevy", r.sdl);
    w.amount("TaxDue", r.packageTax);
    w.amount("TaxCredit", r.taxCredit);
    w.amount("TaxDeduct", r.taxDeduction);
    w.text("PrinMembers", "(R 720pm each)");
    w.text("BenMembers", "(R 440pm each)");

    const bool anyExpense = in.otherExpensesTotal() > 0;
    w.text("OEXPTXT", anyExpense ? "Other Expenses :" : "");
    for (std::size_t i = 0; i < in.otherExpenses.size(); ++i) {
        const OtherExpense& e = in.otherExpenses[i];
        const bool printed = anyExpense && e.amount > 0;
        const std::string n = std::to_string(i);
        w.text(("ODedTxt" + n).c_str(), printed ? e.text : "");
        w.text(("ODedR" + n).c_str(), printed ? "R" : "");
        w.amount(("ODedNum" + n).c_str(), printed ? e.amount : 0);
        w.amount(("ODedNumCC" + n).c_str(), printed ? e.costToCompany : 0);
    }

    w.amount("GSal", shown);
    w.amount("TotCostComp", r.totalCostToCompany);
    const bool onceOff = r.onceOff > 0;
    w.text("PlusCompCar1", onceOff ? "(plus a 'once-off' cost of R " + generalNumber(r.onceOff) : "");
    w.text("PlusCompCar2", onceOff ? "for the company car and this does not include fuel, maintenance etc)." : "");
    // The statement's heading names the year only for one other than 2017/18.
    w.text("TaxYear", taxYearLabel(in.TaxYear));
    w.text("TaxYearHeading", in.TaxYear == kDefaultTaxYear ? std::string() : "Tax year " + taxYearLabel(in.TaxYear));
    return w.take();
}

}  // namespace

ReportDescriptor packageReport(PackageWindow window)
{
    static constexpr const char* kTitles[] = {
        "Pelmora2018 Monthly - To export printout click on the suitcase button or goto Help",
        "Pelmora2018 Annual - To export printout click on the suitcase button or goto Help",
        "Grossby2018 Monthly - To export printout click on the suitcase button or goto Help",
        "Grossby2018 Annual - To export printout click on the suitcase button or goto Help",
    };
    return {"SalPackage", isForward(window) ? "Pelmora.rpt" : "Grossby.rpt", kTitles[static_cast<int>(window)]};
}

PrintRecord SalPackPrint(PackageWindow window, const PackageInputs& in, const PackageResult& r)
{
    return buildRow(window, in, r, r.takeHome);
}

PrintRecord SalPackPrint(PackageWindow window, const PackageInputs& in, const GrossUpResult& r)
{
    return buildRow(window, in, r, r.grossSalary);
}

std::string generalNumber(double value)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return res.ec == std::errc() ? std::string(buf, res.ptr) : std::string();
}

}  // namespace grossby
