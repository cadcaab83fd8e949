#pragma once
// The settings store as the subcommands read it.

#include "services/settings_store.h"

#include <optional>
#include <string>

namespace grossby::cli {

/// Reads the settings store the program uses; on failure, the message naming it.
std::optional<std::string> readStoredSettings(SetupValues& values);

/// A subcommand's settings from the store (copySetupValues); on failure,
/// the message naming it.
template <class Settings> std::optional<std::string> loadStoredSettings(Settings& settings)
{
    SetupValues values;
    if (auto error = readStoredSettings(values))
        return error;
    copySetupValues(values, settings);
    return std::nullopt;
}

}  // namespace grossby::cli
