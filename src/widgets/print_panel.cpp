#include "widgets/print_panel.h"

#include "widgets/overlay.h"

#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace grossby {

PrintPanel::PrintPanel(QWidget* parent)
    : QGroupBox(parent)
{
    setTitle(tr("Print"));
    setAutoFillBackground(true);
    // The panel lies over the window's fields; a shadow sets it apart.
    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setBlurRadius(18);
    shadow->setOffset(3, 4);
    shadow->setColor(QColor(0, 0, 0, 110));
    setGraphicsEffect(shadow);

    m_languageRow = new QWidget(this);
    m_english = new QRadioButton(tr("&English print"), m_languageRow);
    m_english->setObjectName(QStringLiteral("Option1"));
    m_english->setChecked(true);
    m_afrikaans = new QRadioButton(tr("&Afrikaans print"), m_languageRow);
    m_afrikaans->setObjectName(QStringLiteral("Option2"));
    auto* row = new QHBoxLayout(m_languageRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_english);
    row->addWidget(m_afrikaans);
    m_languageRow->hide();

    m_view = new QPushButton(tr("&View/Export report"), this);
    m_view->setObjectName(QStringLiteral("cmdVR"));
    m_print = new QPushButton(tr("P&rint directly to printer"), this);
    m_print->setObjectName(QStringLiteral("cmdPD"));
    m_cancel = new QPushButton(tr("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 14);
    layout->setSpacing(8);
    layout->addWidget(m_languageRow);
    layout->addWidget(m_view);
    layout->addWidget(m_print);
    layout->addWidget(m_cancel);

    connect(m_view, &QPushButton::clicked, this, [this] { Q_EMIT destinationChosen(0); });
    connect(m_print, &QPushButton::clicked, this, [this] { Q_EMIT destinationChosen(1); });
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        hide();
        Q_EMIT cancelled();
    });
}

void PrintPanel::setLanguageChoice(bool on)
{
    m_languageChoice = on;
    m_languageRow->setVisible(on);
}

bool PrintPanel::afrikaans() const
{
    return m_languageChoice && m_afrikaans->isChecked();
}

void PrintPanel::setCoveredWidgets(const QList<QWidget*>& widgets)
{
    m_covered.clear();
    for (QWidget* w : widgets)
        m_covered.append(w);
}

void PrintPanel::popUp(int top)
{
    showOverParent(this, top);
    m_view->setFocus(Qt::OtherFocusReason);
}

void PrintPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        m_cancel->click();
        return;
    }
    QGroupBox::keyPressEvent(event);
}

void PrintPanel::showEvent(QShowEvent* event)
{
    QGroupBox::showEvent(event);
    setCoveredEnabled(false);
}

void PrintPanel::hideEvent(QHideEvent* event)
{
    QGroupBox::hideEvent(event);
    setCoveredEnabled(true);
}

void PrintPanel::setCoveredEnabled(bool enabled)
{
    for (const auto& w : m_covered) {
        if (w)
            w->setEnabled(enabled);
    }
}

}  // namespace grossby
