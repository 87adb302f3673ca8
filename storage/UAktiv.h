// The busy window shown while stored records are read out of a controller: a borderless,
// non-modal window with a notice and a progress bar, placed over the window that runs the
// readout. One instance lives for the whole program run; it is shown and hidden as needed.
#pragma once

#include "core/Language.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QProgressBar;

class TFAktiv : public Retranslatable<QWidget> {
    Q_OBJECT

public:
    // Becomes the instance(); `parent` (the main window) keeps it for the run.
    explicit TFAktiv(QWidget* parent = nullptr);
    ~TFAktiv() override;

    // The one busy window, nullptr before the program created it.
    static TFAktiv* instance();

    // Clears the cancel flag, centres the window's top-left region on `form` (left edge at
    // the form's middle - 100, top edge at its middle - 50, screen coordinates), sets the
    // progress to 1 of `maximum` and shows the window without waiting.
    // While shown, the window belongs to the form's window, so that it stays above it and
    // takes clicks while that window runs modally.
    void ShowProgress(QWidget* form, int maximum);
    // One record read.
    void StepProgress();
    // Hides the window and gives it back to the window that keeps it for the run.
    void HideProgress();

    // A click on the notice: asks a readout that looks at it to stop.
    void StaticText1Click();
    bool Cancelled() const { return m_cancelled; }

    QLabel* StaticText1() const { return m_staticText1; }
    QProgressBar* ProgressBar1() const { return m_progressBar1; }

    // Where ShowProgress puts the window's top-left corner for a form with this frame.
    static QPoint PlacementFor(const QRect& formFrame);

protected:
    void retranslateUi() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_staticText1 = nullptr;
    QProgressBar* m_progressBar1 = nullptr;
    bool m_cancelled = false;
    QPointer<QWidget> m_home; // the owner given at creation
};
