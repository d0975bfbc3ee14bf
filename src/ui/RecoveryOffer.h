#pragma once

namespace quarry::ui {

class Dialogs;
class MainWindow;
class RecoveryKeeper;

// At start-up: for each journal an editor left behind that no running editor
// holds, asks whether to recover its unsaved changes, discard them, or keep
// them for later. Recovering opens the image in `window` with the changes as
// unsaved edits and their history. Returns true when an image was recovered.
bool offerRecovery(MainWindow& window, Dialogs& dialogs, RecoveryKeeper& keeper);

} // namespace quarry::ui
