// grossby-cli settings: shows the settings store the period subcommands and
// the windows read, and changes its values with the checks of the Setup panel.

#include "cli/commands.h"
#include "cli/output.h"
#include "core/year_figures.h"
#include "services/file_locations.h"
#include "services/settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace grossby::cli {

namespace {

enum class SettingKind { Number, Rate, Flag };

struct Setting {
    const char* name;  ///< the column of the store, and NAME of --set
    const char* label;
    SettingKind kind;
    double SetupValues::*number;  ///< null for the flag
    double max = 0;  ///< largest number taken, from 0 (Number only)
};

// The ranges the settings store accepts when it reads a value back: a value
// beyond them would make the store unusable, so it is never written.
constexpr double kMaxPercent = 100;
constexpr double kMaxUifLimit = 1e9;

// In the order of the store's columns.
constexpr std::array<Setting, 11> kSettings{{
    {"EmployeeUIF", "Employee UIF portion %", SettingKind::Number, &SetupValues::EmployeeUIF, kMaxPercent},
    {"EmployerUIF", "Employer UIF portion %", SettingKind::Number, &SetupValues::EmployerUIF, kMaxPercent},
    {"SkillLevy", "Skills levy %", SettingKind::Number, &SetupValues::SkillLevy, kMaxPercent},
    {"UIFLimit", "UIF monthly limit, rand", SettingKind::Number, &SetupValues::UIFLimit, kMaxUifLimit},
    {"TAIncRate8020", "Travel allowance inclusion rate, 0.8 or 0.2", SettingKind::Rate, &SetupValues::TAIncRate8020},
    {"PensionCont", "Employee pension fund contribution %", SettingKind::Number, &SetupValues::PensionCont,
     kMaxPercent},
    {"EmployerPenCont", "Employer pension fund contribution %", SettingKind::Number, &SetupValues::EmployerPenCont,
     kMaxPercent},
    {"ProvCont", "Employee provident fund contribution %", SettingKind::Number, &SetupValues::ProvCont, kMaxPercent},
    {"EmployerProvCont", "Employer provident fund contribution %", SettingKind::Number, &SetupValues::EmployerProvCont,
     kMaxPercent},
    {"CompCarFBRate8020", "Company car fringe benefit inclusion rate, 0.8 or 0.2", SettingKind::Rate,
     &SetupValues::CompCarFBRate8020},
    {"CompCarMPYesNo", "Company car has a maintenance plan, yes or no", SettingKind::Flag, nullptr},
}};

const Setting* findSetting(const std::string& name)
{
    const auto same = [&name](const Setting& s) {
        const std::string_view other(s.name);
        return other.size() == name.size() && std::equal(other.begin(), other.end(), name.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
               });
    };
    const auto it = std::find_if(kSettings.begin(), kSettings.end(), same);
    return it == kSettings.end() ? nullptr : &*it;
}

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return text;
}

/// A number as it is held, in the fewest digits that read back as the same double.
std::string shortest(double value)
{
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value == 0 ? 0.0 : value);
    return std::string(buf, res.ptr);
}

std::string shownValue(const SetupValues& values, const Setting& s)
{
    if (s.kind == SettingKind::Flag)
        return values.CompCarMPYesNo ? "yes" : "no";
    return shortest(values.*(s.number));
}

/// What is wrong with one NAME=VALUE: a usage error (exit 2) or a number out
/// of range (exit 1, with the message the Setup panel's fields give).
struct SetProblem {
    bool usage = true;
    std::string message;
};

std::optional<SetProblem> applySetting(SetupValues& values, QStringList& columns, const std::string& assignment)
{
    const auto eq = assignment.find('=');
    if (eq == std::string::npos || eq == 0)
        return SetProblem{true, "'" + assignment + "' is not NAME=VALUE"};
    const std::string name = assignment.substr(0, eq);
    const std::string text = assignment.substr(eq + 1);
    const Setting* s = findSetting(name);
    if (!s) {
        std::string known;
        for (const Setting& k : kSettings)
            known += std::string(known.empty() ? "" : ", ") + k.name;
        return SetProblem{true, "there is no setting '" + name + "'; the settings are " + known};
    }
    const std::string prefix = std::string(s->name) + ": ";

    if (s->kind == SettingKind::Flag) {
        const std::string word = lowered(text);
        if (word == "yes" || word == "true" || word == "1")
            values.CompCarMPYesNo = true;
        else if (word == "no" || word == "false" || word == "0")
            values.CompCarMPYesNo = false;
        else
            return SetProblem{true, prefix + "'" + text + "' is not yes or no"};
    } else {
        // The whole text must be the number: "12abc" or "" is refused rather
        // than read as 12 or 0.
        std::string_view digits(text);
        if (!digits.empty() && digits.front() == '+')
            digits.remove_prefix(1);
        double value = 0;
        const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        const bool whole = res.ptr == digits.data() + digits.size() && !digits.empty();
        if (!whole || std::isnan(value) || (res.ec != std::errc() && res.ec != std::errc::result_out_of_range))
            return SetProblem{true, prefix + "'" + text + "' is not a number"};
        if (res.ec == std::errc::result_out_of_range) {
            // Beyond a double either way: too large, or as near to 0 as can be held.
            value = std::strtod(std::string(digits).c_str(), nullptr);
        }
        if (s->kind == SettingKind::Number && !(value >= 0 && value <= s->max))
            return SetProblem{false,
                              prefix + "The number entered is not correct please enter a number from 0 to " +
                                  formatAmount(s->max, 0)};
        if (s->kind == SettingKind::Rate) {
            // The Setup panel offers the two rates only; 80 and 20 are
            // taken as they are on the period subcommands.
            if (value == 80 || value == 20)
                value /= 100;
            if (value != 0.8 && value != 0.2)
                return SetProblem{true, prefix + "'" + text + "' is not an inclusion rate: give 0.8 or 0.2"};
        }
        values.*(s->number) = value;
    }
    const QString column = QString::fromLatin1(s->name);
    if (!columns.contains(column))
        columns << column;
    return std::nullopt;
}

/// The reverse salary package takes at most 27.5 % of the gross salary
/// between the employee's and the employer's R/Fund percentages; its windows
/// refuse a pair above that, and so does --set when it changes either.
std::optional<std::string> retirementPairProblem(const SetupValues& values, const QStringList& columns)
{
    if (!columns.contains(QStringLiteral("PensionCont")) && !columns.contains(QStringLiteral("EmployerPenCont")))
        return std::nullopt;
    const double limit = defaultTaxYear().retirementFundShare * 100;
    if (!(values.PensionCont + values.EmployerPenCont > limit))
        return std::nullopt;
    return "PensionCont and EmployerPenCont: " + shortest(values.PensionCont) + " and " +
        shortest(values.EmployerPenCont) +
        " together are more than 27.5. The employee's and employer's R/Fund contributions together may not be "
        "more than 27.5% of the gross salary; nothing was saved.";
}

/// Where the store is, and where its values were read from when that is
/// another file: the program folder's store, read until the first save.
struct StoreInUse {
    QString path;
    QString readFrom;
    bool created = false;
    QString copiedFrom;  ///< the store this run copied to `path` (the first save), if it did
};

void printSettings(const StoreInUse& store, const SetupValues& values, bool json)
{
    const bool seeded = store.readFrom != store.path;
    if (json) {
        nlohmann::ordered_json obj = nlohmann::ordered_json::object();
        obj["store"] = store.path.toStdString();
        if (seeded)
            obj["read_from"] = store.readFrom.toStdString();
        for (const Setting& s : kSettings) {
            if (s.kind == SettingKind::Flag)
                obj[s.name] = values.CompCarMPYesNo;
            else
                obj[s.name] = values.*(s.number);
        }
        std::cout << obj.dump() << '\n';
        return;
    }
    std::cout << "Settings store: " << store.path.toStdString();
    if (!store.copiedFrom.isEmpty())
        std::cout << " (new, a copy of " << store.copiedFrom.toStdString() << ")";
    else if (store.created)
        std::cout << " (new, with the values in force for 2017/18)";
    std::cout << '\n';
    if (seeded)
        std::cout << "Read from:      " << store.readFrom.toStdString() << " until a setting is saved\n";
    std::cout << '\n';
    std::size_t nameWidth = 0;
    std::size_t valueWidth = 0;
    for (const Setting& s : kSettings) {
        nameWidth = std::max(nameWidth, std::string_view(s.name).size());
        valueWidth = std::max(valueWidth, shownValue(values, s).size());
    }
    for (const Setting& s : kSettings) {
        const std::string name(s.name);
        const std::string value = shownValue(values, s);
        std::cout << name << std::string(nameWidth - name.size() + 2, ' ') << value
                  << std::string(valueWidth - value.size() + 2, ' ') << s.label << '\n';
    }
}

std::string settingsFooter()
{
    std::string text = "Settings (NAME for --set; percentages are percent figures from 0 to 100, 1 = 1 %;\n"
                       "the UIF limit is from 0 to 1 000 000 000):\n";
    for (const Setting& s : kSettings) {
        const std::string name(s.name);
        text += "  " + name + std::string(19 - name.size(), ' ') + s.label + '\n';
    }
    text += "\nThe store is Settings.db in the program's folder when files can be made there (a portable\n"
            "install), otherwise in the user's application-data folder; a missing store is made with the\n"
            "values in force for 2017/18, unless the program's folder holds one to start from: that is\n"
            "read until the first save. A store that cannot be used is reported and left as it is.\n"
            "Exit status: 0 when shown or saved; 1 when the store cannot be read or written, or a value\n"
            "is refused; 2 for a bad option, NAME or VALUE.";
    return text;
}

}  // namespace

Runner addSettingsCommand(CLI::App& app)
{
    struct Options {
        std::vector<std::string> assignments;
        bool json = false;
    };
    auto opts = std::make_shared<Options>();
    auto* cmd = app.add_subcommand("settings",
                                   "Show where the settings store is and its eleven values, or change them with --set");
    cmd->add_option("--set", opts->assignments,
                    "Change a setting (may be given more than once; all are checked before any is saved)")
        ->type_name("NAME=VALUE");
    cmd->add_flag("--json", opts->json, "Print one JSON object: the store's path and every value");
    static const std::string footer = settingsFooter();
    cmd->footer(footer);

    return [cmd, opts]() {
        if (!cmd->parsed())
            return -1;
        // The SQL driver is a plugin, which Qt loads only inside an application.
        std::unique_ptr<QCoreApplication> qtApp;
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "grossby-cli";
            static char* argv[] = {name, nullptr};
            qtApp = std::make_unique<QCoreApplication>(argc, argv);
            QCoreApplication::setApplicationName(QStringLiteral("Grossby 2018"));
            QCoreApplication::setOrganizationName(QStringLiteral("Grossby"));
        }
        const QString path = QDir(dataFolder()).filePath(QLatin1String(kSettingsFileName));
        const bool existed = QFileInfo::exists(path) || QFileInfo(path).isSymLink();
        const SettingsStore store(path);

        const auto storeFailure = [&opts](const DbStatus& status) {
            std::string message = status.error.toStdString();
            if (status.damaged)
                message += " It is left as it is: move it elsewhere to start afresh with the values in force "
                           "for 2017/18.";
            printError(std::cout, std::cerr, message, opts->json);
            return 1;
        };

        // The file the values come from before this run saves anything.
        const QString seededFrom = store.readPath();
        SetupValues values;
        if (const DbStatus status = store.load(values); !status)
            return storeFailure(status);

        if (!opts->assignments.empty()) {
            SetupValues changed = values;
            QStringList columns;
            for (const std::string& assignment : opts->assignments) {
                if (auto problem = applySetting(changed, columns, assignment)) {
                    if (problem->usage) {
                        std::cerr << "--set: " << problem->message << '\n' << "Run with --help for more information.\n";
                        return 2;
                    }
                    printError(std::cout, std::cerr, problem->message, opts->json);
                    return 1;
                }
            }
            if (auto problem = retirementPairProblem(changed, columns)) {
                printError(std::cout, std::cerr, *problem, opts->json);
                return 1;
            }
            if (const DbStatus status = store.save(changed, columns); !status)
                return storeFailure(status);
            // Shown as the store now holds them.
            if (const DbStatus status = store.load(values); !status)
                return storeFailure(status);
        }
        const bool created = !existed && QFileInfo::exists(path);
        printSettings({path, store.readPath(), created, created && seededFrom != path ? seededFrom : QString()}, values,
                      opts->json);
        return 0;
    };
}

}  // namespace grossby::cli
