#include "widgets/info_panel.h"

#include "widgets/overlay.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace grossby {

InfoPanel::InfoPanel(QWidget* parent)
    : QGroupBox(parent)
{
    setTitle(tr("General Information"));
    setAutoFillBackground(true);

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("lblABC"));
    m_label->setWordWrap(true);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setMinimumWidth(420);

    m_ok = new QPushButton(tr("&OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK_Info_One"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, [this] {
        hide();
        Q_EMIT closed();
    });
}

void InfoPanel::setText(const QString& text)
{
    m_label->setText(text);
}

QString InfoPanel::text() const
{
    return m_label->text();
}

void InfoPanel::popUp(int top)
{
    if (QWidget* p = parentWidget())
        setFixedWidth(qMin(qMax(460, p->width() - 40), 640));
    // A wrapped label does not ask for the height its text needs at this
    // width by itself; without it the text is cut off at the top and bottom.
    const QMargins margins = layout()->contentsMargins();
    // (The group box's frame takes a few pixels each side as well.)
    const int textWidth = width() - margins.left() - margins.right() - 8;
    m_label->setMinimumHeight(m_label->heightForWidth(textWidth));
    showOverParent(this, top);
    m_ok->setFocus(Qt::OtherFocusReason);
}

void InfoPanel::setCoveredWidgets(const QList<QWidget*>& widgets)
{
    m_covered.clear();
    for (QWidget* w : widgets)
        m_covered.append(w);
}

void InfoPanel::setCoveredEnabled(bool enabled)
{
    for (const auto& w : m_covered) {
        if (w)
            w->setEnabled(enabled);
    }
}

void InfoPanel::showEvent(QShowEvent* event)
{
    QGroupBox::showEvent(event);
    setCoveredEnabled(false);
}

void InfoPanel::hideEvent(QHideEvent* event)
{
    QGroupBox::hideEvent(event);
    setCoveredEnabled(true);
}

void InfoPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        m_ok->click();
        return;
    }
    QGroupBox::keyPressEvent(event);
}

}  // namespace grossby
