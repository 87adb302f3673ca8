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

// The names under which the per-user directory has always been kept by the program.
const QString Organization = QStringLiteral("O2-Humivo");
const QString Application = QStringLiteral("o2aerolis");
const QString DesktopEntry = QStringLiteral("share/applications/o2aerolis.desktop");

QString made(const QString& dir) {
    QDir().mkpath(dir);
    return QDir::toNativeSeparators(dir);
}
} // namespace

void setOverride(const QString& dir) {
    overrideDir() = dir.isEmpty() ? QString() : QDir(dir).absolutePath();
}

QString userDataPath() {
    // AppDataLocation is built from the running executable's names: the command-line tool
    // and the test programs have other names than the program, and would each get a
    // directory of their own.
    const QString org = QCoreApplication::organizationName();
    const QString app = QCoreApplication::applicationName();
    QCoreApplication::setOrganizationName(Organization);
    QCoreApplication::setApplicationName(Application);
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QCoreApplication::setOrganizationName(org);
    QCoreApplication::setApplicationName(app);
    if (data.isEmpty())
        data = QDir::homePath();
    return made(data);
}

bool isInstalledBinDir(const QString& exeDir) {
    if (exeDir.isEmpty())
        return false;
    const QDir bin(exeDir);
    if (bin.dirName() != QLatin1String("bin"))
        return false;
    return QFileInfo(bin.absoluteFilePath(QStringLiteral("../") + DesktopEntry)).isFile();
}

QString pathForExecutableDir(const QString& exeDir) {
    if (!exeDir.isEmpty() && QFileInfo(exeDir).isWritable() && !isInstalledBinDir(exeDir))
        return QDir::toNativeSeparators(QDir(exeDir).absolutePath());
    return userDataPath();
}

QString path() {
    if (!overrideDir().isEmpty())
        return made(overrideDir());
    return pathForExecutableDir(QCoreApplication::applicationDirPath());
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
