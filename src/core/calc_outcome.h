#pragma once
// What a calculation returns: its results, or the message the user must see
// and the field it is about. Nothing in the calculation library shows a
// message itself; the window shows it and the command line prints it.

#include <string>
#include <variant>

namespace grossby {

/// The field a rejected input belongs to, so a window can give it the focus.
/// Each calculator adds the fields it can reject; values are never renamed.
enum class InputField {
    StartDate,
    EndDate,
    Beneficiaries,
    MonthlyBeneficiaries,
    ThisPeriodDays,
    Calculate,
    WearAndTear,  ///< car allowance: wear and tear, exclusive with lease payments
    LeasePayments,  ///< car allowance: lease payments, exclusive with wear and tear
    InterestRate,  ///< finance: a loan's or a balance's interest rate
    Period,  ///< finance: a loan's months or a projection's years
    InflationRate,  ///< inflation projection: the yearly rate
    ClosingReading,  ///< vehicles: the closing odometer reading, below the opening one
};

/// A rejected input: the message box's title and text, and where the focus goes.
struct InputError {
    std::string title;
    std::string text;
    InputField field = InputField::Calculate;
    friend bool operator==(const InputError&, const InputError&) = default;
};

/// Either the results of a calculation or the reason it did not run.
template <class Result> using CalcOutcome = std::variant<Result, InputError>;

}  // namespace grossby
