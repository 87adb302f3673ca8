#include "core/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace ProgramDir {

namespace {
QString& overrideDir() {
    static QString dir;
    return dir;
}
} // namespace

void setOverride(const QString& dir) {
    overrideDir() = dir.isEmpty() ? QString() : QDir(dir).absolutePath();
}

QString path() {
    if (!overrideDir().isEmpty())
        return QDir::toNativeSeparators(overrideDir());
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty() && QFileInfo(exeDir).isWritable())
        return QDir::toNativeSeparators(exeDir);
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (data.isEmpty())
        data = QDir::homePath();
    QDir().mkpath(data);
    return QDir::toNativeSeparators(data);
}

QString pathWithSeparator() {
    QString p = path();
    if (!p.endsWith(QDir::separator()))
        p += QDir::separator();
    return p;
}

QString iniPath() {
    return pathWithSeparator() + QStringLiteral("O2_Aerolis.ini");
}

QString installationIniPath() {
    return pathWithSeparator() + QStringLiteral("Installation.ini");
}

bool takeDirOption(QStringList& args, QString* error) {
    for (int i = 0; i < args.size(); ++i) {
        const QString a = args.at(i);
        if (a == QLatin1String("--dir")) {
            if (i + 1 >= args.size()) {
                if (error)
                    *error = QStringLiteral("--dir needs a directory");
                return false;
            }
            setOverride(args.at(i + 1));
            args.remove(i, 2);
            --i;
        } else if (a.startsWith(QLatin1String("--dir="))) {
            setOverride(a.mid(6));
            args.removeAt(i);
            --i;
        }
    }
    return true;
}

} // namespace ProgramDir
