#include "payroll/period_print.h"

#include "core/tax_year.h"

#include <array>
#include <charconv>
#include <optional>

namespace grossby {
namespace {

// Which check sheet a row is for; the labels and the fields carried differ.
enum class Sheet { Monthly, Annual, Weekly, Fortnightly, Daily };

struct Label {
    const char* english;
    const char* afrikaans;
};

class RowWriter {
public:
    RowWriter(PrintLanguage language)
        : m_af(language == PrintLanguage::Afrikaans)
    { }

    void label(const char* field, const Label& l) { text(field, std::string(m_af ? l.afrikaans : l.english)); }
    void text(const char* field, std::string value) { m_row.push_back({field, std::move(value)}); }
    void amount(const char* field, double value) { m_row.push_back({field, value}); }
    void count(const char* field, int value) { m_row.push_back({field, static_cast<std::int32_t>(value)}); }
    bool afrikaans() const { return m_af; }
    PrintRecord take() { return std::move(m_row); }

private:
    bool m_af;
    PrintRecord m_row;
};

// The figures a row needs beyond the employee's inputs; the annual sheet has
// no UIF or skills levy.
struct SheetFigures {
    double taxableTravelAllowance = 0;
    double paye = 0;
    double medicalCredit = 0;
    double additionalMedicalCredit = 0;
    double taxLiability = 0;
    double uifEmployee = 0;
    double uifEmployer = 0;
    double sdl = 0;
    std::string startText;  ///< start date, or the normal period's days
    std::string endText;  ///< end date, or this period's days
    std::array<int, 12> beneficiariesByMonth{};
};

SheetFigures figuresOf(const PeriodResult& r)
{
    SheetFigures f;
    f.taxableTravelAllowance = r.taxableTravelAllowance;
    f.paye = r.paye;
    f.medicalCredit = r.medicalCredit;
    f.additionalMedicalCredit = r.additionalMedicalCredit;
    f.taxLiability = r.taxLiability;
    f.uifEmployee = r.uifEmployee;
    f.uifEmployer = r.uifEmployer;
    f.sdl = r.sdl;
    return f;
}

PrintRecord buildRow(Sheet sheet, const EmployeeInputs& in, const SheetFigures& f, PrintLanguage language)
{
    const bool annual = sheet == Sheet::Annual;
    const bool shortPeriod = sheet == Sheet::Weekly || sheet == Sheet::Fortnightly;
    const bool dated = sheet == Sheet::Monthly || annual;
    RowWriter w(language);

    static constexpr Label kType[] = {
        {"Monthly Check", "Maandelikse Inkomste"}, {"Annual Check", "Jaarlikse Inkomste"},
        {"Weekly Check", "Weeklikse Inkomste"},    {"Fortnightly Check", "Twee Weeklikse Inkomste"},
        {"Daily Check", "Daaglikse Inkomste"},
    };
    w.label("TypeAM", kType[static_cast<int>(sheet)]);
    w.text("Employee", (w.afrikaans() ? "Vir : " : " For : ") + in.name);
    w.label("Age", {"Age : ", "Ouderdom : "});
    w.count("AgeNum", in.age);
    w.label("Sal", {"Remuneration/salary", "Besoldiging"});
    w.amount("SalNum", in.pay.salary);
    w.label("DirFees", {"Commissions", "Kommissie"});
    w.amount("DirFeesNum", in.pay.commission);

    w.label("TravAll",
            {annual ? "Travel allowance received" : "Travel allowance ",
             annual || shortPeriod ? "Reistoelae ontvang" : "Reistoelae "});
    if (sheet == Sheet::Monthly) {
        w.amount("TravOne", in.pay.travelAllowance);
        w.amount("TravTwo", f.taxableTravelAllowance);
    } else {
        w.amount("RecBefNum", in.pay.travelAllowance);
    }

    w.label("Bonus", {"Bonus", "Bonus"});
    w.amount("BonusNum", in.pay.bonus);
    w.label("MedExp", {"Medical expenses", "Mediese onkoste"});
    w.amount("MedExpNum", 0);  // no input feeds it
    w.label("PenCont", {"Employer's R/Fund contributions ", "Toelaatbare pension bydrae"});
    w.amount("PenContNum", in.pay.employerRetirementFund);
    w.label("RACont", {"Employee's R/Fund contributions", "Toelaatbare U/T bydrae"});
    w.amount("RAContNum", in.pay.employeeRetirementFund);

    if (dated || shortPeriod) {
        if (dated) {
            w.label("SDate", {"Start date", "Begin datum"});
            w.label("EDate", {"End date", "Eind datum"});
        } else if (sheet == Sheet::Weekly) {
            w.label("SDate", {"Normal work week", "Normale werk week"});
            w.label("EDate", {"This work week", "Hierdie werk week"});
        } else {
            w.label("SDate", {"Normal fortnight", "Normale twee weke"});
            w.label("EDate", {"This fortnight", "Hierdie twee weke"});
        }
        w.text("SDateNum", f.startText);
        w.text("EDateNum", f.endText);
    }

    if (annual) {
        w.label("SITE", {"SITE", "SIBW"});
        w.amount("SITENum", 0);
        w.label("PAYE", {"PAYE", "LBS"});
        w.amount("PAYENum", f.taxLiability);
    } else {
        w.label("UIFEMPE", {"U.I.F. contribution employee", "U.I.F. bydrae werknemer"});
        w.amount("UIFEMPENum", shownAmount(f.uifEmployee));
        w.label("UIFEMPR", {"U.I.F. contribution employer", "U.I.F. bydrae werkgewer"});
        w.amount("UIFEMPRNum", shownAmount(f.uifEmployer));
        w.label("SDL", {"S.D.L.", "S.D.L."});
        w.amount("SDLNum", shownAmount(f.sdl));
    }

    w.label("EOE", {"(E.& O.E.)", "(B.& F.W.)"});
    // The sheet's "Tax liability" line carries the tax before the credits and
    // its "Total tax deduction" line the tax after them.
    w.label("Taxliability", {"Tax liability", "Belasting verpligting"});
    w.amount("Taxliabilitynum", f.paye);
    w.label("TaxCredit", {"Tax credits for beneficiaries", "Belastingkrediete vir begunstigdes"});
    w.amount("Taxcreditnum", f.medicalCredit);
    w.label("TaxCreditCons", {"Tax credits for contributions", "Belastingkrediete vir bydraes"});
    w.amount("TaxcreditnumCons", f.additionalMedicalCredit);
    if (annual)
        w.label("NumOFBens", {"Number of Medical Aid Beneficiaries", "Getal mediesefondslede en afhanklikes"});
    w.label("EmpERMedAidCont", {"Employer's med aid contrib.", "Werkgewer se bydrae aan mediesefonds"});
    w.amount("EmpERMedAidContnum", in.pay.employerMedical);
    w.label("EmpEEMedAidCont", {"Employee's med aid contrib.", "Werknemer se bydrae aan mediesefonds"});
    w.amount("EmpEEMedAidContnum", in.pay.employeeMedical);

    if (annual) {
        // Columns are named by calendar month; the tax year runs March to February.
        static constexpr Label kMonths[] = {
            {"Mar", "Mar"}, {"Apr ", "Apr "}, {"May", "Mei"}, {"Jun", "Jun"}, {"Jul", "Jul"}, {"Aug", "Aug"},
            {"Sep", "Sep"}, {"Oct", "Okt"},   {"Nov", "Nov"}, {"Dec", "Dec"}, {"Jan", "Jan"}, {"Feb", "Feb"},
        };
        for (int m = 0; m < 12; ++m) {
            const std::string column = "AnnCalcBens" + std::to_string((m + 2) % 12 + 1);
            w.label(column.c_str(), kMonths[m]);
            w.count((column + "num").c_str(), f.beneficiariesByMonth[m]);
        }
    } else {
        w.label("AnnCalcBens3", {"Medical aid fund beneficiaries", "Getal mediesefondslede en afhanklikes"});
        w.count("AnnCalcBens3num", in.beneficiaries);
    }

    w.label("MedAidBens", {"Med Aid contribution deduction", "Mediesfondsbydrae afrekking"});
    if (annual)
        w.count("MedAidBensnum", 0);  // no field of the annual window feeds it
    w.label("TOTAL", {"Total tax deduction", annual ? "Totaal" : "Totaal belasting"});
    w.amount("TotalNum", f.taxLiability);

    // The year the sheet is for; the heading names it only for a year other
    // than 2017/18, so the sheets of that year print as they always have.
    w.text("TaxYear", taxYearLabel(in.TaxYear));
    w.text("TaxYearHeading",
           in.TaxYear == kDefaultTaxYear ? std::string()
                                         : (w.afrikaans() ? "Belastingjaar " : "Tax year ") + taxYearLabel(in.TaxYear));
    return w.take();
}

PrintRecord shortPeriodRow(Sheet sheet, const ShortPeriodInputs& in, const PeriodResult& r, PrintLanguage language)
{
    SheetFigures f = figuresOf(r);
    f.startText = std::to_string(in.normalDays);
    f.endText = std::to_string(in.thisDays);
    return buildRow(sheet, in, f, language);
}

}  // namespace

ReportDescriptor monthlyReport()
{
    return {"IRP5Mon", "Monthly.rpt", "Monthly - To export printout click on the suitcase button or goto Help", true};
}

ReportDescriptor annualReport()
{
    return {"IRP5Ann", "Annual.rpt", "Annual - To export printout click on the suitcase button or goto Help", true};
}

ReportDescriptor weeklyReport()
{
    return {"IRP5Week", "Weekly.rpt", "Weekly - To export printout click on the suitcase button or goto Help", true};
}

ReportDescriptor fortnightlyReport()
{
    return {"IRP5Week", "FortNightly.rpt", "FortNightly - To export printout click on the suitcase button or goto Help",
            true};
}

ReportDescriptor dailyReport()
{
    return {"IRP5Day", "Daily.rpt", "Daily - To export printout click on the suitcase button or goto Help", true};
}

double shownAmount(double value)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
    if (res.ec != std::errc())
        return value;
    double shown = value;
    std::from_chars(buf, res.ptr, shown);
    return shown;
}

PrintRecord PrintMonthly(const MonthlyInputs& in, const PeriodResult& r, PrintLanguage language)
{
    SheetFigures f = figuresOf(r);
    f.startText = formatDate(in.startDate);
    f.endText = formatDate(in.endDate);
    return buildRow(Sheet::Monthly, in, f, language);
}

PrintRecord PrintAnnual(const AnnualInputs& in, const AnnualResult& r, PrintLanguage language)
{
    SheetFigures f;
    f.taxableTravelAllowance = r.taxableTravelAllowance;
    f.paye = r.paye;
    f.medicalCredit = r.medicalCredit;
    f.additionalMedicalCredit = r.additionalMedicalCredit;
    f.taxLiability = r.taxLiability;
    f.startText = formatDate(in.startDate);
    f.endText = formatDate(in.endDate);
    f.beneficiariesByMonth = r.beneficiariesByMonth;
    return buildRow(Sheet::Annual, in, f, language);
}

PrintRecord PrintWeekly(const ShortPeriodInputs& in, const PeriodResult& r, PrintLanguage language)
{
    return shortPeriodRow(Sheet::Weekly, in, r, language);
}

PrintRecord PrintFortnightly(const ShortPeriodInputs& in, const PeriodResult& r, PrintLanguage language)
{
    return shortPeriodRow(Sheet::Fortnightly, in, r, language);
}

PrintRecord PrintDaily(const DailyInputs& in, const PeriodResult& r, PrintLanguage language)
{
    return buildRow(Sheet::Daily, in, figuresOf(r), language);
}

}  // namespace grossby
