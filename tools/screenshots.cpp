// Takes the pictures of the user guide: runs the program on a program directory whose link
// points at a running controller simulator, opens the main windows the way a user does and
// saves each as a PNG of modest size. tools/screenshots.sh starts it under Xvfb.
//   o2aerolis-shots --dir DIR --out OUTDIR [--plant N]
#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/MainProgram.h"
#include "core/ProgramDir.h"
#include "core/UiApplication.h"
#include "display/UAnzeige.h"
#include "evaluation/UCSV_Lesen.h"
#include "evaluation/UGraphik.h"
#include "storage/BackupState.h"
#include "storage/UDatenLesen1.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int MaxWidth = 1000;

// Lets the event loop run for `ms` (layouts, the poll filling the live display).
void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs `open`, which shows a window modally; once a modal window of class `cls` is up,
// hands it to `use` and closes it.
bool whileModal(const char* cls, const std::function<void()>& open,
                const std::function<void(QWidget*)>& use) {
    bool seen = false;
    QTimer t;
    t.setInterval(20);
    QObject::connect(&t, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (seen || !w || !w->inherits(cls) || !w->isVisible())
            return;
        seen = true;
        t.stop();
        use(w);
        if (auto* d = qobject_cast<QDialog*>(w))
            d->reject();
        else
            w->close();
    });
    t.start();
    open();
    return seen;
}

class Shooter {
public:
    Shooter(MainProgram& program, QString outDir, int plant)
        : m_program(program), m_out(std::move(outDir)), m_plant(plant) {
        // Every message box of a readout is answered with its default button.
        QObject::connect(&m_boxes, &QTimer::timeout, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && box->isVisible())
                box->defaultButton() ? box->defaultButton()->click() : box->reject();
        });
        m_boxes.start(50);
    }

    int failures = 0;

    void run() {
        TFMain& main = m_program.window();
        Daten::SelectedPlant = m_plant;
        settle(300);
        save(&main, QStringLiteral("main-window"));

        // The offline readout first: it fills the measurement file the other windows show.
        check(viaMenu("OfflineDatenItem", "TFDatenLesen1",
                      [this](QWidget* w) {
                          auto* r = static_cast<TFDatenLesen1*>(w);
                          r->DatenAuslesen();
                          settle(300);
                          save(r, QStringLiteral("offline-readout"));
                      }),
              "offline readout");
        m_file = Daten::Anlage[size_t(m_plant)].Datei;

        check(viaMenu("PCAnzeigeItem", "TFAnzeige",
                      [this](QWidget* w) {
                          auto* d = static_cast<TFAnzeige*>(w);
                          d->FormActivate();
                          // One poll cycle over every address fills all rows.
                          settle(17000);
                          save(d, QStringLiteral("live-display"));
                          // The same with one running pile whose last readout failed.
                          markOneLate();
                          settle(300);
                          save(d, QStringLiteral("live-display-late"));
                          save(&m_program.window(), QStringLiteral("main-window-late"));
                          check(whileModal(
                                    "TFO2MessSetup",
                                    [d] { d->menuItem(QStringLiteral("Zeiten1"))->trigger(); },
                                    [this](QWidget* s) {
                                        settle(200);
                                        save(s, QStringLiteral("setup-values"));
                                    }),
                                "setup values");
                      }),
              "live display");

        check(viaMenu("ProtokollItem", "TFCSV_Lesen",
                      [this](QWidget* w) {
                          auto* v = static_cast<TFCSV_Lesen*>(w);
                          load(v);
                          save(v, QStringLiteral("protocol-viewer"));
                          check(whileModal(
                                    "QPrintPreviewDialog", [v] { v->PreviewButtonClick(); },
                                    [this](QWidget* p) {
                                        p->resize(900, 760);
                                        settle(800);
                                        save(p, QStringLiteral("report-preview"));
                                    }),
                                "report preview");
                      }),
              "protocol viewer");

        check(viaMenu("GrafikItem", "TFGraphForm",
                      [this](QWidget* w) {
                          auto* g = static_cast<TFGraphForm*>(w);
                          // Larger than its first size, as a user reading a chart makes it,
                          // and every record rather than one value a day.
                          g->resize(1000, 720);
                          load(g);
                          if (g->Check(TFGraphForm::Wert)->isChecked())
                              g->Check(TFGraphForm::Wert)->click();
                          settle(500);
                          save(g, QStringLiteral("graph-environment"));
                          g->PageControl1()->setCurrentIndex(1);
                          settle(300);
                          save(g, QStringLiteral("graph-fan"));
                      }),
              "graph window");
    }

private:
    // A failed readout remembered for the first running pile other than the one shown.
    void markOneLate() {
        for (int p = 1; p <= KompUtils::PlantCount; ++p) {
            const tAnlageParameter& a = Daten::Anlage[size_t(p)];
            if (p != m_plant && a.Present && a.SwitchedOn) {
                BackupState::Record(p, false, 420);
                return;
            }
        }
    }

    bool viaMenu(const char* item, const char* cls, const std::function<void(QWidget*)>& use) {
        QAction* a = m_program.window().menuItem(QLatin1String(item));
        return a && whileModal(
                        cls, [a] { a->trigger(); },
                        [&](QWidget* w) {
                            settle(300);
                            use(w);
                        });
    }

    template <class Window> void load(Window* w) {
        const QString file = m_file;
        w->setFileChooser([file](QWidget*, const QString&) { return file; });
        w->OpenButtonClick();
        settle(500);
    }

    void check(bool ok, const char* what) {
        if (!ok) {
            std::fprintf(stderr, "no window: %s\n", what);
            ++failures;
        }
    }

    void save(QWidget* w, const QString& name) {
        QImage image = w->grab().toImage();
        if (image.width() > MaxWidth)
            image = image.scaledToWidth(MaxWidth, Qt::SmoothTransformation);
        // Few colours: the pictures stay small without looking different on screen.
        image = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
        const QString path = QDir(m_out).filePath(name + QStringLiteral(".png"));
        if (!image.save(path, "PNG", 0)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
            return;
        }
        std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
    }

    MainProgram& m_program;
    QString m_out;
    int m_plant;
    QString m_file;
    QTimer m_boxes;
};

} // namespace

int main(int argc, char** argv) {
    UiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    QString error;
    if (!ProgramDir::takeDirOption(args, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    QString out;
    int plant = 1;
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--out"))
            out = args[i + 1];
        else if (args[i] == QLatin1String("--plant"))
            plant = args[i + 1].toInt();
    }
    if (out.isEmpty() || !Daten::isPlantAddress(plant) || !QDir().mkpath(out)) {
        std::fprintf(stderr, "usage: o2aerolis-shots --dir DIR --out OUTDIR [--plant N]\n");
        return 2;
    }

    MainProgram program;
    QEventLoop taught;
    QObject::connect(&program.poll(), &TeachInPoll::teachInFinished, &taught, &QEventLoop::quit);
    QTimer::singleShot(60000, &taught, &QEventLoop::quit);
    if (program.poll().TeachInPending)
        taught.exec();
    if (program.poll().TeachInPending) {
        std::fprintf(stderr, "the teach-in did not finish\n");
        return 1;
    }
    Shooter shooter(program, out, plant);
    shooter.run();
    program.window().close();
    return shooter.failures == 0 ? 0 : 1;
}
