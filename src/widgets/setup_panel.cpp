#include "widgets/setup_panel.h"

#include "core/year_figures.h"

#include "widgets/message_service.h"
#include "widgets/numeric_edit.h"

#include <QButtonGroup>
#include <QComboBox>
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

// A percentage as the store accepts it back.
void limitToPercent(NumericEdit* field)
{
    field->setRange(0, SetupPanel::kMaxPercent);
    field->setRejectionMessage(
        QObject::tr("Incorrect Percentage"),
        QObject::tr("The percentage entered is not correct please enter a number from 0 to 100"));
}

// Checks `first` when `firstOn`, `second` when `secondOn`; neither is allowed.
void selectPair(QRadioButton* first, QRadioButton* second, bool firstOn, bool secondOn)
{
    QButtonGroup* group = first->group();
    group->setExclusive(false);
    first->setChecked(firstOn);
    second->setChecked(secondOn);
    group->setExclusive(true);
}

}  // namespace

void SetupPanel::showTaxYearChoice(int year)
{
    if (m_taxYear) {
        setTaxYear(year);
        return;
    }
    m_taxYear = new QComboBox(this);
    m_taxYear->setObjectName(QStringLiteral("cboTaxYear"));
    for (const TaxYearFigures* figures : taxYears())
        m_taxYear->addItem(QString::fromStdString(figures->label), figures->year);
    setTaxYear(year);
    auto* label = new QLabel(tr("Tax &year"), this);
    label->setBuddy(m_taxYear);
    m_form->insertRow(0, label, m_taxYear);
    // In the Tab order where it stands: before the first rate.
    setTabOrder(m_taxYear, m_employeeUif);
    connect(m_taxYear, &QComboBox::activated, this,
            [this](int index) { Q_EMIT taxYearChosen(m_taxYear->itemData(index).toInt()); });
}

void SetupPanel::setTaxYear(int year)
{
    m_year = year;
    if (m_taxYear) {
        const QSignalBlocker quiet(m_taxYear);
        m_taxYear->setCurrentIndex(m_taxYear->findData(year));
    }
    const TaxYearFigures* figures = findTaxYear(year);
    double limit = m_storedUifLimit;
    if (const auto own = m_ownUifLimits.find(year); own != m_ownUifLimits.end())
        limit = own->second;
    else if (year != kDefaultTaxYear && figures)
        limit = figures->uifMonthlyLimit;
    m_values.UIFLimit = limit;
    const QSignalBlocker quiet(m_uifLimit);
    m_uifLimit->setValue(limit);
}

int SetupPanel::uifLimitYear() const
{
    return m_ownUifLimits.contains(m_year) ? m_year : kDefaultTaxYear;
}

SetupPanel::SetupPanel(QWidget* parent)
    : QGroupBox(parent)
    , m_columns(SettingsStore::periodColumns())
{
    setTitle(tr("Setup"));
    setAutoFillBackground(true);

    m_form = new QFormLayout;
    m_employeeUif = percentRow(m_form, -1, tr("Employee UIF portion"), "numEmpEUIF", &SetupValues::EmployeeUIF);
    m_employerUif = percentRow(m_form, -1, tr("Employer UIF portion"), "numEmpRUIF", &SetupValues::EmployerUIF);
    m_skillsLevy = percentRow(m_form, -1, tr("Skills levy"), "numSkillPercent", &SetupValues::SkillLevy);

    // The limit is rand, with its unit before it.
    m_uifLimit = settingField(this, "numUIFLimit");
    m_uifLimit->setRange(0, kMaxUifLimit);
    m_uifLimit->setRejectionMessage(
        tr("Incorrect Number"),
        tr("The UIF monthly limit entered is not correct please enter an amount from 0 to 1 000 000 000"));
    {
        auto* row = new QHBoxLayout;
        auto* unit = new QLabel(QStringLiteral("R"), this);
        unit->setObjectName(QStringLiteral("numUIFLimitUnit"));
        unit->setMinimumWidth(12);
        row->addWidget(unit);
        row->addWidget(m_uifLimit);
        auto* label = new QLabel(tr("UIF monthly limit"), this);
        label->setBuddy(m_uifLimit);
        m_form->addRow(label, row);
    }
    connect(m_uifLimit, &NumericEdit::valueChanged, this, [this](double value) {
        m_values.UIFLimit = value;
        // The store keeps 2017/18's figure; one typed for another year is
        // that year's for as long as the panel lasts.
        if (m_year == kDefaultTaxYear)
            m_storedUifLimit = value;
        else
            m_ownUifLimits[m_year] = value;
        Q_EMIT valuesChanged();
    });

    addRateOptions(m_form, tr("Travel allowance inclusion rate :"), m_rate80, m_rate20, "optTAIncRate80",
                   "optTAIncRate20", tr("80%"), tr("20%"));
    // Choosing an option sets the rate at once.
    connect(m_rate80, &QRadioButton::clicked, this, [this] {
        m_values.TAIncRate8020 = 0.8;
        Q_EMIT valuesChanged();
    });
    connect(m_rate20, &QRadioButton::clicked, this, [this] {
        m_values.TAIncRate8020 = 0.2;
        Q_EMIT valuesChanged();
    });

    m_ok = new QPushButton(tr("O&K"), this);
    m_ok->setObjectName(QStringLiteral("cmdSetupOK"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);

    // The package settings take a second column beside the first, so the
    // panel stays short enough to sit below a form.
    m_packageForm = new QFormLayout;
    // (The gap is a spacing item: a spacing set on the row would be taken
    // up by the forms as the gap between their rows.)
    auto* columns = new QHBoxLayout;
    for (QFormLayout* form : {m_form, m_packageForm}) {
        // Each column keeps its rows together at the top.
        auto* column = new QVBoxLayout;
        column->addLayout(form);
        column->addStretch();
        if (form == m_packageForm)
            columns->addSpacing(24);
        columns->addLayout(column);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &SetupPanel::accept);

    setValues(m_values);
}

NumericEdit* SetupPanel::percentRow(QFormLayout* form, int row, const QString& label, const char* name,
                                    double SetupValues::*column)
{
    auto* field = settingField(this, name);
    limitToPercent(field);
    connect(field, &NumericEdit::valueChanged, this, [this, column](double value) {
        m_values.*column = value;
        Q_EMIT valuesChanged();
    });
    // The "%" beside the figure, so it is not mistaken for an amount; the
    // row's label names the field in its messages.
    auto* line = new QHBoxLayout;
    line->addWidget(field);
    auto* unit = new QLabel(QStringLiteral("%"), this);
    unit->setObjectName(field->objectName() + QStringLiteral("Unit"));
    unit->setMinimumWidth(12);
    line->addWidget(unit);
    auto* caption = new QLabel(label, this);
    caption->setBuddy(field);
    form->insertRow(row, caption, line);
    return field;
}

void SetupPanel::addRateOptions(QFormLayout* form, const QString& label, QRadioButton*& first, QRadioButton*& second,
                                const char* firstName, const char* secondName, const QString& firstText,
                                const QString& secondText)
{
    first = new QRadioButton(firstText, this);
    first->setObjectName(QLatin1String(firstName));
    second = new QRadioButton(secondText, this);
    second->setObjectName(QLatin1String(secondName));
    auto* group = new QButtonGroup(this);
    group->addButton(first);
    group->addButton(second);
    auto* row = new QHBoxLayout;
    row->addWidget(first);
    row->addWidget(second);
    row->addStretch();
    form->addRow(label, row);
}

void SetupPanel::showPackageSettings()
{
    if (showsPackageSettings())
        return;
    m_pensionCont =
        percentRow(m_form, 0, tr("Employee R/Fund contributions"), "numPenContPerc", &SetupValues::PensionCont);
    m_employerPenCont =
        percentRow(m_form, 1, tr("Employer R/Fund contributions"), "numPenPercentage", &SetupValues::EmployerPenCont);

    addRateOptions(m_packageForm, tr("Company car fringe benefit rate "), m_carRate80, m_carRate20,
                   "optCompCarFBRate80", "optCompCarFBRate20", tr("80%"), tr("20%"));
    connect(m_carRate80, &QRadioButton::clicked, this, [this] {
        m_values.CompCarFBRate8020 = 0.8;
        Q_EMIT valuesChanged();
    });
    connect(m_carRate20, &QRadioButton::clicked, this, [this] {
        m_values.CompCarFBRate8020 = 0.2;
        Q_EMIT valuesChanged();
    });
    addRateOptions(m_packageForm, tr("Company car has maintenance plan "), m_planYes, m_planNo, "optCompCarMPYes",
                   "optCompCarMPNo", tr("Yes"), tr("No"));
    connect(m_planYes, &QRadioButton::clicked, this, [this] {
        m_values.CompCarMPYesNo = true;
        Q_EMIT valuesChanged();
    });
    connect(m_planNo, &QRadioButton::clicked, this, [this] {
        m_values.CompCarMPYesNo = false;
        Q_EMIT valuesChanged();
    });

    m_provCont =
        percentRow(m_packageForm, -1, tr("Employee provident contribution"), "numProvContPerc", &SetupValues::ProvCont);
    m_employerProvCont = percentRow(m_packageForm, -1, tr("Employer's provident contribution"), "numCCProvContPerc",
                                    &SetupValues::EmployerProvCont);

    // The Tab order follows the rows.
    QWidget* previous = nullptr;
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_pensionCont, m_employerPenCont, m_employeeUif, m_employerUif, m_skillsLevy, m_uifLimit, m_rate80,
             m_rate20, m_carRate80, m_carRate20, m_planYes, m_planNo, m_provCont, m_employerProvCont, m_ok}) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
    m_columns = SettingsStore::packageColumns();
    setValues(m_values);
}

QList<NumericEdit*> SetupPanel::fields() const
{
    QList<NumericEdit*> list;
    for (NumericEdit* f : {m_pensionCont, m_employerPenCont, m_employeeUif, m_employerUif, m_skillsLevy, m_uifLimit,
                           m_provCont, m_employerProvCont}) {
        if (f)
            list.append(f);
    }
    return list;
}

void SetupPanel::setValues(const SetupValues& values)
{
    m_values = values;
    m_storedUifLimit = values.UIFLimit;
    auto showValue = [](NumericEdit* field, double value) {
        if (!field)
            return;
        const QSignalBlocker block(field);
        field->setValue(value);
    };
    showValue(m_employeeUif, values.EmployeeUIF);
    showValue(m_employerUif, values.EmployerUIF);
    showValue(m_skillsLevy, values.SkillLevy);
    showValue(m_uifLimit, values.UIFLimit);
    showValue(m_pensionCont, values.PensionCont);
    showValue(m_employerPenCont, values.EmployerPenCont);
    showValue(m_provCont, values.ProvCont);
    showValue(m_employerProvCont, values.EmployerProvCont);
    showOptions();
    if (m_year != kDefaultTaxYear)
        setTaxYear(m_year);
}

void SetupPanel::showOptions()
{
    // A rate that is neither 0.8 nor 0.2 selects neither option.
    selectPair(m_rate80, m_rate20, m_values.TAIncRate8020 == 0.8, m_values.TAIncRate8020 == 0.2);
    if (showsPackageSettings()) {
        selectPair(m_carRate80, m_carRate20, m_values.CompCarFBRate8020 == 0.8, m_values.CompCarFBRate8020 == 0.2);
        selectPair(m_planYes, m_planNo, m_values.CompCarMPYesNo, !m_values.CompCarMPYesNo);
    }
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
    SetupValues saved = m_values;
    saved.UIFLimit = m_storedUifLimit;
    const DbStatus status = SettingsStore(m_storePath).save(saved, m_columns);
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
    fields().constFirst()->setFocus(Qt::OtherFocusReason);
}

void SetupPanel::hideEvent(QHideEvent* event)
{
    setCoveredEnabled(true);
    QGroupBox::hideEvent(event);
}

void SetupPanel::accept()
{
    // A field being edited is read before saving, as leaving it would.
    for (NumericEdit* field : fields()) {
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
