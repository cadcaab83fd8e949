#pragma once
// Fields whose every change goes straight into a record the shared state
// holds (a vehicle of the register, the travel allowance's inputs), so what
// is typed survives closing the window.

#include "core/input_table.h"
#include "widgets/field_binding.h"

#include <QLineEdit>
#include <QObject>

#include <stdexcept>
#include <string>
#include <vector>

namespace grossby {

/// Connects each of `fields` (already bound by `binding`) so that a change
/// writes its value into the record `target()` returns at that moment.
template <class In, class Target>
void writeThrough(QObject* context, const InputBinding<In>& binding, const std::vector<InputSpec<In>>& table,
                  const std::vector<FieldKey>& fields, Target target)
{
    for (const FieldKey& f : fields) {
        const InputSpec<In>* desc = findInput(table, f.key);
        QWidget* widget = binding.fieldFor(f.key);
        if (!desc || !widget)
            throw std::logic_error(std::string("no bound input ") + f.key);
        if (desc->kind == InputKind::Text) {
            QObject::connect(static_cast<QLineEdit*>(widget), &QLineEdit::textChanged, context,
                             [desc, target](const QString& text) { desc->text(target()) = text.toStdString(); });
        } else if (desc->kind == InputKind::Date) {
            QObject::connect(static_cast<DateEdit*>(widget), &DateEdit::valueChanged, context,
                             [desc, target](double day) { desc->set(target(), day); });
        } else {
            QObject::connect(static_cast<NumericEdit*>(widget), &NumericEdit::valueChanged, context,
                             [desc, target](double v) { desc->set(target(), v); });
        }
    }
}

}  // namespace grossby
