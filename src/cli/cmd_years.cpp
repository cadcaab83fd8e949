// grossby-cli years: the tax years the calculators can use, where each one's
// figures came from, what a year lacks, and the year files left out.

#include "cli/commands.h"
#include "core/year_figures.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace grossby::cli {

namespace {

/// The tables a year's file may leave out, by name, for the years it lacks.
std::vector<std::string> missingTables(const TaxYearFigures& y)
{
    std::vector<std::string> missing;
    if (!y.hasTravelCosts())
        missing.emplace_back("travel cost table");
    return missing;
}

std::string joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

void printJson(const std::vector<const TaxYearFigures*>& years, const std::vector<YearFileProblem>& problems)
{
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    out["default"] = taxYearLabel(kDefaultTaxYear);
    out["years"] = nlohmann::ordered_json::array();
    for (const TaxYearFigures* y : years) {
        nlohmann::ordered_json row = nlohmann::ordered_json::object();
        row["label"] = y->label;
        row["year"] = y->year;
        row["origin"] = y->origin;
        row["lacks"] = missingTables(*y);
        row["sources"] = y->sources;
        row["notes"] = y->notes;
        out["years"].push_back(row);
    }
    out["left_out"] = nlohmann::ordered_json::array();
    for (const YearFileProblem& p : problems)
        out["left_out"].push_back({{"file", p.file}, {"reason", p.message}});
    std::cout << out.dump() << '\n';
}

void printText(const std::vector<const TaxYearFigures*>& years, const std::vector<YearFileProblem>& problems,
               bool sources)
{
    std::size_t originWidth = std::string_view("Figures from").size();
    for (const TaxYearFigures* y : years)
        originWidth = std::max(originWidth, y->origin.size());
    const auto padded = [](const std::string& text, std::size_t width) {
        return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
    };
    std::cout << "Tax years available (" << taxYearLabel(kDefaultTaxYear) << " when none is chosen):\n\n";
    std::cout << "Year     Ends in  " << padded("Figures from", originWidth) << "  Lacks\n";
    for (const TaxYearFigures* y : years) {
        const std::string lacks = joined(missingTables(*y));
        std::cout << padded(y->label, 7) << "  " << padded(std::to_string(y->year), 7) << "  "
                  << padded(y->origin, originWidth) << "  " << (lacks.empty() ? "-" : lacks) << '\n';
    }
    for (const TaxYearFigures* y : years) {
        if (y->notes.empty() && (!sources || y->sources.empty()))
            continue;
        std::cout << '\n' << y->label << ":";
        if (!y->notes.empty())
            std::cout << ' ' << y->notes;
        std::cout << '\n';
        if (sources) {
            for (const std::string& s : y->sources)
                std::cout << "  - " << s << '\n';
        }
    }
    if (!problems.empty()) {
        std::cout << "\nYear files left out:\n";
        for (const YearFileProblem& p : problems)
            std::cout << "  " << p.file << ": " << p.message << '\n';
    }
}

}  // namespace

Runner addYearsCommand(CLI::App& app)
{
    struct Options {
        bool json = false;
        bool sources = false;
    };
    auto opts = std::make_shared<Options>();
    auto* cmd = app.add_subcommand("years",
                                   "List the tax years available, where their figures came from, what "
                                   "each lacks, and the year files left out");
    cmd->add_flag("--json", opts->json,
                  "Print one JSON object: the default year, every year (label, year, origin, lacks, sources, "
                  "notes) and the files left out (file, reason)");
    cmd->add_flag("--sources", opts->sources, "Also list the pages each year's figures were checked against");
    cmd->footer("A year is named by the year it ends in (2026) or its label (2025/26). Besides the years built\n"
                "in, the tool reads every <year>.json in the 'years' folder of the program's folder and of the\n"
                "user's application-data folder; a file for a year already known replaces it. A file that is\n"
                "damaged or incomplete is left out and listed with its reason; the other years stay available.\n"
                "Exit status: 0.");

    return [cmd, opts]() {
        if (!cmd->parsed())
            return -1;
        const auto years = taxYears();
        const auto problems = taxYearProblems();
        if (opts->json)
            printJson(years, problems);
        else
            printText(years, problems, opts->sources);
        return 0;
    };
}

}  // namespace grossby::cli
