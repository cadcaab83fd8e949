#pragma once
// What every calculator window does the same way: read the inputs, run the
// pure calculation, show the results or the rejection (with the focus on the
// field concerned), keep the last calculation for printing, and the common
// buttons and panels: "&Calculate", "&Print" with its panel, "&Information",
// "&Settings" with the Setup panel, "&OK". Return in any input field
// calculates, the window opens with the focus in its first input field, and
// its own button mnemonics come before the menu bar's.
//
// Windows are made only through create<W>(), which constructs the window and
// then loads it, so load-time work may call the window's virtual functions.

#include "core/calc_outcome.h"
#include "core/year_figures.h"
#include "services/print_database.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QPushButton;

namespace grossby {

class InfoPanel;
class PrintPanel;
class SetupPanel;

/// The calculation a window runs from its calculator's description
/// (widgets/described_calculation.h): read the bound inputs, calculate, show
/// the results, keep them for printing, and the print job built from them.
class WindowCalculation {
public:
    virtual ~WindowCalculation() = default;
    /// Runs the calculation on the fields' inputs: the rejection, or nothing
    /// once the results are shown and kept.
    virtual std::optional<InputError> run() = 0;
    /// Whether the last calculation kept has something to print.
    virtual bool canPrint() const { return true; }
    /// The printout of the last calculation kept.
    virtual PrintJob printJob(PrintLanguage language) const = 0;
    /// The tax year the next calculation is for (a calculator whose inputs
    /// carry no year ignores it).
    virtual void setTaxYear(int /*year*/) { }
    /// Greys the figures shown until the next calculation.
    virtual void markStale() { }
};

struct Module1;

class CalculatorWindow : public QWidget {
    Q_OBJECT
protected:
    /// Proof that a window is being made by create(); only the base can make one.
    class Key {
        friend class CalculatorWindow;
        Key() = default;
    };

public:
    /// Makes window `W` (its constructor takes a Key first, then `args`),
    /// then loads it.
    template <class W, class... Args> static W* create(Args&&... args)
    {
        auto* window = new W(Key{}, std::forward<Args>(args)...);
        static_cast<CalculatorWindow*>(window)->initialise();
        return window;
    }

    ~CalculatorWindow() override;

    /// "&Calculate": runs the calculation and shows its results; on a
    /// rejected input shows the message, puts the focus on the field
    /// concerned and returns false.
    bool calculate();

    /// A destination chosen on the print panel (0 preview, 1 printer): stages
    /// the last calculation's rows and starts the report.
    void printTo(int destination);

    /// Gives `field` the focus with its text selected, ready to be typed over.
    static void focusForTyping(QWidget* field);
    /// The first input field, which has the focus when the window opens.
    QWidget* firstInput() const;

    /// Notes that `field` shows input `key` of the calculator's input table,
    /// so a rejection naming that key puts the focus there. The field
    /// bindings note every field they bind; a window notes only an input
    /// field it reads itself.
    void noteInputField(std::string_view key, QWidget* field);
    /// The field noted for input `key`, or nullptr.
    QWidget* inputField(std::string_view key) const;

    /// The window's calculation, read from its calculator's description
    /// (describeCalculation()): with it, runCalculation() and printJob()
    /// need nothing of the window's own.
    void setCalculation(std::unique_ptr<WindowCalculation> calculation);

    /// The tax year the window calculates for (2018 for 2017/18).
    int taxYear() const { return m_taxYear; }
    /// That year's figures.
    const TaxYearFigures& taxYearFigures() const;
    /// Whether the window's figures depend on the tax year.
    bool followsTaxYear() const { return m_yearState != nullptr; }
    /// Puts the window in another tax year (one the program has): the
    /// caption names it, the dates move into it and the figures shown are
    /// greyed until the next calculation. Only this window changes; the
    /// program's choice (the menu's) stays as it is.
    void setTaxYear(int year);

Q_SIGNALS:
    /// The window's tax year changed.
    void taxYearChanged(int year);

protected:
    /// The controls the base wires; any may be null when the form lacks it.
    struct Controls {
        QPushButton* calculate = nullptr;
        QPushButton* print = nullptr;
        QPushButton* ok = nullptr;
        QPushButton* info = nullptr;
        QPushButton* settings = nullptr;
        PrintPanel* printPanel = nullptr;
        InfoPanel* infoPanel = nullptr;
        SetupPanel* setupPanel = nullptr;
    };

    /// A rejected input: the message box and where the focus goes (the
    /// "&Calculate" button when null).
    struct Rejection {
        QString title;
        QString text;
        QWidget* focus = nullptr;
    };

    CalculatorWindow(Key key, QWidget* parent);

    /// Makes the window's figures depend on the tax year: it opens in the
    /// program's year (`state.TaxYear`) and follows each change of it. Call
    /// from the constructor, once the form is set up; the caption the form
    /// has then is the one shown for 2017/18.
    void followTaxYear(Module1& state);
    /// Shows `caption`, followed by the window's tax year when it is not
    /// 2017/18 ("Monthly (2025/26)").
    void showCaption(const QString& caption);
    /// Runs when the window's tax year changes, before the figures are
    /// greyed. By default moves every date field into the new year (its
    /// range, and its date to the same day of the new year).
    virtual void moveToTaxYear(const TaxYearFigures& from, const TaxYearFigures& to);

    /// Wires the controls; call once the form is set up.
    void setUpControls(const Controls& controls);
    const Controls& controls() const { return m_controls; }

    /// Window load, run once by create() after construction. The base
    /// calculates once so the window opens with the figures of its defaults.
    virtual void load();

    /// Reads the inputs, runs the calculation; on success keeps the inputs
    /// and results for printing, shows them and returns nothing. By default
    /// the described calculation's.
    virtual std::optional<Rejection> runCalculation();

    /// The message box and the focus for a calculation's rejection.
    Rejection rejection(const InputError& error) const;
    /// Where a rejection sends the focus: by default the field noted for the
    /// input it names, else "&Calculate" (nullptr).
    virtual QWidget* focusFor(const InputError& error) const;

    /// The rows and report of the last calculation; `afrikaans` is the print
    /// panel's language choice. By default the described calculation's.
    virtual PrintJob printJob(bool afrikaans) const;

    /// Runs each time the window becomes the active one, the first showing
    /// included (windows that show shared figures recalculate here).
    virtual void activated() { }

    /// Runs before the rows are staged (QuickTax recalculates what is shown).
    virtual void beforePrint() { }

    /// Runs when "&Print" is pressed, before the print panel shows. A window
    /// with nothing to print returns false: the panel stays down and the
    /// window has put the focus where it belongs. When it returns true and
    /// the described calculation has nothing to print, the panel stays down
    /// too and "&OK" takes the focus, with nothing said.
    virtual bool prepareToPrint() { return true; }

    /// Where the print database is; empty when it is not known.
    virtual QString printDatabasePath() const = 0;

    /// Puts a panel's top edge this far down the window; negative centres it.
    void setPanelTop(int top) { m_panelTop = top; }

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void initialise();
    void followFrame();
    void closeWindow();
    bool stageAndRun(int destination, bool afrikaans);
    bool insidePanel(const QWidget* widget) const;
    /// Disables the form behind a print or setup panel, or gives back what it disabled.
    void lockForm(bool locked);
    void bringIntoView(const QWidget* panel);
    void dockPanel(QWidget* panel);
    void notePanelSize();
    void fitPanel(bool shown);
    QWidget* frameWidget();

    Controls m_controls;
    QList<QPointer<QWidget>> m_lockedByPanel;
    std::unique_ptr<WindowCalculation> m_calculation;
    std::vector<std::pair<std::string, QPointer<QWidget>>> m_inputFields;  // input key, the field showing it
    int m_panelTop = -1;
    bool m_shownOnce = false;
    QSize m_sizeBeforePanel;  // the window's size before a panel made it grow
    QMetaObject::Connection m_frameActivation;
    Module1* m_yearState = nullptr;
    int m_yearListener = 0;
    int m_taxYear = kDefaultTaxYear;
    QString m_caption;
};

}  // namespace grossby
