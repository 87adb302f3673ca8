// The program's application object. An exception that no event handler catches ends that
// handler, is shown in an error box with its text, and the program carries on.
#pragma once

#include <QApplication>

class DirLock;

class UiApplication : public QApplication {
    Q_OBJECT

public:
    UiApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows `text` in the error box. While one such box is open, further uncaught errors go
    // to stderr only, so an error repeating on every timer tick cannot stack boxes without
    // end.
    static void reportUncaught(const QString& text);

    // On Linux, false (with the reason in `why`) when there is no display to open and no
    // platform was chosen (QT_QPA_PLATFORM or -platform): Qt would abort then.
    static bool displayAvailable(int argc, char** argv, QString* why);

    // Takes the program directory's lock. While another running process holds it, says so in
    // the error box (and on stderr), in the language chosen, and returns false: the program
    // then ends without touching the link or a file.
    static bool takeProgramDir(DirLock& lock);

    // Registers the built-in artwork (":/o2aerolis/..."); safe to call more than once.
    static void initResources();
};
