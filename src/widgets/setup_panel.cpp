#include "widgets/setup_panel.h"

#include "widgets/message_service.h"
#include "widgets/numeric_edit.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace grossby {

namespace {

NumericEdit* settingField(QWidget* parent, const char* name)
{
    auto* field = new NumericEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setDecimals(3);
    field->setMinimumWidth(110);
    return field;
}

}  // namespace

SetupPanel::SetupPanel(QWidget* parent)
    : QGroupBox(parent)
    , m_columns(SettingsStore::periodColumns())
{
    setTitle(tr("Setup"));
    setAutoFillBackground(true);

    m_employeeUif = settingField(this, "numEmpEUIF");
    m_employerUif = settingField(this, "numEmpRUIF");
    m_skillsLevy = settingField(this, "numSkillPercent");
    m_uifLimit = settingField(this, "numUIFLimit");

    // Each value with its unit beside it: the portions and the levy are
    // percentages, the limit is rand.
    auto withUnit = [this](NumericEdit* field, const QString& unit, bool before) {
        auto* row = new QHBoxLayout;
        auto* label = new QLabel(unit, this);
        label->setObjectName(field->objectName() + QStringLiteral("Unit"));
        label->setMinimumWidth(12);
        if (before)
            row->addWidget(label);
        row->addWidget(field);
        if (!before)
            row->addWidget(label);
        return row;
    };
    // The row's label names the field in its messages.
    auto named = [this](const QString& text, NumericEdit* field) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        return label;
    };
    m_form = new QFormLayout;
    m_form->addRow(named(tr("Employee UIF portion"), m_employeeUif),
                   withUnit(m_employeeUif, QStringLiteral("%"), false));
    m_form->addRow(named(tr("Employer UIF portion"), m_employerUif),
                   withUnit(m_employerUif, QStringLiteral("%"), false));
    m_form->addRow(named(tr("Skills levy"), m_skillsLevy), withUnit(m_skillsLevy, QStringLiteral("%"), false));
    m_form->addRow(named(tr("UIF monthly limit"), m_uifLimit), withUnit(m_uifLimit, QStringLiteral("R"), true));

    m_rate80 = new QRadioButton(tr("80%"), this);
    m_rate80->setObjectName(QStringLiteral("optTAIncRate80"));
    m_rate20 = new QRadioButton(tr("20%"), this);
    m_rate20->setObjectName(QStringLiteral("optTAIncRate20"));
    m_rates = new QButtonGroup(this);
    m_rates->addButton(m_rate80);
    m_rates->addButton(m_rate20);
    auto* rates = new QHBoxLayout;
    rates->addWidget(new QLabel(tr("Travel allowance inclusion rate :"), this));
    rates->addWidget(m_rate80);
    rates->addWidget(m_rate20);
    rates->addStretch();

    m_ok = new QPushButton(tr("O&K"), this);
    m_ok->setObjectName(QStringLiteral("cmdSetupOK"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addLayout(rates);
    layout->addLayout(buttons);

    auto keep = [this](double SetupValues::*column) {
        return [this, column](double value) {
            m_values.*column = value;
            Q_EMIT valuesChanged();
        };
    };
    connect(m_employeeUif, &NumericEdit::valueChanged, this, keep(&SetupValues::EmployeeUIF));
    connect(m_employerUif, &NumericEdit::valueChanged, this, keep(&SetupValues::EmployerUIF));
    connect(m_skillsLevy, &NumericEdit::valueChanged, this, keep(&SetupValues::SkillLevy));
    connect(m_uifLimit, &NumericEdit::valueChanged, this, keep(&SetupValues::UIFLimit));
    // Choosing an option sets the rate at once.
    connect(m_rate80, &QRadioButton::clicked, this, [this] {
        m_values.TAIncRate8020 = 0.8;
        Q_EMIT valuesChanged();
    });
    connect(m_rate20, &QRadioButton::clicked, this, [this] {
        m_values.TAIncRate8020 = 0.2;
        Q_EMIT valuesChanged();
    });
    connect(m_ok, &QPushButton::clicked, this, &SetupPanel::accept);

    setValues(m_values);
}

void SetupPanel::setValues(const SetupValues& values)
{
    m_values = values;
    {
        const QSignalBlocker b1(m_employeeUif), b2(m_employerUif), b3(m_skillsLevy), b4(m_uifLimit);
        m_employeeUif->setValue(values.EmployeeUIF);
        m_employerUif->setValue(values.EmployerUIF);
        m_skillsLevy->setValue(values.SkillLevy);
        m_uifLimit->setValue(values.UIFLimit);
    }
    // A rate that is neither 0.8 nor 0.2 selects neither option.
    m_rates->setExclusive(false);
    m_rate80->setChecked(values.TAIncRate8020 == 0.8);
    m_rate20->setChecked(values.TAIncRate8020 == 0.2);
    m_rates->setExclusive(true);
}

QString SetupPanel::load()
{
    SetupValues stored;
    QString error;
    if (m_storePath.isEmpty()) {
        error = tr("The location of the settings store is not known.");
    } else if (const DbStatus status = SettingsStore(m_storePath).load(stored); !status) {
        error = status.error;
        stored = SetupValues{};
    }
    setValues(stored);
    return error;
}

QString SetupPanel::save() const
{
    if (m_storePath.isEmpty())
        return tr("The settings cannot be saved: the location of the settings store is not known.");
    const DbStatus status = SettingsStore(m_storePath).save(m_values, m_columns);
    return status.error;
}

void SetupPanel::setCoveredWidgets(const QList<QWidget*>& widgets)
{
    m_covered.clear();
    for (QWidget* w : widgets)
        m_covered.append(w);
}

void SetupPanel::setCoveredEnabled(bool enabled)
{
    for (const auto& w : m_covered) {
        if (w)
            w->setEnabled(enabled);
    }
}

void SetupPanel::popUp(int top)
{
    adjustSize();
    if (QWidget* p = parentWidget()) {
        const int x = qMax(0, (p->width() - width()) / 2);
        const int y = top >= 0 ? top : qMax(0, (p->height() - height()) / 2);
        move(x, y);
    }
    setCoveredEnabled(false);
    raise();
    show();
    m_employeeUif->setFocus(Qt::OtherFocusReason);
}

void SetupPanel::hideEvent(QHideEvent* event)
{
    setCoveredEnabled(true);
    QGroupBox::hideEvent(event);
}

void SetupPanel::accept()
{
    // A field being edited is read before saving, as leaving it would.
    for (NumericEdit* field : {m_employeeUif, m_employerUif, m_skillsLevy, m_uifLimit}) {
        if (!field->commit())
            return;
    }
    if (const QString error = save(); !error.isEmpty())
        showMessage(this,
                    {QMessageBox::Critical, tr("Settings not saved"),
                     error + QLatin1Char('\n') + tr("The values are used for this window until it is closed.")});
    hide();
    Q_EMIT accepted();
}

}  // namespace grossby
