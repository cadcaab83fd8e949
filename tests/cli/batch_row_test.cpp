// A batch row read from its record as it stands (setPlainRow) takes the same
// values, marks the same inputs given and refuses the same cells with the
// same messages as the row split into cells first (setRow).

#include "cli/calculator.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace grossby::cli {
namespace {

struct RowInputs {
    std::string name;
    double amount = 0;
    double percent = 0;
    int age = 0;
    double day = 42795;
    int rounded = 0;
    double rate = 0.8;
};

// Every input again, as figures: the name by its length.
struct RowFigures {
    double nameLength = 0;
    double amount = 0;
    double percent = 0;
    double age = 0;
    double day = 0;
    double rounded = 0;
    double rate = 0;
};

const std::vector<InputSpec<RowInputs>>& rowInputs()
{
    static const std::vector<InputSpec<RowInputs>> table = {
        inputAt<RowInputs, &RowInputs::name>({.key = "name", .kind = InputKind::Text}),
        inputAt<RowInputs, &RowInputs::amount>({.key = "amount", .kind = InputKind::Amount, .min = -1000}),
        inputAt<RowInputs, &RowInputs::percent>(
            {.key = "percent", .kind = InputKind::Percent, .max = 100, .rangeText = "A percentage up to 100."}),
        inputAt<RowInputs, &RowInputs::age>({.key = "age", .kind = InputKind::Whole, .max = 150}),
        inputAt<RowInputs, &RowInputs::day>({.key = "day", .kind = InputKind::Date, .min = 0, .max = 1e6}),
        inputAt<RowInputs, &RowInputs::rounded>(
            {.key = "rounded", .kind = InputKind::Whole, .max = 150, .rounds = true}),
        inputAt<RowInputs, &RowInputs::rate>({.key = "rate", .kind = InputKind::Rate, .choices = {0.8, 0.2}}),
    };
    return table;
}

const std::vector<ResultSpec<RowFigures>>& rowFigures()
{
    static const std::vector<ResultSpec<RowFigures>> table = {
        resultAt<RowFigures, &RowFigures::nameLength>("name_length", ""),
        resultAt<RowFigures, &RowFigures::amount>("amount", ""),
        resultAt<RowFigures, &RowFigures::percent>("percent", ""),
        resultAt<RowFigures, &RowFigures::age>("age", ""),
        resultAt<RowFigures, &RowFigures::day>("day", ""),
        resultAt<RowFigures, &RowFigures::rounded>("rounded", ""),
        resultAt<RowFigures, &RowFigures::rate>("rate", ""),
    };
    return table;
}

CalcOutcome<RowFigures> echo(const RowInputs& in, const NoSettings&)
{
    return RowFigures{static_cast<double>(in.name.size()), in.amount, in.percent, static_cast<double>(in.age), in.day,
                      static_cast<double>(in.rounded),     in.rate};
}

std::vector<std::string_view> splitAtCommas(std::string_view record)
{
    std::vector<std::string_view> cells;
    for (std::size_t from = 0;;) {
        const std::size_t comma = record.find(',', from);
        cells.push_back(record.substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from));
        if (comma == std::string_view::npos)
            return cells;
        from = comma + 1;
    }
}

// What reading a row left: the column refused and why, the inputs given,
// and every input's value (bit for bit, so -0 shows).
struct Outcome {
    std::optional<std::size_t> refused;
    std::string problem;
    std::uint64_t given = 0;
    std::vector<std::uint64_t> values;
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Outcome& o)
{
    os << "refused " << (o.refused ? std::to_string(*o.refused) : "-") << " '" << o.problem << "' given " << o.given
       << " values";
    for (const auto v : o.values)
        os << ' ' << std::bit_cast<double>(v);
    return os;
}

TEST(BatchRow, ARecordReadAsItStandsReadsAsItsCells)
{
    const auto calc = describe(CalculatorDef<RowInputs, NoSettings, RowFigures>{
        .name = "row", .inputs = &rowInputs(), .results = &rowFigures(), .compute = &echo});
    // The file's columns: one the calculator does not read, between the others.
    const std::vector<std::optional<std::size_t>> columns = {0, 1, std::nullopt, 2, 3, 4, 5, 6};
    const std::vector<std::string> records = {
        "Ann,100.50,x,12.5,40,01/03/2017,40.5,0.8",
        "Ann,-0,x,0.000,0,31/12/2017,0,80",
        " Ann ,1e3,x, 12.5,0040,1/3/2017,40.4,20",
        "\tBen\t,-12.25\t,x,\t1,7\t,01/03/2017\t,\t2,0.2",
        ",,,,,,,",
        "Cy,,x,,,,,",
        "Di,999999999999.99,x,100,150,29/02/2016,150,0.8",
        "Ed,1000000000000,x,100.001,151,29/02/2017,151,0.5",
        "Fa,-1000.01,x,-1,-1,00/01/2017,-1,",
        "Gi,1234567890123456,x,5.,.5,2017/03/01,1.5,",
        "Ha,123456789012345,x,0.000000000000001,4.0,01/03/201,2.5,",
        "Io,12a,x,+5,0x10,01/13/2017,1e2,",
        "Jo,1,x,inf,nan,01/03/20177,,yes",
        "Ka,--1,x,1.2.3,4 2,1/03/2017,,",
        "Li,5",
        "Mo,1,x,2,3,01/03/2017,4,0.8,extra,cells",
    };
    for (const std::string& record : records) {
        const auto read = [&](bool plain) {
            const auto row = calc->start();
            InputProblem problem;
            const auto cells = splitAtCommas(record);
            Outcome o;
            o.refused = plain ? row->setPlainRow(columns, record, problem) : row->setRow(columns, cells, problem);
            o.problem = (problem.usage ? "usage: " : "") + problem.message;
            for (std::size_t i = 0; i < calc->inputs.size(); ++i)
                o.given |= std::uint64_t(row->given(i)) << i;
            std::string rejection;
            if (!o.refused && row->run(rejection)) {
                for (const double v : row->numbers())
                    o.values.push_back(std::bit_cast<std::uint64_t>(v));
            }
            return o;
        };
        const Outcome split = read(false);
        EXPECT_EQ(read(true), split) << record;
        // The table holds both kinds: rows taken whole and rows refused.
        EXPECT_TRUE(split.refused || !split.values.empty()) << record;
    }
}

// Keys are looked up among those of the same length: several inputs here
// share a length (name/rate, age/day, percent/rounded).
TEST(BatchRow, InputsAreFoundByTheirWholeKey)
{
    const auto calc = describe(CalculatorDef<RowInputs, NoSettings, RowFigures>{
        .name = "row", .inputs = &rowInputs(), .results = &rowFigures(), .compute = &echo});
    for (std::size_t i = 0; i < calc->inputs.size(); ++i)
        EXPECT_EQ(calc->inputIndex(calc->inputs[i].key), i) << calc->inputs[i].key;
    for (const std::string_view stranger : {"", "nam", "names", "Name", "rat", "agee", "percents", "a-very-long-key"})
        EXPECT_EQ(calc->inputIndex(stranger), std::nullopt) << stranger;
    EXPECT_EQ(calc->inputIndex(std::string_view("rate\0", 5)), std::nullopt);
}

}  // namespace
}  // namespace grossby::cli
