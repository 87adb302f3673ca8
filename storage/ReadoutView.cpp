#include "storage/ReadoutView.h"

#include "core/Messages.h"
#include "storage/UAktiv.h"

#include <QPointer>
#include <QWidget>

Readout::View MakeReadoutView(QWidget* form, std::function<void(const QString&)> setPanel3) {
    // The form may close while a reply wait processes events; a guarded pointer keeps the
    // view from reaching a destroyed window.
    QPointer<QWidget> guarded(form);
    Readout::View view;
    view.showProgress = [guarded](int maximum) {
        if (TFAktiv* busy = TFAktiv::instance())
            busy->ShowProgress(guarded.data(), maximum);
    };
    view.stepProgress = [] {
        if (TFAktiv* busy = TFAktiv::instance())
            busy->StepProgress();
    };
    view.hideProgress = [] {
        if (TFAktiv* busy = TFAktiv::instance())
            busy->HideProgress();
    };
    view.setPanel3 = std::move(setPanel3);
    view.message = [guarded](const QString& text) { Messages::information(text, guarded.data()); };
    return view;
}
