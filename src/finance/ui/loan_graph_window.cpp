#include "finance/ui/loan_graph_window.h"

#include "services/output_file.h"
#include "widgets/message_service.h"
#include "widgets/report_preview.h"
#include "widgets/window_mnemonics.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QLineSeries>
#include <QPen>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace grossby {

namespace {

// More year labels than this are turned on end so they do not overlap.
constexpr int kUprightYearLabels = 25;

QValueAxis* randAxis(const QString& title)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setMin(0);
    return axis;
}

}  // namespace

LoanGraphWindow::LoanGraphWindow(QWidget* parent)
    : QWidget(parent)
    , m_view(new QChartView(this))
    , m_save(new QPushButton(tr("&Save as PNG"), this))
    , m_close(new QPushButton(tr("&Close"), this))
{
    setObjectName(QStringLiteral("frmLoanGraph"));
    WindowMnemonics::install(this);
    setWindowTitle(tr("Annual Graph"));
    m_view->setObjectName(QStringLiteral("chartView"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(640, 420);
    m_save->setObjectName(QStringLiteral("cmdSavePng"));
    m_close->setObjectName(QStringLiteral("cmdClose"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);

    connect(m_save, &QPushButton::clicked, this, &LoanGraphWindow::saveAsAsked);
    connect(m_close, &QPushButton::clicked, this, [this] {
        // Inside the document area the frame goes with the window.
        if (parentWidget() && parentWidget()->inherits("QMdiSubWindow"))
            parentWidget()->close();
        else
            close();
    });
}

QChart* LoanGraphWindow::chart() const
{
    return m_view->chart();
}

void LoanGraphWindow::LoanAmortGraph(const AnnualSchedule& schedule, const QString& loan)
{
    auto* capital = new QBarSet(tr("Capital"));
    auto* interest = new QBarSet(tr("Interest"));
    auto* balance = new QLineSeries;
    balance->setName(tr("Balance"));
    QStringList years;
    double paidMost = 0;
    double balanceMost = 0;
    for (const AmortLine& line : schedule.lines) {
        const auto index = static_cast<double>(years.size());
        years.append(QString::number(line.period));
        capital->append(line.capital);
        interest->append(line.interest);
        // The balance at the end of each year, over that year's bar.
        balance->append(index, line.balance);
        paidMost = std::max(paidMost, line.capital + line.interest);
        balanceMost = std::max(balanceMost, line.balance);
    }

    // Colours that tell the three apart in print as well as on screen.
    capital->setColor(QColor(0x1f, 0x77, 0xb4));
    interest->setColor(QColor(0xff, 0x9f, 0x1c));
    QPen line(QColor(0xb0, 0x1e, 0x2e));
    line.setWidth(3);
    balance->setPen(line);

    auto* bars = new QStackedBarSeries;
    bars->append(capital);
    bars->append(interest);

    auto* chart = new QChart;
    chart->setTitle(tr("Yearly capital, interest and balance<br>%1").arg(loan.toHtmlEscaped()));
    QFont titleFont = chart->titleFont();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    chart->setTitleFont(titleFont);
    chart->addSeries(bars);
    chart->addSeries(balance);

    auto* yearAxis = new QBarCategoryAxis;
    yearAxis->setTitleText(tr("Year"));
    yearAxis->append(years);
    if (years.size() > kUprightYearLabels)
        yearAxis->setLabelsAngle(-90);
    chart->addAxis(yearAxis, Qt::AlignBottom);
    bars->attachAxis(yearAxis);
    balance->attachAxis(yearAxis);

    QValueAxis* paidAxis = randAxis(tr("Paid in the year (R)"));
    paidAxis->setMax(paidMost > 0 ? paidMost * 1.05 : 1);
    paidAxis->applyNiceNumbers();
    chart->addAxis(paidAxis, Qt::AlignLeft);
    bars->attachAxis(paidAxis);

    QValueAxis* balanceAxis = randAxis(tr("Balance at the end of the year (R)"));
    balanceAxis->setMax(balanceMost > 0 ? balanceMost * 1.05 : 1);
    balanceAxis->applyNiceNumbers();
    chart->addAxis(balanceAxis, Qt::AlignRight);
    balance->attachAxis(balanceAxis);

    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    QChart* old = m_view->chart();
    m_view->setChart(chart);
    delete old;
    setWindowTitle(tr("Annual Graph - %1").arg(loan));
}

QString LoanGraphWindow::savePng(const QString& path) const
{
    const QImage image = m_view->grab().toImage();
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            return outputFailure(path, tr("the picture could not be made"));
    }
    OutputFile file(path);
    if (QString error = file.open(); !error.isEmpty())
        return error;
    if (file.device()->write(bytes) != bytes.size()) {
        const QString reason = file.device()->errorString();
        file.cancel();
        return outputFailure(path, reason);
    }
    return file.commit();
}

void LoanGraphWindow::saveAsAsked()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path =
        chooseSaveFile(this, tr("Save the graph as"), QDir(folder).filePath(QStringLiteral("LoanGraph.png")),
                       tr("PNG pictures (*.png)"));
    if (path.isEmpty())
        return;
    if (const QString error = savePng(path); !error.isEmpty())
        showMessage(this, {QMessageBox::Critical, tr("Save as PNG"), error});
}

}  // namespace grossby
