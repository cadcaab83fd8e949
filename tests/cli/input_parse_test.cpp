#include "cli/input_parse.h"

#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>

namespace grossby::cli {
namespace {

// What the parser took before it read plain decimals itself: std::from_chars
// on the whole text, finite values only.
std::optional<double> fromChars(std::string_view text)
{
    double value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Plain decimals read to the same double, sign of zero included, as
// std::from_chars reads them; what is not plain is left to it.
TEST(InputParse, PlainDecimalsReadAsFromCharsReadsThem)
{
    std::vector<std::string> texts = {"0",
                                      "-0",
                                      "0.0",
                                      "-0.00",
                                      "20000",
                                      "1234.56",
                                      "999999999999.99",
                                      "0.1",
                                      "2.675",
                                      "123456789012345",
                                      "1234567890123456",
                                      "0.000000000000001",
                                      "5.",
                                      ".5",
                                      "-",
                                      "",
                                      "1e6",
                                      "12a",
                                      "1.2.3",
                                      "--1",
                                      "1,5",
                                      "007.50"};
    std::mt19937_64 rng(1718);
    for (int i = 0; i < 200000; ++i) {
        std::string text = rng() % 8 == 0 ? "-" : "";
        const int whole = 1 + static_cast<int>(rng() % 16);
        for (int d = 0; d < whole; ++d)
            text += static_cast<char>('0' + rng() % 10);
        if (rng() % 3) {
            text += '.';
            const int fraction = 1 + static_cast<int>(rng() % 8);
            for (int d = 0; d < fraction; ++d)
                text += static_cast<char>('0' + rng() % 10);
        }
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        const auto expected = fromChars(text);
        const auto got = parseDecimal(text);
        ASSERT_EQ(got.has_value(), expected.has_value()) << text;
        if (got) {
            ASSERT_EQ(*got, *expected) << text;
            ASSERT_EQ(std::signbit(*got), std::signbit(*expected)) << text;
        }
    }
    EXPECT_EQ(parseDecimal(" +12.5\t"), 12.5);
    EXPECT_FALSE(parseDecimal("+-1"));
    EXPECT_FALSE(parseDecimal("inf"));
    EXPECT_FALSE(parseDecimal("0x10"));
}

}  // namespace
}  // namespace grossby::cli
