#pragma once
// Rounding, the input fields' number parse, and conversion to 16-bit integers.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace grossby {

/// Rounds to the nearest whole number, halves to the even neighbour
/// (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

/// Rounds to `decimals` places, halves to even (on the scaled value).
double roundHalfEven(double value, int decimals);

/// The input fields' parse: the number at the start of the text (after
/// leading blanks: optional sign, digits, optional decimal part and exponent),
/// or 0 when the text does not start with one. "12abc" is 12, "abc" is 0.
double parseLeadingNumber(std::string_view text);

/// Raised when a value does not fit the 16-bit Integer it must be stored in.
class IntegerOverflow : public std::overflow_error {
public:
    explicit IntegerOverflow(double value);
    double value() const { return m_value; }

private:
    double m_value;
};

/// The value rounded half to even as a 16-bit Integer, or nothing when it
/// does not fit in -32768..32767 (or is not a number).
std::optional<std::int16_t> tryToInteger16(double value);

/// As tryToInteger16, but raises IntegerOverflow instead of wrapping.
std::int16_t toInteger16(double value);

}  // namespace grossby
