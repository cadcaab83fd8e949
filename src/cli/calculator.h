#pragma once
// A calculator as the command line sees it: its inputs and results (from the
// calculator's tables), a pure compute function and its printout. The options,
// --help, JSON, batch columns and batch run of every subcommand are made from
// this description by code that knows no calculator (subcommand.cpp,
// batch.cpp), so a new calculator is one description and one registration.

#include "cli/input_parse.h"
#include "core/calc_outcome.h"
#include "core/input_table.h"
#include "core/print_record.h"
#include "payroll/period_print.h"

#include <cmath>
#include <cstdint>
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
};

/// One result: a JSON key and batch column, a label for people.
struct ResultInfo {
    std::string key;
    std::string label;
    std::string help;
    int decimals = 2;
    bool wholeRand = false;
    bool counts = false;  ///< a list of whole numbers rather than one figure
};

/// Where the printout goes: print table, template, preview title.
struct ReportInfo {
    std::string table;
    std::string templateName;
    std::string title;
    bool languages = false;  ///< printed in English or Afrikaans (--language)
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
};

class Calculator {
public:
    virtual ~Calculator() = default;

    std::string name;  ///< the subcommand: "monthly"
    std::string description;
    std::vector<InputInfo> inputs;  ///< the calculator's own inputs, then its settings
    std::vector<ResultInfo> results;  ///< in output order
    std::optional<ReportInfo> report;
    std::vector<std::pair<std::string, std::string>> exclusive;  ///< options that may not be given together
    bool hasSettings = false;

    /// A calculation holding the defaults, nothing given.
    virtual std::unique_ptr<Calculation> start() const = 0;

    std::optional<std::size_t> inputIndex(std::string_view key) const
    {
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            if (inputs[i].key == key)
                return i;
        }
        return std::nullopt;
    }
};

/// No settings: the calculator takes its inputs alone.
struct NoSettings { };

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
    std::vector<std::pair<std::string, std::string>> exclusive = {};
    /// The printout, when the calculator has one.
    std::optional<ReportInfo> report = std::nullopt;
    PrintRecord (*print)(const In&, const Result&, PrintLanguage) = nullptr;
};

namespace calc_detail {

template <class In, class Settings, class Result> class TableCalculator;

template <class In, class Settings, class Result> class TableCalculation final : public Calculation {
public:
    using Def = CalculatorDef<In, Settings, Result>;
    TableCalculation(const Calculator& calc, const Def& def, const std::vector<ValueRule>& rules)
        : m_calc(calc)
        , m_def(def)
        , m_rules(rules)
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
        const std::size_t own = m_def.inputs->size();
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
        // One call a row, with the per-cell work inline: a batch spends most
        // of its time here.
        const std::size_t own = m_def.inputs->size();
        for (std::size_t i = 0; i < columns.size() && i < fields.size(); ++i) {
            if (!columns[i] || trimBlanks(fields[i]).empty())
                continue;
            const std::size_t index = *columns[i];
            auto failed = index < own
                ? applyInput((*m_def.inputs)[index], m_rules[index], m_in, fields[i])
                : applyInput((*m_def.settings)[index - own], m_rules[index], m_settings, fields[i]);
            if (failed) {
                problem = std::move(*failed);
                return i;
            }
            m_given |= std::uint64_t(1) << index;
        }
        return std::nullopt;
    }

    std::optional<std::string> loadSettings() override
    {
        if (!m_def.settings)
            return std::nullopt;
        const std::size_t own = m_def.inputs->size();
        bool all = true;
        for (std::size_t i = 0; i < m_def.settings->size(); ++i)
            all = all && given(own + i);
        if (all)
            return std::nullopt;
        Settings stored{};
        if (auto error = m_def.loadSettings(stored))
            return error;
        for (std::size_t i = 0; i < m_def.settings->size(); ++i) {
            const auto& spec = (*m_def.settings)[i];
            if (!given(own + i) && spec.get && spec.set)
                spec.set(m_settings, spec.get(stored));
        }
        return std::nullopt;
    }

    bool run(std::string& rejection) override
    {
        if (m_def.prepare)
            m_def.prepare(m_in, GivenInputs(m_calc, m_given));
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
        for (const auto& spec : *m_def.results) {
            const double v = spec.get(m_result);
            if (!std::isfinite(v)) {
                rejection = std::string("The calculation gave no finite ") + spec.key + " for these figures.";
                return false;
            }
            m_numbers.push_back(v == 0 ? 0.0 : v);  // never -0
        }
        return true;
    }

    double number(std::size_t index) const override { return m_numbers[index]; }

    std::span<const double> numbers() const override { return m_numbers; }

    std::span<const int> counts(std::size_t index) const override
    {
        return m_def.counts[index - m_def.results->size()].get(m_result);
    }

    PrintRecord printRecord(PrintLanguage language) const override
    {
        return m_def.print ? m_def.print(m_in, m_result, language) : PrintRecord{};
    }

private:
    const Calculator& m_calc;
    const Def& m_def;
    const std::vector<ValueRule>& m_rules;
    In m_in;
    Settings m_settings{};
    Result m_result{};
    std::vector<double> m_numbers;  ///< the figures of m_result in result order
    std::uint64_t m_given = 0;
};

template <class In> InputInfo inputInfo(const InputSpec<In>& spec, bool setting)
{
    InputInfo info{spec.key, spec.kind, spec.typeName, spec.help, spec.required, setting};
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
        for (const auto& spec : *m_def.inputs) {
            inputs.push_back(inputInfo(spec, false));
            m_rules.push_back(ValueRule::of(spec));
        }
        if (m_def.settings) {
            hasSettings = true;
            for (const auto& spec : *m_def.settings) {
                inputs.push_back(inputInfo(spec, true));
                m_rules.push_back(ValueRule::of(spec));
            }
        }
        // Which inputs were given is kept as one bit each.
        if (inputs.size() > 64)
            throw std::logic_error("a calculator with more than 64 inputs: widen Calculation's given mask");
        for (const auto& spec : *m_def.results)
            results.push_back({spec.key, spec.label, spec.help, spec.decimals, spec.wholeRand, false});
        for (const auto& spec : m_def.counts)
            results.push_back({spec.key, spec.label, spec.help, 0, false, true});
        report = m_def.report;
        exclusive = m_def.exclusive;
    }

    std::unique_ptr<Calculation> start() const override
    {
        return std::make_unique<TableCalculation<In, Settings, Result>>(*this, m_def, m_rules);
    }

private:
    CalculatorDef<In, Settings, Result> m_def;
    std::vector<ValueRule> m_rules;  ///< how each input's value is read, made once
};

}  // namespace calc_detail

/// The command line's view of the calculator `def` describes.
template <class In, class Settings, class Result>
std::shared_ptr<const Calculator> describe(CalculatorDef<In, Settings, Result> def)
{
    return std::make_shared<calc_detail::TableCalculator<In, Settings, Result>>(std::move(def));
}

}  // namespace grossby::cli
