#pragma once

// What the program remembers between runs: the last port and rate, the receiver family, the
// windows' sizes and places and the last folder opened. They are kept with QSettings at the
// platform's standard place (on Linux ~/.config/Norvane/Norvane.conf). Remembering is off
// until the program turns it on, so `norvane --no-settings` and the tests neither read nor
// write anything.
//
//     rememberSettings(std::cerr);                    // the program, at start-up
//     rememberGeometry(*window, "windows/replay");    // any window: comes back where it was left
//     dialog.setDirectory(lastFolder());              // a file dialog starts where the last one was
//     rememberFolder(QFileInfo(chosen).absolutePath());

#include <QString>
#include <optional>
#include <ostream>

class QWidget;

namespace norvane {

// Turns remembering on, with the settings at `file`, or at the platform's standard place when
// it is empty. A file that cannot be read or is not a settings file is ignored, with one line
// on `err`; the next change writes a sound one.
void rememberSettings(std::ostream& err, const QString& file = {});
// Off again: nothing is read or written.
void forgetSettings();
bool rememberingSettings();
// Where the settings are kept; empty while off.
QString settingsFile();

// A remembered text, if there is one; always nothing while off.
std::optional<QString> rememberedText(const QString& key);
// Kept at once, so a program that is killed still has it next time.
void rememberText(const QString& key, const QString& value);

// The folder the last file was opened from, if it still exists; empty otherwise.
QString lastFolder();
void rememberFolder(const QString& folder);

// The window comes back at its remembered size and place now (never below its minimum size,
// and on a screen), and its size and place are remembered whenever it is hidden and when the
// program ends. True when a remembered place was restored.
bool rememberGeometry(QWidget& window, const QString& key);

} // namespace norvane
