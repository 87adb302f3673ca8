#include "core/IniFile.h"

#include "core/Regional.h"
#include "core/Win1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquote(QString v) {
    v = v.trimmed();
    if (v.size() >= 2) {
        const QChar f = v.front();
        if ((f == QLatin1Char('"') || f == QLatin1Char('\'')) && v.back() == f)
            v = v.mid(1, v.size() - 2);
    }
    return v;
}

bool parseInteger(const QString& text, int* out) {
    const QString t = text.trimmed();
    bool ok = false;
    int v = 0;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ||
        t.startsWith(QLatin1Char('$')))
        v = t.mid(t.startsWith(QLatin1Char('$')) ? 1 : 2).toInt(&ok, 16);
    else
        v = t.toInt(&ok, 10);
    if (ok)
        *out = v;
    return ok;
}

} // namespace

IniFile::IniFile(const QString& fileName) : m_fileName(fileName) {}

IniFile::Line IniFile::makeLine(const QByteArray& raw, const QByteArray& ending) {
    Line l;
    l.raw = raw;
    l.ending = ending;
    const QString text = Win1252::decode(raw);
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1Char('['))) {
        const int close = t.indexOf(QLatin1Char(']'));
        if (close > 0) {
            l.kind = Line::Section;
            l.name = t.mid(1, close - 1).trimmed();
            return l;
        }
    }
    if (t.startsWith(QLatin1Char(';')) || t.isEmpty())
        return l;
    const int eq = text.indexOf(QLatin1Char('='));
    if (eq > 0) {
        const QString key = text.left(eq).trimmed();
        if (!key.isEmpty()) {
            l.kind = Line::Entry;
            l.name = key;
            l.value = unquote(text.mid(eq + 1));
        }
    }
    return l;
}

void IniFile::parse(const QByteArray& bytes) const {
    m_lines.clear();
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype nl = bytes.indexOf('\n', pos);
        QByteArray raw;
        QByteArray ending;
        if (nl < 0) {
            raw = bytes.mid(pos);
            pos = bytes.size();
        } else {
            raw = bytes.mid(pos, nl - pos);
            ending = "\n";
            pos = nl + 1;
        }
        if (raw.endsWith('\r')) {
            raw.chop(1);
            ending.prepend('\r');
        }
        m_lines.append(makeLine(raw, ending));
    }
}

void IniFile::refresh() const {
    const QFileInfo fi(m_fileName);
    const qint64 size = fi.exists() ? fi.size() : -1;
    const QDateTime modified = fi.exists() ? fi.lastModified() : QDateTime();
    if (m_loaded && size == m_size && modified == m_modified)
        return;
    QByteArray bytes;
    QFile f(m_fileName);
    if (f.open(QIODevice::ReadOnly))
        bytes = f.readAll();
    parse(bytes);
    m_loaded = true;
    m_size = size;
    m_modified = modified;
}

int IniFile::findSection(const QString& section) const {
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Line::Section && sameName(m_lines[i].name, section))
            return i;
    return -1;
}

int IniFile::findEntry(const QString& section, const QString& key) const {
    const int s = findSection(section);
    if (s < 0)
        return -1;
    for (int i = s + 1; i < m_lines.size() && m_lines[i].kind != Line::Section; ++i)
        if (m_lines[i].kind == Line::Entry && sameName(m_lines[i].name, key))
            return i;
    return -1;
}

bool IniFile::sectionExists(const QString& section) const {
    refresh();
    return findSection(section) >= 0;
}

bool IniFile::valueExists(const QString& section, const QString& key) const {
    refresh();
    return findEntry(section, key) >= 0;
}

QStringList IniFile::sections() const {
    refresh();
    QStringList out;
    for (const Line& l : m_lines)
        if (l.kind == Line::Section)
            out << l.name;
    return out;
}

QStringList IniFile::keys(const QString& section) const {
    refresh();
    QStringList out;
    const int s = findSection(section);
    if (s < 0)
        return out;
    for (int i = s + 1; i < m_lines.size() && m_lines[i].kind != Line::Section; ++i)
        if (m_lines[i].kind == Line::Entry)
            out << m_lines[i].name;
    return out;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    refresh();
    const int e = findEntry(section, key);
    return e < 0 ? def : m_lines[e].value;
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const {
    int v = def;
    return parseInteger(readString(section, key, QString()), &v) ? v : def;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

double IniFile::readFloat(const QString& section, const QString& key, double def) const {
    double v = def;
    return Regional::parseReal(readString(section, key, QString()), &v) ? v : def;
}

bool IniFile::isPlainName(const QString& name) {
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool plain = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') ||
                           (u >= '0' && u <= '9') || u == '_' || u == '-' || u == '.';
        if (!plain)
            return false;
    }
    return true;
}

QString IniFile::oneLine(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& text) {
    if (!isPlainName(section) || !isPlainName(key)) {
        m_lastError =
            QStringLiteral("not a plain name: [%1] %2").arg(oneLine(section), oneLine(key));
        return false;
    }
    const QString value = oneLine(text);
    refresh();
    QList<Line> lines = m_lines;
    const QByteArray crlf("\r\n");
    const QByteArray entry = Win1252::encode(key) + '=' + Win1252::encode(value);
    const int e = findEntry(section, key);
    if (e >= 0) {
        if (m_lines[e].value == value && !m_lines[e].raw.contains('"') &&
            !m_lines[e].raw.contains('\''))
            return true;
        // Keep the key as the file spells it.
        const int eq = lines[e].raw.indexOf('=');
        lines[e] = makeLine(lines[e].raw.left(eq) + '=' + Win1252::encode(value),
                            lines[e].ending.isEmpty() ? QByteArray() : lines[e].ending);
    } else {
        const int s = findSection(section);
        const auto closeLastLine = [&] {
            if (!lines.isEmpty() && lines.last().ending.isEmpty())
                lines.last().ending = crlf;
        };
        if (s < 0) {
            closeLastLine();
            lines.append(makeLine('[' + Win1252::encode(section) + ']', crlf));
            lines.append(makeLine(entry, crlf));
        } else {
            // After the section's last entry, so blank lines and comments that close the
            // section stay where they are.
            int at = s + 1;
            for (int i = s + 1; i < lines.size() && lines[i].kind != Line::Section; ++i)
                if (lines[i].kind == Line::Entry)
                    at = i + 1;
            if (at == lines.size())
                closeLastLine();
            lines.insert(at, makeLine(entry, crlf));
        }
    }
    return save(lines);
}

bool IniFile::writeInteger(const QString& section, const QString& key, int value) {
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeBool(const QString& section, const QString& key, bool value) {
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::writeFloat(const QString& section, const QString& key, double value) {
    return writeString(section, key, Regional::formatReal(value));
}

bool IniFile::deleteKey(const QString& section, const QString& key) {
    refresh();
    const int e = findEntry(section, key);
    if (e < 0)
        return true;
    QList<Line> lines = m_lines;
    lines.removeAt(e);
    return save(lines);
}

bool IniFile::save(const QList<Line>& lines) {
    QByteArray bytes;
    for (const Line& l : lines)
        bytes += l.raw + l.ending;
    QSaveFile f(m_fileName);
    const auto failed = [&] {
        m_lastError = f.errorString();
        if (m_observer)
            m_observer(false, m_lastError);
        return false;
    };
    if (!f.open(QIODevice::WriteOnly))
        return failed();
    if (f.write(bytes) != bytes.size() || !f.commit()) {
        failed();
        f.cancelWriting();
        return false;
    }
    m_lastError.clear();
    if (m_observer)
        m_observer(true, QString());
    m_lines = lines;
    const QFileInfo fi(m_fileName);
    m_size = fi.size();
    m_modified = fi.lastModified();
    m_loaded = true;
    return true;
}
