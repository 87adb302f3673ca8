#include "core/Language.h"

#include "core/ProcessState.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLibraryInfo>
#include <QMenu>
#include <QPointer>
#include <QSettings>
#include <QTranslator>

#include <memory>

namespace Language {

namespace {

const char* const KeyLanguage = "Language";

struct State {
    QString current = German;
    bool applied = false;
    QPointer<QTranslator> program;
    QPointer<QTranslator> qt;
};

State& state() {
    static State s;
    return s;
}

ProcessState::Registrar reg(&resetState);

// Native names: each language is offered in its own words, whatever the current one.
const char* nativeName(const QString& code) {
    if (code == English)
        return QT_TRANSLATE_NOOP("Language", "English");
    if (code == French)
        return QT_TRANSLATE_NOOP("Language", "Français");
    return QT_TRANSLATE_NOOP("Language", "Deutsch");
}

QString actionName(const QString& code) {
    return QStringLiteral("Language") + code.left(1).toUpper() + code.mid(1);
}

void removeTranslators() {
    State& s = state();
    for (QPointer<QTranslator>* t : {&s.program, &s.qt}) {
        if (*t) {
            QCoreApplication::removeTranslator(*t);
            delete t->data();
        }
    }
}

void syncMenus() {
    if (!qApp)
        return;
    for (QWidget* w : QApplication::allWidgets()) {
        auto* menu = qobject_cast<QMenu*>(w);
        if (!menu)
            continue;
        for (QAction* a : menu->actions()) {
            if (a->objectName().startsWith(QLatin1String("Language")) && a->isCheckable())
                a->setChecked(a->data().toString() == state().current);
        }
    }
}

} // namespace

QStringList available() {
    return {German, English, French};
}

QString current() {
    return state().current;
}

bool apply(const QString& code) {
    if (!available().contains(code))
        return false;
    State& s = state();
    if (s.applied && code == s.current)
        return true;
    auto program = std::make_unique<QTranslator>();
    if (code != German && !program->load(QStringLiteral(":/i18n/o2aerolis_") + code))
        return false;
    removeTranslators();
    s.current = code;
    s.applied = true;
    if (code != German) {
        s.program = program.release();
        if (qApp)
            s.program->setParent(qApp);
        QCoreApplication::installTranslator(s.program);
    }
    // Qt's own texts (standard dialogs, print preview) follow when Qt's catalogues are
    // installed on this machine; without them they stay as Qt has them.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_") + code,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        s.qt = qt.release();
        if (qApp)
            s.qt->setParent(qApp);
        QCoreApplication::installTranslator(s.qt);
    }
    syncMenus();
    return true;
}

bool choose(const QString& code) {
    if (!apply(code))
        return false;
    QSettings settings(QStringLiteral("O2-Humivo"), QStringLiteral("Locales"));
    settings.setValue(QLatin1String(KeyLanguage), code);
    settings.sync();
    return true;
}

QString stored() {
    QSettings settings(QStringLiteral("O2-Humivo"), QStringLiteral("Locales"));
    const QString code = settings.value(QLatin1String(KeyLanguage)).toString();
    return available().contains(code) ? code : German;
}

void init(QMenu* menu) {
    apply(stored());
    if (!menu)
        return;
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (const QString& code : available()) {
        QAction* a = menu->addAction(QString());
        a->setObjectName(actionName(code));
        a->setData(code);
        a->setCheckable(true);
        a->setChecked(code == current());
        group->addAction(a);
        QObject::connect(a, &QAction::triggered, menu, [code] { choose(code); });
    }
    retranslateMenu(menu);
}

void retranslateMenu(QMenu* menu) {
    if (!menu)
        return;
    for (QAction* a : menu->actions()) {
        const QString code = a->data().toString();
        if (a->objectName() == actionName(code))
            a->setText(QCoreApplication::translate("Language", nativeName(code)));
    }
}

void resetState() {
    removeTranslators();
    state().current = German;
    state().applied = false;
    syncMenus();
}

} // namespace Language
