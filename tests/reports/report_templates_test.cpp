// The shipped package, vehicle and finance templates filled with the rows
// their calculators stage for a worked example, written to PDF and read
// back: every report lays out, shows its key figures and labels, and leaves
// out what the staged row may hold from an earlier printout.

#include "calc_test_util.h"
#include "core/tax_year.h"
#include "finance/finance_print.h"
#include "package/package_print.h"
#include "payroll/period_calculators.h"
#include "payroll/period_print.h"
#include "payroll/quicktax.h"
#include "services/print_schema.h"
#include "services/report_engine.h"
#include "services/report_format.h"
#include "services/report_test_util.h"
#include "vehicle/car_allowance.h"
#include "vehicle/vehicle_print.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <numeric>
#include <set>
#include <string>
#include <vector>

namespace grossby {
namespace {

using test::ok;

/// Fills a shipped template from the fixture's print database, writes it to
/// PDF and returns the text of its pages.
QStringList render(const testing::PrintFixture& fx, const std::string& templateName, const std::string& title = {},
                   const QString& pdfName = {})
{
    const QString name = QString::fromStdString(templateName);
    const Report report =
        Report::load(testing::shippedTemplates() + QLatin1Char('/') + name, fx.db, QString::fromStdString(title));
    EXPECT_TRUE(report.ok()) << report.error().toStdString();
    if (!report.ok())
        return {};
    EXPECT_TRUE(report.warnings().isEmpty()) << report.warnings().join(QLatin1Char(' ')).toStdString();
    const QString pdf = fx.path(pdfName.isEmpty() ? name + QStringLiteral(".pdf") : pdfName);
    const ReportStatus written = report.writePdf(pdf);
    EXPECT_TRUE(written.ok()) << written.error.toStdString();
    // GROSSBY_KEEP_REPORTS=<folder> keeps each PDF there, to look at the pages.
    if (const QString keep = qEnvironmentVariable("GROSSBY_KEEP_REPORTS"); !keep.isEmpty()) {
        const QString kept = QDir(keep).filePath(QFileInfo(pdf).fileName());
        QFile::remove(kept);
        QFile::copy(pdf, kept);
    }
    return testing::pdfPages(pdf);
}

// --- Worked examples, as the windows stage them ------------------------------

// UIF 1 % each up to 15 000 a month, skills levy 1 %, no R/Fund percentages.
PackageSettings packageSettings()
{
    PackageSettings s;
    s.EmployeeUIF = 1;
    s.EmployerUIF = 1;
    s.SkillLevy = 1;
    s.UIFLimit = 15000;
    return s;
}

StagedTable forwardPackage()
{
    PackageInputs in;
    in.name = "T. Mokoena";
    in.age = 40;
    in.amount = 30000;
    in.otherExpenses = {{{"Gym", 0, 0}, {"Cellphone", 500, 550}, {"", 0, 0}, {"Parking", 200, 210}}};
    const PackageResult r = ok(CalcPackage(in, packageSettings()));
    return {"SalPackage", {SalPackPrint(PackageWindow::PelmoraMon, in, r)}};
}

StagedTable forwardAnnualWithCar()
{
    PackageInputs in;
    in.period = PackagePeriod::Annual;
    in.name = "T. Mokoena";
    in.age = 40;
    in.amount = 600000;
    in.carValue = 250000;
    const PackageResult r = ok(CalcPackage(in, packageSettings()));
    return {"SalPackage", {SalPackPrint(PackageWindow::PelmoraAnn, in, r)}};
}

PackageInputs netRequired()
{
    PackageInputs in;
    in.name = "L. Naidoo";
    in.age = 40;
    in.amount = 20000;
    return in;
}

StagedTable reversePackage()
{
    const PackageInputs in = netRequired();
    return {"SalPackage", {SalPackPrint(PackageWindow::GrossbyMon, in, ok(FindGrossSalary(in, packageSettings())))}};
}

std::vector<StagedTable> companyCars()
{
    Vehicle a;
    a.CCRegNumber = "CA 123-456";
    a.CCMake = "Tereno";
    a.CCModel = "Estate 2.0";
    a.YearOfManfact = "2016";
    a.CCPrice = 300000;
    Vehicle b;  // the employee's own car: no price
    b.CCRegNumber = "ND 77-01";
    b.CCMake = "Halvard";
    b.TotalDistance = 20000;
    b.BusDistance = 5000;
    b.BussMilage = 1;
    b.EmpPaidInsurance = 4000;
    CompanyCarRegister reg = registerOf({a, b}, 0, false);
    const CompCarResult window = calculatePressed(reg);
    return compCarPrintJob(reg, window).tables;
}

CarAllowanceInputs allowanceInputs()
{
    CarAllowanceInputs in;
    in.EmployeeName = "P. Dlamini";
    in.VehicleValue = 300000;
    in.OpenKm = 10000;
    in.CloseKm = 40000;
    in.BusinessKmInput = 12000;
    return in;
}

StagedTable deemedAllowance()
{
    const CarAllowanceInputs in = allowanceInputs();
    return {"traveldeduction", {PrintCarAll1(in, ok(CalcCarAllowance(in)))}};
}

StagedTable actualAllowance()
{
    CarAllowanceInputs in = allowanceInputs();
    in.RecordKept = 1;
    in.FuelOilCost = 30000;
    in.RepairsCost = 12000;
    in.InsuranceLicenceCost = 9000;
    in.OtherCost = 1500;
    in.WearAndTear = 7500;
    return {"traveldeduction", {PrintCarAll1(in, ok(CalcCarAllowance(in)))}};
}

/// The loan of 100 000 over 240 months at 12 % (repayment 1 101.09), solved
/// in `mode` from the other three.
LoanResult solvedLoan(LoanMode mode)
{
    LoanInputs in{mode, 100000, 240, 12, 1101.09};
    switch (mode) {
    case LoanMode::Repayment: in.repayment = 0; break;
    case LoanMode::Principal: in.principal = 0; break;
    case LoanMode::Period: in.months = 0; break;
    case LoanMode::Rate: in.rate = 0; break;
    }
    return ok(LoanCalc(in));
}

/// The loan's rows with the finance charges shown and the schedule asked for.
std::vector<StagedTable> loan(LoanMode mode, ScheduleKind schedule)
{
    const LoanResult r = solvedLoan(mode);
    std::vector<StagedTable> tables{{"Loans", {PrintLoan(mode, r, true, schedule)}}};
    if (schedule == ScheduleKind::Monthly)
        tables.push_back({kAmortTable, PrintAmort(monthlySchedule(r.principal, r.months, r.rate))});
    if (schedule == ScheduleKind::Annual)
        tables.push_back({kAmortTable, PrintAmort(CalcAnnAmort(r.principal, r.months, r.rate, r.repayment).lines)});
    return tables;
}

StagedTable loanBuster()
{
    const LoanBusterInputs in{100000, 240, 12.0f, 100};
    return {"BondBust", {PrintLoanBuster(in, ok(BBCalc(in)))}};
}

StagedTable loanComparison()
{
    const LoanComparisonInputs in{100000, 12.0f};
    return {"BondComp", {PrintLoanComparison(in, ok(CompareLoans(in)))}};
}

StagedTable dailyBalance()
{
    DailyBalanceInputs in;
    in.capital = 10000;
    in.rate = 10;
    in.start = static_cast<std::int32_t>(defaultTaxYear().start);  // 01/03/2017
    in.end = in.start + 30;
    return {"DailyBal", {PrintDailyBalance(in, ok(CalcDailyBalance(in)))}};
}

StagedTable inflation()
{
    const InflationInputs in{1000, 10, 10};
    return {"Inflation", {PrintInflation(in, ok(ProjectInflation(in)))}};
}

// --- Every report: its key figures and labels --------------------------------

struct ReportCase {
    const char* what;
    std::function<std::vector<StagedTable>()> stage;
    std::string templateName;
    std::string title;
    std::vector<std::string> expected;
    std::vector<std::string> absent = {};
};

std::vector<ReportCase> reportCases()
{
    const auto one = [](StagedTable (*make)()) { return [make] { return std::vector<StagedTable>{make()}; }; };
    const auto loanCase = [](LoanMode mode, ScheduleKind schedule) { return [=] { return loan(mode, schedule); }; };
    const auto loanTitle = [](LoanMode mode, ScheduleKind schedule) {
        const ReportDescriptor report = loanReport(mode, schedule);
        return std::pair(report.templateName, report.previewTitle);
    };
    std::vector<ReportCase> cases = {
        {"forward package, monthly, with other expenses",
         one(forwardPackage),
         packageReport(PackageWindow::PelmoraMon).templateName,
         packageReport(PackageWindow::PelmoraMon).previewTitle,
         {"Pelmora Salary Package Calculation : Monthly",
          "T. Mokoena",
          "Age: 40",
          "Total package amount",
          "30 000.00",
          "Employee",
          "Cost to company",
          "Tax due",
          "5 662.30",
          "UIF contribution",
          "150.00",
          "Skills Development Levy",
          "300.00",
          "Net salary(take-home)",
          "24 187.70",
          "Total cost to company",
          "30 450.00",
          "Other Expenses :",
          "Cellphone",
          "500.00",
          "550.00",
          "Parking",
          "210.00",
          "Med. aid fund beneficiaries",
          "(R 720pm each)",
          "(R 440pm each)",
          "Page 1 of 1"},
         {"Gym", "once-off", "Provident fund"}},
        {"forward package, annual, once-off car note",
         one(forwardAnnualWithCar),
         packageReport(PackageWindow::PelmoraAnn).templateName,
         packageReport(PackageWindow::PelmoraAnn).previewTitle,
         {"Pelmora Salary Package Calculation : Annual", "Medical beneficiaries months", "250 000.00",
          "(plus a 'once-off' cost of R 250000",
          "for the company car and this does not include fuel, maintenance etc)."},
         {"Other Expenses :"}},
        {"reverse package, monthly",
         one(reversePackage),
         packageReport(PackageWindow::GrossbyMon).templateName,
         packageReport(PackageWindow::GrossbyMon).previewTitle,
         {"Grossby Salary Package Calculation : Monthly", "L. Naidoo", "Net monthly salary required", "20 000.00",
          "Tax due", "3 833.69", "Gross salary", "23 983.69", "239.84", "Total cost to company", "24 373.53"},
         {"Total package amount", "R/A ded.", "Provident fund", "Net salary(take-home)"}},
        {"company car register, two vehicles",
         companyCars,
         compCarReport().templateName,
         compCarReport().previewTitle,
         {"Full use of Company Car",
          "CA 123-456",
          "Tereno Estate 2.0",
          "Vehicle number 1 of 2",
          "Vehicle number 2 of 2",
          "Price of vehicle (incl VAT)",
          "300 000.00",
          "True inclusion amount",
          "126 000.00",
          "Monthly",
          "8 400.00",
          "2 100.00",
          "Fortnightly",
          "3 876.80",
          "Weekly",
          "1 938.40",
          "01/03/2017",
          "28/02/2018",
          "365",
          "Adjustment to taxable income",
          "-3 000.00",
          "Register totals",
          "123 000.00",
          "15 000",
          "Page 1 of 3",
          "Page 3 of 3"},
         {"15 000.00", "20 000.00"}},
        {"company car register, empty",
         [] {
             const CompanyCarRegister reg = registerOf({}, 0, false);
             return compCarPrintJob(reg, CompCarCalc(reg)).tables;
         },
         compCarReport().templateName,
         compCarReport().previewTitle,
         {"Full use of Company Car", "The register holds no vehicles.", "Page 1 of 1"},
         {"Vehicle number", "Register totals"}},
        {"travel allowance, deemed costs",
         one(deemedAllowance),
         carAllowanceReport(allowanceInputs()).templateName,
         carAllowanceReport(allowanceInputs()).previewTitle,
         {"Travel Allowance", "P. Dlamini", "Deemed costs", "01/03/2017 to 28/02/2018", "300 000.00", "365", "30 000",
          "12 000", "93 267.00", "310.89", "Fuel costs", "118.90", "Maintenance costs", "49.60", "479.39", "cents/km",
          "Deduction claim", "57 526.80"}},
        {"travel allowance, actual costs",
         [] { return std::vector<StagedTable>{actualAllowance()}; },
         "caeprk.rpt",
         carAllowanceReport(allowanceInputs()).previewTitle,
         {"Actual costs", "P. Dlamini", "Fuel and oil", "30 000.00", "Wear and tear", "7 500.00", "Travel expenses",
          "60 000.00", "Less private use", "36 000.00", "Deduction claim", "24 000.00"}},
        {"loan buster",
         one(loanBuster),
         loanBusterReport().templateName,
         loanBusterReport().previewTitle,
         {"Loan Buster", "Principal amount", "100 000.00", "12.00 % p.a.", "240 months", "Monthly repayment",
          "1 101.09", "Extra voluntary payments", "Total interest", "Total repayments", "Total saving"}},
        {"loan comparison",
         one(loanComparison),
         loanComparisonReport().templateName,
         loanComparisonReport().previewTitle,
         {"Loan Comparison", "Bond amount", "100 000.00", "12.00 % p.a.", "Monthly repayment", "Total Interest",
          "Total Paid", "5 yrs.", "2 224.44", "33 466.69", "133 466.69", "20 yrs.", "1 101.09", "164 260.67",
          "264 260.67", "30 yrs.", "1 028.61", "370 300.53"}},
        {"daily balance",
         one(dailyBalance),
         dailyBalanceReport().templateName,
         dailyBalanceReport().previewTitle,
         {"Daily Balance Calculation", "Capital amount", "10 000.00", "01/03/2017", "31/03/2017", "10.00 % p.a.",
          "Number of days", "30", "Interest accrued", "82.19"}},
        {"inflation",
         one(inflation),
         inflationReport().templateName,
         inflationReport().previewTitle,
         {"Inflation Projection", "Present cost", "1 000.00", "10 year/s.", "10 % p.a.", "Future value/cost",
          "2 593.74", "Buying power", "385.54"}},
    };

    // The eight loan templates: each mode without a schedule, and with the
    // yearly or the monthly one. The figures are those the mode solved.
    const auto figure = [](double amount) { return formatReportAmount(amount).toStdString(); };
    for (const LoanMode mode : {LoanMode::Repayment, LoanMode::Principal, LoanMode::Period, LoanMode::Rate}) {
        const LoanResult r = solvedLoan(mode);
        const std::vector<std::string> loanFigures = {
            std::string(loanModeText(mode)),
            figure(r.principal),
            figure(r.repayment),
            figure(r.repayment * r.months - r.principal),
            figure(r.repayment * r.months),
            "240",
            mode == LoanMode::Rate ? "12.00" : "12",
        };
        std::vector<std::string> plainExpected = {"Principal amount", "Period",           "months.",
                                                  "Interest rate",    "% p.a.",           "Monthly repayment",
                                                  "Total Interest",   "Total Repayments", "Page 1 of 1"};
        plainExpected.insert(plainExpected.end(), loanFigures.begin(), loanFigures.end());
        const auto [plain, noTitle] = loanTitle(mode, ScheduleKind::None);
        cases.push_back({"loan without schedule",
                         loanCase(mode, ScheduleKind::None),
                         plain,
                         noTitle,
                         plainExpected,
                         {"Amortisation"}});
        for (const ScheduleKind kind : {ScheduleKind::Annual, ScheduleKind::Monthly}) {
            const auto [name, title] = loanTitle(mode, kind);
            const bool annual = kind == ScheduleKind::Annual;
            std::vector<std::string> expected = loanFigures;
            expected.insert(expected.end(),
                            {annual ? "Amortisation by Year" : "Amortisation by Month", "Capital payment",
                             "Interest payment", "Balance"});
            cases.push_back({annual ? "loan with yearly schedule" : "loan with monthly schedule", loanCase(mode, kind),
                             name, title, expected});
        }
    }
    return cases;
}

TEST(ReportTemplates, WorkedExamplesPrintTheirFiguresAndLabels)
{
    int index = 0;
    for (const ReportCase& c : reportCases()) {
        SCOPED_TRACE(std::string(c.what) + " (" + c.templateName + ")");
        testing::PrintFixture fx;
        fx.stage(c.stage());
        const QString pdf = QStringLiteral("%1-%2.pdf")
                                .arg(++index, 2, 10, QLatin1Char('0'))
                                .arg(QString::fromStdString(c.templateName));
        const QString text = render(fx, c.templateName, c.title, pdf).join(QLatin1Char('\n'));
        ASSERT_FALSE(text.isEmpty());
        for (const std::string& s : c.expected)
            EXPECT_TRUE(text.contains(QString::fromStdString(s))) << "missing \"" << s << "\" in\n"
                                                                  << text.toStdString();
        for (const std::string& s : c.absent)
            EXPECT_FALSE(text.contains(QString::fromStdString(s))) << "unexpected \"" << s << "\"";
    }
}

// The year a printout is for shows in its heading for any year but 2017/18,
// whose printouts stay as they were; QuickTax's dates come from the row.
TEST(ReportTemplates, HeadingsNameTheTaxYearOtherThan2017_18)
{
    int index = 0;
    for (const int year : {kDefaultTaxYear, 2026}) {
        QuickTaxResult quick;
        quick.income = 500000;
        quick.TaxYear = year;
        MonthlyInputs month;
        month.TaxYear = year;
        PackageInputs package;
        package.TaxYear = year;
        const struct {
            StagedTable table;
            std::string templateName;
            std::string heading;
        } cases[] = {
            {{kKwikTaxTable, {KwikTaxRecord(quick)}}, "kwiktep.rpt", "Tax year 2025/26"},
            {{"IRP5Mon", {PrintMonthly(month, PeriodResult{}, PrintLanguage::English)}},
             "Monthly.rpt",
             "Tax year 2025/26"},
            {{"SalPackage", {SalPackPrint(PackageWindow::PelmoraMon, package, PackageResult{})}},
             "Pelmora.rpt",
             "Tax year 2025/26"},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.templateName + " " + taxYearLabel(year));
            testing::PrintFixture fx;
            fx.stage({c.table});
            const QString pdf = QStringLiteral("year-%1.pdf").arg(++index);
            const QString text = render(fx, c.templateName, "t", pdf).join(QLatin1Char('\n'));
            const QString heading = QString::fromStdString(c.heading);
            if (year == kDefaultTaxYear)
                EXPECT_FALSE(text.contains(QLatin1String("Tax year"))) << text.toStdString();
            else
                EXPECT_TRUE(text.contains(heading)) << text.toStdString();
        }
        if (year == 2026) {
            testing::PrintFixture fx;
            fx.stage({{kKwikTaxTable, {KwikTaxRecord(quick)}}});
            EXPECT_TRUE(render(fx, "kwiktep.rpt", "t", QStringLiteral("year-dates.pdf"))
                            .join(QLatin1Char('\n'))
                            .contains(QLatin1String("tax year 1 March 2025 to 28 February 2026")));
        }
    }
}

// A single-row table keeps the fields a printout does not write: each
// template shows only what its own window stages, so a printout never
// carries another calculation's figures.
TEST(ReportTemplates, EarlierPrintoutsFiguresAreNotShown)
{
    // The reverse monthly window writes no cost-to-company copy of the
    // requirement, no provident fund and no R/A deduction.
    const auto reverseWithoutItsUnwrittenFields = [] {
        StagedTable t = reversePackage();
        std::erase_if(t.rows.front(), [](const PrintField& f) {
            return f.name == "CostToComp" || f.name == "ProvDeduct" || f.name == "ProvDeductCC" || f.name == "RADeduct";
        });
        return t;
    };
    const auto forwardWithDeductions = [] {
        StagedTable t = forwardPackage();
        for (PrintField& f : t.rows.front()) {
            if (f.name == "CostToComp")
                f.value = 77777.77;
            if (f.name == "RADeduct")
                f.value = 4321.5;
            if (f.name == "ProvDeduct" || f.name == "ProvDeductCC")
                f.value = 6543.21;
        }
        return t;
    };
    struct Case {
        const char* what;
        std::function<StagedTable()> earlier, now;
        std::string templateName;
        std::vector<std::string> shown, hidden;
    };
    const Case cases[] = {
        {"reverse monthly package after a forward one",
         forwardWithDeductions,
         reverseWithoutItsUnwrittenFields,
         "Grossby.rpt",
         {"23 983.69"},
         {"77 777.77", "4 321.50", "6 543.21"}},
        {"deemed travel costs after actual ones",
         actualAllowance,
         deemedAllowance,
         "caepnrk.rpt",
         {"57 526.80"},
         {"Fuel and oil", "7 500.00", "36 000.00", "Travel expenses"}},
        {"actual travel costs after deemed ones",
         deemedAllowance,
         actualAllowance,
         "caeprk.rpt",
         {"24 000.00"},
         {"Original value of vehicle", "300 000.00", "93 267.00", "cents/km", "01/03/2017"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::PrintFixture fx;
        fx.stage({c.earlier()});
        fx.stage({c.now()});
        const QString text = render(fx, c.templateName).join(QLatin1Char('\n'));
        for (const std::string& s : c.shown)
            EXPECT_TRUE(text.contains(QString::fromStdString(s))) << s;
        for (const std::string& s : c.hidden)
            EXPECT_FALSE(text.contains(QString::fromStdString(s))) << s << " in\n" << text.toStdString();
    }
    // The forward statement itself does show them.
    testing::PrintFixture fx;
    fx.stage({forwardWithDeductions()});
    const QString forward = render(fx, "Pelmora.rpt").join(QLatin1Char('\n'));
    for (const char* s : {"77 777.77", "4 321.50", "6 543.21"})
        EXPECT_TRUE(forward.contains(QLatin1String(s))) << s;
}

// The longest schedule a loan can have, 600 months, pages cleanly: the
// column headings at the top of every page it runs onto, every month exactly
// once, and the page count in every footer.
TEST(ReportTemplates, SixHundredMonthScheduleRepeatsItsHeadingsOnEveryPage)
{
    const LoanResult r = ok(LoanCalc({LoanMode::Repayment, 1000000, 600, 10, 0}));
    const ReportDescriptor report = loanReport(LoanMode::Repayment, ScheduleKind::Monthly);
    testing::PrintFixture fx;
    fx.stage({{"Loans", {PrintLoan(LoanMode::Repayment, r, false, ScheduleKind::Monthly)}},
              {kAmortTable, PrintAmort(monthlySchedule(r.principal, r.months, r.rate))}});
    const QStringList pages = render(fx, report.templateName, report.previewTitle);
    ASSERT_GT(pages.size(), 5);
    ASSERT_LT(pages.size(), 40);

    static const QRegularExpression scheduleLine(QStringLiteral("^\\s*(\\d+)\\s+[\\d ]+\\.\\d\\d\\s"));
    std::vector<int> months;
    QString lastLine;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE("page " + std::to_string(i + 1));
        const QStringList lines = pages[i].split(QLatin1Char('\n'));
        const auto heading = std::find_if(lines.begin(), lines.end(), [](const QString& l) {
            return l.contains(QLatin1String("Month")) && l.contains(QLatin1String("Capital payment")) &&
                l.contains(QLatin1String("Interest payment")) && l.contains(QLatin1String("Balance"));
        });
        for (auto line = lines.begin(); line != lines.end(); ++line) {
            const auto match = scheduleLine.match(*line);
            if (!match.hasMatch())
                continue;
            // A page the table runs onto starts with its headings.
            EXPECT_TRUE(heading != lines.end() && heading < line) << "no headings above " << line->toStdString();
            months.push_back(match.captured(1).toInt());
            lastLine = *line;
        }
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size())));
    }
    std::vector<int> all(600);
    std::iota(all.begin(), all.end(), 1);
    EXPECT_EQ(months, all);
    EXPECT_TRUE(lastLine.trimmed().endsWith(QLatin1String(" 0.00")))
        << "the loan is repaid: " << lastLine.toStdString();
}

// The rows the PAYE period calculators stage, in both languages, and
// QuickTax's: with the package, vehicle and finance rows of the worked
// examples above, every print table's rows.
std::vector<StagedTable> payrollRows()
{
    std::vector<StagedTable> tables;
    const auto rows = [&](const auto& d) {
        const auto result = ok(d.compute(d.defaults, PeriodSettings{}));
        for (const PrintLanguage language : {PrintLanguage::English, PrintLanguage::Afrikaans})
            tables.push_back({d.report.table, {d.print(d.defaults, result, language)}});
    };
    rows(monthlyDescription());
    rows(annualDescription());
    rows(weeklyDescription());
    rows(fortnightlyDescription());
    rows(dailyDescription());
    tables.push_back({kKwikTaxTable, {KwikTaxRecord(QuickTaxResult{})}});
    return tables;
}

// Each subsystem declares its print tables beside its print rows: every
// shipped template reads only columns a table declares, and every declared
// column is filled by some printout's rows.
TEST(PrintTables, TemplatesReadOnlyDeclaredColumnsAndEveryDeclaredColumnIsFilled)
{
    // Every template against the declared tables alone, each with one row
    // holding every declared column.
    std::vector<StagedTable> everything;
    for (const PrintTable& table : printSchema()) {
        PrintRecord row;
        for (const PrintColumn& column : table.columns) {
            switch (column.type) {
            case PrintColumnType::Real: row.push_back({column.name, 1.5}); break;
            case PrintColumnType::Integer: row.push_back({column.name, std::int32_t{1}}); break;
            case PrintColumnType::Text: row.push_back({column.name, std::string("x")}); break;
            }
        }
        everything.push_back({table.name, {row}});
    }
    testing::PrintFixture fx;
    fx.stage(everything);
    const QFileInfoList templates =
        QDir(testing::shippedTemplates()).entryInfoList({QStringLiteral("*.rpt")}, QDir::Files);
    ASSERT_GE(templates.size(), 20);
    for (const QFileInfo& file : templates) {
        const Report report = Report::load(file.filePath(), fx.db);
        EXPECT_TRUE(report.ok()) << report.error().toStdString();
    }

    // Every declared column written by the rows the calculators stage.
    std::map<std::string, std::set<std::string>> written;
    const auto note = [&](const std::vector<StagedTable>& tables) {
        for (const StagedTable& table : tables)
            for (const PrintRecord& row : table.rows)
                for (const PrintField& field : row)
                    written[table.table].insert(field.name);
    };
    for (const ReportCase& c : reportCases())
        note(c.stage());
    note(payrollRows());
    for (const PrintTable& table : printSchema()) {
        for (const PrintColumn& column : table.columns)
            EXPECT_TRUE(written[table.name].count(column.name))
                << table.name << "." << column.name << " is declared, but no printout fills it";
    }
}

}  // namespace
}  // namespace grossby
