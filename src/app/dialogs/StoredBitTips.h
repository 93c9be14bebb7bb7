#pragma once

class QWidget;

namespace dispcraft {

// Tooltips for the panel options whose effect only the panel's manual tells: each says which
// bit of which stored byte its control sets, so that an engineer with the manual can map it.
// Dialogs and controls are found by their names ("numDispDialog", "ctl1056"); the dialog runner
// calls this for every dialog it runs, and dialogs without such options are left alone.
void explainStoredBits(QWidget& dialog);

} // namespace dispcraft
