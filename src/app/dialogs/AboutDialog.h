#pragma once

#include <QDialog>

namespace dispcraft {

class AppContext;

// The about window: the copyright line, the web link and the product line of the settings
// file (a value equal to the "not set" text is hidden), the version, and the logo picture.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kVersion = "Ver 3.1.0(build20081010)";

    AboutDialog(const AppContext& app, QWidget* parent = nullptr);
};

} // namespace dispcraft
