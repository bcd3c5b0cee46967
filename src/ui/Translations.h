#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

// Installs the translations for `locale`, where there are any: Qt's own (the
// buttons of its boxes and dialogs) from Qt's translations folder or, where
// that has none, from the folder "translations" beside the program; then the
// editor's, hbx740_<language>.qm, from `folder` (the program's resources).
// The translators belong to `application`. True when the editor's was found.
bool InstallTranslations(QCoreApplication& application, const QLocale& locale,
                         const QString& folder = QStringLiteral(":/i18n"));
