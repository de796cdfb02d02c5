#pragma once

namespace zeror::ui {

// Loads Qt's own Hungarian texts (file and print dialogs, standard buttons) from Qt's
// translations folder, so that the dialogs Qt draws speak the program's language. False when
// the translation file is missing; Qt's English texts stay then.
bool installQtTranslations();

} // namespace zeror::ui
