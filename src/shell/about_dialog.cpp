#include "shell/about_dialog.h"

#include "shell/owner_details.h"
#include "shell/program_icon.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace grossby {

namespace {
QFrame* panel(QWidget* parent, const QString& name)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}
}  // namespace

AboutDialog::AboutDialog(bool viewAbout, const ProgramVersion& version, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Grossby 2018..."));
    setModal(false);

    // Product and version.
    auto* product = panel(this, QStringLiteral("fraProduct"));
    auto* title = new QLabel(QStringLiteral("Grossby 2018"), product);
    title->setObjectName(QStringLiteral("lblProductName"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.0);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* purpose = new QLabel(QStringLiteral("Employees' tax, salary package, vehicle and loan calculators\n"
                                              "for the tax year 1 March 2017 to 28 February 2018"),
                               product);
    auto* versionLabel = new QLabel(QStringLiteral("Version: ") + version.text(), product);
    versionLabel->setObjectName(QStringLiteral("lblVersion"));
    auto* icon = new QLabel(product);
    icon->setPixmap(programIcon().pixmap(56, 56));
    icon->setAlignment(Qt::AlignTop);
    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(purpose);
    text->addSpacing(6);
    text->addWidget(versionLabel);
    auto* productLayout = new QHBoxLayout(product);
    productLayout->addWidget(icon);
    productLayout->addSpacing(6);
    productLayout->addLayout(text, 1);

    // Owner and how to reach them.
    auto* owner = panel(this, QStringLiteral("fraOwner"));
    auto* ownerLabel = new QLabel(QStringLiteral("<b>%1</b>").arg(ownerName().toHtmlEscaped()), owner);
    ownerLabel->setObjectName(QStringLiteral("lblOwner"));
    auto* ownerLayout = new QVBoxLayout(owner);
    ownerLayout->addWidget(ownerLabel);

    auto* contact = panel(this, QStringLiteral("fraContact"));
    auto* contactLabel = new QLabel(QStringLiteral("Questions, suggestions and updates:<br>Email: %1<br>Web: %2")
                                        .arg(ownerEmail().toHtmlEscaped(), ownerWebsite().toHtmlEscaped()),
                                    contact);
    contactLabel->setObjectName(QStringLiteral("lblContact"));
    contactLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* contactLayout = new QVBoxLayout(contact);
    contactLayout->addWidget(contactLabel);

    m_check = new QCheckBox(QStringLiteral("Do not display this message again on start up"), this);
    m_check->setObjectName(QStringLiteral("Check1"));
    m_check->setChecked(!viewAbout);

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_check, 1);
    bottom->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(product);
    layout->addWidget(owner);
    layout->addWidget(contact);
    layout->addSpacing(4);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool AboutDialog::viewAbout() const
{
    return !m_check->isChecked();
}

void AboutDialog::done(int result)
{
    // Escape, the title bar and OK all end here.
    QDialog::done(result);
    Q_EMIT closedWithViewAbout(viewAbout());
}

}  // namespace grossby
