#pragma once
// The two values the start-up dialogs keep between runs: whether the about
// box shows at start-up, and the version whose disclaimer was accepted. They
// live in a one-row table `StartUp` of the settings file.

#include "services/sqlite_file.h"

#include <QString>

namespace grossby {

struct StartupValues {
    bool ViewAbout = true;  ///< show the about box at start-up
    QString Var1;  ///< version number whose disclaimer was accepted; empty reads as 0
};

/// Reads the values from the settings file at `settingsPath`. A missing or
/// damaged file, table or value reads as the defaults; nothing is created.
StartupValues readStartupValues(const QString& settingsPath);

/// Stores `ViewAbout`, leaving `Var1` as it is. Creates the settings file
/// (with the fresh settings) and the table when they are missing; a damaged
/// settings file is reported, never overwritten.
DbStatus writeViewAbout(const QString& settingsPath, bool viewAbout);

/// Stores `Var1`, leaving `ViewAbout` as it is; created like writeViewAbout.
DbStatus writeVar1(const QString& settingsPath, const QString& var1);

/// The version number: major, minor and revision written as whole numbers
/// one after another and read back as a number (1.2.0 gives 120).
int versionNumber(int major, int minor, int revision);

/// `Var1` read as a whole number: its leading digits, 0 when there are none.
long long acceptedVersion(const QString& var1);

}  // namespace grossby
