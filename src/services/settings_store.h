#pragma once
// The settings store: one record of user-adjustable rates in the table
// `Setup` of the SQLite file Settings.db. Windows read it when they load and
// write their own columns back from their Setup panel.

#include "services/sqlite_file.h"

#include <QString>
#include <QStringList>

namespace grossby {

/// The eleven settings, with the values in force for 2017/18 that a fresh
/// store starts with. Percentages are percent figures (1 = 1 %); the two
/// inclusion rates are fractions (0.8 or 0.2).
struct SetupValues {
    double EmployeeUIF = 1;
    double EmployerUIF = 1;
    double SkillLevy = 1;
    double UIFLimit = 14872;
    double TAIncRate8020 = 0.8;
    double PensionCont = 0;
    double EmployerPenCont = 0;
    double ProvCont = 0;
    double EmployerProvCont = 0;
    double CompCarFBRate8020 = 0.8;
    bool CompCarMPYesNo = false;

    bool operator==(const SetupValues&) const = default;
};

/// A calculator's settings from the stored values: each member of
/// `Settings` named like one of the eleven takes its value; the others keep
/// theirs. The tax and package calculators map the store this one way.
template <class Settings> void copySetupValues(const SetupValues& v, Settings& s)
{
#define GROSSBY_COPY_SETTING(name)                                                                                     \
    if constexpr (requires { s.name; })                                                                                \
    s.name = v.name
    GROSSBY_COPY_SETTING(EmployeeUIF);
    GROSSBY_COPY_SETTING(EmployerUIF);
    GROSSBY_COPY_SETTING(SkillLevy);
    GROSSBY_COPY_SETTING(UIFLimit);
    GROSSBY_COPY_SETTING(TAIncRate8020);
    GROSSBY_COPY_SETTING(PensionCont);
    GROSSBY_COPY_SETTING(EmployerPenCont);
    GROSSBY_COPY_SETTING(ProvCont);
    GROSSBY_COPY_SETTING(EmployerProvCont);
    GROSSBY_COPY_SETTING(CompCarFBRate8020);
    GROSSBY_COPY_SETTING(CompCarMPYesNo);
#undef GROSSBY_COPY_SETTING
}

/// Which file is used when: a store is written at `path`. Until it exists,
/// a "seed" store, when there is one, is read in its place without being
/// changed, and the first save copies it to `path` and writes the copy. The
/// one-argument constructor takes as seed the program folder's Settings.db
/// when `path` lies in the app-data folder (the program folder cannot hold
/// files, as in a read-only installation), so the settings that came with
/// the program apply until the user changes one.
class SettingsStore {
public:
    explicit SettingsStore(QString path);
    SettingsStore(QString path, QString seedPath);

    const QString& path() const { return m_path; }
    /// The file load() reads: path(), or the seed while path() is missing.
    QString readPath() const;

    /// The columns of `Setup`, in their order.
    static QStringList columnNames();
    /// The columns every tax and package window reads and writes.
    static QStringList periodColumns();
    /// The columns the package windows read and write: all eleven.
    static QStringList packageColumns();

    /// Creates a fresh store with the 2017/18 values when the file is
    /// missing; otherwise checks that it is a database with the table, every
    /// column and the record, each value a number in the range a window
    /// would write (percentages 0 to 100, the UIF limit 0 to 1e9, inclusion
    /// rates fractions from 0 to 1). A store that fails the
    /// check is reported (with DbStatus::damaged set when it is the file's
    /// content that is wrong) and left untouched.
    DbStatus ensure() const;

    /// Checks the store as ensure() does and reads the record into `values`.
    /// On failure `values` is left as it was.
    DbStatus load(SetupValues& values) const;

    /// Writes the named `columns` of `values` into the record; the other
    /// columns keep what they hold. An unknown column name is an error.
    DbStatus save(const SetupValues& values, const QStringList& columns) const;

    /// Moves the file that is there out of the way, to a free name beside it
    /// ("Settings.db.damaged-yyyyMMdd-hhmmss"), and creates a fresh store in
    /// its place. The old file's bytes are kept as they were; `keptAs`
    /// receives its new name.
    DbStatus setAsideAndRecreate(QString* keptAs = nullptr) const;

private:
    DbStatus createFresh() const;
    DbStatus copySeed() const;
    static DbStatus readFrom(const QString& path, SetupValues& values);

    QString m_path;
    QString m_seed;
};

}  // namespace grossby
