// Random writes into a settings file, then a fresh read of it: every section, key and value
// written comes back, in the order first written and as the writer promises to keep it.
//
// Input layout: the bytes are cut at every 0x00 into pieces, taken three at a time as
// section, key and value; each piece byte stands for one character (see character()).
#include "core/IniFile.h"

#include <QDir>
#include <QHash>
#include <QTemporaryDir>
#include <cstdint>

namespace {

// What the writer promises. Names that are not plain are not written here. With
// kControlsBecomeBlanks a control character in a value is to read back as a blank; with it
// off, values holding one are not written here.
constexpr bool kControlsBecomeBlanks = true;

bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

bool plainName(const QString& n) {
    if (n.isEmpty() || n != n.trimmed() || n.startsWith(QLatin1Char(';')))
        return false;
    for (QChar c : n)
        if (isControl(c) || c == QLatin1Char('=') || c == QLatin1Char('[') || c == QLatin1Char(']'))
            return false;
    return true;
}

// The value a read gives back, or a null string when the value is not written here.
QString promised(const QString& value) {
    QString v = value;
    for (QChar& c : v)
        if (isControl(c)) {
            if (!kControlsBecomeBlanks)
                return QString();
            c = QLatin1Char(' ');
        }
    // Values are read trimmed, and one pair of enclosing quotes is taken off.
    v = v.trimmed();
    if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) &&
        v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v.isNull() ? QStringLiteral("") : v;
}

// Printable ASCII, controls, and the Windows-1252 letters a German installation writes.
QChar character(uint8_t b) {
    static const char16_t extra[] = u"äöüÄÖÜß°µ€é§";
    if (b < 0x80)
        return QChar(b);
    return QChar(extra[b % (sizeof(extra) / sizeof(extra[0]) - 1)]);
}

struct Section {
    QString name;
    QStringList keys;               // as first written
    QHash<QString, QString> values; // by folded key
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("O2_Aerolis.ini"));
    QFile::remove(path);

    QStringList pieces{QString()};
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            pieces.append(QString());
        else
            pieces.last() += character(data[i]);
    }
    QList<Section> model;
    {
        IniFile ini(path);
        for (qsizetype i = 0; i + 2 < pieces.size() && i < 3 * 24; i += 3) {
            const QString& s = pieces.at(i);
            const QString& k = pieces.at(i + 1);
            const QString v = promised(pieces.at(i + 2));
            if (!plainName(s) || !plainName(k) || v.isNull())
                continue;
            // A write the writer refuses or cannot make leaves the file as it was.
            if (!ini.writeString(s, k, pieces.at(i + 2)))
                continue;
            qsizetype at = 0;
            while (at < model.size() && model[at].name.compare(s, Qt::CaseInsensitive) != 0)
                ++at;
            if (at == model.size())
                model.append({s, {}, {}});
            Section& sec = model[at];
            const QString folded = k.toCaseFolded();
            bool known = false;
            for (const QString& have : sec.keys)
                known = known || have.compare(k, Qt::CaseInsensitive) == 0;
            if (!known)
                sec.keys.append(k);
            sec.values.insert(folded, v);
        }
    }
    const IniFile back(path);
    QStringList names;
    for (const Section& s : model)
        names << s.name;
    if (back.sections() != names)
        __builtin_trap();
    for (const Section& s : model) {
        if (back.keys(s.name) != s.keys)
            __builtin_trap();
        for (const QString& k : s.keys)
            if (back.readString(s.name, k, QStringLiteral("\x01")) !=
                s.values.value(k.toCaseFolded()))
                __builtin_trap();
    }
    return 0;
}
