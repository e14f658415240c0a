// The skin the driver chose earlier for the chosen car.
#pragma once

namespace gFunc {

// Looks up the remembered car of class gCarCategory in the host's Cars\Cars.ini [Skins]
// "Skin<id>" and sets its skinNumber and skinCode (the "Code" of section "Skin<n>" of the car's
// skins list); no entry, or one that is not a whole number, gives the default skin 0 and an
// empty code. Leaves gIniFile on the last file read.
void LoadCarSkin();

}  // namespace gFunc
