#include "app/dialogs/DialogLabels.h"

#include "app/UiText.h"

namespace dispcraft::dlgtext {

QString label(Pack pack, int index) {
    const QStringList lines = ui::text(pack.string).split(QLatin1Char('\n'));
    const int line = pack.first + index;
    if (index < 0 || line >= lines.size()) {
        return QStringLiteral("#%1.%2").arg(pack.string).arg(line);
    }
    return lines[line];
}

} // namespace dispcraft::dlgtext
