#include "finance/ui/finance_window.h"

#include "core/module1.h"
#include "finance/finance_memory.h"
#include "finance/ui/spin_control.h"
#include "widgets/field_edit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>

namespace grossby {

QLabel* makeNote(QWidget* parent, const char* objectName, int lines)
{
    auto* note = new QLabel(parent);
    note->setObjectName(QString::fromLatin1(objectName));
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color: #b00000;"));
    QSizePolicy keepRoom = note->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    note->setSizePolicy(keepRoom);
    note->setMinimumHeight(lines * note->fontMetrics().lineSpacing() + 2);
    note->hide();
    return note;
}

FinanceWindow::FinanceWindow(Key key, Module1& state, QWidget* parent)
    : CalculatorWindow(key, parent)
    , m_state(state)
{ }

FinanceMemory& FinanceWindow::kept() const
{
    return m_state.memory<FinanceMemory>();
}

void FinanceWindow::load()
{
    showKept();
    recalculateQuietly();
}

void FinanceWindow::recalculateQuietly()
{
    // A rejection leaves the figures of the last calculation; the message
    // comes when the user presses "&Calculate".
    (void)runCalculation();
}

QString FinanceWindow::printDatabasePath() const
{
    return QString::fromStdString(m_state.PrintDatabasePath);
}

void FinanceWindow::focusOk()
{
    if (controls().ok)
        controls().ok->setFocus(Qt::OtherFocusReason);
}

void FinanceWindow::spinWithArrows(QLineEdit* field, SpinControl* spin)
{
    m_arrowSpins.emplace_back(field, spin);
    field->installEventFilter(this);
}

bool FinanceWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool arrow = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down;
        if (arrow && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            for (const auto& [field, spin] : m_arrowSpins) {
                if (field != watched || field->isReadOnly())
                    continue;
                // The text typed so far counts first; a refused entry stops here.
                if (auto* edit = qobject_cast<FieldEdit*>(field); edit && !edit->commit())
                    return true;
                spin->step(key->key() == Qt::Key_Up);
                field->setFocus(Qt::OtherFocusReason);
                field->selectAll();
                return true;
            }
        }
    }
    return CalculatorWindow::eventFilter(watched, event);
}

}  // namespace grossby
