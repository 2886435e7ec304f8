#pragma once
// Rules of input boxes shared by the windows of the programs.
class QLineEdit;

namespace falq {

// What the user types in `edit` becomes upper case as it is typed (the cursor stays put).
void forceUpperCase(QLineEdit* edit);

} // namespace falq
