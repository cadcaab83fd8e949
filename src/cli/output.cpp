#include "cli/output.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <ostream>

namespace grossby::cli {

int checkedOutput(const std::function<int()>& run)
{
    int code = run();
    errno = 0;
    std::cout.flush();
    const bool flushFailed = std::fflush(stdout) != 0;
    const int why = errno;
    if (flushFailed || !std::cout || std::ferror(stdout)) {
        std::cerr << "The results could not be written to standard output"
                  << (why ? std::string(": ") + std::strerror(why) : std::string()) << '\n';
        if (code == 0 || code == 1)
            code = 1;
    }
    return code;
}

std::string formatAmount(double value, int decimals)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(value));
    std::string digits(buf);
    const auto dot = digits.find('.');
    std::string whole = digits.substr(0, dot);
    const std::string frac = dot == std::string::npos ? "" : digits.substr(dot);
    std::string grouped;
    int count = 0;
    for (auto it = whole.rbegin(); it != whole.rend(); ++it) {
        if (count && count % 3 == 0)
            grouped.insert(grouped.begin(), ' ');
        grouped.insert(grouped.begin(), *it);
        ++count;
    }
    const bool negative = value < 0 && std::string(buf).find_first_not_of("0.") != std::string::npos;
    return (negative ? "-" : "") + grouped + frac;
}

void printResult(std::ostream& out, const std::vector<Field>& fields, bool json)
{
    if (json) {
        nlohmann::ordered_json obj = nlohmann::ordered_json::object();
        for (const auto& f : fields)
            obj[f.key] = f.value;
        out << obj.dump() << '\n';
        return;
    }
    std::size_t width = 0;
    for (const auto& f : fields)
        width = std::max(width, f.label.size());
    for (const auto& f : fields) {
        std::string text;
        if (f.value.is_number_float() || (f.value.is_number() && f.decimals > 0))
            text = formatAmount(f.value.get<double>(), f.decimals);
        else if (f.value.is_number())
            text = std::to_string(f.value.get<long long>());
        else if (f.value.is_string())
            text = f.value.get<std::string>();
        else
            text = f.value.dump();
        out << f.label << std::string(width - f.label.size() + 2, ' ') << text << '\n';
    }
}

void printError(std::ostream& out, std::ostream& err, const std::string& message, bool json)
{
    if (json)
        out << nlohmann::json{{"error", message}}.dump() << '\n';
    else
        err << message << '\n';
}

}  // namespace grossby::cli
