#include "widgets/calculator_window.h"

#include "services/report_job.h"
#include "widgets/busy_cursor.h"
#include "widgets/field_edit.h"
#include "widgets/info_panel.h"
#include "widgets/message_service.h"
#include "widgets/print_panel.h"
#include "widgets/report_runner.h"
#include "widgets/setup_panel.h"
#include "widgets/window_mnemonics.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>

namespace grossby {

CalculatorWindow::CalculatorWindow(Key, QWidget* parent)
    : QWidget(parent)
{
    WindowMnemonics::install(this);
}

CalculatorWindow::~CalculatorWindow() = default;

void CalculatorWindow::initialise()
{
    const BusyCursor busy;
    load();
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
                if (m_controls.infoPanel)
                    m_controls.infoPanel->hide();
                m_controls.printPanel->popUp(m_panelTop);
            });
        }
    }
    if (c.infoPanel) {
        c.infoPanel->hide();
        connect(c.infoPanel, &InfoPanel::closed, this, [this] {
            if (m_controls.info)
                m_controls.info->setFocus();
        });
        if (c.info)
            connect(c.info, &QPushButton::clicked, this, [this] { m_controls.infoPanel->popUp(m_panelTop); });
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
        target->setFocus(Qt::OtherFocusReason);
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
    job.templateName = print.templateName;
    job.destination = destination;
    if (destination == 0)
        job.title = print.previewTitle;
    job.printDatabasePath = path;
    runReport(this, job);
    return true;
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
        first->setFocus(Qt::OtherFocusReason);
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
