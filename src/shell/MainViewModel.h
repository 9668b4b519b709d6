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
    explicit MainViewModel(QObject *parent = nullptr);
    MainViewModel(UserDefaults *defaults, QObject *parent = nullptr);

    bool showFeedbackOnStart() const;
    void setShowFeedbackOnStart(bool show);

Q_SIGNALS:
    void showFeedbackOnStartChanged();

private:
    UserDefaults *m_defaults;
};
