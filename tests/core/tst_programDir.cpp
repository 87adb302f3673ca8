// Where the program keeps its settings: a portable directory, an installed program's
// per-user directory shared by the program and the command-line tool, and `--dir`.
#include "core/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestProgramDir : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString dataHome;

    QString userDir() const {
        return QDir(dataHome).filePath(QStringLiteral("O2-Humivo/o2aerolis"));
    }
    // A directory below tmp with the given files in it; returns its path.
    QString lay(const QString& dir, const QStringList& files) {
        const QString root = tmp.filePath(QString::number(++layouts));
        for (const QString& f : files) {
            const QString full = root + QLatin1Char('/') + f;
            QDir().mkpath(QFileInfo(full).path());
            QFile file(full);
            if (!file.open(QIODevice::WriteOnly))
                return QString();
        }
        QDir().mkpath(root + QLatin1Char('/') + dir);
        return root + QLatin1Char('/') + dir;
    }
    int layouts = 0;

private slots:
    void initTestCase() {
        QVERIFY(tmp.isValid());
        dataHome = tmp.filePath(QStringLiteral("data-home"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
    }
    void init() {
        ProgramDir::setOverride(QString());
        QDir(dataHome).removeRecursively();
    }

    void executableDir_data() {
        QTest::addColumn<QString>("exeDir");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("portable");
        QTest::newRow("portable folder") << "O2" << QStringList() << true;
        QTest::newRow("build tree bin") << "build/bin" << QStringList() << true;
        QTest::newRow("installed prefix")
            << "usr/bin" << QStringList{"usr/share/applications/o2aerolis.desktop"} << false;
        QTest::newRow("another program's entry")
            << "opt/bin" << QStringList{"opt/share/applications/other.desktop"} << true;
        QTest::newRow("entry but not a bin folder")
            << "usr/o2" << QStringList{"usr/share/applications/o2aerolis.desktop"} << true;
        QTest::newRow("no executable dir") << QString() << QStringList() << false;
    }
    void executableDir() {
        QFETCH(QString, exeDir);
        QFETCH(QStringList, files);
        QFETCH(bool, portable);
        const QString dir = exeDir.isEmpty() ? QString() : lay(exeDir, files);
        QVERIFY(exeDir.isEmpty() || !dir.isEmpty());
        const QString got = ProgramDir::pathForExecutableDir(dir);
        QCOMPARE(QDir::fromNativeSeparators(got), portable ? dir : userDir());
        // The first start of an installed program finds its directory ready for the
        // settings file.
        QVERIFY(QFileInfo(got).isDir());
        QCOMPARE(QDir(dataHome).exists(), !portable);
    }

    void sharedUserDir_data() {
        QTest::addColumn<QString>("organization");
        QTest::addColumn<QString>("application");
        QTest::newRow("program") << "O2-Humivo"
                                 << "o2aerolis";
        QTest::newRow("command-line tool") << ""
                                           << "o2aerolis-cli";
        QTest::newRow("other names") << "Someone"
                                     << "tst_programDir";
    }
    void sharedUserDir() {
        QFETCH(QString, organization);
        QFETCH(QString, application);
        const QString org = QCoreApplication::organizationName();
        const QString app = QCoreApplication::applicationName();
        QCoreApplication::setOrganizationName(organization);
        QCoreApplication::setApplicationName(application);
        const QString got = QDir::fromNativeSeparators(ProgramDir::userDataPath());
        const QString orgAfter = QCoreApplication::organizationName();
        const QString appAfter = QCoreApplication::applicationName();
        QCoreApplication::setOrganizationName(org);
        QCoreApplication::setApplicationName(app);
        QCOMPARE(got, userDir());
        QVERIFY(QFileInfo(got).isDir());
        QCOMPARE(orgAfter, organization);
        QCOMPARE(appAfter, application);
    }

    void overrideWins() {
        const QString wanted = tmp.filePath(QStringLiteral("service/state"));
        ProgramDir::setOverride(wanted);
        QCOMPARE(QDir::fromNativeSeparators(ProgramDir::path()), wanted);
        QVERIFY(QFileInfo(wanted).isDir());
        QCOMPARE(QDir::fromNativeSeparators(ProgramDir::iniPath()),
                 wanted + QStringLiteral("/O2_Aerolis.ini"));
        QCOMPARE(QDir::fromNativeSeparators(ProgramDir::installationIniPath()),
                 wanted + QStringLiteral("/Installation.ini"));
        ProgramDir::setOverride(QString());
        QCOMPARE(QDir::fromNativeSeparators(ProgramDir::path()),
                 QCoreApplication::applicationDirPath());
    }

    void dirOption_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QStringList>("rest");
        QTest::newRow("separate value")
            << QStringList{"--dir", "d1", "plants"} << true << "d1" << QStringList{"plants"};
        QTest::newRow("joined value")
            << QStringList{"status", "--dir=d2"} << true << "d2" << QStringList{"status"};
        QTest::newRow("last one counts")
            << QStringList{"--dir", "d1", "--dir=d3", "x"} << true << "d3" << QStringList{"x"};
        QTest::newRow("value missing") << QStringList{"plants", "--dir"} << false << QString()
                                       << QStringList{"plants", "--dir"};
        QTest::newRow("none") << QStringList{"plants"} << true << QString()
                              << QStringList{"plants"};
    }
    void dirOption() {
        QFETCH(QStringList, args);
        QFETCH(bool, ok);
        QFETCH(QString, dir);
        QFETCH(QStringList, rest);
        const QString base = tmp.filePath(QStringLiteral("opt"));
        for (QString& a : args) {
            if (a.startsWith(QLatin1Char('d')))
                a = base + QLatin1Char('/') + a;
            else if (a.startsWith(QLatin1String("--dir=")))
                a = QStringLiteral("--dir=") + base + QLatin1Char('/') + a.mid(6);
        }
        QString error;
        QCOMPARE(ProgramDir::takeDirOption(args, &error), ok);
        QCOMPARE(error.isEmpty(), ok);
        QCOMPARE(args, rest);
        const QString expected =
            dir.isEmpty() ? QCoreApplication::applicationDirPath() : base + QLatin1Char('/') + dir;
        QCOMPARE(QDir::fromNativeSeparators(ProgramDir::path()), expected);
    }
};

QTEST_GUILESS_MAIN(TestProgramDir)
#include "tst_programDir.moc"
