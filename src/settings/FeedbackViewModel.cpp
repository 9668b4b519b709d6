#include "FeedbackViewModel.h"

#include "DesktopUrlOpener.h"
#include "UserDefaults.h"

#include <QPointer>

FeedbackViewModel::FeedbackViewModel(QObject *parent)
    : FeedbackViewModel(UserDefaults::standard(),
                        [](const QUrl &url, const std::function<void()> &failed) {
                            return DesktopUrlOpener::open(url, failed);
                        },
                        compiledAddress(),
                        parent)
{
}

FeedbackViewModel::FeedbackViewModel(UserDefaults *defaults, UrlOpener opener,
                                     const QString &address, QObject *parent)
    : QObject(parent), m_defaults(defaults), m_opener(std::move(opener)), m_address(address)
{
    connect(m_defaults, &UserDefaults::valueChanged, this, [this](const QString &key) {
        if (key == QLatin1String(ShowOnStartKey))
            Q_EMIT showFeedbackOnStartChanged();
    });
}

namespace {
// The topics of the feedback form: shown in the user's language, mailed in English, the
// language VORN's team reads.
const char *const TopicTexts[] = {
    QT_TRANSLATE_NOOP("FeedbackViewModel", "Add more prompts for..."),
    QT_TRANSLATE_NOOP("FeedbackViewModel", "Add a missing category"),
    QT_TRANSLATE_NOOP("FeedbackViewModel", "Add a missing feature"),
};
} // namespace

QStringList FeedbackViewModel::topics()
{
    QStringList shown;
    for (const char *text : TopicTexts)
        shown.append(tr(text));
    return shown;
}

QString FeedbackViewModel::topicValue(FeedbackTopic topic)
{
    if (topic < MorePrompts || topic > MissingFeature)
        return {};
    return QString::fromLatin1(TopicTexts[topic - MorePrompts]);
}

QString FeedbackViewModel::bodyOpening(FeedbackTopic topic)
{
    switch (topic) {
    case MorePrompts:
        return QStringLiteral("I would like to see more prompts for the category:\n"); // untranslated: mailed
    case MissingCategory:
        return QStringLiteral("I am missing the following category:\n"); // untranslated: mailed
    case MissingFeature:
        return QStringLiteral("I am missing the following feature:\n"); // untranslated: mailed
    }
    return {};
}

QString FeedbackViewModel::compiledAddress()
{
    return QStringLiteral(VORN_FEEDBACK_ADDRESS);
}

void FeedbackViewModel::setSelectedTopic(int topic)
{
    if (topic < MorePrompts || topic > MissingFeature || topic == m_topic)
        return;
    m_topic = FeedbackTopic(topic);
    Q_EMIT selectedTopicChanged();
}

void FeedbackViewModel::setCategoryName(const QString &name)
{
    if (name == m_categoryName)
        return;
    m_categoryName = name;
    Q_EMIT categoryNameChanged();
}

void FeedbackViewModel::setFeedbackDescription(const QString &text)
{
    if (text == m_description)
        return;
    m_description = text;
    Q_EMIT feedbackDescriptionChanged();
}

bool FeedbackViewModel::showFeedbackOnStart() const
{
    return m_defaults->boolValue(QString::fromLatin1(ShowOnStartKey), true);
}

void FeedbackViewModel::setShowFeedbackOnStart(bool show)
{
    if (m_defaults->contains(QString::fromLatin1(ShowOnStartKey)) && show == showFeedbackOnStart())
        return;
    m_defaults->setValue(QString::fromLatin1(ShowOnStartKey), show);
}

QString FeedbackViewModel::percentEncoded(const QString &text)
{
    // "&", "=", "+" and "#" are encoded too: a description like "Q&A" must not end the body
    // early, and some mail programs read "+" as a space.
    return QString::fromLatin1(QUrl::toPercentEncoding(text, QByteArrayLiteral("!$'()*,/:;?@")));
}

QString FeedbackViewModel::mailtoLink(const QString &address, FeedbackTopic topic,
                                      const QString &categoryName, const QString &description)
{
    const QString subject = QStringLiteral("Feedback: ") + topicValue(topic); // untranslated: mailed
    QString body = bodyOpening(topic);
    if (topic == MorePrompts)
        body += categoryName.isEmpty() ? QStringLiteral("-") : categoryName;
    else
        body += description;
    return QStringLiteral("mailto:") + address + QStringLiteral("?subject=") +
           percentEncoded(subject) + QStringLiteral("&body=") + percentEncoded(body);
}

QString FeedbackViewModel::mailtoLink() const
{
    return mailtoLink(m_address, m_topic, m_categoryName, m_description);
}

bool FeedbackViewModel::send()
{
    setProblem(QString());
    const QUrl url = QUrl::fromEncoded(mailtoLink().toUtf8(), QUrl::StrictMode);
    const QString noMail = tr("No mail program could be started. Please write to %1.").arg(m_address);
    if (!url.isValid() || !m_opener) {
        setProblem(noMail);
        return false;
    }
    QPointer<FeedbackViewModel> self(this);
    const bool started = m_opener(url, [self, noMail] {
        if (self)
            self->setProblem(noMail);
    });
    if (!started)
        setProblem(noMail);
    return started;
}

void FeedbackViewModel::setProblem(const QString &text)
{
    if (text == m_problem)
        return;
    m_problem = text;
    Q_EMIT problemChanged();
}
