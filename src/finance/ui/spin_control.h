#pragma once
// A spin control: a pair of up and down arrows beside a field, with no value
// of its own. The window decides what a step does (wrap, beep, recalculate).

#include <QWidget>

class QToolButton;

namespace grossby {

class SpinControl : public QWidget {
    Q_OBJECT
public:
    explicit SpinControl(QWidget* parent = nullptr);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

    /// Steps as the up (true) or down arrow does.
    void step(bool up) { Q_EMIT stepped(up); }

Q_SIGNALS:
    void stepped(bool up);

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

}  // namespace grossby
