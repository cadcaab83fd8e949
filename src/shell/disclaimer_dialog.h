#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace grossby {

/// The disclaimer the user must accept once for every new version. "&OK" is
/// enabled only while the agreement box is ticked; the dialog is accepted
/// only through it. "&Cancel", Escape and the title bar refuse.
class DisclaimerDialog : public QDialog {
    Q_OBJECT
public:
    explicit DisclaimerDialog(QWidget* parent = nullptr);

    /// True once the user has ticked the box and pressed "&OK".
    bool disclaimerAccepted() const { return m_accepted; }

    /// The owner's disclaimer wording shown at the top of the dialog.
    static QString disclaimerText();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void okPressed();

    QCheckBox* m_agree = nullptr;
    QPushButton* m_ok = nullptr;
    bool m_accepted = false;
};

}  // namespace grossby
