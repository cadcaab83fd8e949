#include "package/ui/ra_panel.h"

#include "services/report_format.h"

#include <QPushButton>

namespace grossby {

namespace {

// The older rules' figures: the fixed allowance less pension contributions,
// and the share of non-retirement funding income.
constexpr double kAllowance = 3500;
constexpr double kNonRetirementShare = 0.15;

}  // namespace

RAExplanationPanel::RAExplanationPanel(QWidget* parent)
    : InfoPanel(parent)
{
    setTitle(tr("R/A Explained(Annual Figures Shown)"));
    okButton()->setObjectName(QStringLiteral("cmdRAOK"));
    showFigures({});
}

void RAExplanationPanel::showFigures(const RAFigures& figures)
{
    setText(lines(figures).join(QLatin1Char('\n')));
}

QStringList RAExplanationPanel::lines(const RAFigures& f)
{
    const double x = kAllowance - f.employeeContributions;
    // A negative remainder is written " = - R" and its size.
    const QString lineA = QStringLiteral("ie: R 3 500 - R") + formatReportAmount(f.employeeContributions) +
        (x < 0 ? QStringLiteral(" = - R") : QStringLiteral(" = R")) + formatReportAmount(x < 0 ? -x : x);
    const QString lineC = QStringLiteral("ie: R ") + formatReportAmount(f.nonRetirementIncome) +
        QStringLiteral(" X 15% = R") + formatReportAmount(f.nonRetirementIncome * kNonRetirementShare);
    return {
        QStringLiteral("The maximum R/A contribution allowed is the greater between A, B or C."),
        QStringLiteral("A:  R 3 500 less employee pension contributions "),
        lineA,
        QStringLiteral("B: R 1 750"),
        QStringLiteral("C: 15% of non-retirement funding income. "),
        lineC,
    };
}

}  // namespace grossby
