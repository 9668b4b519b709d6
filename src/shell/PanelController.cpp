#include "PanelController.h"

#include "LiveQuery.h"
#include "ModelContext.h"
#include "Prompt.h"

#include <QJSEngine>
#include <QQmlEngine>

PanelController *PanelController::instance()
{
    static PanelController *controller = new PanelController;
    return controller;
}

PanelController *PanelController::create(QQmlEngine *, QJSEngine *)
{
    PanelController *controller = instance();
    QJSEngine::setObjectOwnership(controller, QJSEngine::CppOwnership);
    return controller;
}

void PanelController::setModelContext(ModelContext *context)
{
    if (m_context == context)
        return;
    delete m_prompts;
    m_prompts = nullptr;
    m_context = context;
    Q_EMIT modelContextChanged();
}

QAbstractItemModel *PanelController::prompts() const
{
    // Made when first asked for: sorting a large library by title is not part of the start.
    if (!m_prompts && m_context)
        m_prompts = new LiveQuery(
            m_context, ModelType::Prompt, {},
            [](const PersistentModel *a, const PersistentModel *b) {
                return static_cast<const Prompt *>(a)->title().localeAwareCompare(
                           static_cast<const Prompt *>(b)->title())
                       < 0;
            },
            const_cast<PanelController *>(this));
    return m_prompts;
}

void PanelController::setTranslucent(bool on)
{
    if (on == m_translucent)
        return;
    m_translucent = on;
    Q_EMIT translucentChanged();
}
