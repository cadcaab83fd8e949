#include "cli/subcommand.h"

#include "cli/batch.h"
#include "cli/output.h"
#include "cli/report_output.h"
#include "core/numeric.h"
#include "services/output_file.h"

#include <algorithm>
#include <iostream>

namespace grossby::cli {

const char* const kSettingsStoreHelp =
    "Settings store: the options marked 'default: the settings store' are read from Settings.db. That is\n"
    "the program folder's Settings.db when files can be made in that folder (a portable copy); otherwise\n"
    "the one in the user's data folder (~/.local/share/Grossby/Grossby 2018), and until a copy exists\n"
    "there (made by the first change) the program folder's Settings.db when it has one, read-only.\n"
    "'grossby-cli settings' shows which file is in use.";

namespace {

int usageError(const std::string& option, const std::string& message)
{
    std::cerr << option << ": " << message << '\n' << "Run with --help for more information.\n";
    return 2;
}

std::string joinCounts(std::span<const int> counts)
{
    std::string text;
    for (const int n : counts)
        text += (text.empty() ? "" : " ") + std::to_string(n);
    return text;
}

void printCalculation(const Calculator& calc, const Calculation& calculation, bool json)
{
    std::vector<Field> fields;
    for (std::size_t i = 0; i < calc.results.size(); ++i) {
        const ResultInfo& r = calc.results[i];
        if (r.counts) {
            const auto counts = calculation.counts(i);
            if (json)
                fields.push_back({r.key, r.label, nlohmann::json(std::vector<int>(counts.begin(), counts.end()))});
            else
                fields.push_back({r.key, r.label, joinCounts(counts)});
            continue;
        }
        double value = calculation.number(i);
        if (!json && r.wholeRand)
            value = roundHalfEven(value);
        fields.push_back({r.key, r.label, value, r.decimals});
    }
    printResult(std::cout, fields, json);
}

}  // namespace

std::string calculatorFooter(const Calculator& calc)
{
    std::size_t width = 0;
    for (const ResultInfo& r : calc.results)
        width = std::max(width, r.key.size());
    std::string text = "Results (JSON keys; batch result columns):\n";
    for (const ResultInfo& r : calc.results)
        text += "  " + r.key + std::string(width - r.key.size() + 2, ' ') + r.help + "\n";
    text += "\nBatch: --batch FILE.csv runs one calculation a row, the columns named like the options without\n"
            "their dashes. The output repeats every input column and adds the result columns and 'error'; a row\n"
            "the calculator rejects keeps its input, empty results and the message in 'error', and the run goes\n"
            "on. Blank cells take the options' values or the defaults; unknown columns are copied through.\n"
            "Exit status 0 when the file was read and written to the end; 1 when it could not be, when no\n"
            "column is one the calculator reads, or when a quoted field is never closed (the row says so).";
    if (calc.hasSettings)
        text += std::string("\n\n") + kSettingsStoreHelp;
    return text;
}

Runner addCalculatorCommand(CLI::App& app, std::shared_ptr<const Calculator> calc)
{
    struct Options {
        std::vector<CLI::Option*> inputs;
        bool json = false;
        std::string batch;
        std::string out;
        std::string report;
        std::string language = "en";
        std::string footer;
    };
    auto opts = std::make_shared<Options>();
    auto* cmd = app.add_subcommand(calc->name, calc->description);
    for (const InputInfo& input : calc->inputs) {
        const std::string help = input.required ? input.help + " (required)" : input.help;
        auto* option = cmd->add_option("--" + input.key, help)->type_name(input.typeName);
        option->expected(1);
        opts->inputs.push_back(option);
    }
    for (const auto& [a, b] : calc->exclusive)
        cmd->get_option("--" + a)->excludes(cmd->get_option("--" + b));
    auto* json = cmd->add_flag("--json", opts->json, "Print one JSON object with every result at full precision");
    auto* batch = cmd->add_option("--batch", opts->batch,
                                  "Run a file of calculations: one a row, columns named like the options above "
                                  "without their dashes; '-' reads standard input")
                      ->type_name("FILE.csv");
    batch->excludes(json);
    cmd->add_option("--out", opts->out, "Where the batch results go (default: standard output)")
        ->type_name("FILE.csv")
        ->needs(batch);
    if (calc->report) {
        auto* report = addReportOption(cmd, opts->report);
        report->excludes(batch);
        if (calc->report->languages) {
            cmd->add_option("--language", opts->language,
                            "Labels of the printout: en (English, the default) or af (Afrikaans)")
                ->check(CLI::IsMember({"en", "af"}))
                ->type_name("en|af")
                ->needs(report);
        }
    }
    opts->footer = calculatorFooter(*calc);
    cmd->footer(opts->footer);

    return [cmd, opts, calc, batch]() {
        if (!cmd->parsed())
            return -1;
        const bool batchRun = batch->count() > 0;
        if (batchRun && opts->batch.empty())
            return usageError("--batch", "give a file name, or '-' for standard input");
        if (cmd->get_option("--out")->count() > 0 && opts->out.empty())
            return usageError("--out", "give a file name, or leave --out out for standard output");

        // Every option is read and checked before anything is calculated, so
        // a malformed value (exit 2) is reported whatever its place, ahead of
        // a value the calculator rejects (exit 1).
        std::unique_ptr<Calculation> base = calc->start();
        std::optional<std::string> rejection;
        for (std::size_t i = 0; i < calc->inputs.size(); ++i) {
            CLI::Option* option = opts->inputs[i];
            if (option->count() == 0) {
                if (calc->inputs[i].required && !batchRun)
                    return usageError(option->get_name(), "a value is required");
                continue;
            }
            const std::string text = option->as<std::string>();
            if (auto problem = base->set(i, text)) {
                if (problem->usage)
                    return usageError(option->get_name(), problem->message);
                if (!rejection)
                    rejection = problem->message;
            }
        }
        if (rejection) {
            printError(std::cout, std::cerr, *rejection, opts->json);
            return 1;
        }

        // A target that may not be written is refused before any work.
        for (const std::string* target : {&opts->out, &opts->report}) {
            if (target->empty())
                continue;
            const QString problem = checkOutputTarget(QString::fromStdString(*target));
            if (!problem.isEmpty()) {
                printError(std::cout, std::cerr, problem.toStdString(), opts->json);
                return 1;
            }
        }

        if (auto error = base->loadSettings()) {
            printError(std::cout, std::cerr, *error, opts->json);
            return 1;
        }
        if (batchRun)
            return runBatch(*calc, *base, opts->batch, opts->out.empty() ? "-" : opts->out, std::cerr);

        std::string message;
        if (!base->run(message)) {
            printError(std::cout, std::cerr, message, opts->json);
            return 1;
        }
        if (!opts->report.empty()) {
            const ReportInfo& info = *calc->report;
            const PrintLanguage language = opts->language == "af" ? PrintLanguage::Afrikaans : PrintLanguage::English;
            const StagedTable row{info.table, {base->printRecord(language)}};
            if (auto error = writeReport({row}, info.templateName, info.title, opts->report)) {
                printError(std::cout, std::cerr, *error, opts->json);
                return 1;
            }
        }
        printCalculation(*calc, *base, opts->json);
        return 0;
    };
}

}  // namespace grossby::cli
