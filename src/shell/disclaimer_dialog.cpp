#include "shell/disclaimer_dialog.h"

#include "shell/dialog_placement.h"
#include "shell/owner_details.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace grossby {

QString DisclaimerDialog::disclaimerText()
{
    return QStringLiteral("Grossby 2018 is a calculation aid. Its results follow the tax tables, rebates, "
                          "credits and contribution rules of the 2017/18 tax year as they are built into the "
                          "program, applied to the figures you enter. They are estimates for planning and "
                          "checking, not tax, legal or financial advice, and they do not replace the official "
                          "tables or a qualified adviser.\n\n"
                          "%1 has taken care to make the calculations correct but gives no guarantee that "
                          "they are complete, correct or suitable for any purpose, and accepts no liability "
                          "for any loss or damage that arises from using the program or relying on its "
                          "results. Check every figure you intend to act on, file or pay.")
        .arg(ownerName());
}

DisclaimerDialog::DisclaimerDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDisclaimerYesNo"));
    setWindowTitle(ownerName() + QStringLiteral(" Disclaimer"));
    setModal(true);

    auto* wording = new QLabel(disclaimerText(), this);
    wording->setObjectName(QStringLiteral("lblDisclaimer"));
    wording->setWordWrap(true);

    auto* updates = new QLabel(QStringLiteral("This program is changed and updated regularly and free updates are made "
                                              "available to all users.  It is the program purchaser and user's "
                                              "responsibility to take advantage of these free updates."),
                               this);
    updates->setObjectName(QStringLiteral("lblUpdates"));
    updates->setWordWrap(true);

    m_agree = new QCheckBox(QStringLiteral(" I have read this disclaimer and I understand and agree "
                                           "with the contents of this disclaimer"),
                            this);
    m_agree->setObjectName(QStringLiteral("chkDisclaimerYesNo"));

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOk"));
    m_ok->setEnabled(false);
    // Return presses OK once the box is ticked (a disabled default button
    // ignores it); with the focus on Cancel, Return presses Cancel.
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));

    connect(m_agree, &QCheckBox::toggled, m_ok, &QPushButton::setEnabled);
    connect(m_ok, &QPushButton::clicked, this, &DisclaimerDialog::okPressed);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(wording);
    layout->addSpacing(8);
    layout->addWidget(updates);
    layout->addSpacing(8);
    layout->addWidget(m_agree);
    layout->addLayout(buttons);
    setMinimumWidth(560);
    setMaximumWidth(760);
}

void DisclaimerDialog::okPressed()
{
    if (!m_agree->isChecked()) {
        m_accepted = false;
        reject();
        return;
    }
    m_accepted = true;
    accept();
}

void DisclaimerDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    placeOverOwner(this, parentWidget());
    raise();
    activateWindow();
}

}  // namespace grossby
