#pragma once

class QDateTimeEdit;

// A click into the picker selects the section clicked, as the pickers of
// Windows do, so the digits typed next replace it. Qt's picker only places
// the cursor there, and a digit typed beside a section's present digits
// makes a number that does not fit: it is refused.
void SelectSectionOnClick(QDateTimeEdit* picker);
