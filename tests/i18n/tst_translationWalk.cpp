// Every window of the running program, its message boxes and its printouts in English and
// French: no text the user sees may still be German, whether the window was opened after
// the language switch or was open while the language changed. "German" means a source
// text of the catalogues whose translation differs (also inside longer texts and as the
// fixed part of a text with placeholders), or any text with German letters. The data the
// test feeds in (plant names, comments, file names, numbers) is neutral and never matches.
#include "reports/ReportText.h"
#include "ui/UiTestSupport.h"

#include "core/Daten.h"
#include "core/Language.h"
#include "core/MainProgram.h"
#include "core/ProgramDir.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "display/DisplayWidgets.h"
#include "display/UAnlageDaten.h"
#include "display/UAnzeige.h"
#include "display/UO2MessSetup.h"
#include "display/UPfadsetzen.h"
#include "evaluation/UCSV_Lesen.h"
#include "evaluation/UGraphik.h"
#include "link/Protocol.h"
#include "sim/Simulator.h"
#include "storage/UAktiv.h"
#include "storage/UDatenLesen1.h"
#include "storage/UProtokollKopf.h"
#include "storage/UQRKompForm.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QXmlStreamReader>
#include <QtCharts/QAbstractAxis>
#include <QtCharts/QAbstractSeries>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

// A text as the eye reads it: no mnemonic marks, one blank for any run of white space.
QString normalized(QString s) {
    s.replace(QLatin1String("&&"), QLatin1String("\x01"));
    s.remove(QLatin1Char('&'));
    s.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return s.simplified();
}

// The German texts of one catalogue that the user must never see in its language.
class GermanTexts {
public:
    bool load(const QString& tsPath) {
        QFile f(tsPath);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        QXmlStreamReader xml(&f);
        QString source, translation, *into = nullptr;
        bool finished = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                const auto name = xml.name();
                if (name == QLatin1String("message")) {
                    source.clear();
                    translation.clear();
                    finished = false;
                } else if (name == QLatin1String("source")) {
                    into = &source;
                } else if (name == QLatin1String("translation")) {
                    into = &translation;
                    finished = xml.attributes().value(QLatin1String("type")).isEmpty();
                } else if (name == QLatin1String("byte") && into) {
                    const QString v = xml.attributes().value(QLatin1String("value")).toString();
                    *into += QChar(v.mid(1).toInt(nullptr, 16));
                }
            } else if (xml.isCharacters() && into) {
                *into += xml.text();
            } else if (xml.isEndElement()) {
                const auto name = xml.name();
                if (name == QLatin1String("source") || name == QLatin1String("translation"))
                    into = nullptr;
                else if (name == QLatin1String("message"))
                    add(source, finished ? translation : QString());
            }
        }
        return !xml.hasError() && !m_exact.isEmpty();
    }

    // Why `text` is German, or empty when it is not.
    QString verdict(const QString& raw) const {
        const QString text = normalized(raw);
        if (text.isEmpty())
            return {};
        static const QRegularExpression germanLetters(QStringLiteral("[äöüÄÖÜß]"));
        if (m_exact.contains(text) && !m_translations.contains(text))
            return QStringLiteral("a German source text");
        for (const QRegularExpression& p : m_patterns)
            if (p.match(text).hasMatch())
                return QStringLiteral("German text with placeholders \"%1\"").arg(p.pattern());
        for (const QString& phrase : m_phrases)
            if (text.contains(phrase))
                return QStringLiteral("contains the German \"%1\"").arg(phrase);
        if (germanLetters.match(text).hasMatch())
            return QStringLiteral("German letters");
        return {};
    }

private:
    void add(const QString& sourceRaw, const QString& translationRaw) {
        const QString source = normalized(sourceRaw);
        // A text that translates one source may equal another source ("&Info").
        m_translations.insert(normalized(translationRaw));
        if (source.isEmpty() || source == normalized(translationRaw))
            return;
        static const QRegularExpression placeholder(QStringLiteral("%L?\\d"));
        if (source.contains(placeholder)) {
            // The fixed part must say something, or the pattern would match any data.
            QString fixed = source;
            fixed.remove(placeholder);
            if (fixed.count(QRegularExpression(QStringLiteral("[A-Za-zäöüÄÖÜß]"))) < 4)
                return;
            QString pattern = QRegularExpression::escape(source);
            pattern.replace(QRegularExpression(QStringLiteral("%L?\\d")), QStringLiteral(".*"));
            m_patterns << QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$'));
            return;
        }
        m_exact.insert(source);
        // Longer phrases are also found inside texts that glue several pieces together.
        if (source.size() >= 12 && source.contains(QLatin1Char(' ')))
            m_phrases << source;
    }

    QSet<QString> m_exact;
    QSet<QString> m_translations;
    QStringList m_phrases;
    QList<QRegularExpression> m_patterns;
};

// Between where a collected text was found and the text itself.
const QChar Separator(0x1f);

// Every text a user can read in `root` and its children, each labelled with where it is.
class TextCollector {
public:
    QStringList texts;

    void add(const QObject* where, const QString& kind, const QString& text) {
        if (normalized(text).isEmpty())
            return;
        texts << QStringLiteral("%1 %2 %3")
                         .arg(QString::fromLatin1(where->metaObject()->className()),
                              where->objectName(), kind) +
                     Separator + text;
    }

    void widget(QWidget* root) {
        QList<QWidget*> all = root->findChildren<QWidget*>();
        all.prepend(root);
        for (QWidget* w : all)
            one(w);
    }

    void action(QAction* a) {
        if (a->isSeparator())
            return;
        add(a, QStringLiteral("text"), a->text());
        if (normalized(a->toolTip()) != normalized(a->text()))
            add(a, QStringLiteral("tool tip"), a->toolTip());
        add(a, QStringLiteral("status tip"), a->statusTip());
        if (QMenu* m = a->menu())
            add(m, QStringLiteral("title"), m->title());
    }

private:
    void one(QWidget* w) {
        if (w->isWindow())
            add(w, QStringLiteral("window title"), w->windowTitle());
        add(w, QStringLiteral("tool tip"), w->toolTip());
        add(w, QStringLiteral("status tip"), w->statusTip());
        add(w, QStringLiteral("what's this"), w->whatsThis());
        for (QAction* a : w->actions())
            action(a);
        if (auto* l = qobject_cast<QLabel*>(w)) {
            QString t = l->text();
            if (l->textFormat() == Qt::RichText ||
                (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(t))) {
                QTextDocument doc;
                doc.setHtml(t);
                t = doc.toPlainText();
            }
            add(w, QStringLiteral("label"), t);
        }
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            add(w, QStringLiteral("button"), b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w))
            add(w, QStringLiteral("group"), g->title());
        if (auto* m = qobject_cast<QMenu*>(w))
            add(w, QStringLiteral("menu"), m->title());
        if (auto* t = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i) {
                add(w, QStringLiteral("tab"), t->tabText(i));
                add(w, QStringLiteral("tab tip"), t->tabToolTip(i));
            }
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                add(w, QStringLiteral("item"), c->itemText(i));
        if (auto* e = qobject_cast<QLineEdit*>(w))
            add(w, QStringLiteral("placeholder"), e->placeholderText());
        if (auto* s = qobject_cast<QStatusBar*>(w))
            add(w, QStringLiteral("status"), s->currentMessage());
        if (auto* p = qobject_cast<QProgressBar*>(w); p && p->isTextVisible())
            add(w, QStringLiteral("progress"), p->format());
        if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model())
            model(w, v->model());
        if (auto* g = qobject_cast<DepthGauge*>(w)) {
            add(w, QStringLiteral("gauge caption"), g->caption());
            add(w, QStringLiteral("gauge unit"), g->unit());
        }
        if (auto* cv = qobject_cast<QChartView*>(w); cv && cv->chart())
            chart(w, cv->chart());
    }

    void model(QWidget* w, const QAbstractItemModel* m) {
        for (int c = 0; c < m->columnCount(); ++c)
            add(w, QStringLiteral("column head"), m->headerData(c, Qt::Horizontal).toString());
        for (int r = 0; r < m->rowCount(); ++r) {
            add(w, QStringLiteral("row head"), m->headerData(r, Qt::Vertical).toString());
            for (int c = 0; c < m->columnCount(); ++c) {
                const QModelIndex i = m->index(r, c);
                add(w, QStringLiteral("cell"), m->data(i).toString());
                add(w, QStringLiteral("cell tip"), m->data(i, Qt::ToolTipRole).toString());
            }
        }
    }

    void chart(QWidget* w, const QChart* c) {
        add(w, QStringLiteral("chart title"), c->title());
        for (const QAbstractAxis* a : c->axes())
            add(w, QStringLiteral("axis"), a->titleText());
        for (const QAbstractSeries* s : c->series())
            add(w, QStringLiteral("series"), s->name());
    }
};

// Answers every message box with its default button and keeps what each one showed.
class BoxRecorder : public QObject {
public:
    BoxRecorder() {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box->property("o2Recorded").toBool())
                return;
            box->setProperty("o2Recorded", true);
            TextCollector c;
            c.widget(box);
            seen << c.texts;
            titles << box->windowTitle();
            QAbstractButton* b = box->defaultButton();
            b ? b->click() : box->reject();
        });
        m_timer.start(5);
    }
    QStringList seen;   // every text of every box
    QStringList titles; // one per box

private:
    QTimer m_timer;
};

// Runs `open`, which shows a window modally and returns when it is closed; once a modal
// window of class `cls` is up, hands it to `look` and closes it. False when none came up.
bool whileModal(const char* cls, const std::function<void()>& open,
                const std::function<void(QWidget*)>& look) {
    bool seen = false;
    QTimer t;
    t.setInterval(5);
    QObject::connect(&t, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (seen || !w || !w->inherits(cls) || !w->isVisible())
            return;
        seen = true;
        t.stop();
        look(w);
        if (auto* d = qobject_cast<QDialog*>(w))
            d->reject();
        else
            w->close();
    });
    t.start();
    open();
    return seen;
}

const QString PlantName = QStringLiteral("Nord-1");

} // namespace

class TestTranslationWalk : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    QTemporaryDir programDir;
    std::map<QString, GermanTexts> german;
    std::unique_ptr<sim::Simulator> simulator;
    std::unique_ptr<MainProgram> program;
    std::unique_ptr<BoxRecorder> boxes;
    QString measurementFile;

    TFMain& main() { return program->window(); }

    // As the "Sprache" menu does it; the windows have retranslated when it returns.
    void switchTo(const QString& code) {
        const QString item = QStringLiteral("Language") + code.left(1).toUpper() + code.mid(1);
        main().menuItem(item)->trigger();
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }

    // The live display, with `inside` run while it is open.
    bool withLiveDisplay(const std::function<void(TFAnzeige&)>& inside) {
        return whileModal(
            "TFAnzeige", [&] { main().menuItem(QStringLiteral("PCAnzeigeItem"))->trigger(); },
            [&](QWidget* w) {
                auto& display = static_cast<TFAnzeige&>(*w);
                // What the window's activation does, which the offscreen platform may
                // deliver late or never.
                display.FormActivate();
                display.DispTimerOnTimer();
                inside(display);
            });
    }

    // A readout of plant 1 in the offline readout window: the table is filled and the
    // measurement file grows.
    void readOut(TFDatenLesen1& window) {
        simulator->addStoredRecords(1, 6);
        window.DatenAuslesen();
    }

    // Run as soon as a window is up, before the test uses it (the language switch of the
    // rows that switch while the window is open).
    std::function<void()> whenOpen;

    // Opens the window named `name` the way the program does, fills it as a user would
    // and hands it to `look`.
    bool open(const QString& name, const std::function<void(QWidget*)>& look) {
        auto entered = [this] {
            if (whenOpen)
                whenOpen();
        };
        auto seen = [&](QWidget* w) {
            entered();
            look(w);
        };
        auto viaMenu = [&](const char* item, const char* cls,
                           const std::function<void(QWidget*)>& prepare) {
            return whileModal(
                cls, [&] { main().menuItem(QLatin1String(item))->trigger(); },
                [&](QWidget* w) {
                    entered();
                    prepare(w);
                    look(w);
                });
        };
        auto nothing = [](QWidget*) {};
        auto loadFile = [this](QWidget* w) {
            const auto chooser = [this](QWidget*, const QString&) { return measurementFile; };
            if (auto* v = qobject_cast<TFCSV_Lesen*>(w)) {
                v->setFileChooser(chooser);
                v->OpenButtonClick();
            } else if (auto* g = qobject_cast<TFGraphForm*>(w)) {
                g->setFileChooser(chooser);
                g->OpenButtonClick();
            }
        };
        if (name == QLatin1String("main window")) {
            seen(&main());
            return true;
        }
        if (name == QLatin1String("busy window")) {
            TFAktiv* busy = TFAktiv::instance();
            busy->ShowProgress(&main(), 10);
            busy->StepProgress();
            seen(busy);
            busy->HideProgress();
            return true;
        }
        if (name == QLatin1String("PC setup"))
            return viaMenu("ProgrammSetupItem", "TFPC_Setup", nothing);
        if (name == QLatin1String("readout hour"))
            return viaMenu("SpeicherzeitItem", "TFZeitSelect", nothing);
        if (name == QLatin1String("report header"))
            return viaMenu("FirmendatenItem", "TFProtokKopf", nothing);
        if (name == QLatin1String("about"))
            return viaMenu("InfoItem", "TFAbout", nothing);
        if (name == QLatin1String("offline readout"))
            return viaMenu("OfflineDatenItem", "TFDatenLesen1",
                           [this](QWidget* w) { readOut(static_cast<TFDatenLesen1&>(*w)); });
        if (name == QLatin1String("log viewer"))
            return viaMenu("MesswerteDruckenItem", "TFCSV_Lesen", loadFile);
        if (name == QLatin1String("quality viewer"))
            return viaMenu("ProtokollItem", "TFCSV_Lesen", [&](QWidget* w) {
                loadFile(w);
                static_cast<TFCSV_Lesen*>(w)->HygieneCheck()->setChecked(true);
            });
        if (name == QLatin1String("graph window"))
            return viaMenu("GrafikItem", "TFGraphForm", loadFile);
        if (name == QLatin1String("graph window second sheet"))
            return viaMenu("GrafikItem", "TFGraphForm", [&](QWidget* w) {
                loadFile(w);
                auto* g = static_cast<TFGraphForm*>(w);
                g->PageControl1()->setCurrentIndex(g->PageControl1()->count() - 1);
            });
        if (name == QLatin1String("live display"))
            return withLiveDisplay([&](TFAnzeige& d) {
                entered();
                d.Speicherstatus1Click();
                look(&d);
            });
        // The live display's dialogs.
        bool inner = false;
        const bool outer = withLiveDisplay([&](TFAnzeige& d) {
            if (name == QLatin1String("setup values")) {
                inner = whileModal(
                    "TFO2MessSetup", [&] { d.menuItem(QStringLiteral("Zeiten1"))->trigger(); },
                    seen);
            } else if (name == QLatin1String("controller clock")) {
                inner = whileModal(
                    "TFAnlDatumSetup",
                    [&] { d.menuItem(QStringLiteral("Datumsetzen1"))->trigger(); }, seen);
            } else if (name == QLatin1String("offline readout from the display")) {
                inner = whileModal(
                    "TFDatenLesen1",
                    [&] { d.menuItem(QStringLiteral("OfflineDatenauslesen1"))->trigger(); },
                    [&](QWidget* w) {
                        entered();
                        readOut(static_cast<TFDatenLesen1&>(*w));
                        look(w);
                    });
            } else if (name == QLatin1String("about from the display")) {
                inner = whileModal(
                    "TFAbout", [&] { d.menuItem(QStringLiteral("About1"))->trigger(); }, seen);
            } else if (name == QLatin1String("plant naming")) {
                TFAnlageDaten naming(&d);
                naming.show();
                seen(&naming);
                inner = true;
            } else if (name == QLatin1String("directory chooser")) {
                TFPfadsetzen chooser(&d);
                chooser.show();
                seen(&chooser);
                inner = true;
            }
        });
        return outer && inner;
    }

    void check(const QString& lang, const QStringList& texts) {
        QStringList german_;
        for (const QString& t : texts) {
            const QString where = t.section(Separator, 0, 0);
            const QString text = t.section(Separator, 1);
            // A text of several lines may glue several short texts together.
            QStringList parts = text.split(QRegularExpression(QStringLiteral("[\r\n]+")));
            if (parts.size() > 1)
                parts.prepend(text);
            for (const QString& part : parts) {
                const QString why = german.at(lang).verdict(part);
                if (!why.isEmpty()) {
                    german_ << where + QStringLiteral(": ") + text + QStringLiteral("   <- ") + why;
                    break;
                }
            }
        }
        if (!german_.isEmpty())
            qWarning().noquote() << "Untranslated:\n  " + german_.join(QStringLiteral("\n  "));
        QVERIFY2(
            german_.isEmpty(),
            qPrintable(
                QStringLiteral("%1 untranslated text(s) in %2").arg(german_.size()).arg(lang)));
    }

    static void languages() {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<bool>("whileOpen"); // switched while the window was open
    }

private slots:
    void initTestCase() {
        UiTest::isolateUserSettings(userSettings);
        for (const QString& lang : {Language::English, Language::French})
            QVERIFY2(german[lang].load(QStringLiteral(O2_TS_DIR "/o2aerolis_%1.ts").arg(lang)),
                     qPrintable(lang));
        ResetProcessState();
        Regional::setLocaleOverride(QLocale::c());
        ProgramDir::setOverride(programDir.path());

        simulator = std::make_unique<sim::Simulator>();
        simulator->setSeed(5);
        simulator->setTimeFactor(0);
        for (int a : {1, 2, 3}) {
            sim::PlantState& p = simulator->plant(a);
            p.present = true;
            p.switchedOn = a != 3;
            p.storing = a != 3;
            p.mode = a == 2 ? 2 : 3;
            p.temperature = {66, 61, 57, 48, 30};
        }
        simulator->setPileAge(1, 3 * 24 * 60);
        QVERIFY(simulator->listenTcp(0));
        QFile ini(ProgramDir::iniPath());
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[COM]\r\nLAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=" +
                  QByteArray::number(simulator->tcpPort()) +
                  "\r\nTIMEOUT=25\r\n[1]\r\nName=" + PlantName.toLatin1() + "\r\nKomm=Hall 4\r\n");
        ini.close();

        boxes = std::make_unique<BoxRecorder>();
        program = std::make_unique<MainProgram>();
        QSignalSpy taught(&program->poll(), &TeachInPoll::teachInFinished);
        QVERIFY(taught.wait(15000));
        // The short time-out kept the probes of absent addresses quick; the controller
        // exchanges from here on get the program's usual time.
        Kommunikation::BaseTimeout = 300;
        Daten::SelectedPlant = 1;
        QVERIFY(Daten::Anlage[1].Present);

        // A measurement file with records, read out in German, for the evaluation windows.
        QVERIFY(open(QStringLiteral("offline readout"), [](QWidget*) {}));
        measurementFile = Daten::Anlage[1].Datei;
        QVERIFY2(QFile::exists(measurementFile), qPrintable(measurementFile));
        boxes->seen.clear();
    }

    void cleanupTestCase() {
        boxes.reset();
        if (program)
            program->window().close();
        program.reset();
        simulator.reset();
        Settings::close();
        Regional::clearLocaleOverride();
    }

    // Every row starts on the same plant, whatever the windows of the row before chose.
    void init() { Daten::SelectedPlant = 1; }

    void cleanup() {
        whenOpen = nullptr;
        switchTo(Language::German);
        boxes->seen.clear();
        boxes->titles.clear();
    }

    void windows_data() {
        QTest::addColumn<QString>("window");
        languages();
        const QStringList longLived = {"main window", "busy window"};
        const QStringList windows = {"PC setup",
                                     "readout hour",
                                     "report header",
                                     "about",
                                     "live display",
                                     "setup values",
                                     "controller clock",
                                     "plant naming",
                                     "directory chooser",
                                     "offline readout",
                                     "offline readout from the display",
                                     "about from the display",
                                     "log viewer",
                                     "quality viewer",
                                     "graph window",
                                     "graph window second sheet"};
        for (const QString& lang : {Language::English, Language::French}) {
            for (const QString& w : longLived)
                QTest::addRow("%s %s", qPrintable(w), qPrintable(lang)) << w << lang << true;
            for (const QString& w : windows)
                for (bool whileOpen : {false, true})
                    QTest::addRow("%s %s %s", qPrintable(w), qPrintable(lang),
                                  whileOpen ? "switched while open" : "opened after")
                        << w << lang << whileOpen;
        }
    }
    void windows() {
        QFETCH(QString, window);
        QFETCH(QString, lang);
        QFETCH(bool, whileOpen);
        if (!whileOpen)
            switchTo(lang);
        if (whileOpen)
            whenOpen = [&] { switchTo(lang); };
        TextCollector texts;
        const bool opened = open(window, [&](QWidget* w) { texts.widget(w); });
        QVERIFY2(opened, qPrintable(window));
        QVERIFY(!texts.texts.isEmpty());
        check(lang, texts.texts + boxes->seen);
    }

    // One flow per kind of box; the box's title, text and buttons are all translated.
    void messages_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("lang");
        for (const QString& lang : {Language::English, Language::French}) {
            QTest::addRow("confirmation %s", qPrintable(lang)) << "confirmation"
                                                               << "Bestätigung" << lang;
            QTest::addRow("information %s", qPrintable(lang)) << "information"
                                                              << "Informationen" << lang;
            QTest::addRow("warning %s", qPrintable(lang)) << "warning"
                                                          << "Warnung" << lang;
            QTest::addRow("error %s", qPrintable(lang)) << "error"
                                                        << "Fehler" << lang;
        }
    }
    void messages() {
        QFETCH(QString, kind);
        QFETCH(QString, title);
        QFETCH(QString, lang);
        switchTo(lang);
        QTemporaryDir scratch;
        const QString missing = scratch.filePath(QStringLiteral("gone.csv"));
        if (kind == QLatin1String("confirmation")) {
            // A changed setup value asks before the dialog moves on to another plant.
            bool asked = false;
            QVERIFY(withLiveDisplay([&](TFAnzeige& d) {
                asked = whileModal(
                    "TFO2MessSetup", [&] { d.menuItem(QStringLiteral("Zeiten1"))->trigger(); },
                    [&](QWidget* w) {
                        auto* s = static_cast<TFO2MessSetup*>(w);
                        s->SpeicherEdit->setValue(s->SpeicherEdit->value() + 5);
                        s->TabControl1->setCurrentIndex(1);
                    });
            }));
            QVERIFY(asked);
        } else if (kind == QLatin1String("information")) {
            // A stored count that cannot be read.
            simulator->setReplyOverride(1, 'r', QByteArray("r;"));
            whileModal(
                "TFDatenLesen1",
                [&] { main().menuItem(QStringLiteral("OfflineDatenItem"))->trigger(); },
                [&](QWidget* w) { static_cast<TFDatenLesen1*>(w)->DatenAuslesen(); });
            simulator->clearReplyOverrides();
        } else if (kind == QLatin1String("warning")) {
            // The end of a readout.
            QVERIFY(open(QStringLiteral("offline readout"), [](QWidget*) {}));
        } else {
            // A file that cannot be read.
            whileModal(
                "TFCSV_Lesen",
                [&] { main().menuItem(QStringLiteral("MesswerteDruckenItem"))->trigger(); },
                [&](QWidget* w) {
                    auto* v = static_cast<TFCSV_Lesen*>(w);
                    v->setFileChooser([&](QWidget*, const QString&) { return missing; });
                    v->OpenButtonClick();
                });
        }
        const QString expected = QCoreApplication::translate("Messages", qPrintable(title));
        QVERIFY2(boxes->titles.contains(expected),
                 qPrintable(boxes->titles.join(QLatin1Char('|'))));
        check(lang, boxes->seen);
    }

    // The printouts as PDF, read back as text.
    void reports_data() {
        QTest::addColumn<QString>("report");
        languages();
        for (const QString& lang : {Language::English, Language::French})
            for (const char* report : {"log", "quality", "graph", "readout log", "header sample"})
                for (bool whileOpen : {false, true})
                    QTest::addRow("%s %s %s", report, qPrintable(lang),
                                  whileOpen ? "switched while open" : "opened after")
                        << QString::fromLatin1(report) << lang << whileOpen;
    }
    void reports() {
        QFETCH(QString, report);
        QFETCH(QString, lang);
        QFETCH(bool, whileOpen);
        if (!ReportText::available())
            QSKIP("pdftotext is not installed");
        QTemporaryDir out;
        const QString pdf = out.filePath(QStringLiteral("report.pdf"));
        if (!whileOpen)
            switchTo(lang);
        bool written = false;
        auto exportFrom = [&](QWidget* w) {
            if (whileOpen)
                switchTo(lang);
            if (auto* v = qobject_cast<TFCSV_Lesen*>(w)) {
                v->GrafikCheck()->setChecked(true);
                v->HygieneCheck()->setChecked(true);
                written = v->ExportPdf(pdf);
            } else if (auto* g = qobject_cast<TFGraphForm*>(w)) {
                written = g->ExportPdf(pdf);
            } else if (auto* r = qobject_cast<TFDatenLesen1*>(w)) {
                TFQRKompForm log;
                r->PrepareLogReport(log);
                written = log.exportPdf(pdf);
            } else if (auto* h = qobject_cast<TFProtokKopf*>(w)) {
                written = h->makeSampleReport()->exportPdf(pdf);
            }
        };
        // The window each printout comes from.
        const QMap<QString, QString> windows = {{"log", "log viewer"},
                                                {"quality", "quality viewer"},
                                                {"graph", "graph window"},
                                                {"readout log", "offline readout"},
                                                {"header sample", "report header"}};
        const QString window = windows.value(report);
        QVERIFY(open(window, exportFrom));
        QVERIFY(written);
        const QStringList pages = ReportText::pages(pdf);
        QVERIFY(!pages.isEmpty());
        TextCollector texts;
        for (const QString& page : pages)
            for (const QString& line : page.split(QLatin1Char('\n'))) {
                texts.add(this, QStringLiteral("line"), line);
                // Columns of a line stand apart by two blanks or more.
                for (const QString& cell :
                     line.split(QRegularExpression(QStringLiteral("\\s{2,}")), Qt::SkipEmptyParts))
                    texts.add(this, QStringLiteral("cell"), cell);
            }
        check(lang, texts.texts);
    }
};

QTEST_MAIN(TestTranslationWalk)
#include "tst_translationWalk.moc"
