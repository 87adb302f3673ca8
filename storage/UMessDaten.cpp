#include "storage/UMessDaten.h"

#include "core/Daten.h"
#include "core/ProcessState.h"
#include "core/ProgramDir.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "core/Win1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <memory>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace MeasurementFile {

const QString AllowedNameChars =
    QStringLiteral("\b-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz");

namespace {

const QString ColumnHeader = QStringLiteral(
    " ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;Luefterlaufzeit;LuefterZyklen");
const QByteArray LineEnd("\r\n");

// The one open measurement file of the program.
struct OpenFile {
    std::unique_ptr<QFile> file;
    int plant = 0;
    // The file did not end with a line end when it was opened (or a failed write could not
    // be taken back): the next line starts with one, so that it never merges into a
    // fragment.
    bool needsLineEnd = false;
};

OpenFile& current() {
    static OpenFile f;
    return f;
}

qint64& written() {
    static qint64 n = 0;
    return n;
}

// A line end or a field separator inside a text would break the line structure that
// every reader relies on.
QString oneLine(QString text) {
    return IniFile::oneLine(text); // every control character, Ctrl-Z among them
}

QString oneField(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1Char('?'));
    text.replace(QLatin1Char('\n'), QLatin1Char('?'));
    text.replace(QLatin1Char(';'), QLatin1Char('?'));
    return text;
}

QString pad5(qint64 v) {
    return QString::number(v).rightJustified(5, QLatin1Char(' '));
}

// Tenths of vol% as "%5.1f" with a decimal comma whatever the regional settings, computed
// on integers so that no binary rounding can change the last digit.
QString o2Text(int32_t tenths) {
    const qint64 v = tenths;
    const qint64 a = v < 0 ? -v : v;
    QString t = (v < 0 ? QStringLiteral("-") : QString()) + QString::number(a / 10) +
                QLatin1Char(',') + QString::number(a % 10);
    return t.rightJustified(5, QLatin1Char(' '));
}

bool endsWithSeparator(const QString& path) {
    return path.endsWith(QDir::separator()) || path.endsWith(QLatin1Char('/'));
}

// A whole line of a record: twelve fields after the number, each closed by ';' (a
// trailing CR aside).
bool isWholeLine(QByteArray line) {
    if (line.endsWith('\r'))
        line.chop(1);
    return line.indexOf(';') > 0 && line.count(';') >= 12 && line.endsWith(';');
}

// The number of a whole record line, 0 for any other line. Numbers far beyond any pile's
// count are taken for garbage.
int wholeRecordNumber(const QByteArray& line) {
    if (!isWholeLine(line))
        return 0;
    bool ok = false;
    const int n = line.left(line.indexOf(';')).toInt(&ok);
    return ok && n > 0 && n < 1000000000 ? n : 0;
}

// The start of a record line: digits, then ';' or nothing.
bool startsLikeRecord(const QByteArray& line) {
    qsizetype digits = 0;
    while (digits < line.size() && line.at(digits) >= '0' && line.at(digits) <= '9')
        ++digits;
    return digits > 0 && (digits == line.size() || line.at(digits) == ';');
}

// What the end of an existing file asks of the next append.
struct Tail {
    int lastNumber = 0; // of the last whole record line, 0 when there is none
    qint64 cutTo = -1;  // the size to take the file back to, -1 to keep it
    bool needsLineEnd = false;
};

// Reads the last few KiB of a regular file once. A record line cut short by a power loss
// (or by a full device whose write could not be taken back) is taken back to the line end
// before it, as a failed write is: its time stamp may be cut, and a stamp that cannot be
// read would stop every later fill of the file at that line. A whole record, or a text
// that is no record, merely lacking its line end gets the line end before the next line.
Tail readTail(const QString& path) {
    Tail t;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.isSequential())
        return t;
    const qint64 size = f.size();
    const qint64 from = std::max<qint64>(0, size - 4096);
    if (size <= 0 || !f.seek(from))
        return t;
    const QByteArray bytes = f.read(size - from);
    QList<QByteArray> lines = bytes.split('\n');
    if (!bytes.endsWith('\n')) {
        const QByteArray fragment = lines.takeLast();
        const qsizetype lastEnd = bytes.lastIndexOf('\n');
        if (!isWholeLine(fragment) && startsLikeRecord(fragment) && lastEnd >= 0) {
            t.cutTo = from + lastEnd + 1;
        } else {
            lines.append(fragment);
            t.needsLineEnd = true;
        }
    }
    if (from > 0 && !lines.isEmpty())
        lines.removeFirst(); // may start inside a line
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        if (lines.at(i).trimmed().isEmpty())
            continue;
        t.lastNumber = wholeRecordNumber(lines.at(i));
        break;
    }
    return t;
}

// Pushes the written bytes to the storage device, so that a full or failing device is
// reported now rather than lost after the count has been saved.
bool commitToDevice(QFile& f) {
    const int fd = f.handle();
    if (fd < 0)
        return true;
#ifdef Q_OS_WIN
    return _commit(fd) == 0;
#else
    // Devices and pipes that cannot be synchronised have nothing to commit.
    return ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
#endif
}

// Writes `bytes` whole or takes back what got through.
bool writeWhole(OpenFile& of, const QByteArray& bytes) {
    QFile& f = *of.file;
    const qint64 before = f.size();
    const qint64 n = f.write(bytes);
    if (n == bytes.size())
        return true;
    // Taken back only while the file ends with this write's piece: a line another writer
    // appended meanwhile is not cut away.
    if (n > 0 && (f.size() != before + n || !f.resize(before)))
        of.needsLineEnd = true;
    return false;
}

bool closeOpenFile() {
    OpenFile& of = current();
    if (!of.file)
        return true;
    bool ok = commitToDevice(*of.file);
    of.file->close();
    ok = ok && of.file->error() == QFileDevice::NoError;
    of.file.reset();
    of.plant = 0;
    of.needsLineEnd = false;
    return ok;
}

bool saveCount(int plant) {
    return Settings::file().writeInteger(Keys::plantSection(plant), Keys::Anzahl,
                                         Daten::Anlage[plant].Anzahl);
}

std::function<qint64(const QString&)>& freeSpaceProbe() {
    static std::function<qint64(const QString&)> probe;
    return probe;
}

ProcessState::Registrar reg(&resetState);

} // namespace

bool IsAllowedNameChar(QChar c) {
    return AllowedNameChars.contains(c);
}

QString RecordTimeText(const QString& day, const QString& month, const QString& year,
                       const QString& hour, const QString& minute) {
    return oneField(day + QLatin1Char('.') + month + QLatin1Char('.') + year +
                    QStringLiteral("  ") + hour + QLatin1Char(':') + minute);
}

QString FileStem(const QString& plantName, const QDate& date) {
    QString stem = plantName + QLatin1Char('_') + Regional::formatDate(date);
    // The backspace is in the set only for the naming dialog's key filter: a file name
    // never carries a control character.
    for (QChar& c : stem) {
        if (!IsAllowedNameChar(c) || !c.isPrint())
            c = QLatin1Char('-');
    }
    return stem;
}

QStringList HeaderLines(int plant, const QDate& date) {
    const IniFile& ini = Settings::file();
    const tAnlageParameter& a = Daten::Anlage[plant];
    const QString text = QStringLiteral("* Text *");
    return {oneLine(ini.readString(Keys::Firma, Keys::Titel, QStringLiteral("Firmen- Name"))),
            oneLine(ini.readString(Keys::Firma, Keys::Zeile2, text)),
            oneLine(ini.readString(Keys::Firma, Keys::Zeile3, text)),
            QString(),
            QStringLiteral("Anlagen- Name: ") + oneLine(a.Name),
            QStringLiteral("Datei  - Name: ") + oneLine(a.Datei),
            oneLine(a.Komm),
            QStringLiteral("Erste Datensicherung : ") + Regional::formatDate(date),
            ColumnHeader};
}

QString RecordLine(int number, const QString& timeText, const MeasurementRecord& r) {
    const QChar sep = QLatin1Char(';');
    return QString::number(number) + sep + oneField(timeText) + sep + pad5(r.T1) + sep +
           pad5(r.T2) + sep + pad5(r.T3) + sep + pad5(r.T4) + sep + pad5(r.T5) + sep +
           pad5(r.RefDepth) + sep + o2Text(r.O2) + sep + QString::number(r.Mode) + sep +
           pad5(r.RunTime) + sep + pad5(r.Cycles) + sep;
}

bool NewMeasurementFile(int plant, const QDate& today) {
    if (!Daten::isPlantAddress(plant))
        return false;
    tAnlageParameter& a = Daten::Anlage[plant];
    // An empty directory would put the file at the root of the file system.
    if (a.Pfad.isEmpty())
        a.Pfad = ProgramDir::pathWithSeparator();
    else if (!endsWithSeparator(a.Pfad))
        a.Pfad += QDir::separator();
    a.Datei = a.Pfad + FileStem(a.Name, today) + QStringLiteral(".CSV");
    a.Anzahl = 0;
    IniFile& ini = Settings::file();
    const QString section = Keys::plantSection(plant);
    bool ok = ini.writeInteger(section, Keys::Anzahl, 0);
    ok = ini.writeString(section, Keys::Datei, a.Datei) && ok;
    return ok;
}

bool OpenMeasurementFile(int plant, const QDate& today) {
    if (!Daten::isPlantAddress(plant))
        return false;
    OpenFile& of = current();
    // A file still open here belongs to a readout that was cut short by an error; its
    // count matches its lines, so it is closed like any other.
    if (of.file) {
        const int stale = of.plant;
        closeOpenFile();
        saveCount(stale);
    }
    tAnlageParameter& a = Daten::Anlage[plant];
    if (a.Datei.isEmpty())
        NewMeasurementFile(plant, today);

    auto file = std::make_unique<QFile>(a.Datei);
    const QFileInfo info(a.Datei);
    const bool existed = info.exists();
    // An empty file holds no line yet, so it gets the header like a new one.
    const bool fresh = !existed || (info.isFile() && info.size() == 0);
    bool needsLineEnd = false;
    if (!fresh) {
        // A device or pipe has no end to seek to; truncating it is a no-op. Nor is it read:
        // a pipe would wait for the writer, which is this program.
        const Tail tail = info.isFile() ? readTail(a.Datei) : Tail{};
        // A readout cut short by a crash or a power loss has put lines into the file that
        // the count in the settings file (saved at the close) does not know of yet: the
        // numbering goes on after the file's last record instead of repeating numbers.
        a.Anzahl = std::max(a.Anzahl, tail.lastNumber);
        const QIODevice::OpenMode mode =
            info.isFile() ? QIODevice::Append : QIODevice::ExistingOnly;
        if (!file->open(QIODevice::WriteOnly | mode | QIODevice::Unbuffered))
            return false;
        needsLineEnd = tail.needsLineEnd || (tail.cutTo >= 0 && !file->resize(tail.cutTo));
    } else {
        // No directory is created: a missing directory is a setup fault the user must see.
        // Always appending: a second writer that opens the file meanwhile appends too, and
        // neither overwrites the other's lines from an offset of its own.
        const QIODevice::OpenMode mode =
            existed ? QIODevice::Append : QIODevice::NewOnly | QIODevice::Append;
        if (!file->open(QIODevice::WriteOnly | mode | QIODevice::Unbuffered))
            return false;
        QByteArray header;
        for (const QString& line : HeaderLines(plant, today))
            header += Win1252::encode(line) + LineEnd;
        // A header cut short would make the file unreadable for good; the file still holds
        // no record, so it goes back to nothing.
        if (file->write(header) != header.size() || !commitToDevice(*file)) {
            if (existed) {
                file->resize(0);
                file->close();
            } else {
                file->close();
                file->remove();
            }
            return false;
        }
    }
    of.file = std::move(file);
    of.plant = plant;
    of.needsLineEnd = needsLineEnd;
    return true;
}

bool AppendMeasurementRecord(int plant, const QString& timeText, const MeasurementRecord& record) {
    OpenFile& of = current();
    if (!Daten::isPlantAddress(plant) || !of.file || of.plant != plant)
        return false;
    tAnlageParameter& a = Daten::Anlage[plant];
    const int number = a.Anzahl + 1;
    QByteArray bytes = Win1252::encode(RecordLine(number, timeText, record)) + LineEnd;
    if (of.needsLineEnd)
        bytes.prepend(LineEnd);
    if (!writeWhole(of, bytes))
        return false;
    of.needsLineEnd = false;
    // Counted only once the line is in the file, so the count never runs ahead of it.
    a.Anzahl = number;
    ++written();
    // On the device before the readout asks for the next record: a crash or power loss
    // mid-readout costs at most the line in progress. A device that cannot commit stops
    // the readout like a failed write, the line itself being in the file and counted.
    return commitToDevice(*of.file);
}

bool CloseMeasurementFile(int plant) {
    const int openPlant = current().plant;
    bool ok = closeOpenFile();
    if (openPlant != 0 && openPlant != plant)
        ok = saveCount(openPlant) && ok;
    if (Daten::isPlantAddress(plant))
        ok = saveCount(plant) && ok;
    else
        ok = false;
    return ok;
}

bool HasRoomFor(qint64 records, qint64* freeBytes) {
    if (freeBytes)
        *freeBytes = -1;
    const OpenFile& of = current();
    if (!of.file)
        return true;
    const QFileInfo info(of.file->fileName());
    if (!info.isFile())
        return true;
    const QString dir = info.absolutePath();
    qint64 available = -1;
    if (freeSpaceProbe()) {
        available = freeSpaceProbe()(dir);
    } else {
        const QStorageInfo storage(dir);
        if (storage.isValid())
            available = storage.bytesAvailable();
    }
    if (freeBytes)
        *freeBytes = available;
    return available < 0 || available >= records * MaxRecordLineBytes + SpaceMargin;
}

void SetFreeSpaceProbe(std::function<qint64(const QString& dir)> probe) {
    freeSpaceProbe() = std::move(probe);
}

QString RescueFileName(int plant, const QDate& today) {
    return ProgramDir::pathWithSeparator() + FileStem(Daten::Anlage[plant].Name, today) +
           QStringLiteral("_Rettung.CSV");
}

QString RescueRecord(int plant, const QString& timeText, const MeasurementRecord& record,
                     const QDate& today) {
    if (!Daten::isPlantAddress(plant))
        return QString();
    const QString path = RescueFileName(plant, today);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return QString();
    // A line cut short by an earlier failure is closed first, so this one stands whole.
    QByteArray bytes =
        Win1252::encode(RecordLine(Daten::Anlage[plant].Anzahl + 1, timeText, record)) + LineEnd;
    QFile last(path);
    if (last.open(QIODevice::ReadOnly) && last.size() > 0 && last.seek(last.size() - 1) &&
        last.read(1) != "\n")
        bytes.prepend(LineEnd);
    const bool ok = f.write(bytes) == bytes.size() && commitToDevice(f);
    f.close();
    return ok && f.error() == QFileDevice::NoError ? path : QString();
}

int OpenPlant() {
    return current().plant;
}

qint64 RecordsWritten() {
    return written();
}

void resetState() {
    OpenFile& of = current();
    of.file.reset();
    of.plant = 0;
    of.needsLineEnd = false;
    written() = 0;
}

} // namespace MeasurementFile
