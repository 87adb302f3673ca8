#include "core/OneLineEdit.h"

#include "core/IniFile.h"

#include <QLineEdit>

namespace OneLineEdit {

void apply(QLineEdit* edit) {
    // On the user's edits only (typing, pasting); a validator that changed the text would
    // clear the edited mark, and OK would then store nothing of the paste.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString clean = IniFile::oneLine(text);
        if (clean == text)
            return;
        const int pos = edit->cursorPosition();
        edit->setText(clean);
        edit->setCursorPosition(pos);
        edit->setModified(true);
    });
}

} // namespace OneLineEdit
