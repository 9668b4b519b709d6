#pragma once

#include "ModelContext.h"

#include <QAbstractItemModel>
#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

class LiveQuery;
class QJSEngine;
class QQmlEngine;

// What the panel's views ask of the window around them (hide it, move it) and the store they
// show. One per process; the window manager connects it to the panel.
class PanelController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(ModelContext *modelContext READ modelContext NOTIFY modelContextChanged)
    Q_PROPERTY(QAbstractItemModel *prompts READ prompts NOTIFY modelContextChanged)
    // False without a compositing manager: the panel is then drawn square and opaque.
    Q_PROPERTY(bool translucent READ translucent NOTIFY translucentChanged)

public:
    static PanelController *instance();
    static PanelController *create(QQmlEngine *, QJSEngine *);

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    // All prompts by title, for the library list.
    QAbstractItemModel *prompts() const;

    Q_INVOKABLE void hidePanel() { Q_EMIT hideRequested(); }
    // Hides the whole application, auxiliary windows included (after the form's copy).
    Q_INVOKABLE void hideApplication() { Q_EMIT hideApplicationRequested(); }
    // Lets the user drag the frameless panel by its top strip.
    Q_INVOKABLE void startMove() { Q_EMIT moveRequested(); }
    bool translucent() const { return m_translucent; }
    void setTranslucent(bool on);
    // Called by the window manager each time the panel is shown.
    void notifyShown() { Q_EMIT shown(); }
    // The settings' shortcut was pressed in the panel: its settings sheet opens.
    void requestSettings() { Q_EMIT settingsRequested(); }

Q_SIGNALS:
    void modelContextChanged();
    void translucentChanged();
    void hideRequested();
    void hideApplicationRequested();
    void moveRequested();
    // The panel was shown: the search field takes the keyboard focus.
    void shown();
    void settingsRequested();

private:
    PanelController() = default;

    QPointer<ModelContext> m_context;
    mutable LiveQuery *m_prompts = nullptr;
    bool m_translucent = true;
};
