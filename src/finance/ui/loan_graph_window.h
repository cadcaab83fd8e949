#pragma once
// The loan graph window (`frmLoanGraph`): the capital and interest paid in
// each year of a loan as stacked bars and the balance at each year's end as a
// line on its own scale, with "&Save as PNG".

#include "finance/loan.h"

#include <QWidget>

class QChart;
class QChartView;
class QPushButton;

namespace grossby {

class LoanGraphWindow : public QWidget {
    Q_OBJECT
public:
    explicit LoanGraphWindow(QWidget* parent = nullptr);

    /// Draws the yearly schedule; `loan` describes the loan in the caption
    /// ("R 100 000.00 over 240 months at 12.000% p.a.").
    void LoanAmortGraph(const AnnualSchedule& schedule, const QString& loan);

    /// Writes the graph as a PNG picture to `path`; on failure returns the
    /// message naming the file, and the file is left as it was.
    QString savePng(const QString& path) const;

    QChart* chart() const;

private:
    void saveAsAsked();

    QChartView* m_view;
    QPushButton* m_save;
    QPushButton* m_close;
};

}  // namespace grossby
