#pragma once

#include <QMainWindow>

class QMdiArea;

namespace grossby {

struct Module1;

/// The main window: a multiple-document area holding the calculator windows.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Module1& state, QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return m_mdi; }

private:
    Module1& m_state;
    QMdiArea* m_mdi = nullptr;
};

}  // namespace grossby
