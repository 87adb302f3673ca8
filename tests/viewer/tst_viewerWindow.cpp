// The protocol viewer window: titles by mode, the check boxes and their settings keys,
// the file dialog's outcomes (cancelled, invalid, unreadable), the plant tabs, the menu
// that prints whatever is loaded, a preview closed before the next report, and the
// hygienisation overview.
#include "Fixture.h"
#include "ui/UiTestSupport.h"

#include "core/Daten.h"
#include "core/IniFile.h"
#include "core/Language.h"
#include "core/Messages.h"
#include "core/ProgramDir.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "evaluation/TMessDaten.h"
#include "evaluation/UCSV_Lesen.h"
#include "reports/ReportText.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestViewerWindow : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<QTemporaryDir> dir;
    QStringList chosen; // answers of the file dialog, in turn; "" = cancelled
    QStringList startDirs;

    QString csv(const QString& name, int days = 3) {
        const QString path = dir->filePath(name);
        return Fixture::write(path, Fixture::header() +
                                        Fixture::records(days * 24 - 4, 4,
                                                         [](int) { return Fixture::Temps(); }))
                   ? path
                   : QString();
    }
    std::unique_ptr<TFCSV_Lesen> viewer(bool quality) {
        auto w = std::make_unique<TFCSV_Lesen>();
        w->QualityMode = quality;
        w->setFileChooser([this](QWidget*, const QString& start) {
            startDirs << start;
            return chosen.isEmpty() ? QString() : chosen.takeFirst();
        });
        w->show();
        return w;
    }
    QByteArray iniBytes() const {
        QFile f(ProgramDir::iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeIni(const QByteArray& bytes) {
        QFile f(ProgramDir::iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        Settings::open(ProgramDir::iniPath());
    }
    int pdfRows(TFCSV_Lesen& w) {
        const QString pdf = dir->filePath(QStringLiteral("out.pdf"));
        QFile::remove(pdf);
        if (!w.ExportPdf(pdf))
            return 0;
        int rows = 0;
        for (const QString& line : ReportText::pages(pdf).join(QLatin1Char('\n')).split('\n'))
            if (line.simplified().contains(QRegularExpression(
                    QStringLiteral("^\\S*\\s?\\d{2}\\.\\d{2}\\.\\d{4} \\d{2}:\\d{2}"))))
                ++rows;
        return rows;
    }

private slots:
    void initTestCase() { UiTest::isolateUserSettings(userSettings); }
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
        writeIni(QByteArray());
        chosen.clear();
        startDirs.clear();
    }
    void cleanup() { Regional::clearLocaleOverride(); }

    void titlesAndBoxes_data() {
        QTest::addColumn<bool>("quality");
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("graph");
        QTest::addColumn<bool>("perDay");
        QTest::addColumn<bool>("hygiene");
        QTest::newRow("log, no keys")
            << false << QByteArray() << "Humivo Protokoll" << false << false << false;
        QTest::newRow("log, its keys")
            << false << QByteArray("[COM]\r\nPGRAPH=1\r\nPTAG=1\r\nGGRAPH=0\r\nPHYG=1\r\n")
            << "Humivo Protokoll" << true << true << false;
        QTest::newRow("protocol, the other mode's keys")
            << true << QByteArray("[COM]\r\nPGRAPH=1\r\nPTAG=1\r\n")
            << "Humivo Protokoll Gütegemeinschaft" << false << false << false;
        QTest::newRow("protocol, its keys")
            << true << QByteArray("[COM]\r\nGGRAPH=1\r\nGTAG=0\r\nPHYG=1\r\n")
            << "Humivo Protokoll Gütegemeinschaft" << true << false << true;
    }
    void titlesAndBoxes() {
        QFETCH(bool, quality);
        QFETCH(QByteArray, ini);
        QFETCH(QString, title);
        QFETCH(bool, graph);
        QFETCH(bool, perDay);
        QFETCH(bool, hygiene);
        writeIni(ini);
        {
            TFCSV_Lesen w;
            w.QualityMode = quality;
            QCOMPARE(w.windowTitle(), QStringLiteral("Humivo Protokolle"));
            QVERIFY(!w.PreviewButton()->isEnabled());
            QVERIFY(!w.PrintButton()->isEnabled());
            QVERIFY(w.menuItem(QStringLiteral("Druckvorschau1"))->isEnabled());
            w.show();
            QCOMPARE(w.windowTitle(), title);
            QCOMPARE(w.GrafikCheck()->isChecked(), graph);
            QCOMPARE(w.TagCheck()->isChecked(), perDay);
            QCOMPARE(w.HygieneCheck()->isChecked(), hygiene);
            QCOMPARE(w.HygieneCheck()->isVisible(), quality);
        }
        // Restoring the boxes is no change: the settings file stays as it was.
        QCOMPARE(iniBytes(), ini);
    }

    void userChangeWritesKeys_data() {
        QTest::addColumn<bool>("quality");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("log") << false << QStringList{"PGRAPH=1", "PTAG=0"};
        QTest::newRow("protocol") << true << QStringList{"GGRAPH=1", "GTAG=0", "PHYG=0"};
    }
    void userChangeWritesKeys() {
        QFETCH(bool, quality);
        QFETCH(QStringList, written);
        {
            auto w = viewer(quality);
            QTest::mouseClick(w->GrafikCheck(), Qt::LeftButton, {},
                              w->GrafikCheck()->rect().center());
            QVERIFY(w->GrafikCheck()->isChecked());
        }
        const QString ini = QString::fromLatin1(iniBytes());
        for (const QString& line : written)
            QVERIFY2(ini.contains(line), qPrintable(ini));
        QCOMPARE(ini.contains(quality ? "PGRAPH" : "GGRAPH"), false);
    }

    void openOutcomes() {
        const QString good = csv(QStringLiteral("gut.csv"));
        const QString foreign = dir->filePath(QStringLiteral("fremd.csv"));
        QVERIFY(Fixture::write(foreign, {QStringLiteral("Hallo;Welt;")}));
        auto w = viewer(true);

        chosen = {good};
        w->OpenButtonClick();
        QVERIFY(w->PreviewButton()->isEnabled());
        QVERIFY(w->PrintButton()->isEnabled());
        QCOMPARE(w->FileNamePanel()->text(), QStringLiteral(" /daten/Miete7_01-03-2026.CSV"));
        QCOMPARE(w->CountPanel()->text(), QStringLiteral("18"));

        // A cancelled dialog disables the buttons; the menu still prints the earlier file.
        chosen = {QString()};
        w->OpenButtonClick();
        QVERIFY(!w->PreviewButton()->isEnabled());
        QVERIFY(!w->PrintButton()->isEnabled());
        QVERIFY(w->menuItem(QStringLiteral("Drucken1"))->isEnabled());
        QCOMPARE(pdfRows(*w), 18);

        // Schliessen: the same, the panels stay.
        chosen = {good};
        w->OpenButtonClick();
        w->menuItem(QStringLiteral("Schliessen1"))->trigger();
        QVERIFY(!w->PreviewButton()->isEnabled());
        QCOMPARE(w->CountPanel()->text(), QStringLiteral("18"));

        // Not one of ours.
        chosen = {good, foreign};
        w->OpenButtonClick();
        {
            UiTest::BoxAnswer box;
            w->OpenButtonClick();
            QCOMPARE(box.seen, 1);
            QCOMPARE(box.title, QStringLiteral("Informationen"));
            QCOMPARE(
                box.text,
                Messages::lineBreaks(QStringLiteral(
                    "Kein gültiger Dateiaufbau\rDatei war nicht von dieser Software erzeugt!")));
            QCOMPARE(box.buttons, QStringList{QStringLiteral("OK")});
        }
        QVERIFY(!w->PreviewButton()->isEnabled());
        QCOMPARE(pdfRows(*w), 0);
    }

    void unreadableFile_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("gone since it was chosen") << "weg.csv";
        QTest::newRow("a directory") << "ordner.csv";
    }
    void unreadableFile() {
        QFETCH(QString, name);
        const QString good = csv(QStringLiteral("gut.csv"));
        const QString bad = dir->filePath(name);
        if (name == QStringLiteral("ordner.csv"))
            QVERIFY(QDir().mkpath(bad));
        auto w = viewer(false);
        chosen = {good, bad};
        w->OpenButtonClick();
        UiTest::BoxAnswer box;
        w->OpenButtonClick();
        QCOMPARE(box.seen, 1);
        QCOMPARE(box.title, QStringLiteral("Fehler"));
        QCOMPARE(box.text, w->data().ErrorText());
        QVERIFY(!box.text.isEmpty());
        // Buttons and panels as they were; the data lines are gone.
        QVERIFY(w->PreviewButton()->isEnabled());
        QCOMPARE(w->CountPanel()->text(), QStringLiteral("18"));
        QCOMPARE(pdfRows(*w), 0);
        // The overview no longer states anything about the data that went.
        QCOMPARE(w->HygieneTable()->item(0, 2)->text(), QString());
    }

    void plantTabs() {
        Daten::Anlage[1].Name = QStringLiteral("Süd");
        Daten::Anlage[3].Name = QStringLiteral("Nord");
        Daten::Anlage[3].Pfad = dir->path();
        Daten::Anlage[1].Pfad = dir->filePath(QStringLiteral("gibt-es-nicht"));
        Daten::SelectedPlant = 1;
        auto w = viewer(false);
        QCOMPARE(w->TabControl1()->count(), 32);
        QCOMPARE(w->TabControl1()->currentIndex(), 0);
        QCOMPARE(w->MieteName()->text(), QStringLiteral("Süd"));
        chosen = {csv(QStringLiteral("gut.csv")), QString()};
        w->OpenButtonClick();
        // A directory that does not exist: the program's directory instead.
        QCOMPARE(startDirs.value(0), QDir::toNativeSeparators(ProgramDir::path()));

        w->TabControl1()->setCurrentIndex(2);
        QCOMPARE(w->WindowPlant(), 3);
        QCOMPARE(w->MieteName()->text(), QStringLiteral("Nord"));
        QCOMPARE(w->FileNamePanel()->text(), QString());
        QCOMPARE(w->CountPanel()->text(), QStringLiteral("18"));
        QVERIFY(w->PreviewButton()->isEnabled());
        QCOMPARE(pdfRows(*w), 18);
        QCOMPARE(w->StartDirectory(), QDir::toNativeSeparators(dir->path()));
    }

    // The preview closed by the user; the next report starts with row 1 and has them all.
    void previewThenExport() {
        auto w = viewer(false);
        w->TagCheck()->setChecked(true);
        chosen = {csv(QStringLiteral("gut.csv"))};
        w->OpenButtonClick();
        int closed = 0;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* p = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
                p->reject();
                ++closed;
            }
        });
        closer.start(20);
        w->menuItem(QStringLiteral("Druckvorschau1"))->trigger();
        closer.stop();
        QCOMPARE(closed, 1);
        QCOMPARE(w->CountPanel()->text(), QStringLiteral("3"));
        const QString pdf = dir->filePath(QStringLiteral("out.pdf"));
        QVERIFY(w->ExportPdf(pdf));
        const QList<QStringList> rows = ReportText::detailLines(ReportText::pages(pdf).value(0));
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.at(0).value(0), QStringLiteral("1"));
        QCOMPARE(rows.at(2).value(0), QStringLiteral("3"));
    }

    // The overview in the window: every record, whatever "1 Wert/ Tag" says; the coldest
    // line takes the sensors inside the material, the surface has its own line.
    void hygieneOverview() {
        const QString path = dir->filePath(QStringLiteral("h.csv"));
        QVERIFY(Fixture::write(path, Fixture::header() + Fixture::records(360, 4, [](int h) {
                                         Fixture::Temps v;
                                         v.t[3] = h == 100 ? 50 : 56;
                                         v.t[4] = 30;
                                         return v;
                                     })));
        auto w = viewer(true);
        w->TagCheck()->setChecked(true);
        chosen = {path};
        w->OpenButtonClick();
        const auto& r = w->HygieneOverview().results;
        QVERIFY(r[0].core.reached);
        QVERIFY(!r[0].coldest.reached);
        QVERIFY(!r[1].core.reached);
        QTableWidget* t = w->HygieneTable();
        QCOMPARE(t->rowCount(), 9);
        auto line = [t](int row) {
            QStringList cells;
            for (int c = 0; c < t->columnCount(); ++c)
                cells << t->item(row, c)->text();
            return cells.join(QLatin1Char('|'));
        };
        QCOMPARE(line(0), QStringLiteral("55 °C / 14 Tage|Kern|15,0 Tage|01.03.2026  00:00|"
                                         "16.03.2026  00:00|ja"));
        QCOMPARE(line(1), QStringLiteral("|kältester Fühler 25–100 cm|10,6 Tage|"
                                         "05.03.2026  08:00|16.03.2026  00:00|nein"));
        QCOMPARE(line(2), QStringLiteral("|Oberfläche 0 cm (nur Info)|nie|--|--|nein"));
        QCOMPARE(t->item(3, 0)->text(), QStringLiteral("65 °C / 7 Tage"));
        QCOMPARE(t->item(6, 0)->text(), QStringLiteral("60 °C / 7 Tage"));
        QCOMPARE(t->item(7, 0)->text(), QStringLiteral("nur geschlossene Anlagen"));
        QCOMPARE(t->item(6, 5)->text(), QStringLiteral("nein"));
        const QLabel* note = w->findChild<QLabel*>(QStringLiteral("HygieneNote"));
        QVERIFY(note);
        QVERIFY2(note->text().contains(QStringLiteral(
                     "Lücken in der Aufzeichnung (länger als 2 × Median-Messabstand): 0")),
                 qPrintable(note->text()));
        QVERIFY(note->text().contains(QStringLiteral("keine rechtliche Bewertung")));
    }

    // At the window's minimum size every column of the overview shows, its heading whole
    // and every cell's text within its cell, in each language.
    void hygieneFitsAtMinimumSize_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("German") << Language::German;
        QTest::newRow("English") << Language::English;
        QTest::newRow("French") << Language::French;
    }
    void hygieneFitsAtMinimumSize() {
        QFETCH(QString, language);
        QVERIFY(Language::apply(language));
        const QString path = dir->filePath(QStringLiteral("h.csv"));
        QVERIFY(Fixture::write(path, Fixture::header() + Fixture::records(360, 4, [](int) {
                                         return Fixture::Temps();
                                     })));
        auto w = viewer(true);
        chosen = {path};
        w->OpenButtonClick();
        w->resize(w->minimumSize());
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QCoreApplication::processEvents();
        QCOMPARE(w->size(), QSize(560, 440));
        QTableWidget* t = w->HygieneTable();
        QHeaderView* header = t->horizontalHeader();
        QVERIFY(!t->horizontalScrollBar()->isVisible());
        const int room = t->viewport()->width();
        const QFontMetrics headerFont(header->font());
        for (int c = 0; c < t->columnCount(); ++c) {
            const QString heading = t->horizontalHeaderItem(c)->text();
            const int left = header->sectionViewportPosition(c);
            const int width = header->sectionSize(c);
            QVERIFY2(left >= 0 && left + width <= room, qPrintable(heading));
            QVERIFY2(headerFont.horizontalAdvance(heading) < width, qPrintable(heading));
            for (int row = 0; row < t->rowCount(); ++row) {
                const QString text = t->item(row, c)->text();
                // The text as the cell wraps it at word boundaries, within its margins.
                const QRect cell = t->visualRect(t->model()->index(row, c)).adjusted(3, 0, -3, 0);
                const QRect needed = t->fontMetrics().boundingRect(cell, Qt::TextWordWrap, text);
                QVERIFY2(needed.width() <= cell.width() && needed.height() <= cell.height(),
                         qPrintable(QStringLiteral("%1 in %2x%3")
                                        .arg(text)
                                        .arg(cell.width())
                                        .arg(cell.height())));
            }
        }
        QVERIFY(Language::apply(Language::German));
    }
};

QTEST_MAIN(TestViewerWindow)
#include "tst_viewerWindow.moc"
