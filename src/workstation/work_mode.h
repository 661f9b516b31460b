#pragma once

// Bits of the station's work mode, remembered in the settings.
enum WorkModeBit : int {
    NumberEditing = 1,   // the meter number may be typed and allocated
    PasswordEditing = 2, // a new access password may be typed
};
