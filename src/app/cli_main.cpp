// grossby-cli: the calculators of Grossby 2018 for scripts and payroll files.

#include "app/cli_registration.h"
#include "cli/output.h"
#include "services/file_locations.h"

#include <iostream>
#include <vector>

int main(int argc, char** argv)
{
    CLI::App app{"Grossby 2018: South African employees' tax and personal finance, for the 2017/18 tax year\n"
                 "unless --year gives another ('grossby-cli years' lists them)"};
    app.name("grossby-cli");
    app.require_subcommand(1);
    app.footer("Every subcommand prints aligned results, or one JSON object with --json.\n"
               "'grossby-cli SUBCOMMAND --help' documents its options and results.\n"
               "\n"
               "Exit status:\n"
               "  0  success\n"
               "  1  the calculator rejected the input, or a file (settings store, template,\n"
               "     report, payroll file) could not be read or written: the message as it\n"
               "     stands, or {\"error\": \"...\"} with --json\n"
               "  2  a bad option or value\n"
               "\n"
               "Reports:\n"
               "  --report FILE writes the printout by FILE's extension: .pdf, .html or .odt\n"
               "  as printed, .csv or .xlsx the printed figures; other extensions are refused.");

    // Year files added beside the program or in the user's data folder.
    grossby::addTaxYearFolders();

    std::vector<grossby::cli::Runner> runners;
    for (auto& run : grossby::cli::addCalculatorCommands(app))
        runners.push_back(std::move(run));
    runners.push_back(grossby::cli::addSettingsCommand(app));
    runners.push_back(grossby::cli::addYearsCommand(app));

    return grossby::cli::checkedOutput([&] {
        try {
            app.parse(argc, argv);
        } catch (const CLI::CallForHelp& e) {
            return app.exit(e);
        } catch (const CLI::CallForAllHelp& e) {
            return app.exit(e);
        } catch (const CLI::ParseError& e) {
            // Bad option or value: name it and exit 2.
            app.exit(e);
            return 2;
        }
        for (auto& run : runners) {
            const int code = run();
            if (code >= 0)
                return code;
        }
        return 2;
    });
}
