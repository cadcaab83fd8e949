#pragma once
// How every grossby-cli subcommand prints its results: an aligned table of
// labelled figures by default, or one JSON object with --json.

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace grossby::cli {

/// One result: its JSON key, its label for people, and its value.
struct Field {
    std::string key;
    std::string label;
    nlohmann::json value;
    int decimals = 2;  ///< for readable output of numbers
};

/// Prints the results as aligned "label  value" lines or as one JSON object.
void printResult(std::ostream& out, const std::vector<Field>& fields, bool json);

/// Prints a calculator's own validation message; the caller exits with 1.
void printError(std::ostream& out, std::ostream& err, const std::string& message, bool json);

/// Runs `run` (a subcommand, or the whole tool) and makes sure what it
/// printed reached standard output: a failed write (a full disk, a closed
/// pipe) is exit status 1 with a message on standard error, whatever `run`
/// returned.
int checkedOutput(const std::function<int()>& run);

/// An amount as people read it: two decimals, thousands apart by a space.
std::string formatAmount(double value, int decimals = 2);

}  // namespace grossby::cli
