#pragma once
// A calculator window's calculation made from its calculator's description
// (core/calculator_description.h): the form's fields bound to the input and
// result tables, the pure calculation run on the inputs they hold, the
// results shown and kept, and the printout built from them. A window that
// describes its calculation this way writes no calculate or print code.

#include "core/calculator_description.h"
#include "widgets/calculator_window.h"
#include "widgets/field_binding.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace grossby {

template <class In, class Settings, class Result> class DescribedCalculation final : public WindowCalculation {
public:
    using Description = CalculatorDescription<In, Settings, Result>;

    DescribedCalculation(QWidget* form, Description description, const std::vector<FieldKey>& inputs,
                         const std::vector<ResultField>& results)
        : m_description(std::move(description))
        , m_inputs(form, *m_description.inputs, inputs)
        , m_results(form, *m_description.results, results)
    {
        // Figures shown beside inputs changed since are greyed until the
        // next calculation.
        m_inputs.changed = [this] { m_results.setStale(true); };
    }

    /// The settings each calculation takes (the Setup panel's).
    std::function<Settings()> settings;
    /// Completes the inputs the fields hold before a calculation.
    std::function<void(In&)> prepare;
    /// Refuses inputs the calculation cannot take yet (a date still blank),
    /// before it runs: the figures go back to none until it can.
    std::function<std::optional<InputError>(const In&)> check;
    /// Runs once the results are shown (what else the window shows, or
    /// shares, of them).
    std::function<void(const Result&)> shown;

    void setTaxYear(int year) override { m_taxYear = year; }
    void markStale() override { m_results.setStale(true); }

    std::optional<InputError> run() override
    {
        In in = m_inputs.values();
        if (prepare)
            prepare(in);
        // The window's year, for a calculator whose inputs carry one.
        if constexpr (requires { in.TaxYear = 0; })
            in.TaxYear = m_taxYear;
        if (check) {
            if (auto refused = check(in)) {
                m_lastInputs = in;
                m_lastResult = Result{};
                m_results.show(m_lastResult);
                return refused;
            }
        }
        auto outcome = m_description.compute(in, settings ? settings() : Settings{});
        if (const auto* error = std::get_if<InputError>(&outcome))
            return *error;
        m_lastInputs = in;
        m_lastResult = std::get<Result>(std::move(outcome));
        m_results.show(m_lastResult);
        if (shown)
            shown(m_lastResult);
        return std::nullopt;
    }

    bool canPrint() const override
    {
        return !m_description.canPrint || m_description.canPrint(m_lastInputs, m_lastResult);
    }

    PrintJob printJob(PrintLanguage language) const override
    {
        if (m_description.printJob)
            return m_description.printJob(m_lastInputs, m_lastResult, language);
        return PrintJob::oneRow(m_description.reportFor ? m_description.reportFor(m_lastInputs) : m_description.report,
                                m_description.print(m_lastInputs, m_lastResult, language));
    }

    InputBinding<In>& inputs() { return m_inputs; }
    const In& lastInputs() const { return m_lastInputs; }
    const Result& lastResult() const { return m_lastResult; }

private:
    Description m_description;
    InputBinding<In> m_inputs;
    ResultBinding<Result> m_results;
    In m_lastInputs{};
    Result m_lastResult{};
    int m_taxYear = kDefaultTaxYear;
};

/// Makes `window`'s calculation from `description`, binding the form's
/// fields; returns it for the window's own hooks and accessors.
template <class In, class Settings, class Result>
DescribedCalculation<In, Settings, Result>&
describeCalculation(CalculatorWindow* window, CalculatorDescription<In, Settings, Result> description,
                    const std::vector<FieldKey>& inputs, const std::vector<ResultField>& results)
{
    auto calculation =
        std::make_unique<DescribedCalculation<In, Settings, Result>>(window, std::move(description), inputs, results);
    auto& made = *calculation;
    window->setCalculation(std::move(calculation));
    return made;
}

}  // namespace grossby
