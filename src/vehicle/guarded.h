#pragma once
// Arithmetic under the company car calculation's error rule: a statement
// whose arithmetic fails (a division by zero, 0/0, a result too large to
// hold) is skipped, and the figure it would have set keeps the value it had.
// The rule is stated here once, so the calculation never relies on what
// infinities or NaNs happen to do further on.

#include "core/numeric.h"

#include <cmath>

namespace grossby {

/// A figure computed under the error rule: either a finite value, or
/// "failed" once any step of its arithmetic failed.
class Guarded {
public:
    Guarded(double value)
        : m_ok(std::isfinite(value))
        , m_value(value)
    { }

    static Guarded failed() { return Guarded(); }

    bool ok() const { return m_ok; }
    double value() const { return m_value; }

    friend Guarded operator+(Guarded a, Guarded b)
    {
        return a.m_ok && b.m_ok ? Guarded(a.m_value + b.m_value) : failed();
    }
    friend Guarded operator-(Guarded a, Guarded b)
    {
        return a.m_ok && b.m_ok ? Guarded(a.m_value - b.m_value) : failed();
    }
    friend Guarded operator*(Guarded a, Guarded b)
    {
        return a.m_ok && b.m_ok ? Guarded(a.m_value * b.m_value) : failed();
    }
    friend Guarded operator/(Guarded a, Guarded b)
    {
        if (!a.m_ok || !b.m_ok || b.m_value == 0)
            return failed();
        return Guarded(a.m_value / b.m_value);
    }

private:
    Guarded()
        : m_ok(false)
        , m_value(0)
    { }

    bool m_ok;
    double m_value;
};

/// Rounding to a whole number, halves to even, of a guarded figure.
inline Guarded R(Guarded x)
{
    return x.ok() ? Guarded(roundHalfEven(x.value())) : Guarded::failed();
}

/// One statement of the calculation: stores `value` in `target` unless its
/// arithmetic failed, in which case the statement is skipped and `target`
/// keeps its value. Returns whether it was stored.
template <class T> bool assignGuarded(T& target, Guarded value)
{
    if (!value.ok())
        return false;
    target = static_cast<T>(value.value());
    return true;
}

}  // namespace grossby
