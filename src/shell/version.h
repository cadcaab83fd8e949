#pragma once
// The program's version, as shown in the caption and the about box. The
// number remembered for the disclaimer is versionNumber() of
// services/startup_values.h.

#include <QString>

namespace grossby {

struct ProgramVersion {
    int major = 1;
    int minor = 2;
    int revision = 0;

    /// "1.02.000": minor as two digits, revision as three.
    QString text() const
    {
        return QStringLiteral("%1.%2.%3")
            .arg(major)
            .arg(minor, 2, 10, QLatin1Char('0'))
            .arg(revision, 3, 10, QLatin1Char('0'));
    }
};

/// The version of this release.
inline constexpr ProgramVersion kProgramVersion{1, 2, 0};

}  // namespace grossby
