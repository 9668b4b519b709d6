#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

class UserDefaults;

// The settings behind the panel's root view. Creating it seeds the suffix of the tag "text"
// the first time.
class MainViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool showFeedbackOnStart READ showFeedbackOnStart WRITE setShowFeedbackOnStart NOTIFY showFeedbackOnStartChanged)

public:
    static constexpr const char *TagTextSuffixKey = "tag_text_suffix";
    static constexpr const char *DefaultTagTextSuffix = "The output shall be in {{language: [languages]}}.";

    explicit MainViewModel(QObject *parent = nullptr);
    MainViewModel(UserDefaults *defaults, QObject *parent = nullptr);

    // Stores the default suffix unless the key already holds a string.
    static void seedTagTextSuffix(UserDefaults *defaults);

    bool showFeedbackOnStart() const;
    void setShowFeedbackOnStart(bool show);

Q_SIGNALS:
    void showFeedbackOnStartChanged();

private:
    UserDefaults *m_defaults;
};
