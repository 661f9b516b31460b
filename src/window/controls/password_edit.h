#pragma once
// The two password edits: the access password on the connection panel and
// the new password on "Установка".

class QLineEdit;

// At most six characters, each one the meter's code page can hold:
// anything else is refused as it is typed. The hint shows the six bytes
// the meter gets, and follows the text.
void MakePasswordEdit(QLineEdit* edit);
