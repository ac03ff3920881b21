// SPDX-License-Identifier: GPL-3.0-or-later
#include "translations/translators.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// Outside any namespace, as Q_INIT_RESOURCE wants: a static library's resources are only
// linked in when asked for.
static void initTranslationResources()
{
    Q_INIT_RESOURCE(tracktune_translations);
}

namespace {

void installFrom(QCoreApplication &application, const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(&application);
    if (translator->load(QLocale(), name, QStringLiteral("_"), folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void tracktune::installTranslators(QCoreApplication &application)
{
    initTranslationResources();
    installFrom(
        application, QStringLiteral("qtbase"), QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    installFrom(application, QStringLiteral("tracktune"), QStringLiteral(":/translations"));
}
