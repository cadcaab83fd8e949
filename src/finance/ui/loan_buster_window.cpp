#include "finance/ui/loan_buster_window.h"

#include "ui_loan_buster_window.h"

#include "finance/finance_memory.h"
#include "widgets/print_panel.h"

namespace grossby {

namespace {

const std::vector<FieldKey> kInputs = {
    {"numPrinAmount", "principal"},
    {"numPeriod", "months"},
    {"numIntRate", "rate"},
    {"numXtraPay", "extra"},
};

const std::vector<ResultField> kResults = {
    {"numMonRePay", "normal_repayment"}, {"numAns1_0", "normal_interest"}, {"numAns1_1", "normal_total"},
    {"numAns2", "extra_months"},         {"numAns1_4", "extra_repayment"}, {"numAns1_5", "extra_interest"},
    {"numAns1_6", "extra_total"},        {"numAns1_7", "total_saving"},
};

}  // namespace

LoanBusterWindow::LoanBusterWindow(Key key, Module1& state, QWidget* parent)
    : FinanceWindow(key, state, parent)
    , ui(std::make_unique<Ui::frmLoanBuster>())
{
    ui->setupUi(this);
    m_calc = &describeCalculation(this, loanBusterDescription(), kInputs, kResults);
    m_calc->shown = [this](const LoanBusterResult& r) { showAlso(r); };
    // The principal and rate the new period is worked out on, shown beside it.
    for (NumericEdit* echo : {ui->numAns1_2, ui->numAns1_3})
        echo->setFocusPolicy(Qt::NoFocus);
    for (NumericEdit* field : findChildren<NumericEdit*>())
        field->setMinimumWidth(130);
    ui->lblExtraTooLarge->setText(QString::fromLatin1(kExtraTooLargeMessage));
    ui->lblExtraTooLarge->setStyleSheet(QStringLiteral("color: #b00000;"));
    // Its room is kept while it is hidden, so the window never has to grow
    // (and squeeze it) when it appears.
    QSizePolicy keepRoom = ui->lblExtraTooLarge->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    ui->lblExtraTooLarge->setSizePolicy(keepRoom);
    ui->lblExtraTooLarge->setMinimumHeight(2 * ui->lblExtraTooLarge->fontMetrics().lineSpacing() + 2);

    for (const FieldKey& f : kInputs) {
        connect(static_cast<NumericEdit*>(m_calc->inputs().fieldFor(f.key)), &NumericEdit::valueChanged, this,
                &LoanBusterWindow::keep);
    }

    Controls c;
    c.calculate = ui->cmdCalculate;
    c.print = ui->cmdPrint;
    c.ok = ui->cmdOk;
    c.printPanel = ui->fraPrint;
    setUpControls(c);
}

LoanBusterWindow::~LoanBusterWindow() = default;

void LoanBusterWindow::keep()
{
    // The principal, rate and extra payment outlive the window; the period
    // starts at 0 each time it opens.
    const LoanBusterInputs& in = m_calc->inputs().values();
    kept().BusterPrincipal = in.principal;
    kept().BusterRate = in.rate;
    kept().BusterExtraPayment = in.extra;
}

void LoanBusterWindow::showKept()
{
    LoanBusterInputs in;
    in.principal = kept().BusterPrincipal;
    in.rate = kept().BusterRate;
    in.extra = kept().BusterExtraPayment;
    m_calc->inputs().show(in);
}

void LoanBusterWindow::showAlso(const LoanBusterResult& r)
{
    // The extra payment as used: raised by whole cents so that a whole
    // number of months repays the loan. It is what the field shows and keeps.
    const LoanBusterInputs& in = m_calc->lastInputs();
    if (r.extraPayment != in.extra) {
        LoanBusterInputs used = m_calc->inputs().values();
        used.extra = r.extraPayment;
        m_calc->inputs().show(used);
        keep();
    }
    ui->numAns1_2->setValue(in.principal);
    ui->numAns1_3->setValue(static_cast<double>(in.rate));
    ui->lblExtraTooLarge->setVisible(r.extraTooLarge);
}

}  // namespace grossby
