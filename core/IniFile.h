// The settings file O2_Aerolis.ini in the sections-and-keys format of the existing
// installations: Windows-1252, CR LF, sections and keys case-insensitive, and every line the
// program does not own kept byte for byte. Reads see the file as it is on disk; every write
// goes to disk at once and atomically, so a crash leaves the old or the new file, never a
// torn one.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class IniFile {
public:
    explicit IniFile(const QString& fileName);

    QString fileName() const { return m_fileName; }

    bool sectionExists(const QString& section) const;
    bool valueExists(const QString& section, const QString& key) const;
    QStringList sections() const;
    QStringList keys(const QString& section) const;

    QString readString(const QString& section, const QString& key, const QString& def) const;
    // Text that is not a whole number reads as the default.
    int readInteger(const QString& section, const QString& key, int def) const;
    // Any non-zero integer reads true; text that is not a number reads as the default.
    bool readBool(const QString& section, const QString& key, bool def) const;
    // ',' and '.' are both taken as the decimal separator.
    double readFloat(const QString& section, const QString& key, double def) const;

    // Each write returns false when the file could not be written (the file on disk is then
    // unchanged). Writing the text already in the file touches nothing. A section or key
    // that is not a plain name is refused; a line break or other control character in a
    // value is written as a blank, so no value can add lines, sections or keys.
    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeInteger(const QString& section, const QString& key, int value);
    bool writeBool(const QString& section, const QString& key, bool value);
    // Written with the regional decimal separator.
    bool writeFloat(const QString& section, const QString& key, double value);
    bool deleteKey(const QString& section, const QString& key);

    QString lastError() const { return m_lastError; }
    // Told of every write that reached the disk (true) or failed (false, with the reason).
    void setWriteObserver(std::function<void(bool ok, const QString& reason)> observer) {
        m_observer = std::move(observer);
    }

    // Letters, digits, '_', '-' and '.': what a section or key may be called.
    static bool isPlainName(const QString& name);
    // `text` with every control character (CR and LF among them) replaced by a blank.
    static QString oneLine(QString text);

private:
    struct Line {
        QByteArray raw;     // the line as in the file, without its line end
        QByteArray ending;  // "\r\n", "\n" or empty for a last line without one
        enum Kind { Other, Section, Entry } kind = Other;
        QString name;       // section name or key, as written
        QString value;      // entry value, trimmed and unquoted
    };

    void refresh() const;
    void parse(const QByteArray& bytes) const;
    int findSection(const QString& section) const;
    int findEntry(const QString& section, const QString& key) const;
    bool save(const QList<Line>& lines);
    static Line makeLine(const QByteArray& raw, const QByteArray& ending);

    QString m_fileName;
    QString m_lastError;
    std::function<void(bool, const QString&)> m_observer;
    mutable QList<Line> m_lines;
    mutable bool m_loaded = false;
    mutable qint64 m_size = -1;
    mutable QDateTime m_modified;
};
