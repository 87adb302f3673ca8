// Windows-1252 text, the encoding of the settings file and the measurement files.
#pragma once

#include <QByteArray>
#include <QString>

namespace Win1252 {

// False when this Qt build cannot convert Windows-1252 (built without ICU).
bool available();
// Throws std::runtime_error when the codec is missing, so the program stops at start
// instead of writing files in another encoding.
void requireAvailable();

QString decode(const QByteArray& bytes);
// Characters that Windows-1252 cannot hold become '?'.
QByteArray encode(const QString& text);

} // namespace Win1252
