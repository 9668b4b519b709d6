#include "ViewBuild.h"

#include <QQmlComponent>
#include <QQmlIncubator>
#include <QQuickView>

// Says when its objects are made, or failed to be.
class ViewBuild::Incubator : public QQmlIncubator {
public:
    Incubator(IncubationMode mode, ViewBuild *build) : QQmlIncubator(mode), m_build(build) {}

protected:
    void statusChanged(Status status) override
    {
        if (status == Ready || status == Error)
            m_build->finish();
    }

private:
    ViewBuild *m_build;
};

ViewBuild::ViewBuild(QQuickView *view, const QUrl &source, Pace pace, Done done)
    : m_view(view), m_source(source), m_done(std::move(done)), m_component(new QQmlComponent(view->engine(), view)),
      m_incubator(std::make_unique<Incubator>(
          pace == Pace::InSteps ? QQmlIncubator::Asynchronous : QQmlIncubator::Synchronous, this))
{
    m_loaded = QObject::connect(m_component, &QQmlComponent::statusChanged, m_component,
                                [this](QQmlComponent::Status status) {
                                    if (status != QQmlComponent::Loading)
                                        create();
                                });
    m_component->loadUrl(source, pace == Pace::InSteps ? QQmlComponent::Asynchronous : QQmlComponent::PreferSynchronous);
    if (!m_component->isLoading())
        create();
}

ViewBuild::~ViewBuild()
{
    QObject::disconnect(m_loaded);
    if (m_finished)
        return;
    m_incubator->clear(); // what was made so far goes, and the view it was for
    delete m_view;
}

void ViewBuild::finishNow()
{
    // Loading the file again at once completes the load under way (the engine shares it).
    if (!m_created && m_component && m_component->isLoading())
        m_component->loadUrl(m_source, QQmlComponent::PreferSynchronous);
    create();
    if (!m_finished)
        m_incubator->forceCompletion();
}

void ViewBuild::create()
{
    if (m_created || !m_component || m_component->isLoading())
        return;
    m_created = true;
    if (m_component->isReady())
        m_component->create(*m_incubator); // at once, finish() runs in here
    else
        finish();
}

void ViewBuild::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_view)
        m_view->setContent(m_source, m_component, m_incubator->object());
    if (m_done)
        m_done((m_component ? m_component->errors() : QList<QQmlError>()) + m_incubator->errors());
}
