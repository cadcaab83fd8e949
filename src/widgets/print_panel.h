#pragma once
// The print panel a calculator shows over itself when "&Print" is pressed:
// preview (and export) or print straight away, optionally in English or
// Afrikaans, or cancel. Its buttons are `cmdVR`, `cmdPD` and `cmdCancel`, the
// language choice `Option1` and `Option2`; the panel's own objectName is the
// window's to give (most call it `fraPrint`).

#include <QGroupBox>
#include <QList>
#include <QPointer>

class QPushButton;
class QRadioButton;

namespace grossby {

class PrintPanel : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(bool languageChoice READ hasLanguageChoice WRITE setLanguageChoice)
public:
    explicit PrintPanel(QWidget* parent = nullptr);

    /// Shows "&English print" / "&Afrikaans print" (English chosen at first).
    void setLanguageChoice(bool on);
    bool hasLanguageChoice() const { return m_languageChoice; }
    /// True when the Afrikaans option is chosen.
    bool afrikaans() const;

    /// Controls disabled while the panel is up (the window's main buttons),
    /// so nothing else runs meanwhile and their mnemonics cannot clash with
    /// the panel's.
    void setCoveredWidgets(const QList<QWidget*>& widgets);

    /// Shows the panel in front of its parent, centred across it and with
    /// its top at `top` (centred both ways when negative), focus on
    /// "&View/Export report".
    void popUp(int top = -1);

    QPushButton* viewButton() const { return m_view; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* cancelButton() const { return m_cancel; }
    QRadioButton* englishOption() const { return m_english; }
    QRadioButton* afrikaansOption() const { return m_afrikaans; }

Q_SIGNALS:
    /// A destination was chosen: 0 preview window, 1 printer (the value for
    /// `PrintToPrinter`). The window prints, then hides the panel.
    void destinationChosen(int printToPrinter);
    /// "&Cancel" (or Escape): the panel has hidden itself.
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setCoveredEnabled(bool enabled);

    QPushButton* m_view;
    QPushButton* m_print;
    QPushButton* m_cancel;
    QRadioButton* m_english;
    QRadioButton* m_afrikaans;
    QWidget* m_languageRow;
    bool m_languageChoice = false;
    QList<QPointer<QWidget>> m_covered;
};

}  // namespace grossby
