#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QTranslator;

// The language of the user interface: VORN's catalogue for the first language the user asks
// for that VORN speaks, and Qt's own catalogue for the texts of its standard controls.
// Without such a language the texts stay English. The catalogues stay installed as long as
// this object lives; create it after the application object and before any view.
class UiLanguage {
public:
    // The variables that name the user's languages, as the environment has them.
    struct Environment {
        QString language;   // LANGUAGE: a colon-separated list of preferences
        QString lcAll;      // LC_ALL
        QString lcMessages; // LC_MESSAGES
        QString lang;       // LANG
        static Environment fromProcess();
    };

    explicit UiLanguage(const Environment &environment = Environment::fromProcess());
    ~UiLanguage();
    UiLanguage(const UiLanguage &) = delete;
    UiLanguage &operator=(const UiLanguage &) = delete;

    // The catalogue in use ("de", "fr_CA", ...), or "en" for the English source texts.
    QString name() const { return m_name; }

    // The languages to try, most wanted first, each as "ll" or "ll_CC" without encoding or
    // modifier. The messages locale is LC_ALL, else LC_MESSAGES, else LANG; LANGUAGE's list
    // comes before it, except that the "C" or "POSIX" locale means English whatever LANGUAGE
    // says (as gettext does). Empty: English.
    static QStringList candidates(const Environment &environment);

    // The catalogues this build carries, e.g. {"de", "es", "fr"}.
    static QStringList available();

private:
    bool load(const QString &language);

    QString m_name = QStringLiteral("en");
    std::vector<std::unique_ptr<QTranslator>> m_translators;
};
