#pragma once

#include <QDialog>

namespace dispcraft {

// The small About box: the icon, the program's name with its version, and OK.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace dispcraft
