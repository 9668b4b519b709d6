#pragma once

#include <QObject>
#include <QStringList>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include <functional>

class UserDefaults;

// The feedback form of the welcome window: a topic, the field that topic asks for, and the
// mail link that hands it all to the user's mail program. Also the "show on start" switch.
class FeedbackViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QStringList topics READ topics CONSTANT)
    Q_PROPERTY(
        int selectedTopic READ selectedTopic WRITE setSelectedTopic NOTIFY selectedTopicChanged)
    Q_PROPERTY(bool showsCategoryField READ showsCategoryField NOTIFY selectedTopicChanged)
    Q_PROPERTY(
        QString categoryName READ categoryName WRITE setCategoryName NOTIFY categoryNameChanged)
    Q_PROPERTY(QString feedbackDescription READ feedbackDescription WRITE setFeedbackDescription
                   NOTIFY feedbackDescriptionChanged)
    Q_PROPERTY(bool showFeedbackOnStart READ showFeedbackOnStart WRITE setShowFeedbackOnStart NOTIFY
                   showFeedbackOnStartChanged)
    Q_PROPERTY(QString feedbackAddress READ feedbackAddress CONSTANT)
    // Said in the window when no mail program could be started; empty otherwise.
    Q_PROPERTY(QString problem READ problem NOTIFY problemChanged)

public:
    // In picker order.
    enum FeedbackTopic { MorePrompts, MissingCategory, MissingFeature };
    Q_ENUM(FeedbackTopic)

    static constexpr const char *ShowOnStartKey = "showFeedbackOnStart";
    // Opens a link; false when nothing could take it, or failed() later when the program
    // meant for it could not be started.
    using UrlOpener = std::function<bool(const QUrl &url, const std::function<void()> &failed)>;

    // On the user's settings, the desktop's link handler and the compiled-in address.
    explicit FeedbackViewModel(QObject *parent = nullptr);
    FeedbackViewModel(UserDefaults *defaults, UrlOpener opener, const QString &address,
                      QObject *parent = nullptr);

    static QStringList topics();
    // "Add more prompts for...": also the mail subject after "Feedback: ".
    static QString topicValue(FeedbackTopic topic);
    static QString bodyOpening(FeedbackTopic topic);
    static QString compiledAddress();

    int selectedTopic() const { return m_topic; }
    void setSelectedTopic(int topic);
    bool showsCategoryField() const { return m_topic == MorePrompts; }
    QString categoryName() const { return m_categoryName; }
    void setCategoryName(const QString &name);
    QString feedbackDescription() const { return m_description; }
    void setFeedbackDescription(const QString &text);
    bool showFeedbackOnStart() const;
    void setShowFeedbackOnStart(bool show);
    QString feedbackAddress() const { return m_address; }
    QString problem() const { return m_problem; }

    // Percent-encodes a query value: everything but letters, digits and "-._~!$'()*,/:;?@".
    static QString percentEncoded(const QString &text);
    static QString mailtoLink(const QString &address, FeedbackTopic topic,
                              const QString &categoryName, const QString &description);
    Q_INVOKABLE QString mailtoLink() const;
    // Opens the mail link; the form keeps its contents. False when nothing could open it.
    Q_INVOKABLE bool send();

Q_SIGNALS:
    void selectedTopicChanged();
    void categoryNameChanged();
    void feedbackDescriptionChanged();
    void showFeedbackOnStartChanged();
    void problemChanged();

private:
    UserDefaults *m_defaults;
    UrlOpener m_opener;
    QString m_address;
    FeedbackTopic m_topic = MorePrompts;
    QString m_categoryName;
    QString m_description;
    QString m_problem;
    void setProblem(const QString &text);
};
