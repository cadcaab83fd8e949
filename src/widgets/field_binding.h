#pragma once
// A calculator window's fields bound to its input and result tables: the
// window lists {objectName, key} pairs, and the binding finds each field,
// gives it the table's bounds and kind, keeps the inputs struct up to date as
// the field changes, and shows inputs and results back.

#include "core/input_table.h"
#include "core/numeric.h"
#include "widgets/calculator_window.h"
#include "widgets/date_edit.h"
#include "widgets/numeric_edit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QSignalBlocker>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace grossby {

/// One field of a form and the input (or result) it shows.
struct FieldKey {
    const char* objectName;
    const char* key;
};

/// How a result field shows its figure.
enum class Shown { AsIs, WholeRand };

struct ResultField {
    const char* objectName;
    const char* key;
    Shown shown = Shown::AsIs;
};

namespace binding_detail {

/// Greys a result field's figure (or gives it back its colour) and says why
/// in its tip; the property "stale" tells tests and styles.
inline void markStale(QWidget* field, bool stale)
{
    if (field->property("stale").toBool() == stale)
        return;
    field->setProperty("stale", stale);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Active, QPalette::Text,
                     stale ? palette.color(QPalette::Disabled, QPalette::Text)
                           : QApplication::palette(field).color(QPalette::Active, QPalette::Text));
    palette.setColor(QPalette::Inactive, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
    field->setPalette(palette);
    field->setToolTip(stale
                          ? QStringLiteral("The inputs have changed: press Calculate to bring this figure up to date.")
                          : QString());
}

template <class T> T* field(QWidget* form, const char* objectName)
{
    T* w = form->findChild<T*>(QString::fromLatin1(objectName));
    if (!w)
        throw std::logic_error(std::string("form has no field ") + objectName);
    return w;
}

}  // namespace binding_detail

/// Longest name the text fields take.
inline constexpr int kMaxTextLength = 50;

/// The inputs struct `In` of a window and the fields bound to it.
template <class In> class InputBinding {
public:
    struct Bound {
        const InputSpec<In>* desc;
        QWidget* widget;
    };

    /// Binds each field to its input: looks up the input by key (a key or a
    /// field missing is a programming error and throws), sets the field's
    /// limits from the table and keeps `values()` up to date as it changes.
    InputBinding(QWidget* form, const std::vector<InputSpec<In>>& table, const std::vector<FieldKey>& fields)
    {
        for (const FieldKey& f : fields) {
            const InputSpec<In>* desc = findInput(table, f.key);
            if (!desc)
                throw std::logic_error(std::string("no input ") + f.key);
            QWidget* widget = nullptr;
            switch (desc->kind) {
            case InputKind::Text: {
                auto* edit = binding_detail::field<QLineEdit>(form, f.objectName);
                edit->setMaxLength(kMaxTextLength);
                QObject::connect(edit, &QLineEdit::textChanged, form, [this, desc](const QString& text) {
                    desc->text(m_values) = text.toStdString();
                    edited();
                });
                widget = edit;
                break;
            }
            case InputKind::Date: {
                auto* edit = binding_detail::field<DateEdit>(form, f.objectName);
                edit->setRange(desc->min, desc->max);
                QObject::connect(edit, &DateEdit::valueChanged, form, [this, desc](double day) {
                    desc->set(m_values, day);
                    edited();
                });
                widget = edit;
                break;
            }
            default: {
                auto* edit = binding_detail::field<NumericEdit>(form, f.objectName);
                if (desc->whole())
                    edit->setDecimals(0);
                edit->setRange(desc->min, desc->max);
                if (desc->rangeTitle && desc->rangeText)
                    edit->setRejectionMessage(QString::fromUtf8(desc->rangeTitle), QString::fromUtf8(desc->rangeText));
                QObject::connect(edit, &NumericEdit::valueChanged, form, [this, desc](double v) {
                    desc->set(m_values, v);
                    edited();
                });
                widget = edit;
                break;
            }
            }
            m_bound.push_back({desc, widget});
            if (auto* window = qobject_cast<CalculatorWindow*>(form))
                window->noteInputField(desc->key, widget);
        }
    }

    InputBinding(const InputBinding&) = delete;
    InputBinding& operator=(const InputBinding&) = delete;

    /// The inputs as the fields hold them.
    const In& values() const { return m_values; }

    /// Called when the user changes an input (not when `show` puts values in).
    std::function<void()> changed;

    /// Puts `values` into the inputs and shows them in the fields.
    void show(const In& values)
    {
        m_values = values;
        for (const Bound& b : m_bound) {
            const QSignalBlocker block(b.widget);
            if (b.desc->kind == InputKind::Text)
                static_cast<QLineEdit*>(b.widget)->setText(QString::fromStdString(b.desc->text(m_values)));
            else if (b.desc->kind == InputKind::Date)
                static_cast<DateEdit*>(b.widget)->setValue(b.desc->get(m_values));
            else
                static_cast<NumericEdit*>(b.widget)->setValue(b.desc->get(m_values));
        }
    }

    /// The field bound to input `key`, or nullptr.
    QWidget* fieldFor(std::string_view key) const
    {
        for (const Bound& b : m_bound) {
            if (key == b.desc->key)
                return b.widget;
        }
        return nullptr;
    }

private:
    void edited() const
    {
        if (changed)
            changed();
    }

    In m_values{};
    std::vector<Bound> m_bound;
};

/// Result fields of results struct `Result`: read-only, out of the Tab order.
template <class Result> class ResultBinding {
public:
    ResultBinding(QWidget* form, const std::vector<ResultSpec<Result>>& table, const std::vector<ResultField>& fields)
    {
        for (const ResultField& f : fields) {
            const ResultSpec<Result>* desc = nullptr;
            for (const ResultSpec<Result>& s : table) {
                if (std::string_view(f.key) == s.key)
                    desc = &s;
            }
            if (!desc)
                throw std::logic_error(std::string("no result ") + f.key);
            auto* edit = binding_detail::field<NumericEdit>(form, f.objectName);
            edit->setReadOnly(true);
            edit->setFocusPolicy(Qt::NoFocus);
            m_bound.push_back({desc, edit, f.shown});
        }
    }

    void show(const Result& result) const
    {
        for (const Bound& b : m_bound) {
            const double v = b.desc->get(result);
            b.field->setValue(b.shown == Shown::WholeRand ? roundHalfEven(v) : v);
        }
        setStale(false);
    }

    /// Figures of inputs since changed are shown greyed, with a tip that
    /// Calculate brings them up to date: they never pass for the figures
    /// of what the fields now hold.
    void setStale(bool stale) const
    {
        for (const Bound& b : m_bound)
            binding_detail::markStale(b.field, stale);
    }

private:
    struct Bound {
        const ResultSpec<Result>* desc;
        NumericEdit* field;
        Shown shown;
    };
    std::vector<Bound> m_bound;
};

}  // namespace grossby
