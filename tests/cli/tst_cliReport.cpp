// The command-line tool's printouts and series, run as the real binary: its PDFs read back
// page for page against what the protocol viewer and the graph window export for the same
// file and options, its series against a file that the readout wrote, and its failures.
#include "reports/ReportText.h"
#include "ui/UiTestSupport.h"

#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/Language.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "core/TeachIn.h"
#include "evaluation/UCSV_Lesen.h"
#include "evaluation/UGraphik.h"
#include "link/Link.h"
#include "link/Protocol.h"
#include "sim/Simulator.h"
#include "storage/Readout.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

struct Result {
    int code = -1;
    QString out;
    QString err;
};

enum class Layout { Current, Older };

// Records every two hours from 01.03.2026 00:00 over five days, so that the log runs onto
// a second page; the core climbs from 45 °C and crosses 55 °C on the way.
QStringList measurementFile(Layout layout) {
    QStringList lines{QStringLiteral("Kompostwerk Süd"), QStringLiteral("Zweite Zeile"),
                      QStringLiteral("Dritte Zeile")};
    if (layout == Layout::Current)
        lines << QString() << QStringLiteral("Anlagen- Name: Miete7")
              << QStringLiteral("Datei  - Name: /daten/Miete7_01-03-2026.CSV")
              << QStringLiteral("Testmiete") << QStringLiteral("Erste Datensicherung : 01.03.2026");
    else
        lines << QStringLiteral("Anlagen- Name: Altmiete")
              << QStringLiteral("Datei  - Name: /daten/Altmiete.CSV") << QString()
              << QStringLiteral("Erste Datensicherung : 01.03.2006");
    lines << QStringLiteral(" ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;"
                            "Luefterlaufzeit;LuefterZyklen");
    const QDateTime start(QDate(2026, 3, 1), QTime(0, 0));
    for (int n = 1; n <= 60; ++n) {
        const QDateTime at = start.addSecs(qint64(n - 1) * 2 * 3600);
        const int core = 45 + n / 3;
        QString s = QString::number(n) + QLatin1Char(';') +
                    at.toString(QStringLiteral("dd.MM.yyyy  hh:mm")) + QLatin1Char(';');
        for (int t : {core, core - 2, core - 5, core - 9, core - 14})
            s += QStringLiteral("%1;").arg(t, 5);
        // The older layout keeps O2 in tenths of vol%.
        const int o2 = 150 + n % 50;
        const QString o2Text = layout == Layout::Current
                                   ? QStringLiteral("%1,%2").arg(o2 / 10).arg(o2 % 10)
                                   : QString::number(o2);
        s += QStringLiteral("   36; %1;3;%2;%3;").arg(o2Text).arg(100 + 7 * n, 5).arg(n, 5);
        lines << s;
    }
    return lines;
}

bool writeLines(const QString& path, const QStringList& lines) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += l.toLatin1() + "\r\n";
    return f.write(bytes) == bytes.size();
}

// The pages as read, with the print date and time masked: the two PDFs are made moments
// apart, maybe on either side of a minute. The label in each language.
QStringList masked(const QStringList& pages) {
    static const QRegularExpression printedAt(QStringLiteral(
        "((?:Druckdatum/-zeit|Print date/time|Date/heure d'impression) :\\s*)\\S+ \\S+"));
    QStringList out;
    for (QString page : pages)
        out << page.replace(printedAt, QStringLiteral("\\1<Druckzeit>"));
    return out;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCliReport : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    QTemporaryDir runtimeDir;
    std::unique_ptr<QTemporaryDir> dir;

    QString path(const QString& name) const { return dir->filePath(name); }

    Result run(const QStringList& args, const QProcessEnvironment& env) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(O2_CLI), QStringList{QStringLiteral("--dir"), dir->path()} + args);
        Result r;
        if (!p.waitForFinished(60000))
            return r;
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }
    Result run(const QStringList& args) {
        return run(args, QProcessEnvironment::systemEnvironment());
    }

    // The settings file that both the tool and the windows of this process read.
    void useSettings(const QByteArray& com) {
        Settings::close();
        QFile f(path(QStringLiteral("O2_Aerolis.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[COM]\r\n" + com);
        f.close();
        Settings::open(ProgramDir::iniPath());
        Settings::LoadDisplaySettings();
    }

private slots:
    void initTestCase() {
        UiTest::isolateUserSettings(userSettings);
        // Keeps Qt's note on a missing runtime directory off the tool's stderr.
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
    }
    void init() {
        ResetProcessState();
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
        if (!ReportText::available())
            QSKIP("pdftotext is not installed");
    }
    void cleanup() {
        Language::choose(Language::German);
        Settings::close();
        ProgramDir::setOverride(QString());
    }

    void sameTextAsTheWindows_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("layout");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("language"); // as chosen in the program's menu
        const int cur = int(Layout::Current);
        const int old = int(Layout::Older);
        const QString perDay = QStringLiteral("--per-day");
        const QString graph = QStringLiteral("--graph");
        for (const QString& kind : {QStringLiteral("log"), QStringLiteral("quality")})
            for (int layout : {cur, old}) {
                const QString name = kind + (layout == cur ? " current" : " older");
                QTest::newRow(qPrintable(name + ", every record"))
                    << kind << layout << QStringList{} << QByteArray() << QString("de");
                QTest::newRow(qPrintable(name + ", per day"))
                    << kind << layout << QStringList{perDay} << QByteArray() << QString("de");
                QTest::newRow(qPrintable(name + ", graph"))
                    << kind << layout << QStringList{graph} << QByteArray() << QString("de");
                QTest::newRow(qPrintable(name + ", per day and graph"))
                    << kind << layout << QStringList{perDay, graph} << QByteArray()
                    << QString("de");
            }
        QTest::newRow("log, imperial, reference at 45")
            << "log" << cur << QStringList{graph} << QByteArray("Metric=1\r\nREFTEMP=45\r\n")
            << QString("de");
        QTest::newRow("quality, no reference mark, graph")
            << "quality" << cur << QStringList{graph} << QByteArray("SHOWREF=0\r\n")
            << QString("de");
        QTest::newRow("quality, hygienisation")
            << "quality" << cur << QStringList{QStringLiteral("--hyg")} << QByteArray()
            << QString("de");
        QTest::newRow("quality older, hygienisation, graph, per day")
            << "quality" << old << QStringList{QStringLiteral("--hyg"), graph, perDay}
            << QByteArray() << QString("de");
        const QString sheet = QStringLiteral("--sheet");
        for (int layout : {cur, old}) {
            const QString name = layout == cur ? "graph current" : "graph older";
            QTest::newRow(qPrintable(name + ", environment"))
                << "graph" << layout << QStringList{sheet, "env"} << QByteArray() << QString("de");
            QTest::newRow(qPrintable(name + ", fan"))
                << "graph" << layout << QStringList{sheet, "fan"} << QByteArray() << QString("de");
            QTest::newRow(qPrintable(name + ", fan, per day"))
                << "graph" << layout << QStringList{sheet, "fan", perDay} << QByteArray()
                << QString("de");
        }
        // The boxes as the window keeps them, with one box the user untickted on each sheet.
        QTest::newRow("graph, boxes from the settings")
            << "graph" << cur << QStringList{perDay} << QByteArray("T3=0\r\nO2=0\r\nLZEIT=0\r\n")
            << QString("de");
        QTest::newRow("graph, series named")
            << "graph" << cur << QStringList{"--series", "T1,t5,O2"} << QByteArray()
            << QString("de");
        QTest::newRow("graph imperial, no reference mark")
            << "graph" << old << QStringList{} << QByteArray("Metric=1\r\nSHOWREF=0\r\n")
            << QString("de");
        // The tool answers in the language the program was switched to, as the windows print.
        QTest::newRow("log, graph, English")
            << "log" << cur << QStringList{graph} << QByteArray() << QString("en");
        QTest::newRow("quality, hygienisation, French")
            << "quality" << cur << QStringList{QStringLiteral("--hyg")} << QByteArray()
            << QString("fr");
        QTest::newRow("graph, fan, English")
            << "graph" << cur << QStringList{sheet, "fan"} << QByteArray() << QString("en");
    }

    void sameTextAsTheWindows() {
        QFETCH(QString, kind);
        QFETCH(int, layout);
        QFETCH(QStringList, options);
        QFETCH(QByteArray, settings);
        QFETCH(QString, language);
        QVERIFY(Language::choose(language));
        useSettings(settings);
        const QString csv = path(QStringLiteral("Miete7.csv"));
        QVERIFY(writeLines(csv, measurementFile(Layout(layout))));
        const QString cliPdf = path(QStringLiteral("cli.pdf"));
        const QString windowPdf = path(QStringLiteral("window.pdf"));

        const Result r = run(QStringList{"report", kind, csv, "--pdf", cliPdf} + options);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(r.err, QString());

        const bool perDay = options.contains(QStringLiteral("--per-day"));
        const auto chooser = [csv](QWidget*, const QString&) { return csv; };
        if (kind == QLatin1String("graph")) {
            TFGraphForm w;
            w.setFileChooser(chooser);
            const int named = int(options.indexOf(QStringLiteral("--series")));
            if (named >= 0) {
                const QStringList names = options.at(named + 1).toUpper().split(QLatin1Char(','));
                const QStringList boxes{"T1", "T2", "T3", "T4", "T5", "T55", "O2"};
                for (int b = 0; b < boxes.size(); ++b)
                    w.Check(TFGraphForm::Box(b))->setChecked(names.contains(boxes.at(b)));
                w.Check(TFGraphForm::LuftZeit)->setChecked(names.contains("LZ"));
                w.Check(TFGraphForm::Zyklen)->setChecked(names.contains("ZYKL"));
            }
            w.Check(TFGraphForm::Wert)->setChecked(perDay);
            w.show();
            w.OpenButtonClick();
            if (options.contains(QStringLiteral("fan")))
                w.PageControl1()->setCurrentIndex(1);
            QVERIFY(w.ExportPdf(windowPdf));
        } else {
            TFCSV_Lesen w;
            w.QualityMode = kind == QLatin1String("quality");
            w.show();
            w.GrafikCheck()->setChecked(options.contains(QStringLiteral("--graph")));
            w.TagCheck()->setChecked(perDay);
            w.HygieneCheck()->setChecked(options.contains(QStringLiteral("--hyg")));
            w.setFileChooser(chooser);
            w.OpenButtonClick();
            QVERIFY(w.ExportPdf(windowPdf));
        }

        const QStringList fromCli = masked(ReportText::pages(cliPdf));
        const QStringList fromWindow = masked(ReportText::pages(windowPdf));
        QVERIFY(!fromWindow.isEmpty());
        QCOMPARE(fromCli.size(), fromWindow.size());
        for (int i = 0; i < fromCli.size(); ++i)
            QCOMPARE(fromCli.at(i), fromWindow.at(i));
        // The tool names what it wrote and how many pages.
        QCOMPARE(r.out.trimmed(), QDir::toNativeSeparators(cliPdf) + QLatin1Char('\t') +
                                      QString::number(fromCli.size()));
        if (kind == QLatin1String("log") && !perDay)
            QVERIFY(fromCli.size() >= 2);
    }

    // Without any display the tool draws offscreen by itself.
    void reportWithoutADisplay_data() {
        QTest::addColumn<QString>("display"); // empty: none at all
        QTest::newRow("no display") << QString();
        QTest::newRow("a display that does not answer") << QStringLiteral(":97");
    }
    void reportWithoutADisplay() {
        QFETCH(QString, display);
        useSettings(QByteArray());
        const QString csv = path(QStringLiteral("Miete7.csv"));
        QVERIFY(writeLines(csv, measurementFile(Layout::Current)));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        if (!display.isEmpty())
            env.insert(QStringLiteral("DISPLAY"), display);
        const QString pdf = path(QStringLiteral("out.pdf"));
        const Result r = run({"report", "graph", csv, "--pdf", pdf}, env);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(ReportText::pages(pdf).size(), 1);
    }

    // A disk that fills up while the PDF is written: the tool says so, and a PDF of the
    // same name from an earlier run is still whole. (A file-size limit stands in for the
    // full disk; the write fails the same way.)
    void pdfOnAFullDisk() {
        useSettings(QByteArray());
        const QString csv = path(QStringLiteral("Miete7.csv"));
        QVERIFY(writeLines(csv, measurementFile(Layout::Current)));
        const QString pdf = path(QStringLiteral("out.pdf"));
        QVERIFY(run({"report", "log", csv, "--pdf", pdf}).code == 0);
        const QByteArray earlier = bytesOf(pdf);
        QVERIFY(earlier.size() > 8 * 1024);

        QProcess p;
        p.start(
            QStringLiteral("bash"),
            {QStringLiteral("-c"), QStringLiteral("trap '' XFSZ; ulimit -f 8; exec \"$0\" \"$@\""),
             QStringLiteral(O2_CLI), QStringLiteral("--dir"), dir->path(), QStringLiteral("report"),
             QStringLiteral("quality"), csv, QStringLiteral("--pdf"), pdf});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QCOMPARE(p.readAllStandardOutput(), QByteArray());
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.contains(QStringLiteral("PDF kann nicht geschrieben werden: ") +
                              QDir::toNativeSeparators(pdf)),
                 qPrintable(err));
        QCOMPARE(bytesOf(pdf), earlier);
        QCOMPARE(QDir(dir->path()).entryList({QStringLiteral("out.pdf?*")}, QDir::Files),
                 QStringList());
    }

    // A file written by the program's readout gives back what the controller sent, and the
    // reference depths follow the reference temperature in force now, not at the readout.
    void seriesOfAReadOutFile() {
        sim::Simulator simulator;
        simulator.setSeed(5);
        simulator.plant(2).present = simulator.plant(2).switchedOn = true;
        simulator.plant(2).storing = true;
        simulator.setPileAge(2, 6 * 24 * 60);
        simulator.setClock(QDateTime(QDate(2026, 3, 7), QTime(10, 0)));
        simulator.addStoredRecords(2, 12);
        QVERIFY(simulator.listenTcp(0));
        useSettings("LAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=" +
                    QByteArray::number(simulator.tcpPort()) + "\r\n");
        Kommunikation::BaseTimeout = 20;
        QList<MeasurementRecord> sent;
        {
            Kommunikation::Link link;
            TeachInPoll poll;
            QSignalSpy up(&link, &Kommunikation::Link::connected);
            link.ReadLinkSettings();
            QVERIFY(up.wait(5000));
            poll.TeachIn();
            poll.StopTimer();
            Readout::View view;
            view.stepProgress = [&sent] { sent << Kommunikation::StoredRecord; };
            QVERIFY(Readout::BackupStoredRecords(2, view));
            link.SchliesseSocketVerbindung(0);
        }
        QCOMPARE(sent.size(), 12);
        const QString file = Daten::Anlage[2].Datei;
        Settings::file().writeString(Keys::Com, Keys::RefTemp, QStringLiteral("40"));
        Settings::close();

        const Result r = run({"--json", "series", file});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QJsonObject doc = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(doc.value("plantName").toString(), QStringLiteral(" Anl-Nr2"));
        QCOMPARE(doc.value("titleLines").toArray().size(), 3);
        QVERIFY(doc.value("firstBackupLine").toString().startsWith("Erste Datensicherung : "));
        QCOMPARE(doc.value("labels").toArray().size(), sent.size());

        KompUtils::RefTemp = 40;
        bool refMoved = false;
        const char* const temps[5] = {"t1", "t2", "t3", "t4", "t5"};
        for (int k = 0; k < sent.size(); ++k) {
            const MeasurementRecord& s = sent.at(k);
            const int t[5] = {s.T1, s.T2, s.T3, s.T4, s.T5};
            for (int i = 0; i < 5; ++i)
                QCOMPARE(doc.value(temps[i]).toArray().at(k).toDouble(), double(t[i]));
            QVERIFY(qAbs(doc.value("o2").toArray().at(k).toDouble() - s.O2 / 10.0) < 1e-9);
            QCOMPARE(doc.value("runTime").toArray().at(k).toDouble(), double(s.RunTime));
            QCOMPARE(doc.value("cycles").toArray().at(k).toDouble(), double(s.Cycles));
            MeasurementRecord now = s;
            KompUtils::CalcRefDepth(now);
            QCOMPARE(doc.value("ref").toArray().at(k).toDouble(), double(now.RefDepth));
            refMoved = refMoved || now.RefDepth != s.RefDepth;
        }
        // The pile is hot enough for the two temperatures to put the mark in different places.
        QVERIFY(refMoved);

        // The same values as text columns, one line per point after the header fields.
        const Result text = run({"series", file});
        QCOMPARE(text.code, 0);
        const QStringList lines = text.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.at(3), QStringLiteral("plantName\t Anl-Nr2"));
        QCOMPARE(lines.at(7),
                 QStringLiteral("label\tt1\tt2\tt3\tt4\tt5\tref\to2\trunTime\tcycles"));
        QCOMPARE(lines.size(), 8 + sent.size());
        const QStringList first = lines.at(8).split(QLatin1Char('\t'));
        QCOMPARE(first.at(0), doc.value("labels").toArray().at(0).toString());
        QCOMPARE(first.at(1).toInt(), sent.at(0).T1);
    }

    void failures_data() {
        QTest::addColumn<QStringList>("args");   // FILE and OUT stand for the paths
        QTest::addColumn<QByteArray>("content"); // of FILE; empty: no such file
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("err"); // exact stderr, or with a trailing '*' a part of it
        const QByteArray valid = measurementFile(Layout::Current).join("\r\n").toLatin1() + "\r\n";
        QByteArray noTime;
        for (const QString& l : measurementFile(Layout::Current).mid(0, 9))
            noTime += l.toLatin1() + "\r\n";
        noTime += "1;\r\n";
        const QByteArray notOurs = QByteArray("Name;Wert\r\n").repeated(12);
        const QString invalid = QStringLiteral(
            "Kein gültiger Dateiaufbau\nDatei war nicht von dieser Software erzeugt!\n");
        const QStringList log{"report", "log", "FILE", "--pdf", "OUT"};
        const QStringList quality{"report", "quality", "FILE", "--pdf", "OUT"};
        const QStringList graph{"report", "graph", "FILE", "--pdf", "OUT"};

        QTest::newRow("log of a file not ours") << log << notOurs << 1 << invalid;
        QTest::newRow("graph of a file not ours") << graph << notOurs << 1 << invalid;
        QTest::newRow("series of a file not ours")
            << QStringList{"series", "FILE"} << notOurs << 1 << invalid;
        QTest::newRow("quality of a missing file") << quality << QByteArray() << 1 << "*";
        QTest::newRow("series of a missing file")
            << QStringList{"series", "FILE"} << QByteArray() << 1 << "*";
        // A first record without its time stamp: one value per day finds no day at all, and
        // every record stops at the stamp it cannot read.
        QTest::newRow("log per day without a day")
            << log + QStringList{"--per-day"} << noTime << 1
            << "Keine Messwerte in der Datei: kein PDF geschrieben\n";
        QTest::newRow("PDF into a missing directory")
            << QStringList{"report", "log", "FILE", "--pdf", "/no-such-directory/out.pdf"} << valid
            << 1 << "PDF kann nicht geschrieben werden: /no-such-directory/out.pdf\n*";
        QTest::newRow("quality of a record without its time") << quality << noTime << 1 << "*";
        QTest::newRow("kind unknown")
            << QStringList{"report", "table", "FILE", "--pdf", "OUT"} << valid << 2 << "*";
        QTest::newRow("no kind") << QStringList{"report"} << valid << 2 << "*";
        QTest::newRow("no --pdf") << QStringList{"report", "log", "FILE"} << valid << 2 << "*";
        QTest::newRow("--pdf without its value")
            << QStringList{"report", "log", "FILE", "--pdf"} << valid << 2 << "*";
        QTest::newRow("two files") << log + QStringList{"FILE"} << valid << 2 << "*";
        QTest::newRow("--sheet on the log")
            << log + QStringList{"--sheet", "fan"} << valid << 2 << "*";
        QTest::newRow("--hyg on the log") << log + QStringList{"--hyg"} << valid << 2 << "*";
        QTest::newRow("--graph on the graph")
            << graph + QStringList{"--graph"} << valid << 2 << "*";
        QTest::newRow("unknown sheet")
            << graph + QStringList{"--sheet", "side"} << valid << 2 << "*";
        QTest::newRow("unknown series") << graph + QStringList{"--series", "T1,T9"} << valid << 2
                                        << "Unbekannte Messreihe: T9\n*";
        QTest::newRow("no series named")
            << graph + QStringList{"--series", ","} << valid << 2 << "*";
        QTest::newRow("PDF over the measurement file")
            << QStringList{"report", "quality", "FILE", "--pdf", "FILE"} << valid << 2 << "*";
        QTest::newRow("series with a report option")
            << QStringList{"series", "FILE", "--graph"} << valid << 2 << "*";
        QTest::newRow("series without a file") << QStringList{"series"} << valid << 2 << "*";
    }
    void failures() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, content);
        QFETCH(int, code);
        QFETCH(QString, err);
        useSettings(QByteArray());
        const QString file = path(QStringLiteral("Miete7.csv"));
        const QString out = path(QStringLiteral("out.pdf"));
        if (!content.isEmpty()) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        args.replaceInStrings(QRegularExpression(QStringLiteral("^FILE$")), file);
        args.replaceInStrings(QRegularExpression(QStringLiteral("^OUT$")), out);
        const Result r = run(args);
        QCOMPARE(r.code, code);
        QCOMPARE(r.out, QString());
        if (content.isEmpty()) {
            // The system's own words for the missing file, in the language the tool speaks.
            QVERIFY(Language::choose(Language::German));
            QFile missing(file);
            QVERIFY(!missing.open(QIODevice::ReadOnly));
            QVERIFY2(r.err.contains(missing.errorString()), qPrintable(r.err));
        } else if (err.endsWith(QLatin1Char('*'))) {
            // Qt may say its own word first.
            QVERIFY2(r.err.contains(err.chopped(1)), qPrintable(r.err));
        } else {
            QCOMPARE(r.err, err);
        }
        if (code == 2 && args.first() == QLatin1String("report"))
            QVERIFY(r.err.contains(QStringLiteral("usage: o2aerolis-cli")));
        QVERIFY(!QFile::exists(out));
        // Whatever went wrong, the measurement file is as it was.
        if (!content.isEmpty())
            QCOMPARE(bytesOf(file), content);
    }

    void messagesInTheChosenLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("err");
        QTest::newRow("German") << "de"
                                << "Kein gültiger Dateiaufbau\nDatei war nicht von dieser "
                                   "Software erzeugt!\n";
        QTest::newRow("English")
            << "en"
            << "No valid file structure\nThe file was not created by this software!\n";
        QTest::newRow("French") << "fr"
                                << "Structure de fichier non valide\nLe fichier n'a pas été "
                                   "créé par ce logiciel !\n";
    }
    void messagesInTheChosenLanguage() {
        QFETCH(QString, language);
        QFETCH(QString, err);
        QVERIFY(Language::choose(language));
        const QString file = path(QStringLiteral("Miete7.csv"));
        QVERIFY(writeLines(file, QStringList(12, QStringLiteral("Name;Wert"))));
        const Result r = run({"series", file});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, err);
    }

    void helpListsTheFileCommands() {
        const Result r = run({"--help"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains(QStringLiteral("report log FILE --pdf OUT")));
        QVERIFY(r.out.contains(QStringLiteral("report graph FILE --pdf OUT [--sheet env|fan]")));
        QVERIFY(r.out.contains(QStringLiteral("series FILE [--per-day]")));
    }
};

QTEST_MAIN(TestCliReport)
#include "tst_cliReport.moc"
