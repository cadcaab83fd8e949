#pragma once
// The settings store as the subcommands read it.

#include "services/settings_store.h"

#include <optional>
#include <string>

namespace grossby::cli {

/// Reads the settings store the program uses; on failure, the message naming it.
std::optional<std::string> readStoredSettings(SetupValues& values);

}  // namespace grossby::cli
