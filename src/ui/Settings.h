#pragma once

#include <QSettings>

namespace quarry::ui {

// Names the program as the desktop knows it. The remembered settings, the
// data folder (the demo image) and the cache folder are all found through
// these names, so the editor and its tests call this before anything else.
void setApplicationIdentity();

// The one settings object every remembered choice goes through. By default
// the file follows XDG_CONFIG_HOME, so a test process that points it
// elsewhere never sees the user's settings.
QSettings applicationSettings();

// Keeps the settings in `folder` instead ("quarry --settings FOLDER"); an
// empty folder goes back to the default. False when the folder cannot be made.
bool setSettingsFolder(const QString& folder);

} // namespace quarry::ui
