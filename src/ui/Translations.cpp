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
    // A Qt installed with the system has them in its own folder; a copy that
    // brings its Qt along (as on Windows) has them beside the program.
    const QString qtName = QStringLiteral("qtbase");
    if (!install(qtName, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        install(qtName, QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
    return install(QStringLiteral("hbx740"), folder);
}
