#include "finance/ui/spin_control.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace grossby {

namespace {

QToolButton* arrow(QWidget* parent, Qt::ArrowType type, const QString& name)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    button->setAccessibleName(name);
    button->setToolTip(name);
    // Held down, the arrow keeps stepping; it never takes the focus from the
    // fields (Up and Down in the field step it from the keyboard).
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    // The pair is as tall as the field beside it, each arrow half of it.
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    button->setMinimumHeight(0);
    button->setFixedWidth(18);
    return button;
}

}  // namespace

SpinControl::SpinControl(QWidget* parent)
    : QWidget(parent)
    , m_up(arrow(this, Qt::UpArrow, tr("Up")))
    , m_down(arrow(this, Qt::DownArrow, tr("Down")))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(18, QLineEdit().sizeHint().height());
    connect(m_up, &QToolButton::clicked, this, [this] { step(true); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(false); });
}

}  // namespace grossby
