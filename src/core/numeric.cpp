#include "core/numeric.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace grossby {

double roundHalfEven(double value)
{
    // nearbyint follows the current rounding mode, which is to-nearest-even
    // unless someone changed it; compute explicitly so that cannot matter.
    const double fl = std::floor(value);
    const double diff = value - fl;
    if (diff < 0.5)
        return fl;
    if (diff > 0.5)
        return fl + 1;
    return std::fmod(fl, 2.0) == 0 ? fl : fl + 1;
}

double roundHalfEven(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return roundHalfEven(value * scale) / scale;
}

double parseLeadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t digitsStart = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i;
    bool anyDigits = i > digitsStart;
    if (i < text.size() && text[i] == '.') {
        ++i;
        const std::size_t fracStart = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        anyDigits = anyDigits || i > fracStart;
    }
    if (!anyDigits)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t expStart = j;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
            ++j;
        if (j > expStart)
            i = j;
    }
    // from_chars takes no leading '+'.
    std::size_t from = start;
    if (text[from] == '+')
        ++from;
    double value = 0;
    const auto res = std::from_chars(text.data() + from, text.data() + i, value);
    if (res.ec == std::errc::result_out_of_range)
        return text[start] == '-' ? -HUGE_VAL : HUGE_VAL;
    if (res.ec != std::errc())
        return 0;
    return value;
}

IntegerOverflow::IntegerOverflow(double value)
    : std::overflow_error("Overflow: " + std::to_string(value) +
                          " does not fit a whole number between -32768 and 32767")
    , m_value(value)
{ }

std::optional<std::int16_t> tryToInteger16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = roundHalfEven(value);
    if (r < -32768 || r > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

std::int16_t toInteger16(double value)
{
    if (auto v = tryToInteger16(value))
        return *v;
    throw IntegerOverflow(value);
}

}  // namespace grossby
