#pragma once

#include <functional>

class QDialog;

namespace dispcraft {

// Runs the program's own modal dialogs. Tests install a hook that fills in and closes each
// dialog instead of waiting for a user; the hook returns the dialog's result as exec() would.
class DialogRunner {
public:
    using Hook = std::function<int(QDialog&)>;

    static int exec(QDialog& dialog);
    // An empty hook restores the normal exec().
    static void setHook(Hook hook);
    static bool hooked();
};

} // namespace dispcraft
