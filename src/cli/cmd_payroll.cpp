#include "cli/cmd_payroll.h"

#include "cli/commands.h"
#include "cli/output.h"
#include "cli/report_output.h"
#include "core/module1.h"
#include "core/numeric.h"
#include "core/tax_year.h"
#include "services/file_locations.h"
#include "services/settings_store.h"

#include <QCoreApplication>
#include <QDir>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <memory>

namespace grossby::cli::payroll {
namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Powers of ten that are exact doubles.
constexpr double kPow10[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// A finite number and nothing else ("12", "-3.5", "1e3").
std::optional<double> readNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    // Payroll files are mostly plain amounts such as "12345.67". With at
    // most 15 digits the digits and the power of ten are exact doubles, so
    // one division gives the correctly rounded value, the same double the
    // general parse below gives; anything else takes that parse.
    {
        std::size_t i = text.front() == '-' ? 1 : 0;
        std::uint64_t digits = 0;
        int count = 0;
        int decimals = -1;
        bool plain = i < text.size();
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (c >= '0' && c <= '9') {
                digits = digits * 10 + static_cast<unsigned>(c - '0');
                ++count;
                if (decimals >= 0)
                    ++decimals;
            } else if (c == '.' && decimals < 0) {
                decimals = 0;
            } else {
                plain = false;
                break;
            }
        }
        if (plain && count > 0 && count <= 15) {
            double value = static_cast<double>(digits);
            if (decimals > 0)
                value /= kPow10[decimals];
            return text.front() == '-' ? -value : value;
        }
    }
    double value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<InputProblem> notANumber(std::string_view text)
{
    return InputProblem{true, "'" + std::string(text) + "' is not a number"};
}

std::optional<InputProblem> readAmount(double& target, std::string_view text)
{
    const auto v = readNumber(text);
    if (!v)
        return notANumber(text);
    target = *v;
    return std::nullopt;
}

// A count of persons or days: a whole number. A fraction is the calculator's
// business for beneficiaries (their message says whole numbers) and a usage
// error for day counts.
std::optional<long> readWhole(std::string_view text)
{
    const auto v = readNumber(text);
    if (!v || *v != std::floor(*v) || std::fabs(*v) > 1e9)
        return std::nullopt;
    return static_cast<long>(*v);
}

constexpr int kSettingBit[] = {1, 2, 4, 8, 16};

int settingIndex(InputKey key)
{
    switch (key) {
    case InputKey::EmployeeUif: return 0;
    case InputKey::EmployerUif: return 1;
    case InputKey::SkillsLevy: return 2;
    case InputKey::UifLimit: return 3;
    case InputKey::TravelInclusion: return 4;
    default: return -1;
    }
}

}  // namespace

const char* kindName(Kind kind)
{
    switch (kind) {
    case Kind::Monthly: return "monthly";
    case Kind::Annual: return "annual";
    case Kind::Weekly: return "weekly";
    case Kind::Fortnightly: return "fortnightly";
    case Kind::Daily: return "daily";
    }
    return "";
}

bool isSetting(InputKey key)
{
    return settingIndex(key) >= 0;
}

std::vector<InputSpec> inputsOf(Kind kind)
{
    std::vector<InputSpec> inputList = {
        {InputKey::Name, "name", "TEXT", "Employee's name, printed on the check sheet"},
        {InputKey::Age, "age", "YEARS",
         "Age in whole years, 0 to 150 (65 and 75 bring larger rebates); rounded half to even"},
        {InputKey::Salary, "salary", "RAND",
         "Salary/remuneration with fringe benefits, without travel allowance or employer's R/Fund contribution"},
        {InputKey::Commission, "commission", "RAND", "Commissions"},
        {InputKey::Bonus, "bonus", "RAND", "Bonus paid in the period (taxed in full in it)"},
        {InputKey::TravelAllowance, "travel-allowance", "RAND", "Travel allowance received"},
        {InputKey::EmployerRf, "employer-rf", "RAND", "Employer's R/Fund contributions"},
        {InputKey::EmployeeRf, "employee-rf", "RAND", "Employee's R/Fund contributions"},
        {InputKey::EmployerMedical, "employer-medical", "RAND", "Employer's med aid contributions"},
        {InputKey::EmployeeMedical, "employee-medical", "RAND", "Employee's med aid contributions"},
    };
    if (kind == Kind::Annual) {
        inputList.push_back(
            {InputKey::Beneficiaries, "beneficiaries", "COUNT", "Medical aid beneficiaries in every month, 0 to 24"});
        inputList.push_back({InputKey::BeneficiariesByMonth, "beneficiaries-by-month", "COUNTS",
                             "Twelve monthly counts, March to February, 0 to 24 each, e.g. 2,2,2,2,2,2,3,3,3,3,3,3"});
    } else {
        inputList.push_back(
            {InputKey::Beneficiaries, "beneficiaries", "COUNT", "Medical aid fund beneficiaries, 0 to 99"});
    }
    if (kind == Kind::Monthly) {
        inputList.push_back(
            {InputKey::Start, "start", "DD/MM/YYYY", "First day worked in the month (default 01/03/2017)"});
        inputList.push_back(
            {InputKey::End, "end", "DD/MM/YYYY", "Last day worked, in the same month (default 31/03/2017)"});
    } else if (kind == Kind::Annual) {
        inputList.push_back(
            {InputKey::Start, "start", "DD/MM/YYYY", "First day of employment in the tax year (default 01/03/2017)"});
        inputList.push_back(
            {InputKey::End, "end", "DD/MM/YYYY", "Last day of employment in the tax year (default 28/02/2018)"});
    } else if (kind == Kind::Weekly || kind == Kind::Fortnightly) {
        const bool week = kind == Kind::Weekly;
        inputList.push_back(
            {InputKey::NormalDays, "normal-days", "DAYS",
             week ? "Days in a normal work week (default 7)" : "Days in a normal fortnight (default 14)"});
        inputList.push_back({InputKey::DaysWorked, "days-worked", "DAYS",
                             week ? "Days worked this week, 1 to the normal days (default 7)"
                                  : "Days worked this fortnight, 1 to the normal days (default 14)"});
    }
    inputList.push_back(
        {InputKey::EmployeeUif, "employee-uif", "PERCENT", "Employee UIF portion (default: the settings store)"});
    inputList.push_back(
        {InputKey::EmployerUif, "employer-uif", "PERCENT", "Employer UIF portion (default: the settings store)"});
    inputList.push_back({InputKey::SkillsLevy, "skills-levy", "PERCENT", "Skills levy (default: the settings store)"});
    inputList.push_back(
        {InputKey::UifLimit, "uif-limit", "RAND", "UIF monthly remuneration limit (default: the settings store)"});
    inputList.push_back(
        {InputKey::TravelInclusion, "travel-inclusion", "RATE",
         "Travel allowance inclusion rate: 0.8 or 0.2 (80 or 20 also accepted; default: the settings store)"});
    return inputList;
}

Request defaultRequest(Kind kind)
{
    Request r;
    r.kind = kind;
    r.startDate = TaxYearStart;
    r.endDate = kind == Kind::Monthly ? FirstMonthEnd : TaxYearEnd;
    r.normalDays = r.daysWorked = kind == Kind::Fortnightly ? 14 : 7;
    return r;
}

std::optional<InputProblem> applyInput(Request& r, InputKey key, std::string_view raw)
{
    const std::string_view text = trimmed(raw);
    if (text.empty())
        return std::nullopt;
    PayFigures& pay = r.employee.pay;
    switch (key) {
    case InputKey::Name: r.employee.name = std::string(text); return std::nullopt;
    case InputKey::Age: {
        const auto v = readNumber(text);
        if (!v)
            return notANumber(text);
        // The windows take 0 to 150 years; so does the command line.
        const auto age = tryToInteger16(*v);
        if (!age || *age < 0 || *age > 150)
            return InputProblem{true, "'" + std::string(text) + "' is not an age in whole years from 0 to 150"};
        r.employee.age = *age;
        return std::nullopt;
    }
    case InputKey::Salary: return readAmount(pay.salary, text);
    case InputKey::Commission: return readAmount(pay.commission, text);
    case InputKey::Bonus: return readAmount(pay.bonus, text);
    case InputKey::TravelAllowance: return readAmount(pay.travelAllowance, text);
    case InputKey::EmployerRf: return readAmount(pay.employerRetirementFund, text);
    case InputKey::EmployeeRf: return readAmount(pay.employeeRetirementFund, text);
    case InputKey::EmployerMedical: return readAmount(pay.employerMedical, text);
    case InputKey::EmployeeMedical: return readAmount(pay.employeeMedical, text);
    case InputKey::Beneficiaries: {
        if (!readNumber(text))
            return notANumber(text);
        const auto n = readWhole(text);
        if (!n)
            return InputProblem{false, beneficiaryRangeMessage()};
        r.employee.beneficiaries = static_cast<int>(*n);
        return std::nullopt;
    }
    case InputKey::BeneficiariesByMonth: {
        std::array<int, 12> counts{};
        std::size_t count = 0;
        std::size_t pos = 0;
        while (pos <= text.size()) {
            std::size_t stop = text.find_first_of(",; ", pos);
            if (stop == std::string_view::npos)
                stop = text.size();
            const std::string_view item = trimmed(text.substr(pos, stop - pos));
            pos = stop + 1;
            if (item.empty())
                continue;
            if (count == 12)
                return InputProblem{true, "give twelve counts, March to February, not more"};
            if (!readNumber(item))
                return notANumber(item);
            const auto n = readWhole(item);
            if (!n)
                return InputProblem{false,
                                    "The number of medical aid beneficiaries in a month must be a whole number."};
            counts[count++] = static_cast<int>(*n);
        }
        if (count != 12)
            return InputProblem{true, "give twelve counts, March to February; found " + std::to_string(count)};
        r.beneficiariesByMonth = counts;
        r.byMonthGiven = true;
        return std::nullopt;
    }
    case InputKey::Start:
    case InputKey::End: {
        const auto day = parseDate(text);
        if (!day)
            return InputProblem{true, "'" + std::string(text) + "' is not a date in the form dd/mm/yyyy"};
        (key == InputKey::Start ? r.startDate : r.endDate) = *day;
        return std::nullopt;
    }
    case InputKey::NormalDays:
    case InputKey::DaysWorked: {
        const auto n = readWhole(text);
        if (!n)
            return InputProblem{true, "'" + std::string(text) + "' is not a whole number of days"};
        (key == InputKey::NormalDays ? r.normalDays : r.daysWorked) = static_cast<int>(*n);
        return std::nullopt;
    }
    case InputKey::EmployeeUif:
    case InputKey::EmployerUif:
    case InputKey::SkillsLevy:
    case InputKey::UifLimit:
    case InputKey::TravelInclusion: {
        const auto v = readNumber(text);
        if (!v)
            return notANumber(text);
        double value = *v;
        PeriodSettings& s = r.settings;
        switch (key) {
        case InputKey::EmployeeUif: s.EmployeeUIF = value; break;
        case InputKey::EmployerUif: s.EmployerUIF = value; break;
        case InputKey::SkillsLevy: s.SkillLevy = value; break;
        case InputKey::UifLimit: s.UIFLimit = value; break;
        default:
            // Only the two rates of the setup panel exist.
            if (value == 80 || value == 20)
                value /= 100;
            if (value != 0.8 && value != 0.2)
                return InputProblem{true, "'" + std::string(text) + "' is not an inclusion rate: give 0.8 or 0.2"};
            s.TAIncRate8020 = value;
        }
        r.settingsGiven |= kSettingBit[settingIndex(key)];
        return std::nullopt;
    }
    }
    return std::nullopt;
}

void fillSettings(Request& r, const PeriodSettings& stored)
{
    PeriodSettings& s = r.settings;
    if (!(r.settingsGiven & 1))
        s.EmployeeUIF = stored.EmployeeUIF;
    if (!(r.settingsGiven & 2))
        s.EmployerUIF = stored.EmployerUIF;
    if (!(r.settingsGiven & 4))
        s.SkillLevy = stored.SkillLevy;
    if (!(r.settingsGiven & 8))
        s.UIFLimit = stored.UIFLimit;
    if (!(r.settingsGiven & 16))
        s.TAIncRate8020 = stored.TAIncRate8020;
}

namespace {

MonthlyInputs monthlyInputs(const Request& r)
{
    MonthlyInputs in;
    static_cast<EmployeeInputs&>(in) = r.employee;
    in.startDate = r.startDate;
    in.endDate = r.endDate;
    return in;
}

AnnualInputs annualInputs(const Request& r)
{
    AnnualInputs in;
    static_cast<EmployeeInputs&>(in) = r.employee;
    in.startDate = r.startDate;
    in.endDate = r.endDate;
    if (r.byMonthGiven)
        in.beneficiariesByMonth = r.beneficiariesByMonth;
    else
        in.beneficiariesByMonth.fill(r.employee.beneficiaries);
    return in;
}

ShortPeriodInputs shortPeriodInputs(const Request& r)
{
    ShortPeriodInputs in;
    static_cast<EmployeeInputs&>(in) = r.employee;
    in.normalDays = r.normalDays;
    in.thisDays = r.daysWorked;
    return in;
}

}  // namespace

Outcome compute(const Request& r, Module1& state)
{
    auto lift = [](auto&& outcome) -> Outcome { return std::visit([](auto&& v) -> Outcome { return v; }, outcome); };
    switch (r.kind) {
    case Kind::Monthly: return lift(CalcMonthlyTax(monthlyInputs(r), r.settings));
    case Kind::Annual: return lift(CalcAnnualPAYE(annualInputs(r), r.settings));
    case Kind::Weekly: return lift(CalcWeeklyTax(shortPeriodInputs(r), r.settings));
    case Kind::Fortnightly: return lift(CalcFortnightlyTax(shortPeriodInputs(r), r.settings));
    case Kind::Daily: return lift(CalcDailyTax(r.employee, r.settings));
    }
    return InputError{};
}

PrintRecord printRecord(const Request& r, const Outcome& outcome, PrintLanguage language)
{
    if (const auto* a = std::get_if<AnnualResult>(&outcome))
        return PrintAnnual(annualInputs(r), *a, language);
    const auto* p = std::get_if<PeriodResult>(&outcome);
    if (!p)
        return {};
    switch (r.kind) {
    case Kind::Monthly: return PrintMonthly(monthlyInputs(r), *p, language);
    case Kind::Weekly: return PrintWeekly(shortPeriodInputs(r), *p, language);
    case Kind::Fortnightly: return PrintFortnightly(shortPeriodInputs(r), *p, language);
    default: return PrintDaily(r.employee, *p, language);
    }
}

PeriodReport reportOf(Kind kind)
{
    switch (kind) {
    case Kind::Monthly: return monthlyReport();
    case Kind::Annual: return annualReport();
    case Kind::Weekly: return weeklyReport();
    case Kind::Fortnightly: return fortnightlyReport();
    case Kind::Daily: return dailyReport();
    }
    return {};
}

ResultValues resultValues(const Outcome& outcome)
{
    ResultValues out;
    auto add = [&out](const char* key, const char* label, double value) {
        out.items[out.count++] = {key, label, value};
    };
    const PeriodResult* p = std::get_if<PeriodResult>(&outcome);
    const AnnualResult* a = std::get_if<AnnualResult>(&outcome);
    if (!p && !a)
        return out;
    add("rf_deduction", "Allowable R/Fund deduction", p ? p->rfDeduction : a->rfDeduction);
    add("taxable_travel_allowance", "Taxable travel allowance",
        p ? p->taxableTravelAllowance : a->taxableTravelAllowance);
    add("paye", "Total tax deduction", p ? p->paye : a->paye);
    add("medical_credit", "Tax credits for beneficiaries", p ? p->medicalCredit : a->medicalCredit);
    add("additional_medical_credit", "Tax credits for contributions",
        p ? p->additionalMedicalCredit : a->additionalMedicalCredit);
    add("tax_liability", "Tax liability", p ? p->taxLiability : a->taxLiability);
    if (p) {
        add("uif_employee", "UIF contribution Employee", p->uifEmployee);
        add("uif_employer", "UIF contribution Employer", p->uifEmployer);
        add("sdl", "S.D.L.", p->sdl);
    }
    add("annual_taxable_income", "Annual taxable income", p ? p->annualTaxableIncome : a->annualTaxableIncome);
    return out;
}

std::vector<std::string> resultKeys(Kind kind)
{
    const Outcome sample = kind == Kind::Annual ? Outcome(AnnualResult{}) : Outcome(PeriodResult{});
    std::vector<std::string> keys;
    for (const auto& v : resultValues(sample))
        keys.emplace_back(v.key);
    if (kind == Kind::Annual)
        keys.emplace_back("beneficiaries_by_month");
    return keys;
}

std::optional<std::string> loadStoredSettings(PeriodSettings& settings)
{
    // The SQL driver is a plugin, which Qt loads only inside an application.
    // One is made for this read alone, so a report made afterwards can have
    // the GUI application it needs.
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "grossby-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QCoreApplication>(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Grossby 2018"));
        QCoreApplication::setOrganizationName(QStringLiteral("Grossby"));
    }
    const QString path = QDir(dataFolder()).filePath(QLatin1String(kSettingsFileName));
    SetupValues values;
    const DbStatus status = SettingsStore(path).load(values);
    if (!status)
        return status.error.toStdString();
    settings.EmployeeUIF = values.EmployeeUIF;
    settings.EmployerUIF = values.EmployerUIF;
    settings.SkillLevy = values.SkillLevy;
    settings.UIFLimit = values.UIFLimit;
    settings.TAIncRate8020 = values.TAIncRate8020;
    return std::nullopt;
}

namespace {

Runner addPeriodCommand(CLI::App& app, Kind kind, const char* description, const char* footer)
{
    struct Options {
        std::vector<std::pair<InputKey, std::string>> given;
        std::vector<std::pair<InputKey, CLI::Option*>> options;
        bool json = false;
        std::string batch;
        std::string out;
        std::string report;
        std::string language = "en";
    };
    auto opts = std::make_shared<Options>();
    auto* cmd = app.add_subcommand(kindName(kind), description);
    for (const InputSpec& input : inputsOf(kind)) {
        auto* option = cmd->add_option(std::string("--") + input.name, input.help)->type_name(input.typeName);
        option->expected(1);
        opts->options.emplace_back(input.key, option);
    }
    if (kind == Kind::Annual)
        cmd->get_option("--beneficiaries")->excludes(cmd->get_option("--beneficiaries-by-month"));
    cmd->add_flag("--json", opts->json, "Print one JSON object with every result at full precision");
    auto* batch = cmd->add_option("--batch", opts->batch,
                                  "Run a payroll file: one employee a row, columns named like the options above "
                                  "without their dashes; '-' reads standard input")
                      ->type_name("FILE.csv");
    cmd->add_option("--out", opts->out, "Where the batch results go (default: standard output)")
        ->type_name("FILE.csv")
        ->needs(batch);
    batch->excludes(cmd->get_option("--json"));
    auto* report = addReportOption(cmd, opts->report);
    report->excludes(batch);
    cmd->add_option("--language", opts->language, "Labels of the printout: en (English, the default) or af (Afrikaans)")
        ->check(CLI::IsMember({"en", "af"}))
        ->type_name("en|af")
        ->needs(report);
    cmd->footer(footer);

    return [cmd, opts, kind]() {
        if (!cmd->parsed())
            return -1;
        Request request = defaultRequest(kind);
        for (const auto& [key, option] : opts->options) {
            if (option->count() == 0)
                continue;
            const std::string text = option->as<std::string>();
            if (auto problem = applyInput(request, key, text)) {
                if (problem->usage) {
                    std::cerr << option->get_name() << ": " << problem->message << '\n'
                              << "Run with --help for more information.\n";
                    return 2;
                }
                printError(std::cout, std::cerr, problem->message, opts->json);
                return 1;
            }
        }
        if (!request.allSettingsGiven()) {
            PeriodSettings stored;
            if (auto error = loadStoredSettings(stored)) {
                printError(std::cout, std::cerr, *error, opts->json);
                return 1;
            }
            fillSettings(request, stored);
        }
        if (!opts->batch.empty())
            return runBatch(request, opts->batch, opts->out.empty() ? "-" : opts->out);

        Module1 state;
        const Outcome outcome = compute(request, state);
        if (const auto* error = std::get_if<InputError>(&outcome)) {
            printError(std::cout, std::cerr, error->text, opts->json);
            return 1;
        }
        if (!opts->report.empty()) {
            const PeriodReport rpt = reportOf(kind);
            const PrintLanguage language = opts->language == "af" ? PrintLanguage::Afrikaans : PrintLanguage::English;
            const StagedTable row{rpt.table, {printRecord(request, outcome, language)}};
            if (const int code = writeReport({row}, rpt.templateName, rpt.previewTitle, opts->report, std::cerr))
                return code;
        }
        std::vector<Field> fields;
        for (const ResultValue& v : resultValues(outcome)) {
            double shown = v.value;
            // The windows show these two to the whole rand.
            const std::string key = v.key;
            if (!opts->json && (key == "rf_deduction" || (key == "taxable_travel_allowance" && kind == Kind::Monthly)))
                shown = roundHalfEven(shown);
            fields.push_back({v.key, v.label, shown});
        }
        if (const auto* a = std::get_if<AnnualResult>(&outcome)) {
            if (opts->json) {
                fields.push_back({"beneficiaries_by_month", "", nlohmann::json(a->beneficiariesByMonth)});
            } else {
                std::string counts;
                for (const int n : a->beneficiariesByMonth)
                    counts += (counts.empty() ? "" : " ") + std::to_string(n);
                fields.push_back({"beneficiaries_by_month", "Beneficiaries Mar to Feb", counts});
            }
        }
        printResult(std::cout, fields, opts->json);
        return 0;
    };
}

const char* kResultsFooter =
    "Results (JSON keys; batch result columns):\n"
    "  rf_deduction               allowable R/Fund deduction (unrounded; shown to the whole rand)\n"
    "  taxable_travel_allowance   travel allowance x inclusion rate\n"
    "  paye                       the \"Total tax deduction\": tax for the period before medical credits\n"
    "  medical_credit             medical scheme fees tax credit for the period\n"
    "  additional_medical_credit  additional medical credit, 65 and over\n"
    "  tax_liability              paye less both credits, never below 0\n";

const char* kUifFooter =
    "  uif_employee, uif_employer UIF contributions, remuneration limited to the period's share of the UIF limit\n"
    "  sdl                        skills development levy\n"
    "  annual_taxable_income      annual income without the bonus, as taxed\n";

const char* kBatchFooter =
    "\nBatch: the output repeats every input column and adds the result columns and 'error'; a row the\n"
    "calculator rejects keeps its input, empty results and the message in 'error', and the run goes on.\n"
    "Blank cells take the defaults. Exit status: 0 when the file was read and written to the end.";

std::string footerFor(Kind kind)
{
    std::string text = kResultsFooter;
    if (kind == Kind::Annual)
        text += "  annual_taxable_income      annual income without the bonus, as taxed\n"
                "  beneficiaries_by_month     the twelve counts as used, March first: 0 outside the employment\n";
    else
        text += kUifFooter;
    text += kBatchFooter;
    return text;
}

}  // namespace

}  // namespace grossby::cli::payroll

namespace grossby::cli {

std::vector<Runner> addPayrollCommands(CLI::App& app)
{
    using namespace payroll;
    static const std::string monthly = footerFor(Kind::Monthly);
    static const std::string annual = footerFor(Kind::Annual);
    static const std::string weekly = footerFor(Kind::Weekly);
    return {
        addPeriodCommand(app, Kind::Monthly, "PAYE, medical credits, UIF and SDL for a month or part of one",
                         monthly.c_str()),
        addPeriodCommand(app, Kind::Annual,
                         "PAYE and medical credits for the tax year or part of it, from annual totals", annual.c_str()),
        addPeriodCommand(app, Kind::Weekly, "PAYE, medical credits, UIF and SDL for a week (52 a year)",
                         weekly.c_str()),
        addPeriodCommand(app, Kind::Fortnightly, "PAYE, medical credits, UIF and SDL for a fortnight (26 a year)",
                         weekly.c_str()),
        addPeriodCommand(app, Kind::Daily, "PAYE, medical credits, UIF and SDL for a day's pay (260 days a year)",
                         weekly.c_str()),
    };
}

}  // namespace grossby::cli
