#include "shell/main_window.h"

#include "core/module1.h"

#include <QMdiArea>

namespace grossby {

MainWindow::MainWindow(Module1& state, QWidget* parent)
    : QMainWindow(parent)
    , m_state(state)
{
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("Grossby 2018 Ver: 1.02.000"));
    m_mdi = new QMdiArea(this);
    setCentralWidget(m_mdi);
    resize(1024, 720);
    m_state.InitialiseAll();
}

}  // namespace grossby
