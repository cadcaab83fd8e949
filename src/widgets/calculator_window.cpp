#include "widgets/calculator_window.h"

#include "core/module1.h"
#include "core/year_figures.h"
#include "services/report_job.h"
#include "widgets/busy_cursor.h"
#include "widgets/date_edit.h"
#include "widgets/field_edit.h"
#include "widgets/info_panel.h"
#include "widgets/message_service.h"
#include "widgets/print_panel.h"
#include "widgets/report_runner.h"
#include "widgets/setup_panel.h"
#include "widgets/window_mnemonics.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <utility>

namespace grossby {

CalculatorWindow::CalculatorWindow(Key, QWidget* parent)
    : QWidget(parent)
{
    WindowMnemonics::install(this);
}

CalculatorWindow::~CalculatorWindow()
{
    if (m_yearState)
        m_yearState->forgetTaxYearListener(m_yearListener);
}

void CalculatorWindow::initialise()
{
    const BusyCursor busy;
    // A window opened while another year is chosen starts in it: its dates
    // and defaults are that year's before it first calculates.
    if (m_yearState)
        setTaxYear(m_yearState->TaxYear);
    load();
    // Maximised, the form keeps a width it reads well at, centred, rather
    // than stretching its fields across the whole area.
    setMaximumWidth(qMax(minimumSizeHint().width(), sizeHint().width()) * 5 / 4);
}

void CalculatorWindow::load()
{
    calculate();
}

void CalculatorWindow::setUpControls(const Controls& c)
{
    m_controls = c;
    QList<QWidget*> mainButtons;
    for (QPushButton* button : {c.ok, c.calculate, c.settings, c.print, c.info}) {
        if (button)
            mainButtons.append(button);
    }
    if (c.calculate)
        connect(c.calculate, &QPushButton::clicked, this, &CalculatorWindow::calculate);
    if (c.ok)
        connect(c.ok, &QPushButton::clicked, this, &CalculatorWindow::closeWindow);

    for (QWidget* panel : std::initializer_list<QWidget*>{c.printPanel, c.infoPanel, c.setupPanel}) {
        if (panel)
            dockPanel(panel);
    }
    // A plain text field (the name) takes no Alt chord as text either.
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        if (!qobject_cast<FieldEdit*>(edit))
            edit->installEventFilter(this);
    }

    if (c.printPanel) {
        c.printPanel->hide();
        c.printPanel->setCoveredWidgets(mainButtons);
        connect(c.printPanel, &PrintPanel::destinationChosen, this, &CalculatorWindow::printTo);
        connect(c.printPanel, &PrintPanel::cancelled, this, [this] {
            if (m_controls.print)
                m_controls.print->setFocus();
        });
        if (c.print) {
            connect(c.print, &QPushButton::clicked, this, [this] {
                if (!prepareToPrint())
                    return;
                if (m_calculation && !m_calculation->canPrint()) {
                    if (m_controls.ok)
                        m_controls.ok->setFocus(Qt::OtherFocusReason);
                    return;
                }
                if (m_controls.infoPanel)
                    m_controls.infoPanel->hide();
                notePanelSize();
                m_controls.printPanel->popUp(m_panelTop);
            });
        }
    }
    if (c.infoPanel) {
        c.infoPanel->hide();
        c.infoPanel->setCoveredWidgets(mainButtons);
        connect(c.infoPanel, &InfoPanel::closed, this, [this] {
            if (m_controls.info)
                m_controls.info->setFocus();
        });
        if (c.info)
            connect(c.info, &QPushButton::clicked, this, [this] {
                notePanelSize();
                m_controls.infoPanel->popUp(m_panelTop);
            });
    }
    if (c.setupPanel) {
        c.setupPanel->hide();
        c.setupPanel->setCoveredWidgets(mainButtons);
        connect(c.setupPanel, &SetupPanel::accepted, this, [this] {
            // Let the panel's disappearance paint before the calculation runs.
            QApplication::processEvents();
            calculate();
            if (m_controls.settings)
                m_controls.settings->setFocus();
        });
        if (c.settings) {
            connect(c.settings, &QPushButton::clicked, this, [this] {
                if (m_controls.printPanel)
                    m_controls.printPanel->hide();
                if (m_controls.infoPanel)
                    m_controls.infoPanel->hide();
                notePanelSize();
                m_controls.setupPanel->popUp(m_panelTop);
            });
        }
    }
}

bool CalculatorWindow::calculate()
{
    std::optional<Rejection> rejection;
    {
        const BusyCursor busy;
        rejection = runCalculation();
    }
    if (!rejection)
        return true;
    showMessage(this, {QMessageBox::Critical, rejection->title, rejection->text});
    QWidget* target = rejection->focus ? rejection->focus : m_controls.calculate;
    if (target)
        focusForTyping(target);
    return false;
}

void CalculatorWindow::closeWindow()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void CalculatorWindow::printTo(int destination)
{
    const bool afrikaans = m_controls.printPanel && m_controls.printPanel->afrikaans();
    {
        const BusyCursor busy;
        beforePrint();
        stageAndRun(destination, afrikaans);
    }
    if (m_controls.printPanel)
        m_controls.printPanel->hide();
    if (m_controls.print)
        m_controls.print->setFocus();
}

bool CalculatorWindow::stageAndRun(int destination, bool afrikaans)
{
    const QString path = printDatabasePath();
    auto fail = [this](const QString& text) {
        showMessage(this, {QMessageBox::Critical, windowTitle(), text});
        return false;
    };
    if (path.isEmpty())
        return fail(tr("The report cannot be prepared: the location of the print database is not known."));
    const PrintJob print = printJob(afrikaans);
    const PrintDatabase db(path);
    if (const DbStatus status = db.ensure(); !status)
        return fail(status.error);
    if (const DbStatus status = db.stage(print.tables); !status)
        return fail(status.error);

    ReportJob job;
    job.templateName = QString::fromStdString(print.report.templateName);
    job.destination = destination;
    if (destination == 0)
        job.title = QString::fromStdString(print.report.previewTitle);
    job.printDatabasePath = path;
    runReport(this, job);
    return true;
}

void CalculatorWindow::dockPanel(QWidget* panel)
{
    // The panel takes its own place below the buttons, so it never covers a
    // label, a field or a button of the form; the window grows to hold it
    // and is given its size back when the panel goes.
    panel->hide();
    if (auto* box = qobject_cast<QBoxLayout*>(layout()))
        box->addWidget(panel, 0, Qt::AlignLeft);
    panel->installEventFilter(this);
}

QWidget* CalculatorWindow::frameWidget()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        return frame;
    return isWindow() ? this : nullptr;
}

void CalculatorWindow::notePanelSize()
{
    // Noted before the layout makes room: a window of its own grows as soon
    // as its layout takes the panel in.
    if (QWidget* frame = frameWidget(); frame && !m_sizeBeforePanel.isValid())
        m_sizeBeforePanel = frame->size();
}

void CalculatorWindow::fitPanel(bool shown)
{
    QWidget* frame = frameWidget();
    if (!frame || frame->isMaximized() || frame->isFullScreen())
        return;
    if (layout())
        layout()->activate();
    if (shown) {
        // Room for the form at its natural size with the panel below it, so
        // neither the form's rows nor the panel's text are squeezed.
        const QSize extra = sizeHint() - size();
        frame->resize(frame->size() + extra.expandedTo(QSize(0, 0)));
    } else if (m_sizeBeforePanel.isValid()) {
        // Once the layout has let go of the panel's room.
        QMetaObject::invokeMethod(
            this,
            [this] {
                QWidget* f = frameWidget();
                for (const QWidget* panel : std::initializer_list<const QWidget*>{
                         m_controls.printPanel, m_controls.infoPanel, m_controls.setupPanel}) {
                    if (panel && panel->isVisible())
                        return;
                }
                if (f && m_sizeBeforePanel.isValid() && !f->isMaximized()) {
                    if (layout())
                        layout()->activate();
                    f->resize(m_sizeBeforePanel);
                }
                m_sizeBeforePanel = QSize();
            },
            Qt::QueuedConnection);
    }
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched)) {
        const Qt::KeyboardModifiers mods = static_cast<QKeyEvent*>(event)->modifiers();
        // Alt chords are the buttons' mnemonics, never text for the field.
        if ((mods & (Qt::AltModifier | Qt::MetaModifier)) && !(mods & Qt::ControlModifier)) {
            event->ignore();
            return true;
        }
    }
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && watched->isWidgetType() &&
        insidePanel(static_cast<QWidget*>(watched))) {
        fitPanel(event->type() == QEvent::Show);
        if (event->type() == QEvent::Show)
            bringIntoView(static_cast<QWidget*>(watched));
        if (watched == m_controls.printPanel || watched == m_controls.setupPanel)
            lockForm(event->type() == QEvent::Show);
    }
    return QWidget::eventFilter(watched, event);
}

void CalculatorWindow::bringIntoView(const QWidget* panel)
{
    // A panel that opens below the edge of the area (the window taller than
    // the screen leaves room for) would leave the form locked with nothing
    // in sight to close it: the window moves up and left just enough, never
    // past the panel's own top edge; the area's scroll bars reach the rest.
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    QMdiArea* area = frame ? frame->mdiArea() : nullptr;
    if (!area || frame->isMaximized())
        return;
    if (layout())
        layout()->activate();
    const QRect view = area->viewport()->rect();
    const QRect shown(panel->mapTo(area->viewport(), QPoint(0, 0)), panel->size());
    const int dx = std::min(std::max(0, shown.right() - view.right()), shown.left() - view.left());
    const int dy = std::min(std::max(0, shown.bottom() - view.bottom()), shown.top() - view.top());
    if (dx > 0 || dy > 0)
        frame->move(frame->pos() - QPoint(std::max(dx, 0), std::max(dy, 0)));
}

void CalculatorWindow::lockForm(bool locked)
{
    // While a print or setup panel is up, nothing behind it can change what
    // is printed or calculated; what the window had disabled itself stays so.
    if (!locked) {
        for (const QPointer<QWidget>& widget : std::exchange(m_lockedByPanel, {})) {
            if (widget)
                widget->setEnabled(true);
        }
        return;
    }
    if (!m_lockedByPanel.isEmpty())
        return;
    for (QWidget* widget : findChildren<QWidget*>()) {
        const bool input = qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractButton*>(widget) ||
            qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QComboBox*>(widget);
        if (input && widget->isEnabled() && !insidePanel(widget)) {
            widget->setEnabled(false);
            m_lockedByPanel.append(widget);
        }
    }
}

bool CalculatorWindow::insidePanel(const QWidget* widget) const
{
    for (const QWidget* panel :
         std::initializer_list<const QWidget*>{m_controls.printPanel, m_controls.infoPanel, m_controls.setupPanel}) {
        if (panel && (panel == widget || panel->isAncestorOf(widget)))
            return true;
    }
    return false;
}

QWidget* CalculatorWindow::firstInput() const
{
    // The first field of the tab order that takes typing.
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        auto* edit = qobject_cast<QLineEdit*>(w);
        if (edit && !edit->isReadOnly() && edit->isEnabled() && (edit->focusPolicy() & Qt::TabFocus) &&
            isAncestorOf(edit) && !edit->isHidden() && !insidePanel(edit))
            return edit;
    }
    return nullptr;
}

void CalculatorWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // Typing goes somewhere from the start.
    if (QWidget* first = firstInput())
        focusForTyping(first);
}

void CalculatorWindow::noteInputField(std::string_view key, QWidget* field)
{
    m_inputFields.emplace_back(std::string(key), field);
}

QWidget* CalculatorWindow::inputField(std::string_view key) const
{
    for (const auto& [noted, field] : m_inputFields) {
        if (noted == key)
            return field.data();
    }
    return nullptr;
}

void CalculatorWindow::followTaxYear(Module1& state)
{
    if (m_yearState)
        return;
    m_yearState = &state;
    m_caption = windowTitle();
    m_yearListener = state.onTaxYearChanged([this](int year) { setTaxYear(year); });
    // The Setup panel chooses this window's year, and shows it when the
    // program's choice moves it.
    if (SetupPanel* setup = m_controls.setupPanel) {
        setup->showTaxYearChoice(m_taxYear);
        connect(setup, &SetupPanel::taxYearChosen, this, &CalculatorWindow::setTaxYear);
        connect(this, &CalculatorWindow::taxYearChanged, setup, &SetupPanel::setTaxYear);
    }
}

const TaxYearFigures& CalculatorWindow::taxYearFigures() const
{
    // setTaxYear() takes only a year the program has.
    const TaxYearFigures* year = findTaxYear(m_taxYear);
    return year ? *year : defaultTaxYear();
}

void CalculatorWindow::showCaption(const QString& caption)
{
    m_caption = caption;
    if (m_taxYear == kDefaultTaxYear)
        setWindowTitle(caption);
    else
        setWindowTitle(QStringLiteral("%1 (%2)").arg(caption, QString::fromStdString(taxYearLabel(m_taxYear))));
}

void CalculatorWindow::setTaxYear(int year)
{
    const TaxYearFigures* from = findTaxYear(m_taxYear);
    const TaxYearFigures* to = findTaxYear(year);
    if (year == m_taxYear || !from || !to)
        return;
    m_taxYear = year;
    if (m_calculation)
        m_calculation->setTaxYear(year);
    showCaption(m_caption);
    moveToTaxYear(*from, *to);
    if (m_calculation)
        m_calculation->markStale();
    Q_EMIT taxYearChanged(year);
}

void CalculatorWindow::moveToTaxYear(const TaxYearFigures& from, const TaxYearFigures& to)
{
    // The ranges first: a window that lets one date limit the other does so
    // again as the dates move.
    const QList<DateEdit*> dates = findChildren<DateEdit*>();
    for (DateEdit* date : dates)
        date->setRange(to.start, to.end);
    for (DateEdit* date : dates)
        date->setValue(sameDayInTaxYear(date->value(), from, to));
}

void CalculatorWindow::setCalculation(std::unique_ptr<WindowCalculation> calculation)
{
    m_calculation = std::move(calculation);
    if (m_calculation)
        m_calculation->setTaxYear(m_taxYear);
}

std::optional<CalculatorWindow::Rejection> CalculatorWindow::runCalculation()
{
    if (!m_calculation)
        return std::nullopt;
    if (const auto error = m_calculation->run())
        return rejection(*error);
    return std::nullopt;
}

PrintJob CalculatorWindow::printJob(bool afrikaans) const
{
    if (!m_calculation)
        return {};
    return m_calculation->printJob(afrikaans ? PrintLanguage::Afrikaans : PrintLanguage::English);
}

CalculatorWindow::Rejection CalculatorWindow::rejection(const InputError& error) const
{
    return {QString::fromStdString(error.title), QString::fromStdString(error.text), focusFor(error)};
}

QWidget* CalculatorWindow::focusFor(const InputError& error) const
{
    return error.field.empty() ? nullptr : inputField(error.field);
}

void CalculatorWindow::focusForTyping(QWidget* field)
{
    field->setFocus(Qt::OtherFocusReason);
    // As when Tab enters a field: what is typed replaces what it shows,
    // rather than being added to "0.00".
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
}

bool CalculatorWindow::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        followFrame();
    else if (event->type() == QEvent::WindowActivate)
        activated();
    return QWidget::event(event);
}

void CalculatorWindow::followFrame()
{
    // As a child of the document area the window is activated through its
    // frame, which reports it as a change of state rather than an event.
    disconnect(m_frameActivation);
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        m_frameActivation = connect(frame, &QMdiSubWindow::windowStateChanged, this,
                                    [this](Qt::WindowStates before, Qt::WindowStates now) {
                                        if (now.testFlag(Qt::WindowActive) && !before.testFlag(Qt::WindowActive))
                                            activated();
                                    });
    }
}

void CalculatorWindow::keyPressEvent(QKeyEvent* event)
{
    // Return in an input field of the form (a field passes it on once it has
    // taken its text) calculates, as "&Calculate" would.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && mods == Qt::NoModifier && m_controls.calculate && m_controls.calculate->isEnabled()) {
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (edit && !edit->isReadOnly() && isAncestorOf(edit) && !insidePanel(edit)) {
            if (auto* field = qobject_cast<FieldEdit*>(edit); field && !field->commit()) {
                event->accept();
                return;
            }
            event->accept();
            m_controls.calculate->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

}  // namespace grossby
