#pragma once

#include "shell/version.h"

#include <QDialog>

class QCheckBox;
class QLabel;

namespace grossby {

/// The about box: product, version and owner, with the choice to skip it at
/// start-up. Shown modeless. When it closes, by any means, it emits
/// `closedWithViewAbout` with the state of its check box turned into the
/// start-up flag (true = show again next time).
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(bool viewAbout, const ProgramVersion& version, QWidget* parent = nullptr);

    /// The start-up flag as the check box now says.
    bool viewAbout() const;

Q_SIGNALS:
    void closedWithViewAbout(bool viewAbout);

protected:
    void done(int result) override;

private:
    QCheckBox* m_check = nullptr;
};

}  // namespace grossby
