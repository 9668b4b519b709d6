#include "UiLanguage.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {
using Env = UiLanguage::Environment;

QString translated(const char *context, const char *text, int n = -1)
{
    return QCoreApplication::translate(context, text, nullptr, n);
}
} // namespace

// Env is {LANGUAGE, LC_ALL, LC_MESSAGES, LANG}.
TEST(UiLanguage, CandidatesComeFromTheLanguageListThenLcAllThenLcMessagesThenLang)
{
    const struct {
        Env env;
        QStringList expected;
        const char *label;
    } cases[] = {
        {{{}, {}, {}, "de_DE.UTF-8"}, {"de_DE", "de"}, "LANG alone"},
        {{{}, {}, "fr_FR.UTF-8", "de_DE.UTF-8"}, {"fr_FR", "fr"}, "LC_MESSAGES over LANG"},
        {{{}, "es_ES@euro", "fr_FR", "de_DE"}, {"es_ES", "es"}, "LC_ALL over both"},
        {{{}, " ", {}, "de"}, {"de"}, "an empty variable counts as unset"},
        {{"fr_CA:es::de", {}, {}, "de_DE.UTF-8"}, {"fr_CA", "fr", "es", "de", "de_DE"}, "the language list first"},
        // Under C or POSIX, programs speak English; LANGUAGE is not consulted (as gettext does).
        {{"de", {}, {}, "C.UTF-8"}, {}, "C"},
        {{"de", "POSIX", {}, "de_DE"}, {}, "POSIX"},
        {{"de", {}, {}, {}}, {}, "no locale at all"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(UiLanguage::candidates(c.env), c.expected);
    }
}

TEST(UiLanguage, PicksTheFirstShippedLanguageFallsBackToEnglishAndCarriesPlurals)
{
    EXPECT_EQ(UiLanguage::available(), (QStringList{QStringLiteral("de"), QStringLiteral("es"), QStringLiteral("fr")}));
    {
        const UiLanguage language(Env{QStringLiteral("it:es"), {}, {}, QStringLiteral("de_DE.UTF-8")});
        EXPECT_EQ(language.name(), QStringLiteral("es"));
        EXPECT_EQ(translated("AppActions", "Quit VORN"), QStringLiteral("Salir de VORN"));
    }
    // Gone with the object: the source texts again.
    EXPECT_EQ(translated("AppActions", "Quit VORN"), QStringLiteral("Quit VORN"));
    {
        // English asked for first wins over a language further down the list.
        const UiLanguage language(Env{QStringLiteral("en_GB:de"), {}, {}, QStringLiteral("de_DE.UTF-8")});
        EXPECT_EQ(language.name(), QStringLiteral("en"));
        EXPECT_EQ(translated("AppActions", "Quit VORN"), QStringLiteral("Quit VORN"));
    }
    {
        const UiLanguage language(Env{{}, {}, {}, QStringLiteral("ja_JP.UTF-8")});
        EXPECT_EQ(language.name(), QStringLiteral("en"));
        EXPECT_EQ(translated("SettingsView", "Settings"), QStringLiteral("Settings"));
    }
    // The catalogues carry plurals and Qt's own texts.
    {
        const UiLanguage english(Env{{}, {}, {}, QStringLiteral("C.UTF-8")});
        EXPECT_EQ(translated("PromptBrowserViewModel", "%n prompts", 1), QStringLiteral("1 prompt"));
        EXPECT_EQ(translated("PromptBrowserViewModel", "%n prompts", 3), QStringLiteral("3 prompts"));
    }
    {
        const UiLanguage german(Env{{}, {}, {}, QStringLiteral("de_DE.UTF-8")});
        EXPECT_EQ(german.name(), QStringLiteral("de"));
        EXPECT_EQ(translated("PromptBrowserViewModel", "%n prompts match", 1), QStringLiteral("1 passender Prompt"));
        EXPECT_EQ(translated("PromptBrowserViewModel", "%n prompts match", 12), QStringLiteral("12 passende Prompts"));
        // Qt's standard texts, e.g. a text field's context menu.
        EXPECT_EQ(translated("QWidgetTextControl", "&Copy"), QStringLiteral("&Kopieren"));
    }
    {
        const UiLanguage french(Env{{}, {}, {}, QStringLiteral("fr_FR.UTF-8")});
        // French counts 0 and 1 as singular.
        EXPECT_EQ(translated("TemplateValidationViewModel", "Found %n issues.", 0), QStringLiteral("0 problème trouvé."));
        EXPECT_EQ(translated("TemplateValidationViewModel", "Found %n issues.", 2), QStringLiteral("2 problèmes trouvés."));
    }
}
