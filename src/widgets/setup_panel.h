#pragma once
// The Setup panel of the tax and package windows: the user-adjustable rates
// of the settings store (UIF portions, skills levy, UIF monthly limit and the
// travel-allowance inclusion rate), edited in place over the window and
// written back to the store with "O&K". The panel's own objectName is the
// window's to give (`Frame3` in the tax windows); its fields are
// `numEmpEUIF`, `numEmpRUIF`, `numSkillPercent`, `numUIFLimit`, the options
// `optTAIncRate80` and `optTAIncRate20`, and the button `cmdSetupOK`.

#include "services/settings_store.h"

#include <QGroupBox>
#include <QList>
#include <QPointer>
#include <QString>

class QButtonGroup;
class QFormLayout;
class QPushButton;
class QRadioButton;

namespace grossby {

class NumericEdit;

class SetupPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit SetupPanel(QWidget* parent = nullptr);

    /// The settings store the panel reads and writes.
    void setStorePath(const QString& path) { m_storePath = path; }
    const QString& storePath() const { return m_storePath; }

    /// Reads the store into the fields. When the store cannot be read the
    /// fields take the values in force for 2017/18 and the message naming
    /// the store is returned (empty on success).
    QString load();

    /// Writes the panel's columns into the store, leaving the others as they
    /// are; returns the message naming the store on failure (empty on success).
    QString save() const;

    /// The values as the fields and options now hold them. The inclusion rate
    /// is the one read from the store until an option is chosen, so a stored
    /// rate other than 0.8 or 0.2 is still used.
    const SetupValues& values() const { return m_values; }
    /// Shows `values` in the fields and selects the option of its inclusion
    /// rate (neither when it is not exactly 0.8 or 0.2).
    void setValues(const SetupValues& values);

    /// The columns "O&K" writes; by default the five every tax window uses.
    void setSavedColumns(const QStringList& columns) { m_columns = columns; }

    /// Controls disabled while the panel is up, enabled again by "O&K".
    void setCoveredWidgets(const QList<QWidget*>& widgets);

    /// Shows the panel in front of its parent, centred across it, with its
    /// top at `top` (centred both ways when negative).
    void popUp(int top = -1);

    /// Rows a window may add below the four fields (the package windows).
    QFormLayout* formLayout() const { return m_form; }

    NumericEdit* employeeUifField() const { return m_employeeUif; }
    NumericEdit* employerUifField() const { return m_employerUif; }
    NumericEdit* skillsLevyField() const { return m_skillsLevy; }
    NumericEdit* uifLimitField() const { return m_uifLimit; }
    QRadioButton* rate80Option() const { return m_rate80; }
    QRadioButton* rate20Option() const { return m_rate20; }
    QPushButton* okButton() const { return m_ok; }

Q_SIGNALS:
    /// A field or option changed: the window's next calculation uses it.
    void valuesChanged();
    /// "O&K": the panel has saved (or reported why it could not), hidden
    /// itself and enabled the covered controls; the window recalculates.
    void accepted();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void accept();
    void setCoveredEnabled(bool enabled);

    NumericEdit* m_employeeUif;
    NumericEdit* m_employerUif;
    NumericEdit* m_skillsLevy;
    NumericEdit* m_uifLimit;
    QRadioButton* m_rate80;
    QRadioButton* m_rate20;
    QButtonGroup* m_rates;
    QPushButton* m_ok;
    QFormLayout* m_form;
    SetupValues m_values;
    QString m_storePath;
    QStringList m_columns;
    QList<QPointer<QWidget>> m_covered;
};

}  // namespace grossby
