#include "UiLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>

namespace {
// Where the build embeds VORN's catalogues (vorn_de.qm, ...).
const QString CatalogueFolder = QStringLiteral(":/i18n");

// "de_DE.UTF-8@euro" -> "de_DE"; "C.UTF-8" -> "C".
QString bareLocale(const QString &value)
{
    QString name = value.trimmed();
    const qsizetype cut = name.indexOf(QRegularExpression(QStringLiteral("[.@]")));
    if (cut >= 0)
        name.truncate(cut);
    return name.replace(u'-', u'_');
}

bool isNeutral(const QString &locale)
{
    return locale == QLatin1String("C") || locale == QLatin1String("POSIX");
}

// "de_DE" -> {"de_DE", "de"}; "de" -> {"de"}.
void appendWithFallback(QStringList *list, const QString &locale)
{
    if (locale.isEmpty() || isNeutral(locale))
        return;
    if (!list->contains(locale))
        list->append(locale);
    const qsizetype underscore = locale.indexOf(u'_');
    if (underscore > 0 && !list->contains(locale.left(underscore)))
        list->append(locale.left(underscore));
}
} // namespace

UiLanguage::Environment UiLanguage::Environment::fromProcess()
{
    return {qEnvironmentVariable("LANGUAGE"), qEnvironmentVariable("LC_ALL"),
            qEnvironmentVariable("LC_MESSAGES"), qEnvironmentVariable("LANG")};
}

QStringList UiLanguage::candidates(const Environment &environment)
{
    QString messages;
    for (const QString &value : {environment.lcAll, environment.lcMessages, environment.lang}) {
        if (!value.trimmed().isEmpty()) {
            messages = bareLocale(value);
            break;
        }
    }
    // Under the C locale programs speak English; LANGUAGE is not consulted then.
    if (messages.isEmpty() || isNeutral(messages))
        return {};
    QStringList list;
    const QStringList preferences = environment.language.split(u':', Qt::SkipEmptyParts);
    for (const QString &preference : preferences)
        appendWithFallback(&list, bareLocale(preference));
    appendWithFallback(&list, messages);
    return list;
}

QStringList UiLanguage::available()
{
    QStringList names;
    const QStringList files = QDir(CatalogueFolder).entryList({QStringLiteral("vorn_*.qm")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        const QString name = file.mid(5, file.size() - 8);
        if (name != QLatin1String("en"))
            names.append(name);
    }
    return names;
}

UiLanguage::UiLanguage(const Environment &environment)
{
    const QStringList wanted = candidates(environment);
    const QStringList present = available();
    for (const QString &language : wanted) {
        // English is the source language: asking for it first means no catalogue.
        if (language == QLatin1String("en") || language.startsWith(QLatin1String("en_")))
            break;
        if (present.contains(language) && load(language)) {
            m_name = language;
            return;
        }
    }
    // The English catalogue carries only the plural forms ("1 prompt", "2 prompts").
    load(QStringLiteral("en"));
}

UiLanguage::~UiLanguage()
{
    for (const auto &translator : m_translators)
        QCoreApplication::removeTranslator(translator.get());
}

bool UiLanguage::load(const QString &language)
{
    auto own = std::make_unique<QTranslator>();
    if (!own->load(QStringLiteral("vorn_") + language, CatalogueFolder))
        return false;
    QCoreApplication::installTranslator(own.get());
    m_translators.push_back(std::move(own));
    // Qt's standard texts (the context menu of a text field, the buttons of a dialog).
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const QString &module : {QStringLiteral("qtbase"), QStringLiteral("qtdeclarative")}) {
        auto qt = std::make_unique<QTranslator>();
        if (language != QLatin1String("en") && qt->load(QLocale(language), module, QStringLiteral("_"), qtFolder)) {
            QCoreApplication::installTranslator(qt.get());
            m_translators.push_back(std::move(qt));
        }
    }
    return true;
}
