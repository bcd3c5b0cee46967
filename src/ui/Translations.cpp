#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

bool InstallTranslations(QCoreApplication& application, const QLocale& locale,
                         const QString& folder) {
    const auto install = [&](const QString& name, const QString& where) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(locale, name, QStringLiteral("_"), where))
            return false;
        translator->setParent(&application);
        return QCoreApplication::installTranslator(translator.release());
    };
    install(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return install(QStringLiteral("hbx740"), folder);
}
