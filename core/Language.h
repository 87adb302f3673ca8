// Run-time language switching between German (the source language), English and French.
//
// The translations are Qt Linguist catalogues compiled into the program (":/i18n/...").
// Choosing a language installs its catalogue; Qt then sends QEvent::LanguageChange to every
// window, and each window sets its texts again.
//
// How a window joins: derive from Retranslatable<QDialog> (or <QWidget>, <QMainWindow>),
// put every tr() text of the window into retranslateUi() and call it once at the end of the
// constructor. Nothing else: the switch reaches the window while it is open, and a window
// created later picks up the language in force through tr().
//
// The choice is kept with QSettings("O2-Humivo", "Locales") in the native format (the
// registry key Software\O2-Humivo\Locales on Windows, ~/.config/O2-Humivo/Locales.conf on
// Linux), value "Language" = "de", "en" or "fr".
#pragma once

#include <QEvent>
#include <QString>
#include <QStringList>

class QMenu;

template <class Base> class Retranslatable : public Base {
public:
    using Base::Base;

protected:
    // Sets every translatable text of the window.
    virtual void retranslateUi() = 0;

    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::LanguageChange)
            retranslateUi();
        Base::changeEvent(event);
    }
};

namespace Language {

inline const QString German = QStringLiteral("de");
inline const QString English = QStringLiteral("en");
inline const QString French = QStringLiteral("fr");

// "de", "en", "fr", in menu order.
QStringList available();
QString current();

// Installs the catalogue of `code` (German removes it); an unknown code changes nothing
// and gives false. Does not store the choice.
bool apply(const QString& code);
// apply() and keep the choice for the next start.
bool choose(const QString& code);
// The kept choice; German when nothing valid is kept.
QString stored();

// Applies the kept choice and fills `menu` with one checkable, exclusive item per language
// (object names "LanguageDe", "LanguageEn", "LanguageFr"); choosing an item switches at
// once and keeps the choice.
void init(QMenu* menu);
// Sets the item texts of a menu filled by init() again (from retranslateUi).
void retranslateMenu(QMenu* menu);

// Back to German without touching the kept choice (process reset for tests).
void resetState();

} // namespace Language
