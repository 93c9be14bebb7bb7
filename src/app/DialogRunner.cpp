#include "app/DialogRunner.h"

#include "app/dialogs/StoredBitTips.h"

#include <QDialog>

namespace dispcraft {

namespace {
DialogRunner::Hook& hook() {
    static DialogRunner::Hook h;
    return h;
}
} // namespace

int DialogRunner::exec(QDialog& dialog) {
    explainStoredBits(dialog);
    if (hook()) {
        // Copied so that a hook may replace itself while it runs.
        Hook h = hook();
        return h(dialog);
    }
    return dialog.exec();
}

void DialogRunner::setHook(Hook h) { hook() = std::move(h); }

bool DialogRunner::hooked() { return static_cast<bool>(hook()); }

} // namespace dispcraft
