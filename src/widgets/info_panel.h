#pragma once
// The information panel of a calculator window: a titled note over the
// window, closed with its "&OK" button. Its label is `lblABC` and its button
// `cmdOK_Info_One`; the panel's own objectName is the window's to give
// (`fraInfo_One` in the tax windows).

#include <QGroupBox>
#include <QList>
#include <QPointer>

class QLabel;
class QPushButton;

namespace grossby {

class InfoPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit InfoPanel(QWidget* parent = nullptr);

    void setText(const QString& text);

    /// Controls disabled while the panel is up (the window's main buttons),
    /// so their mnemonics cannot clash with the panel's "&OK".
    void setCoveredWidgets(const QList<QWidget*>& widgets);
    QString text() const;

    /// Shows the panel in front of its parent, centred across it, with its
    /// top at `top` (centred both ways when negative), focus on "&OK".
    void popUp(int top = -1);

    QLabel* label() const { return m_label; }
    QPushButton* okButton() const { return m_ok; }

Q_SIGNALS:
    /// "&OK" (or Escape): the panel has hidden itself.
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setCoveredEnabled(bool enabled);

    QList<QPointer<QWidget>> m_covered;
    QLabel* m_label;
    QPushButton* m_ok;
};

}  // namespace grossby
