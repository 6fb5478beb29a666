#pragma once

class QAction;
class QString;

namespace urok {

// Tells Qt's accessibility layer how a screen reader sees the lesson's own
// controls: a ProgressLabel is a progress bar with a value, a SecondsLabel
// is named by what its number means, a SpokenNotice is a notification named
// by its sentence, and a PictureBox is a graphic with a "Press" action that
// opens the picture the way a click does, and an AuxiliaryWindow is a
// window. Installing more than once does nothing; every such control
// installs it itself.
void installAccessibleControls();

// A command of a menu bar that a screen reader names otherwise than its
// caption reads (a caption in Latin letters, said in Bulgarian words).
void speakCommandAs(QAction *command, const QString &spoken);

} // namespace urok
