// An exception that no handler catches: the handler ends, the error box shows its text,
// and the program goes on handling events.
#include "UiTestSupport.h"

#include "core/UiApplication.h"

#include <QtTest>
#include <stdexcept>

namespace {

enum class Kind { Runtime, Logic, Other };

[[noreturn]] void raise(Kind kind) {
    switch (kind) {
    case Kind::Runtime:
        throw std::runtime_error("Datei kann nicht geschrieben werden");
    case Kind::Logic:
        throw std::logic_error("Ungültiger Zustand");
    case Kind::Other:
        throw 42;
    }
    throw 0;
}

class Thrower : public QObject {
public:
    Kind kind = Kind::Runtime;
    bool finished = false;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            raise(kind);
            finished = true;
        }
        return QObject::event(e);
    }
};

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestUncaughtError : public QObject {
    Q_OBJECT

private slots:
    void shownAndCarriesOn_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("fromTimer");
        QTest::addColumn<QString>("text");
        QTest::newRow("runtime_error in an event")
            << Kind::Runtime << false << "Datei kann nicht geschrieben werden";
        QTest::newRow("logic_error in a timer slot") << Kind::Logic << true << "Ungültiger Zustand";
        QTest::newRow("not a std::exception") << Kind::Other << false << "Unbekannter Fehler.";
    }
    void shownAndCarriesOn() {
        QFETCH(Kind, kind);
        QFETCH(bool, fromTimer);
        QFETCH(QString, text);
        UiTest::BoxAnswer answer;
        Thrower thrower;
        thrower.kind = kind;
        if (fromTimer)
            QTimer::singleShot(0, &thrower, [kind] { raise(kind); });
        else
            QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QTRY_COMPARE(answer.seen, 1);
        QCOMPARE(answer.title, QStringLiteral("Fehler"));
        QCOMPARE(answer.text, text);
        QCOMPARE(answer.buttons, QStringList{"OK"});
        QVERIFY(!thrower.finished);

        // Events still flow afterwards.
        bool later = false;
        QTimer::singleShot(0, &thrower, [&later] { later = true; });
        QTRY_VERIFY(later);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void secondErrorWhileTheBoxIsOpen() {
        UiTest::BoxAnswer answer;
        Thrower first;
        Thrower second;
        second.kind = Kind::Logic;
        // The second error arrives while the first box is open.
        QTimer::singleShot(0, &first, [&] {
            QCoreApplication::postEvent(&second, new QEvent(QEvent::User));
            raise(Kind::Runtime);
        });
        QTest::ignoreMessage(QtWarningMsg, "Ungültiger Zustand");
        QTRY_COMPARE(answer.seen, 1);
        QCOMPARE(answer.text, QStringLiteral("Datei kann nicht geschrieben werden"));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCoreApplication::processEvents();
        QCOMPARE(answer.seen, 1);
    }
};

int main(int argc, char** argv) {
    UiApplication app(argc, argv);
    TestUncaughtError test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_uncaughtError.moc"
