#include "MainViewModel.h"

#include "FormViewModel.h"
#include "PromptBrowserViewModel.h"
#include "UserDefaults.h"

namespace {
const QString ShowFeedbackKey = QStringLiteral("showFeedbackOnStart");
}

MainViewModel::MainViewModel(QObject *parent) : MainViewModel(UserDefaults::standard(), parent) {}

MainViewModel::MainViewModel(UserDefaults *defaults, QObject *parent) : QObject(parent), m_defaults(defaults)
{
    FormViewModel::seedTagTextSuffix(m_defaults);
    connect(m_defaults, &UserDefaults::valueChanged, this, [this](const QString &key) {
        if (key == ShowFeedbackKey)
            Q_EMIT showFeedbackOnStartChanged();
    });
}

bool MainViewModel::showFeedbackOnStart() const
{
    return m_defaults->boolValue(ShowFeedbackKey, true);
}

void MainViewModel::setShowFeedbackOnStart(bool show)
{
    if (show != showFeedbackOnStart())
        m_defaults->setValue(ShowFeedbackKey, show);
}
