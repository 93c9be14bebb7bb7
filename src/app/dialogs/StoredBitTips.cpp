#include "app/dialogs/StoredBitTips.h"

#include "app/Commands.h"
#include "app/UiText.h"

#include <QLabel>
#include <QWidget>

#include <string>
#include <vector>

namespace dispcraft {

namespace {

struct Tip {
    const char* dialog;
    int control;
    int text;
    std::vector<std::string> args;
};

// Numeric and clock displays: the second flag byte of the record; panel keys: the key record's
// flag byte; panel control settings: the project's control bytes and the image header bytes
// they are copied to.
const Tip kTips[] = {
    {"numDispDialog", 1056, appmsg::kTipNumDispBit7, {}},
    {"numDispDialog", 1174, appmsg::kTipNumDispBit1, {}},
    {"numDispDialog", 1175, appmsg::kTipNumDispBit1, {}},
    {"numDispDialog", 1176, appmsg::kTipNumDispBit2, {}},
    {"shortNumDispDialog", 1156, appmsg::kTipNumDispBit7, {}},
    {"shortNumDispDialog", 1177, appmsg::kTipNumDispBit1, {}},
    {"shortNumDispDialog", 1178, appmsg::kTipNumDispBit1, {}},
    {"shortNumDispDialog", 1179, appmsg::kTipNumDispBit2, {}},
    {"keyFunctionDialog", 1194, appmsg::kTipFourthAction, {}},
    {"keyFunctionDialog", 1248, appmsg::kTipExtraOption, {}},
    {"panelSettingsDialog", 1143, appmsg::kTipControlBit, {"4"}},
    {"panelSettingsDialog", 1130, appmsg::kTipControlBit, {"5"}},
    {"panelSettingsDialog", 1160, appmsg::kTipControlBit, {"6"}},
    {"panelSettingsDialog", 1161, appmsg::kTipControlBit, {"7"}},
    {"panelSettingsDialog", 1107, appmsg::kTipSetting, {"52", "21"}},
    {"panelSettingsDialog", 1009, appmsg::kTipSetting, {"64", "26"}},
    {"panelSettingsDialog", 1019, appmsg::kTipSetting, {"62-63", "38-39"}},
    {"panelSettingsDialog", 1006, appmsg::kTipSetting, {"60-61", "27"}},
};

} // namespace

void explainStoredBits(QWidget& dialog) {
    const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
    for (const Tip& tip : kTips) {
        if (dialog.objectName() != QLatin1String(tip.dialog)) {
            continue;
        }
        auto* control = dialog.findChild<QWidget*>(QStringLiteral("ctl%1").arg(tip.control));
        if (!control) {
            continue;
        }
        // Rich text, so that the long line wraps.
        const QString text =
            QStringLiteral("<p>%1</p>")
                .arg(ui::text(Message::string(tip.text, tip.args)).toHtmlEscaped());
        control->setToolTip(text);
        // The label in front of a setting says the same.
        for (QLabel* label : labels) {
            if (label->buddy() == control) {
                label->setToolTip(text);
            }
        }
    }
}

} // namespace dispcraft
