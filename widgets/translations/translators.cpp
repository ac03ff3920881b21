// SPDX-License-Identifier: GPL-3.0-or-later
#include "translations/translators.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QTranslator>

// Outside any namespace, as Q_INIT_RESOURCE wants: a static library's resources are only
// linked in when asked for.
static void initTranslationResources()
{
    Q_INIT_RESOURCE(tracktune_translations);
}

namespace {

// Which translation files were found where: QT_LOGGING_RULES="tracktune.translations.debug=true".
Q_LOGGING_CATEGORY(lcTranslations, "tracktune.translations", QtWarningMsg)

// The first folder that has the file for the language wins.
bool installFrom(QCoreApplication &application, const QString &name, const QStringList &folders,
    const QLocale &locale = QLocale())
{
    for (const QString &folder : folders) {
        auto *translator = new QTranslator(&application);
        if (translator->load(locale, name, QStringLiteral("_"), folder)) {
            qCDebug(lcTranslations) << "loaded" << translator->filePath();
            QCoreApplication::installTranslator(translator);
            return true;
        }
        delete translator;
    }
    qCDebug(lcTranslations) << "no" << name << "for" << locale.uiLanguages() << "in" << folders;
    return false;
}

} // namespace

void tracktune::installTranslators(QCoreApplication &application)
{
    initTranslationResources();
    // Qt's own texts: where this Qt keeps them, else in "translations" beside the program, as the
    // Windows download ships them (a static Qt's own path names the machine that built it).
    installFrom(application, QStringLiteral("qtbase"),
        {QLibraryInfo::location(QLibraryInfo::TranslationsPath),
            QCoreApplication::applicationDirPath() + QStringLiteral("/translations")});
    // A language without a translation of its own reads English, with English plurals.
    const QStringList ours {QStringLiteral(":/translations")};
    if (!installFrom(application, QStringLiteral("tracktune"), ours))
        installFrom(application, QStringLiteral("tracktune"), ours, QLocale(QLocale::English));
}
