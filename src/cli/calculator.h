#pragma once
// A calculator as the command line sees it: its inputs and results (from the
// calculator's tables), a pure compute function and its printout. The options,
// --help, JSON, batch columns and batch run of every subcommand are made from
// this description by code that knows no calculator (subcommand.cpp,
// batch.cpp), so a new calculator is one description and one registration.

#include "cli/input_parse.h"
#include "cli/records_file.h"
#include "core/calc_outcome.h"
#include "core/calculator_description.h"
#include "core/input_table.h"
#include "core/print_record.h"
#include "core/year_figures.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace grossby::cli {

/// One input: an option `--key` and a batch column `key`.
struct InputInfo {
    std::string key;
    InputKind kind = InputKind::Amount;
    std::string typeName;
    std::string help;
    bool required = false;
    bool setting = false;  ///< taken from the settings store when not given
    /// A records input (the option names a file): the fields of each record.
    std::vector<InputInfo> fields = {};
};

/// One result: a JSON key and batch column, a label for people.
struct ResultInfo {
    std::string key;
    std::string label;
    std::string help;
    int decimals = 2;
    bool wholeRand = false;
    bool counts = false;  ///< a list of whole numbers rather than one figure
    ResultKind kind = ResultKind::Number;
    bool list = false;  ///< a list of rows, each with the figures `columns` describe
    std::vector<ResultInfo> columns = {};
    bool across = false;  ///< a list shown as text a column per row (see ListResultSpec)
    bool first = false;  ///< a list put before the figures
};

/// One calculation being filled in, run and read: a calculator's inputs,
/// settings and outcome. The batch runner keeps one for the options given
/// and one it resets to them for every row.
class Calculation {
public:
    virtual ~Calculation() = default;
    /// Takes every input, setting and mark of "given" from `base`, a
    /// calculation of the same calculator.
    virtual void assign(const Calculation& base) = 0;
    /// Reads `text` into input `index` and marks it given.
    virtual std::optional<InputProblem> set(std::size_t index, std::string_view text) = 0;
    virtual bool given(std::size_t index) const = 0;
    /// Reads a batch row: `fields[i]` into input `columns[i]` where that is
    /// set and the cell is not blank. On the first value that cannot be
    /// taken, returns its column with the reason in `problem`.
    virtual std::optional<std::size_t> setRow(std::span<const std::optional<std::size_t>> columns,
                                              std::span<const std::string_view> fields, InputProblem& problem) = 0;
    /// The same for a record with no quotes whose cells, one for each of
    /// `columns`, are separated by commas (see CsvReader::plainRecordText()),
    /// read without splitting it first.
    virtual std::optional<std::size_t> setPlainRow(std::span<const std::optional<std::size_t>> columns,
                                                   std::string_view record, InputProblem& problem) = 0;
    /// Fills the settings not given from the settings store; the store's
    /// message when it could not be read.
    virtual std::optional<std::string> loadSettings() = 0;
    /// Runs the calculator; false with the rejection's text in `rejection`.
    virtual bool run(std::string& rejection) = 0;
    /// Result `index` of the last successful run.
    virtual double number(std::size_t index) const = 0;
    /// Every figure of the last successful run in result order, the lists
    /// left out (they come after the figures).
    virtual std::span<const double> numbers() const = 0;
    virtual std::span<const int> counts(std::size_t index) const = 0;
    virtual PrintRecord printRecord(PrintLanguage language) const = 0;
    /// Whether the inputs given go together, before a run: the message of a
    /// usage error (exit 2, or the batch row's error), or nothing.
    virtual std::optional<std::string> checkGiven() const = 0;
    /// List result `index` of the last successful run: its columns (which
    /// may depend on the inputs), rows and figures.
    virtual std::vector<ResultInfo> listColumns(std::size_t index) const = 0;
    virtual std::size_t listRows(std::size_t index) const = 0;
    virtual double listValue(std::size_t index, std::size_t row, std::size_t column) const = 0;
    /// The printout of the last successful run, or why there is nothing to
    /// print (the message the window gives, or the reason it gives none).
    virtual std::optional<std::string> printJob(PrintLanguage language, PrintJob& job) const = 0;
};

class Calculator {
public:
    virtual ~Calculator() = default;

    std::string name;  ///< the subcommand: "monthly"
    std::string description;
    std::vector<InputInfo> inputs;  ///< the calculator's own inputs, then its settings
    std::vector<ResultInfo> results;  ///< in output order
    std::optional<ReportDescriptor> report;
    std::vector<std::pair<std::string, std::string>> exclusive;  ///< options that may not be given together
    bool hasSettings = false;
    /// The results are one list (a schedule), written as CSV on standard
    /// output or to --out as .csv or .xlsx instead of labelled figures; there
    /// is no batch run.
    bool tableOutput = false;
    /// Inputs that only shape the printout: giving one without --report is a
    /// usage error.
    std::vector<std::string> reportOnly;

    /// A calculation holding the defaults, nothing given.
    virtual std::unique_ptr<Calculation> start() const = 0;

    /// The input named `key`. A batch asks for the same few keys on every
    /// row, so a key is compared only with the inputs' keys of its length.
    std::optional<std::size_t> inputIndex(std::string_view key) const
    {
        if (m_indexed != inputs.size()) {
            // Inputs not indexed (yet): each is compared in turn.
            for (std::size_t i = 0; i < inputs.size(); ++i) {
                if (inputs[i].key == key)
                    return i;
            }
            return std::nullopt;
        }
        if (key.size() >= m_byLength.size())
            return std::nullopt;
        for (const auto& [known, index] : m_byLength[key.size()]) {
            if (std::memcmp(known.data(), key.data(), key.size()) == 0)
                return index;
        }
        return std::nullopt;
    }

protected:
    /// Indexes `inputs` by key, once they are complete. A key given twice
    /// stands for its first input.
    void indexInputs()
    {
        m_byLength.clear();
        m_indexed = 0;
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            const std::string& key = inputs[i].key;
            if (key.size() >= m_byLength.size())
                m_byLength.resize(key.size() + 1);
            m_byLength[key.size()].emplace_back(key, i);
        }
        m_indexed = inputs.size();
    }

private:
    std::vector<std::vector<std::pair<std::string, std::size_t>>> m_byLength;  ///< the inputs by key length
    std::size_t m_indexed = 0;  ///< how many inputs m_byLength holds
};

using grossby::NoSettings;  ///< (core/calculator_description.h)

/// Which inputs of a calculation were given (an option or a non-blank cell).
class GivenInputs {
public:
    GivenInputs(const Calculator& calc, std::uint64_t mask)
        : m_calc(calc)
        , m_mask(mask)
    { }
    bool operator()(std::string_view key) const
    {
        const auto index = m_calc.inputIndex(key);
        return index && (m_mask >> *index & 1);
    }

private:
    const Calculator& m_calc;
    std::uint64_t m_mask;
};

/// The ResultInfo of a result table's entry.
template <class Result> ResultInfo resultInfo(const ResultSpec<Result>& desc)
{
    ResultInfo info{desc.key, desc.label, desc.help, desc.decimals, desc.wholeRand, false};
    info.kind = desc.kind;
    return info;
}

/// A result that is a list of rows (the terms of a comparison, a schedule):
/// JSON gives an array of objects, the text output a table, a batch cell
/// the JSON array.
template <class Result> struct ListResultSpec {
    const char* key = "";
    const char* label = "";
    const char* help = "";
    /// The columns of the rows for `result`, or for --help when it is null.
    std::function<std::vector<ResultInfo>(const Result*)> columns;
    std::function<std::size_t(const Result&)> rows;
    std::function<double(const Result&, std::size_t row, std::size_t column)> value;
    /// Text output: a column per row headed "<label> 1", "<label> 2", ... with
    /// the column labels down the left (a few rows of many figures, such as
    /// vehicles), instead of a line per row.
    bool across = false;
    /// Printed before the figures (text and JSON), not after them.
    bool first = false;
};

/// A list result whose rows are `Row`s, described by a row result table:
/// `table` (of the result, or for --help of null) and `rows` (of the result).
template <class Result, class Row>
ListResultSpec<Result> listResult(const char* key, const char* label, const char* help,
                                  const std::vector<ResultSpec<Row>>& (*table)(const Result*),
                                  std::span<const Row> (*rows)(const Result&))
{
    ListResultSpec<Result> desc{key, label, help, {}, {}, {}};
    desc.columns = [table](const Result* r) {
        std::vector<ResultInfo> columns;
        for (const auto& column : table(r))
            columns.push_back(resultInfo(column));
        return columns;
    };
    desc.rows = [rows](const Result& r) { return rows(r).size(); };
    desc.value = [table, rows](const Result& r, std::size_t row, std::size_t column) {
        return table(&r)[column].get(rows(r)[row]);
    };
    return desc;
}

/// An input that is a list of records read from a file named by its option
/// (`--vehicles FILE`): CSV whose first line names the fields, or a JSON array
/// of objects. Each record's fields are read through the record's own input
/// table, as options and batch cells are; anything the file holds that cannot
/// be taken is the calculator's rejection (exit 1), naming the file, the
/// record and the field, and nothing of the file is kept.
template <class In> struct RecordsInputSpec {
    struct Names {
        const char* key = "";  ///< the option without its dashes: "vehicles"
        const char* recordName = "";  ///< one record, for messages: "vehicle"
        const char* help = "";
        std::size_t maxRecords = 100000;
    };
    InputInfo info;
    std::function<std::optional<InputProblem>(In&, const std::string& path)> read;
};

/// A records input whose records are `Record`s held in `in.*Member`, their
/// fields described by `table` (blank fields keep `Record`'s defaults; a
/// field marked required must be given in every record).
template <class In, class Record, auto Member>
RecordsInputSpec<In> recordsInput(typename RecordsInputSpec<In>::Names names,
                                  const std::vector<InputSpec<Record>>& table)
{
    RecordsInputSpec<In> desc;
    desc.info.key = names.key;
    desc.info.kind = InputKind::Text;
    desc.info.typeName = "FILE";
    desc.info.help = names.help;
    desc.info.required = true;
    std::vector<std::string> keys;
    std::vector<ValueRule> rules;
    for (const InputSpec<Record>& field : table) {
        desc.info.fields.push_back({field.key, field.kind, field.typeName, field.help, field.required, false});
        keys.emplace_back(field.key);
        rules.push_back(ValueRule::of(field));
    }
    desc.read = [&table, names, keys, rules](In& in, const std::string& path) -> std::optional<InputProblem> {
        std::vector<Record> records;
        const auto take = [&](std::size_t, const RecordCells& cells) -> std::optional<std::string> {
            Record record{};
            std::vector<bool> given(table.size());
            for (const auto& [index, text] : cells) {
                if (auto problem = applyInput(table[index], rules[index], record, text))
                    return std::string(table[index].key) + ": " + problem->message;
                given[index] = true;
            }
            for (std::size_t i = 0; i < table.size(); ++i) {
                if (table[i].required && !given[i])
                    return std::string(table[i].key) + ": a value is required";
            }
            records.push_back(std::move(record));
            return std::nullopt;
        };
        if (auto problem = readRecordsFile(path, names.key, names.recordName, keys, names.maxRecords, take))
            return InputProblem{false, *problem};
        (in.*Member) = std::move(records);
        return std::nullopt;
    };
    return desc;
}

/// Everything that makes calculator `In` → `Result` a subcommand.
template <class In, class Settings, class Result> struct CalculatorDef {
    const char* name = "";
    const char* description = "";
    const std::vector<InputSpec<In>>* inputs = nullptr;
    const std::vector<ResultSpec<Result>>* results = nullptr;
    CalcOutcome<Result> (*compute)(const In&, const Settings&) = nullptr;
    In defaults{};
    /// Settings the user may give; those not given come from the store.
    const std::vector<InputSpec<Settings>>* settings = nullptr;
    std::optional<std::string> (*loadSettings)(Settings&) = nullptr;
    /// Results that are lists of whole numbers, after the figures.
    std::vector<CountsResultSpec<Result>> counts = {};
    /// Completes the inputs before a run from what was given (the annual
    /// calculator spreads --beneficiaries over the months).
    void (*prepare)(In&, const GivenInputs&) = nullptr;
    /// The same for the settings, after they are read (a UIF limit given
    /// for this calculation, rather than the store's, applies in any tax year).
    void (*prepareSettings)(Settings&, const GivenInputs&) = nullptr;
    std::vector<std::pair<std::string, std::string>> exclusive = {};
    /// The printout, when the calculator has one.
    std::optional<ReportDescriptor> report = std::nullopt;
    PrintRecord (*print)(const In&, const Result&, PrintLanguage) = nullptr;
    /// Results that are lists of rows, after the counts.
    std::vector<ListResultSpec<Result>> lists = {};
    /// Checks that the inputs given go together (a usage error's message).
    std::optional<std::string> (*check)(const In&, const GivenInputs&) = nullptr;
    /// A printout that depends on the inputs or stages several tables: fills
    /// `job` (its report set to `report` beforehand) or says why there is
    /// nothing to print. Without it the printout is `print`'s one row.
    std::optional<std::string> (*printJob)(const In&, const Result&, PrintLanguage, PrintJob&) = nullptr;
    /// See Calculator::tableOutput and Calculator::reportOnly.
    bool tableOutput = false;
    std::vector<std::string> reportOnly = {};
    /// Inputs that are files of records, after the settings.
    std::vector<RecordsInputSpec<In>> records = {};
};

namespace calc_detail {

template <class In, class Settings, class Result> class TableCalculator;

template <class In, class Settings, class Result> class TableCalculation final : public Calculation {
public:
    using Def = CalculatorDef<In, Settings, Result>;
    TableCalculation(const Calculator& calc, const Def& def, const std::vector<ValueRule>& rules,
                     const std::vector<std::size_t>& taxYearInputs)
        : m_calc(calc)
        , m_def(def)
        , m_rules(rules)
        , m_taxYearInputs(taxYearInputs)
        , m_own(def.inputs->size())
        , m_recordsStart(m_own + (def.settings ? def.settings->size() : 0))
        , m_in(def.defaults)
    { }

    void assign(const Calculation& base) override
    {
        const auto& other = static_cast<const TableCalculation&>(base);
        m_in = other.m_in;
        m_settings = other.m_settings;
        m_given = other.m_given;
    }

    std::optional<InputProblem> set(std::size_t index, std::string_view text) override
    {
        if (index >= recordsStart())
            return setRecords(index, text);
        const std::size_t own = m_own;
        auto problem = index < own ? applyInput((*m_def.inputs)[index], m_rules[index], m_in, text)
                                   : applyInput((*m_def.settings)[index - own], m_rules[index], m_settings, text);
        if (!problem)
            m_given |= std::uint64_t(1) << index;
        return problem;
    }

    bool given(std::size_t index) const override { return m_given >> index & 1; }

    std::optional<std::size_t> setRow(std::span<const std::optional<std::size_t>> columns,
                                      std::span<const std::string_view> fields, InputProblem& problem) override
    {
        // One call a row, with the per-cell work inline: a batch spends much
        // of its time here.
        for (std::size_t i = 0; i < columns.size() && i < fields.size(); ++i) {
            if (columns[i] && !isBlank(fields[i]) && !setCell(*columns[i], fields[i], problem))
                return i;
        }
        return std::nullopt;
    }

    std::optional<std::size_t> setPlainRow(std::span<const std::optional<std::size_t>> columns, std::string_view record,
                                           InputProblem& problem) override
    {
        // Each cell is read where it starts; most end where their figure or
        // date does, so only the others (names, blanks, anything written
        // another way) are looked for the comma that ends them.
        const std::size_t own = m_own;
        const char* p = record.data();
        const char* const end = p + record.size();
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const char* cellEnd = nullptr;
            if (columns[i] && *columns[i] < recordsStart()) {
                const std::size_t index = *columns[i];
                cellEnd = index < own
                    ? readPlainCell((*m_def.inputs)[index], m_rules[index], m_in, p, end)
                    : readPlainCell((*m_def.settings)[index - own], m_rules[index], m_settings, p, end);
                if (cellEnd)
                    m_given |= std::uint64_t(1) << index;
            }
            if (!cellEnd) {
                cellEnd = static_cast<const char*>(std::memchr(p, ',', static_cast<std::size_t>(end - p)));
                if (!cellEnd)
                    cellEnd = end;
                const std::string_view cell(p, static_cast<std::size_t>(cellEnd - p));
                if (columns[i] && !isBlank(cell) && !setCell(*columns[i], cell, problem))
                    return i;
            }
            if (cellEnd == end)
                break;  // a short record's missing cells are blank
            p = cellEnd + 1;
        }
        return std::nullopt;
    }

    std::optional<std::string> loadSettings() override
    {
        if (!m_def.settings)
            return std::nullopt;
        const std::size_t own = m_own;
        bool all = true;
        for (std::size_t i = 0; i < m_def.settings->size(); ++i)
            all = all && given(own + i);
        if (all)
            return std::nullopt;
        Settings stored{};
        if (auto error = m_def.loadSettings(stored))
            return error;
        for (std::size_t i = 0; i < m_def.settings->size(); ++i) {
            const auto& desc = (*m_def.settings)[i];
            if (!given(own + i) && desc.get && desc.set)
                desc.set(m_settings, desc.get(stored));
        }
        return std::nullopt;
    }

    bool run(std::string& rejection) override
    {
        followTaxYear();
        if (m_def.prepare)
            m_def.prepare(m_in, GivenInputs(m_calc, m_given));
        if (m_def.prepareSettings)
            m_def.prepareSettings(m_settings, GivenInputs(m_calc, m_given));
        auto outcome = m_def.compute(m_in, m_settings);
        if (auto* error = std::get_if<InputError>(&outcome)) {
            rejection = error->text;
            return false;
        }
        m_result = std::get<Result>(std::move(outcome));
        // The figures are read once, here. Bounded inputs keep every one
        // finite; should one ever not be, the calculation says so rather
        // than printing nan or inf.
        m_numbers.clear();
        for (const auto& desc : *m_def.results) {
            const double v = desc.get(m_result);
            if (!std::isfinite(v)) {
                rejection = std::string("The calculation gave no finite ") + desc.key + " for these figures.";
                return false;
            }
            m_numbers.push_back(v == 0 ? 0.0 : v);  // never -0
        }
        return true;
    }

    double number(std::size_t index) const override { return m_numbers[index]; }

    /// Dates not given follow a tax year that was: the default 01/03/2017
    /// becomes 01/03/2025 for 2025/26. A date already in the chosen year is
    /// left alone, so running again changes nothing.
    void followTaxYear()
    {
        const auto& table = *m_def.inputs;
        for (const std::size_t i : m_taxYearInputs) {
            if (!given(i))
                continue;
            const TaxYearFigures* from = findTaxYear(static_cast<int>(table[i].get(m_def.defaults)));
            const TaxYearFigures* to = findTaxYear(static_cast<int>(table[i].get(m_in)));
            if (!from || !to || from == to)
                return;
            for (std::size_t j = 0; j < table.size(); ++j) {
                if (table[j].kind != InputKind::Date || given(j) || !table[j].get || !table[j].set)
                    continue;
                const double day = table[j].get(m_in);
                if (from->holds(day))
                    table[j].set(m_in, sameDayInTaxYear(day, *from, *to));
            }
            return;
        }
    }

    std::span<const double> numbers() const override { return m_numbers; }

    std::span<const int> counts(std::size_t index) const override
    {
        return m_def.counts[index - m_def.results->size()].get(m_result);
    }

    PrintRecord printRecord(PrintLanguage language) const override
    {
        return m_def.print ? m_def.print(m_in, m_result, language) : PrintRecord{};
    }

    std::optional<std::string> checkGiven() const override
    {
        return m_def.check ? m_def.check(m_in, GivenInputs(m_calc, m_given)) : std::nullopt;
    }

    std::vector<ResultInfo> listColumns(std::size_t index) const override { return list(index).columns(&m_result); }

    std::size_t listRows(std::size_t index) const override { return list(index).rows(m_result); }

    double listValue(std::size_t index, std::size_t row, std::size_t column) const override
    {
        return list(index).value(m_result, row, column);
    }

    std::optional<std::string> printJob(PrintLanguage language, PrintJob& job) const override
    {
        if (!m_def.report)
            return std::string("This calculator has no printout.");
        job.report = *m_def.report;
        if (m_def.printJob)
            return m_def.printJob(m_in, m_result, language, job);
        job.tables = {StagedTable{job.report.table, {printRecord(language)}}};
        return std::nullopt;
    }

private:
    std::size_t recordsStart() const { return m_recordsStart; }

    /// Reads a cell that is not blank into input `index` and marks it given;
    /// false with the reason in `problem` when it cannot be taken.
    GROSSBY_HOT_INLINE bool setCell(std::size_t index, std::string_view text, InputProblem& problem)
    {
        const std::size_t own = m_own;
        auto failed = index >= recordsStart() ? setRecords(index, text)
            : index < own                     ? applyInput((*m_def.inputs)[index], m_rules[index], m_in, text)
                          : applyInput((*m_def.settings)[index - own], m_rules[index], m_settings, text);
        if (failed) {
            problem = std::move(*failed);
            return false;
        }
        m_given |= std::uint64_t(1) << index;
        return true;
    }

    std::optional<InputProblem> setRecords(std::size_t index, std::string_view path)
    {
        auto problem = m_def.records[index - recordsStart()].read(m_in, std::string(trimBlanks(path)));
        if (!problem)
            m_given |= std::uint64_t(1) << index;
        return problem;
    }

    const ListResultSpec<Result>& list(std::size_t index) const
    {
        return m_def.lists[index - m_def.results->size() - m_def.counts.size()];
    }

    const Calculator& m_calc;
    const Def& m_def;
    const std::vector<ValueRule>& m_rules;
    const std::vector<std::size_t>& m_taxYearInputs;  ///< the tax-year inputs among the own inputs
    const std::size_t m_own;  ///< how many of the inputs are the calculator's own (the settings follow)
    const std::size_t m_recordsStart;  ///< the first records input, after the settings
    In m_in;
    Settings m_settings{};
    Result m_result{};
    std::vector<double> m_numbers;  ///< the figures of m_result in result order
    std::uint64_t m_given = 0;
};

template <class In> InputInfo inputInfo(const InputSpec<In>& desc, bool setting)
{
    InputInfo info{desc.key, desc.kind, desc.typeName, desc.help, desc.required, setting};
    if (setting)
        info.help += " (default: the settings store)";
    return info;
}

template <class In, class Settings, class Result> class TableCalculator final : public Calculator {
public:
    explicit TableCalculator(CalculatorDef<In, Settings, Result> def)
        : m_def(std::move(def))
    {
        name = m_def.name;
        description = m_def.description;
        for (const auto& desc : *m_def.inputs) {
            if (desc.kind == InputKind::TaxYear)
                m_taxYearInputs.push_back(inputs.size());
            inputs.push_back(inputInfo(desc, false));
            m_rules.push_back(ValueRule::of(desc));
        }
        if (m_def.settings) {
            hasSettings = true;
            for (const auto& desc : *m_def.settings) {
                inputs.push_back(inputInfo(desc, true));
                m_rules.push_back(ValueRule::of(desc));
            }
        }
        for (const auto& desc : m_def.records) {
            inputs.push_back(desc.info);
            ValueRule path;  // the file's name, read as text
            path.kind = InputKind::Text;
            m_rules.push_back(path);
        }
        // Which inputs were given is kept as one bit each.
        if (inputs.size() > 64)
            throw std::logic_error("a calculator with more than 64 inputs: widen Calculation's given mask");
        for (const auto& desc : *m_def.results)
            results.push_back(resultInfo(desc));
        for (const auto& desc : m_def.counts)
            results.push_back({desc.key, desc.label, desc.help, 0, false, true});
        for (const auto& desc : m_def.lists) {
            ResultInfo info{desc.key, desc.label, desc.help, 0, false, false};
            info.list = true;
            info.columns = desc.columns(nullptr);
            info.across = desc.across;
            info.first = desc.first;
            results.push_back(std::move(info));
        }
        report = m_def.report;
        exclusive = m_def.exclusive;
        tableOutput = m_def.tableOutput;
        reportOnly = m_def.reportOnly;
        indexInputs();
    }

    std::unique_ptr<Calculation> start() const override
    {
        return std::make_unique<TableCalculation<In, Settings, Result>>(*this, m_def, m_rules, m_taxYearInputs);
    }

private:
    CalculatorDef<In, Settings, Result> m_def;
    std::vector<ValueRule> m_rules;  ///< how each input's value is read, made once
    std::vector<std::size_t> m_taxYearInputs;  ///< which own inputs are tax years (see followTaxYear())
};

}  // namespace calc_detail

/// The command line's view of the calculator `def` describes.
template <class In, class Settings, class Result>
std::shared_ptr<const Calculator> describe(CalculatorDef<In, Settings, Result> def)
{
    return std::make_shared<calc_detail::TableCalculator<In, Settings, Result>>(std::move(def));
}

}  // namespace grossby::cli
