#pragma once
// Where the program's files live.

#include <QString>

namespace grossby {

struct Module1;

/// The folder holding the program's data files (templates, help, picture):
/// `../share/grossby` beside the executable when it is there (an installed
/// program), otherwise the executable's own folder (the build tree, a
/// portable copy).
QString programFolder();

/// The user's application-data folder, "Grossby/Grossby 2018" in the
/// system's data location (not created here).
QString appDataFolder();

/// Adds the tax-year files of `<programFolder()>/years` and then of
/// `<appDataFolder()>/years` to the years built in (addTaxYearFolder: the
/// user's file for a year wins). Call once at start, before any calculation;
/// works with or without an application object.
void addTaxYearFolders();

/// True when a file can actually be created in `folder`: checked by making
/// (and removing) a temporary file there, which also catches read-only
/// mounts and access rules that permission bits do not show.
bool canCreateFilesIn(const QString& folder);

/// The folder the two databases go in: `programDir` when files can be
/// created there (a portable install), otherwise `appDataDir`, created when
/// missing. An installed program's data folder (`<prefix>/share/grossby`)
/// always gives `appDataDir`: it is shared by every user.
QString dataFolder(const QString& programDir, const QString& appDataDir);

/// dataFolder() for this program's own folders.
QString dataFolder();

/// Fills `PrintDatabasePath` and `SettingsDatabasePath` of `state` with the
/// full paths of the two databases in `folder`.
void setDatabasePaths(Module1& state, const QString& folder);

/// Fixes the database paths at start-up: setDatabasePaths(state, dataFolder()).
void locateDatabases(Module1& state);

inline constexpr const char* kSettingsFileName = "Settings.db";
inline constexpr const char* kPrintFileName = "Crysprin.db";

}  // namespace grossby
