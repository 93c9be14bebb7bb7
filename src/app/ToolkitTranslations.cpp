#include "app/ToolkitTranslations.h"

#include "config/SettingsFile.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace dispcraft {

bool installToolkitTranslations(const std::string& languageLibrary) {
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    if (languageLibrary != SettingsFile::kChinese) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        return true;
    }
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    // "qt" gathers the toolkit's modules; "qtbase" alone where the gathering file is missing.
    auto translator = std::make_unique<QTranslator>();
    const QString where = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(chinese, QStringLiteral("qt"), QStringLiteral("_"), where) &&
        !translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"), where)) {
        return false;
    }
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}

} // namespace dispcraft
