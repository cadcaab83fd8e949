#pragma once
// The package windows' "R/A Explained(Annual Figures Shown)" panel: which
// retirement-annuity contribution the older rules allowed, with the year's
// figures of the last calculation filled in. Its "&OK" is `cmdRAOK`.

#include "widgets/info_panel.h"

#include <QStringList>

namespace grossby {

/// The figures the panel quotes, all for a year.
struct RAFigures {
    double employeeContributions = 0;  ///< c: the employee's R/Fund contributions
    double nonRetirementIncome = 0;  ///< y: income on which no R/Fund contribution is made
};

class RAExplanationPanel : public InfoPanel {
    Q_OBJECT
public:
    explicit RAExplanationPanel(QWidget* parent = nullptr);

    /// Shows the fixed lines with `figures` filled in.
    void showFigures(const RAFigures& figures);

    /// The panel's lines: A is R 3 500 less c (x), B is R 1 750, C is 15 % of
    /// y (z).
    static QStringList lines(const RAFigures& figures);
};

}  // namespace grossby
