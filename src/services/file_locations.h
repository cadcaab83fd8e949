#pragma once
// Where the program's files live.

#include <QString>

namespace grossby {

/// The folder holding the program and its data files (templates, help,
/// picture).
QString programFolder();

/// The folder the two databases go in: the program folder when it is
/// writable (a portable install), otherwise the user's application-data
/// folder, created when missing.
QString dataFolder();

inline constexpr const char* kSettingsFileName = "Settings.db";
inline constexpr const char* kPrintFileName = "Crysprin.db";

}  // namespace grossby
