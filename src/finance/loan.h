#pragma once
// The loan calculator: a fixed-rate loan with level monthly repayments,
// solved for the repayment, the principal, the period in whole months or the
// annual rate; its finance charges and its monthly and yearly amortisation
// schedules.
//
// The monthly interest factor is i = R / 12 / 100 throughout: the nominal
// annual rate compounded monthly.

#include "core/calc_outcome.h"

#include <optional>
#include <string_view>
#include <vector>

namespace grossby {

/// Which of the four quantities the loan calculator solves.
enum class LoanMode { Repayment, Principal, Period, Rate };

/// The mode's name as the window shows it and the print table's heading
/// carries it: "Monthly repayment", "Principal amount", "Repayment period",
/// "Interest rate".
std::string_view loanModeText(LoanMode mode);
/// The mode named by the window's text or by the command line's word
/// (repayment, principal, period, rate).
std::optional<LoanMode> loanModeFrom(std::string_view name);

/// The four loan quantities; the one being solved is ignored.
struct LoanInputs {
    LoanMode mode = LoanMode::Repayment;
    double principal = 0;  ///< P, rand
    double months = 0;  ///< N, whole months
    double rate = 0;  ///< R, percent a year
    double repayment = 0;  ///< M, rand a month
};

struct LoanResult {
    double principal = 0;
    double months = 0;
    double rate = 0;
    double repayment = 0;
    /// A solved rate above the 50 % the rate field takes; shown with the
    /// "   Error" marker beside it.
    bool rateAboveLimit = false;
    double totalInterest = 0;  ///< M * N - P
    double totalRepayments = 0;  ///< M * N
    /// Evaluations of the principal formula (period), of the repayment formula
    /// (rate), or 1 for the modes that use a formula directly.
    int evaluations = 0;
};

/// Monthly repayment of P over N months at R % a year:
/// i * P / (1 - (1 + i)^-N); 0 when P, N or R is 0.
double RPAYMENT(double principal, double months, double rate);

/// Principal that N repayments of M at R % a year pay off:
/// (1 - (1 + i)^-N) * M / i; 0 when N, R or M is 0.
double PAMOUNT(double months, double rate, double repayment);

/// The period search's answer.
struct PeriodSearch {
    double months = 0;  ///< whole months, 0 when there is no answer
    double repayment = 0;  ///< as entered, or raised by whole cents to fit the months
    int evaluations = 0;  ///< of the principal formula
};

/// The number of whole monthly repayments that pays off P, and the smallest
/// repayment, in whole cents up from the entered one, that does it in that
/// many months. A repayment that fits a whole number of months exactly is
/// kept. No answer (0 months, the repayment as entered) when P, R or the
/// repayment less a cent is 0, or when the loan takes more than 600 months
/// (including any repayment that does not exceed the monthly interest).
/// A repayment that pays off more than the principal plus a month's interest
/// gives one month and keeps the repayment as entered.
///
/// The answer is the one that trying every month from 1 and then every cent
/// gives, with the same rounding, found in a few dozen formula evaluations.
PeriodSearch PER(double principal, double rate, double repayment);

/// The rate search's answer.
struct RateSearch {
    double rate = 0;  ///< percent a year, 0 when there is no answer
    int evaluations = 0;  ///< of the repayment formula
};

/// The largest rate, reached from 0 in steps of 5, then 1, 0.1 and 0.01 (each
/// stepped up until the repayment exceeds M and then back once), whose
/// monthly repayment on P over N months does not exceed M. 0 when P, N or M
/// is 0 or M is below the interest-free repayment. There is no upper bound.
RateSearch Rate(double principal, double months, double repayment);

/// The calculation for the mode: solves one quantity from the other three and
/// adds the finance charges. Refuses a rate above 50 % or a period above 600
/// months where they are inputs. A missing (zero) input gives 0 for the
/// solved quantity, without a message.
CalcOutcome<LoanResult> LoanCalc(const LoanInputs& in);

/// One line of an amortisation schedule: month or year number, the capital
/// and interest paid in it and the balance after it.
struct AmortLine {
    int period = 0;
    double capital = 0;
    double interest = 0;
    double balance = 0;
};

/// The monthly schedule, months 1..N, from the exact level payment on P, N
/// and R (not the repayment shown). Empty when P, N or R is 0 or N is
/// outside 1..600.
std::vector<AmortLine> monthlySchedule(double principal, double months, double rate);

/// The yearly schedule: the monthly one summed over each whole year, and a
/// partial last year that takes the rest of the principal and of the
/// interest M * N - P (with the repayment M as shown).
struct AnnualSchedule {
    int kind = 0;  ///< `AnnualKind`: 1 whole years only, 2 a partial last year, 0 no schedule
    int fullYears = 0;  ///< `FullYears`: N \ 12
    int years = 0;  ///< `AnnualYears`: years including a partial last one
    std::vector<AmortLine> lines;  ///< one per year, years 1..`years`
};

/// `CalcAnnAmort`: the yearly schedule of the loan. Empty (kind 0) when P, N
/// or R is 0 or N is outside 1..600.
AnnualSchedule CalcAnnAmort(double principal, double months, double rate, double repayment);

/// Whether schedules, the printout and finance charges apply: P, N, R and M
/// all non-zero.
bool loanComplete(const LoanResult& loan);

/// Whether the yearly graph applies: P, R and M non-zero and at least 13 months.
bool loanGraphAvailable(const LoanResult& loan);

/// Why a period search on a whole principal, rate and repayment found no
/// period (N = 0): the repayment does not cover a month's interest, or it
/// does not repay the loan within 600 months. Null when a period was found
/// or a quantity is missing.
const char* noPeriodReason(const LoanInputs& in, const LoanResult& r);

/// Why there is no yearly graph of `loan` (loanGraphAvailable is false).
const char* noGraphReason(const LoanResult& loan);

// Messages of the rate and period fields (also used by the loan buster and
// the comparison).
inline constexpr const char* kLoanRateTitle = "Incorrect Interest Rate!";
inline constexpr const char* kLoanRateMessage = "The maximum interest rate allowed is 50%";
inline constexpr const char* kLoanPeriodTitle = "Incorrect Period!";
inline constexpr const char* kLoanPeriodMessage = "The maximum period  allowed is 600 months";
/// Shown beside a solved rate above 50 %.
inline constexpr const char* kRateErrorMarker = "   Error";

}  // namespace grossby
