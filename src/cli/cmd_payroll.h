#pragma once
// The PAYE period subcommands (monthly, annual, weekly, fortnightly, daily):
// what they take, how a value in an option or a CSV cell is read, and the
// results they give. One employee on the command line or a whole payroll
// file in batch share this, so a cell and an option read the same way.

#include "payroll/period_print.h"
#include "payroll/period_tax.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace grossby {
struct Module1;
}

namespace grossby::cli::payroll {

enum class Kind { Monthly, Annual, Weekly, Fortnightly, Daily };

/// The subcommand's name: "monthly", "annual", ...
const char* kindName(Kind kind);

enum class InputKey {
    Name,
    Age,
    Salary,
    Commission,
    Bonus,
    TravelAllowance,
    EmployerRf,
    EmployeeRf,
    EmployerMedical,
    EmployeeMedical,
    Beneficiaries,
    BeneficiariesByMonth,
    Start,
    End,
    NormalDays,
    DaysWorked,
    EmployeeUif,
    EmployerUif,
    SkillsLevy,
    UifLimit,
    TravelInclusion,
};

/// An input as an option (--name) and a CSV column (name).
struct InputSpec {
    InputKey key;
    const char* name;  ///< option without its dashes, and column name
    const char* typeName;  ///< for --help
    const char* help;
};

/// Inputs the subcommand takes, employee figures first, settings last.
std::vector<InputSpec> inputsOf(Kind kind);

/// True for the five settings of the settings store.
bool isSetting(InputKey key);

/// Everything one calculation needs.
struct Request {
    Kind kind = Kind::Monthly;
    EmployeeInputs employee;
    double startDate = 0;
    double endDate = 0;
    std::array<int, 12> beneficiariesByMonth{};
    bool byMonthGiven = false;
    int normalDays = 0;
    int daysWorked = 0;
    PeriodSettings settings;
    unsigned settingsGiven = 0;  ///< bit per setting taken from an option or cell

    /// All five settings were given, so the store need not be read.
    bool allSettingsGiven() const { return settingsGiven == 0x1f; }
};

/// A request with the window's load-time defaults: monthly 1 to 31 March,
/// annual the whole tax year, a full week of 7 or fortnight of 14 days.
Request defaultRequest(Kind kind);

/// Why a value could not be taken: a malformed value (a usage error) or one
/// the calculator itself rejects (its message).
struct InputProblem {
    bool usage = true;
    std::string message;
};

/// Reads `text` into the request's field for `key`. Blank text leaves the
/// default. Amounts and settings must be finite numbers, dates dd/mm/yyyy,
/// day counts whole numbers; the age is rounded half to even.
std::optional<InputProblem> applyInput(Request& request, InputKey key, std::string_view text);

/// Fills the settings that were not given from `stored`.
void fillSettings(Request& request, const PeriodSettings& stored);

using Outcome = std::variant<PeriodResult, AnnualResult, InputError>;

/// Runs the subcommand's calculator; the annual one gets the monthly counts,
/// taken from --beneficiaries in every month unless given month by month.
Outcome compute(const Request& request, Module1& state);

/// The check sheet of a calculation, as the window prints it.
PrintRecord printRecord(const Request& request, const Outcome& outcome, PrintLanguage language);

/// Table, template and title of the subcommand's printout.
PeriodReport reportOf(Kind kind);

/// A result for output: JSON key, label for people, value.
struct ResultValue {
    const char* key;
    const char* label;
    double value;
};

/// The figures of one result, held without allocating (a batch makes one a row).
struct ResultValues {
    std::array<ResultValue, 10> items{};
    std::size_t count = 0;
    const ResultValue* begin() const { return items.data(); }
    const ResultValue* end() const { return items.data() + count; }
};

/// The figures of a result in output order (the annual month counts apart).
ResultValues resultValues(const Outcome& outcome);

/// Result column names of the subcommand, in output order.
std::vector<std::string> resultKeys(Kind kind);

/// Runs a payroll file through the calculator: one employee a row, the
/// output repeats the input columns and adds the results and an error
/// column. `inPath` or `outPath` may be "-" for standard input or output.
/// Returns the exit code.
int runBatch(const Request& base, const std::string& inPath, const std::string& outPath);

/// Reads the stored settings; on failure returns the message naming the store.
std::optional<std::string> loadStoredSettings(PeriodSettings& settings);

}  // namespace grossby::cli::payroll
