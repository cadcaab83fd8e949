#include "cli/subcommand.h"

#include "cli/batch.h"
#include "cli/csv.h"
#include "cli/output.h"
#include "cli/report_output.h"
#include "core/numeric.h"
#include "services/output_file.h"

#include <algorithm>
#include <cmath>
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

// A figure as JSON: true or false for a yes/no answer, an integer for a
// whole number, else the number at full precision.
nlohmann::json jsonFigure(const ResultInfo& r, double value)
{
    if (r.kind == ResultKind::YesNo)
        return value != 0;
    if (r.kind == ResultKind::Whole && std::fabs(value) < 9e15)
        return static_cast<long long>(value);
    return value;
}

// List result `index` as a JSON array of objects, keys in column order.
nlohmann::ordered_json jsonList(const Calculation& calculation, std::size_t index)
{
    const std::vector<ResultInfo> columns = calculation.listColumns(index);
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    for (std::size_t row = 0; row < calculation.listRows(index); ++row) {
        nlohmann::ordered_json obj = nlohmann::ordered_json::object();
        for (std::size_t c = 0; c < columns.size(); ++c)
            obj[columns[c].key] = jsonFigure(columns[c], calculation.listValue(index, row, c));
        rows.push_back(std::move(obj));
    }
    return rows;
}

// A figure as people read it, as the window shows it.
std::string shownFigure(const ResultInfo& r, double value)
{
    if (r.kind == ResultKind::YesNo)
        return value != 0 ? "yes" : "no";
    if (r.kind == ResultKind::Whole || r.decimals == 0)
        return formatAmount(value, 0);
    return formatAmount(r.wholeRand ? roundHalfEven(value) : value, r.decimals);
}

// List result `index` as an aligned table under its column labels.
void printList(std::ostream& out, const Calculation& calculation, std::size_t index)
{
    const std::vector<ResultInfo> columns = calculation.listColumns(index);
    std::vector<std::vector<std::string>> cells(1);
    for (const ResultInfo& c : columns)
        cells[0].push_back(c.label);
    for (std::size_t row = 0; row < calculation.listRows(index); ++row) {
        cells.emplace_back();
        for (std::size_t c = 0; c < columns.size(); ++c)
            cells.back().push_back(shownFigure(columns[c], calculation.listValue(index, row, c)));
    }
    std::vector<std::size_t> width(columns.size());
    for (const auto& line : cells) {
        for (std::size_t c = 0; c < line.size(); ++c)
            width[c] = std::max(width[c], line[c].size());
    }
    for (const auto& line : cells) {
        std::string text;
        for (std::size_t c = 0; c < line.size(); ++c)
            text += (c ? "  " : "") + std::string(width[c] - line[c].size(), ' ') + line[c];
        out << text << '\n';
    }
}

// List result `index` as a table with a column per row, headed "<label> 1",
// "<label> 2", ..., and the column labels down the left.
void printListAcross(std::ostream& out, const Calculation& calculation, std::size_t index, const std::string& label)
{
    const std::vector<ResultInfo> columns = calculation.listColumns(index);
    const std::size_t rows = calculation.listRows(index);
    std::vector<std::vector<std::string>> cells(columns.size() + 1);
    cells[0].push_back("");
    for (std::size_t row = 0; row < rows; ++row)
        cells[0].push_back(label + " " + std::to_string(row + 1));
    for (std::size_t c = 0; c < columns.size(); ++c) {
        cells[c + 1].push_back(columns[c].label);
        for (std::size_t row = 0; row < rows; ++row)
            cells[c + 1].push_back(shownFigure(columns[c], calculation.listValue(index, row, c)));
    }
    std::vector<std::size_t> width(rows + 1);
    for (const auto& line : cells) {
        for (std::size_t k = 0; k < line.size(); ++k)
            width[k] = std::max(width[k], line[k].size());
    }
    for (const auto& line : cells) {
        std::string text = line[0] + std::string(width[0] - line[0].size(), ' ');
        for (std::size_t k = 1; k < line.size(); ++k)
            text += "  " + std::string(width[k] - line[k].size(), ' ') + line[k];
        out << text << '\n';
    }
}

void printCalculation(const Calculator& calc, const Calculation& calculation, bool json)
{
    std::vector<Field> fields;
    std::vector<std::size_t> lists;
    for (std::size_t i = 0; i < calc.results.size(); ++i) {
        const ResultInfo& r = calc.results[i];
        if (r.list) {
            lists.push_back(i);
            continue;
        }
        if (r.kind != ResultKind::Number) {
            const double value = calculation.number(i);
            fields.push_back({r.key, r.label, json ? jsonFigure(r, value) : nlohmann::json(shownFigure(r, value)), 0});
            continue;
        }
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
    if (lists.empty()) {
        printResult(std::cout, fields, json);
        return;
    }
    if (json) {
        nlohmann::ordered_json obj = nlohmann::ordered_json::object();
        for (const std::size_t i : lists) {
            if (calc.results[i].first)
                obj[calc.results[i].key] = jsonList(calculation, i);
        }
        for (const auto& f : fields)
            obj[f.key] = f.value;
        for (const std::size_t i : lists) {
            if (!calc.results[i].first)
                obj[calc.results[i].key] = jsonList(calculation, i);
        }
        std::cout << obj.dump() << '\n';
        return;
    }
    bool started = false;
    const auto printOne = [&](std::size_t i) {
        if (started)
            std::cout << '\n';
        started = true;
        if (calc.results[i].across)
            printListAcross(std::cout, calculation, i, calc.results[i].label);
        else
            printList(std::cout, calculation, i);
    };
    for (const std::size_t i : lists) {
        if (calc.results[i].first)
            printOne(i);
    }
    if (!fields.empty()) {
        if (started)
            std::cout << '\n';
        started = true;
        printResult(std::cout, fields, false);
    }
    for (const std::size_t i : lists) {
        if (!calc.results[i].first)
            printOne(i);
    }
}

// The first list result of a table-output calculator, as the columns and
// rows of a file.
FigureTable figureTable(const Calculator& calc, const Calculation& calculation)
{
    FigureTable table;
    for (std::size_t i = 0; i < calc.results.size(); ++i) {
        if (!calc.results[i].list)
            continue;
        for (const ResultInfo& c : calculation.listColumns(i)) {
            table.columns.push_back(c.key);
            table.whole.push_back(c.kind != ResultKind::Number);
        }
        for (std::size_t row = 0; row < calculation.listRows(i); ++row) {
            table.rows.emplace_back();
            for (std::size_t c = 0; c < table.columns.size(); ++c)
                table.rows.back().push_back(calculation.listValue(i, row, c));
        }
        break;
    }
    return table;
}

}  // namespace

std::string calculatorFooter(const Calculator& calc)
{
    std::size_t width = 0;
    for (const ResultInfo& r : calc.results)
        width = std::max(width, r.key.size());
    std::string text = "Results (JSON keys; batch result columns):\n";
    for (const ResultInfo& r : calc.results) {
        text += "  " + r.key + std::string(width - r.key.size() + 2, ' ') + r.help + "\n";
        // A list's columns, the keys of each of its objects.
        std::size_t inner = 0;
        for (const ResultInfo& c : r.columns)
            inner = std::max(inner, c.key.size());
        for (const ResultInfo& c : r.columns)
            text += "    " + c.key + std::string(inner - c.key.size() + 2, ' ') + c.help + "\n";
    }
    for (const InputInfo& input : calc.inputs) {
        if (input.fields.empty())
            continue;
        // A file of records: the fields each record may have.
        std::size_t inner = 0;
        for (const InputInfo& f : input.fields)
            inner = std::max(inner, f.key.size() + f.typeName.size() + 1);
        text += "\nFields of --" + input.key +
            " FILE (CSV columns or JSON keys; a field left out or blank takes its default):\n";
        for (const InputInfo& f : input.fields) {
            const std::string name = f.key + " " + f.typeName;
            text += "  " + name + std::string(inner - name.size() + 2, ' ') + f.help +
                (f.required ? " (required)" : "") + "\n";
        }
    }
    if (calc.tableOutput) {
        text += "\nThe table goes to standard output as CSV, or with --out FILE to a .csv or .xlsx file.";
    } else {
        text += "\nBatch: --batch FILE.csv runs one calculation a row, the columns named like the options without\n"
                "their dashes. The output repeats every input column and adds the result columns and 'error'; a row\n"
                "the calculator rejects keeps its input, empty results and the message in 'error', and the run goes\n"
                "on. Blank cells take the options' values or the defaults; unknown columns are copied through.\n"
                "Exit status 0 when the file was read and written to the end; 1 when it could not be, when no\n"
                "column is one the calculator reads, or when a quoted field is never closed (the row says so).";
    }
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
        if (input.kind == InputKind::Flag) {
            // A switch: given, it stores its value ("yes" to the parser).
            opts->inputs.push_back(cmd->add_flag("--" + input.key, help));
            continue;
        }
        auto* option = cmd->add_option("--" + input.key, help)->type_name(input.typeName);
        option->expected(1);
        if (input.kind == InputKind::Items)
            option->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);  // once for each entry
        opts->inputs.push_back(option);
    }
    for (const auto& [a, b] : calc->exclusive)
        cmd->get_option("--" + a)->excludes(cmd->get_option("--" + b));
    auto* json = cmd->add_flag("--json", opts->json, "Print one JSON object with every result at full precision");
    CLI::Option* batch = nullptr;
    if (calc->tableOutput) {
        // The list is the output: CSV on standard output, or --out as CSV or Excel.
        const CLI::Validator tableFormat(
            [](std::string& name) -> std::string {
                const auto dot = name.rfind('.');
                std::string suffix = dot == std::string::npos ? "" : name.substr(dot + 1);
                for (char& c : suffix)
                    c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
                return suffix == "csv" || suffix == "xlsx" ? "" : "the file must end in .csv or .xlsx: " + name;
            },
            "FILE.{csv,xlsx}");
        cmd->add_option("--out", opts->out,
                        "Write the table to FILE (CSV or Excel, by the extension) instead of standard output")
            ->check(tableFormat)
            ->excludes(json);
    } else {
        batch = cmd->add_option("--batch", opts->batch,
                                "Run a file of calculations: one a row, columns named like the options above "
                                "without their dashes; '-' reads standard input")
                    ->type_name("FILE.csv");
        batch->excludes(json);
        cmd->add_option("--out", opts->out, "Where the batch results go (default: standard output)")
            ->type_name("FILE.csv")
            ->needs(batch);
    }
    if (calc->report) {
        auto* report = addReportOption(cmd, opts->report);
        if (batch)
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
        const bool batchRun = batch && batch->count() > 0;
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
            std::string text;
            if (calc->inputs[i].kind == InputKind::Items) {
                // One entry for each use of the option; the parser reads them
                // separated by ';', as a batch cell holds them.
                for (const std::string& entry : option->results()) {
                    if (entry.find(';') != std::string::npos)
                        return usageError(option->get_name(), "'" + entry + "': give one entry each time, without ';'");
                    text += (text.empty() ? "" : ";") + entry;
                }
            } else {
                text = calc->inputs[i].kind == InputKind::Flag ? "yes" : option->as<std::string>();
            }
            if (auto problem = base->set(i, text)) {
                if (problem->usage)
                    return usageError(option->get_name(), problem->message);
                if (!rejection)
                    rejection = problem->message;
            }
        }
        for (const std::string& key : calc->reportOnly) {
            if (opts->report.empty() && cmd->get_option("--" + key)->count() > 0)
                return usageError("--" + key, "it shapes the printout: give it with --report FILE");
        }
        if (rejection) {
            printError(std::cout, std::cerr, *rejection, opts->json);
            return 1;
        }
        if (!batchRun) {
            if (auto problem = base->checkGiven())
                return usageError(calc->name, *problem);
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
            const PrintLanguage language = opts->language == "af" ? PrintLanguage::Afrikaans : PrintLanguage::English;
            PrintJob job;
            std::optional<std::string> error = base->printJob(language, job);
            if (!error)
                error = writeReport(job.tables, job.report.templateName, job.report.previewTitle, opts->report);
            if (error) {
                printError(std::cout, std::cerr, *error, opts->json);
                return 1;
            }
        }
        if (calc->tableOutput && !opts->json) {
            const FigureTable table = figureTable(*calc, *base);
            if (!opts->out.empty()) {
                if (auto error = writeTableFile(table, opts->out)) {
                    printError(std::cout, std::cerr, *error, false);
                    return 1;
                }
                return 0;
            }
            CsvWriter writer(stdout);
            for (const std::string& column : table.columns)
                writer.field(column);
            writer.endRecord();
            for (const auto& row : table.rows) {
                for (std::size_t c = 0; c < row.size(); ++c) {
                    if (table.whole[c])
                        writer.integer(static_cast<long long>(row[c]));
                    else
                        writer.number(row[c]);
                }
                writer.endRecord();
            }
            writer.finish();
            return 0;
        }
        printCalculation(*calc, *base, opts->json);
        return 0;
    };
}

}  // namespace grossby::cli
