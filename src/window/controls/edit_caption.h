#pragma once

class QLabel;
class QLineEdit;
class QString;

// A caption for an edit, shown and hidden with it, as a labelled edit has.
QLabel* AttachCaption(QLineEdit* edit, const QString& caption);
