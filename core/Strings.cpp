#include "core/Strings.h"

#include "core/Settings.h"

namespace Strings {

bool ReadFormPosition(const IniFile& file, const QString& section, const QSize& desktop,
                      FormPosition* pos) {
    if (!file.sectionExists(section))
        return false;
    FormPosition p;
    p.Left = file.readInteger(section, Keys::Left, 0);
    p.Top = file.readInteger(section, Keys::Top, 0);
    p.Width = file.readInteger(section, Keys::Width, 1024);
    p.Height = file.readInteger(section, Keys::Height, 768);
    p.State = file.readInteger(section, Keys::State, 0);
    if (desktop.width() < p.Width)
        p.Width = desktop.width();
    if (desktop.height() < p.Height)
        p.Height = desktop.height();
    if (p.Left > desktop.width() - p.Width)
        p.Left = desktop.width() - p.Width;
    if (p.Top > desktop.height() - p.Height)
        p.Top = desktop.height() - p.Height;
    *pos = p;
    return true;
}

void WriteFormPosition(IniFile& file, const QString& section, const FormPosition& pos) {
    file.writeInteger(section, Keys::Left, pos.Left);
    file.writeInteger(section, Keys::Top, pos.Top);
    file.writeInteger(section, Keys::Width, pos.Width);
    file.writeInteger(section, Keys::Height, pos.Height);
    file.writeInteger(section, Keys::State, pos.State);
}

} // namespace Strings
