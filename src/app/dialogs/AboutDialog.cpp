#include "app/dialogs/AboutDialog.h"

#include "app/AppContext.h"
#include "app/AppMessages.h"
#include "app/CommandIcons.h"
#include "app/UiText.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace dispcraft {

AboutDialog::AboutDialog(const AppContext& app, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const SettingsFile::Logo logo = app.settings().logo();
    const std::string sentinel = LanguageStrings::current().sentinel();
    setWindowTitle(ui::text(appmsg::kAboutTitle) + ui::qs(logo.soft) + QStringLiteral("..."));

    auto* picture = new QLabel(this);
    QPixmap pm(ui::qs(app.dir().file("logo.bmp")));
    if (pm.isNull()) {
        pm = programIcon().pixmap(64, 64);
    } else if (pm.width() > 320) {
        pm = pm.scaledToWidth(320, Qt::SmoothTransformation);
    }
    picture->setPixmap(pm);
    picture->setAlignment(Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    auto* soft = new QLabel(ui::qs(logo.soft), this);
    soft->setObjectName(QStringLiteral("soft"));
    QFont big = soft->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    soft->setFont(big);
    texts->addWidget(soft);
    auto* version = new QLabel(QString::fromLatin1(kVersion), this);
    version->setObjectName(QStringLiteral("version"));
    texts->addWidget(version);
    auto* copyright = new QLabel(ui::qs(logo.copyright), this);
    copyright->setObjectName(QStringLiteral("copyright"));
    copyright->setWordWrap(true);
    copyright->setVisible(logo.copyright != sentinel && !logo.copyright.empty());
    texts->addWidget(copyright);
    const QString http = ui::qs(logo.http);
    auto* link = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>")
                                .arg(http.toHtmlEscaped(), http.toHtmlEscaped()),
                            this);
    link->setObjectName(QStringLiteral("http"));
    link->setTextFormat(Qt::RichText);
    link->setOpenExternalLinks(true);
    link->setVisible(logo.http != sentinel && !logo.http.empty());
    texts->addWidget(link);
    texts->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addWidget(picture);
    body->addSpacing(12);
    body->addLayout(texts, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
}

} // namespace dispcraft
