#include "core/year_figures.h"

#include "core/tax_year.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace grossby {
namespace {

std::string shippedFile(const char* name)
{
    std::ifstream in(std::string(GROSSBY_SOURCE_DIR) + "/resources/years/" + name);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Replaces the first `from` of the 2017/18 file with `to`.
std::string damaged(const std::string& from, const std::string& to)
{
    std::string text = shippedFile("2018.json");
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(TaxYearFile, TheBuiltInYearIsTheDefaultWithItsDatesWorkedOut)
{
    const TaxYearFigures& y = defaultTaxYear();
    EXPECT_EQ(y.year, 2018);
    EXPECT_EQ(y.label, "2017/18");
    EXPECT_EQ(y.start, 42795);
    EXPECT_EQ(y.end, 43159);
    EXPECT_EQ(y.firstMonthEnd, 42825);
    EXPECT_EQ(y.vehicle.daysPerYear, 365);
    EXPECT_EQ(y.scale.back().upper, 9999999999.0);
    EXPECT_EQ(y.scale[1].lower, 189880);
    EXPECT_EQ(y.scale[0].upper, 189880);
    EXPECT_EQ(y.vehicle.printTravelCosts[0].upper, 80000);  // 2017/18 keeps its older print table
    EXPECT_TRUE(taxYearProblems().empty())
        << taxYearProblems().front().file << ": " << taxYearProblems().front().message;
}

TEST(TaxYearFile, EveryShippedYearLoadsWithItsLengthCeilingsAndTables)
{
    ASSERT_TRUE(taxYearProblems().empty())
        << taxYearProblems().front().file << ": " << taxYearProblems().front().message;
    std::vector<int> years;
    for (const TaxYearFigures* y : taxYears())
        years.push_back(y->year);
    EXPECT_EQ(years, (std::vector<int>{2018, 2019, 2020, 2021, 2022, 2023, 2024, 2025, 2026, 2027}));
    for (const TaxYearFigures* y : taxYears()) {
        SCOPED_TRACE(y->label);
        EXPECT_EQ(y->origin, "built in");
        EXPECT_FALSE(y->sources.empty());
        EXPECT_FALSE(y->notes.empty());
        // 2019/20 and 2023/24 end on 29 February.
        EXPECT_EQ(y->vehicle.daysPerYear, y->year == 2020 || y->year == 2024 ? 366 : 365);
        // No stored page gave the travel cost tables of 2024/25 and 2026/27.
        EXPECT_EQ(y->hasTravelCosts(), y->year != 2025 && y->year != 2027);
        if (y->year != 2018 && y->hasTravelCosts()) {
            EXPECT_EQ(y->vehicle.printTravelCosts.front().upper, y->vehicle.travelCosts.front().upper);
        }
        EXPECT_EQ(y->uifMonthlyLimit, y->year <= 2022 ? 14872 : 17712);
    }
    // 2021/22's ceiling rose on 1 June 2021.
    const TaxYearFigures* y2022 = findTaxYear(2022);
    ASSERT_TRUE(y2022);
    EXPECT_EQ(y2022->uifLimitOn(*parseDate("31/05/2021")), 14872);
    EXPECT_EQ(y2022->uifLimitOn(*parseDate("01/06/2021")), 17712);
    EXPECT_EQ(y2022->uifLimitOn(*parseDate("28/02/2022")), 17712);
    // 2026/27 raised the retirement-fund cap.
    EXPECT_EQ(findTaxYear(2026)->retirementFundCap, 350000);
    EXPECT_EQ(findTaxYear(2027)->retirementFundCap, 430000);
}

TEST(TaxYearFile, ADamagedFileIsRefusedNamingTheFigure)
{
    struct Case {
        const char* what;
        std::string text;
        const char* problem;
    };
    const Case cases[] = {
        {"not JSON", "{\"year\": 2018,", "it is not valid JSON"},
        {"a figure missing", damaged("\"tertiary\": 2493, ", ""), "rebates.tertiary is missing"},
        {"a figure of the wrong kind", damaged("\"primary\": 13635", "\"primary\": \"13635\""),
         "rebates.primary is not a number"},
        {"brackets out of order", damaged("\"above\": 296540", "\"above\": 189000"),
         "scale[2].above is not above the bracket before it"},
        {"base amounts that do not add up", damaged("\"base\": 61910", "\"base\": 61990"),
         "scale[2].base 61990 does not add up: the brackets below give 61909.6"},
        {"a label of another year", damaged("\"label\": \"2017/18\"", "\"label\": \"2018/19\""),
         "label is not \"2017/18\", the label of year 2018"},
        {"a start that is not 1 March", damaged("\"start\": \"2017-03-01\"", "\"start\": \"2017-03-02\""),
         "start is not 1 March 2017"},
        {"a UIF ceiling starting late", damaged("{ \"from\": \"2017-03-01\"", "{ \"from\": \"2017-04-01\""),
         "uifCeilings[0].from must be the year's first day"},
        {"a travel band out of order", damaged("\"upTo\": 170000", "\"upTo\": 80000"),
         "vehicle.travelCosts[1].upTo is not above the band before it"},
        {"an open band before the last", damaged("\"upTo\": 85000", "\"upTo\": null"),
         "vehicle.travelCosts[0].upTo is not a number"},
        {"a negative rate", damaged("\"rate\": 26", "\"rate\": -26"), "scale[1].rate is -26, outside 0 to 100"},
    };
    for (const Case& c : cases) {
        std::string problem;
        EXPECT_FALSE(readTaxYear(c.text, "test", problem)) << c.what;
        EXPECT_EQ(problem, c.problem) << c.what;
    }
}

TEST(TaxYearFile, AYearWithoutATravelTableLoadsAndSaysSo)
{
    std::string text = shippedFile("2018.json");
    const auto from = text.find("\"travelCosts\"");
    const auto to = text.find("\"carBenefit\"");
    text.erase(from, to - from);
    std::string problem;
    const auto y = readTaxYear(text, "test", problem);
    ASSERT_TRUE(y) << problem;
    EXPECT_FALSE(y->hasTravelCosts());
    EXPECT_TRUE(y->vehicle.printTravelCosts.empty());
}

TEST(TaxYearFile, TheUifCeilingFollowsThePeriodsDate)
{
    std::string text = damaged("[ { \"from\": \"2017-03-01\", \"monthly\": 14872 } ]",
                               "[ { \"from\": \"2017-03-01\", \"monthly\": 14872 }, "
                               "{ \"from\": \"2017-06-01\", \"monthly\": 17712 } ]");
    std::string problem;
    const auto y = readTaxYear(text, "test", problem);
    ASSERT_TRUE(y) << problem;
    EXPECT_EQ(y->uifMonthlyLimit, 14872);
    EXPECT_EQ(y->uifLimitOn(*parseDate("31/05/2017")), 14872);
    EXPECT_EQ(y->uifLimitOn(*parseDate("01/06/2017")), 17712);
}

TEST(TaxYearText, ReadsBothFormsAndLabels)
{
    EXPECT_EQ(parseTaxYear("2026"), 2026);
    EXPECT_EQ(parseTaxYear(" 2025/26 "), 2026);
    EXPECT_EQ(parseTaxYear("2025-26"), 2026);
    EXPECT_EQ(parseTaxYear("2099/00"), 2100);
    for (const char* bad : {"", "26", "2025/27", "2025/2026", "20x6", "2025/6"})
        EXPECT_FALSE(parseTaxYear(bad)) << bad;
    EXPECT_EQ(taxYearLabel(2018), "2017/18");
    EXPECT_EQ(taxYearLabel(2100), "2099/00");
    EXPECT_EQ(taxYearLabel(2010), "2009/10");
}

TEST(TaxYearText, ADayMovesToTheSameDayOfAnotherYear)
{
    TaxYearFigures from;
    from.year = 2018;
    from.end = *parseDate("28/02/2018");
    TaxYearFigures leap;
    leap.year = 2020;
    leap.end = *parseDate("29/02/2020");
    EXPECT_EQ(formatDate(sameDayInTaxYear(*parseDate("01/03/2017"), from, leap)), "01/03/2019");
    EXPECT_EQ(formatDate(sameDayInTaxYear(*parseDate("31/03/2017"), from, leap)), "31/03/2019");
    EXPECT_EQ(formatDate(sameDayInTaxYear(from.end, from, leap)), "29/02/2020");
    EXPECT_EQ(formatDate(sameDayInTaxYear(leap.end, leap, from)), "28/02/2018");
}

// A year replaced from a folder is what every thread finds from then on,
// also one that looked the year up before; figures handed out stay valid.
TEST(TaxYearRegistry, AYearReplacedLaterIsFoundOnEveryThread)
{
    const TaxYearFigures* before = findTaxYear(2027);
    ASSERT_TRUE(before);
    EXPECT_EQ(findTaxYear(1999), nullptr);
    std::promise<const TaxYearFigures*> firstLook;
    std::promise<void> replaced;
    const TaxYearFigures* afterOnThread = nullptr;
    std::thread other([&, replacedFuture = replaced.get_future()] {
        firstLook.set_value(findTaxYear(2027));
        replacedFuture.wait();
        afterOnThread = findTaxYear(2027);
    });
    EXPECT_EQ(firstLook.get_future().get(), before);

    const auto folder =
        std::filesystem::temp_directory_path() / ("grossby_year_registry_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto file = folder / "2027.json";
    std::ofstream(file) << shippedFile("2027.json");
    addTaxYearFolder(folder);
    replaced.set_value();
    other.join();
    std::filesystem::remove_all(folder);

    const TaxYearFigures* after = findTaxYear(2027);
    ASSERT_TRUE(after);
    EXPECT_NE(after, before);
    EXPECT_EQ(after->origin, file.string());
    EXPECT_EQ(afterOnThread, after);
    EXPECT_EQ(before->year, 2027);
    EXPECT_EQ(findTaxYear(1999), nullptr);
}

}  // namespace
}  // namespace grossby
