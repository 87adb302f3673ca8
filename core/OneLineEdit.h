// Text fields whose text goes into the settings file or a file header as one line: a line
// break or other control character, typed or pasted, becomes a blank as it enters the field.
#pragma once

class QLineEdit;

namespace OneLineEdit {
void apply(QLineEdit* edit);
}
