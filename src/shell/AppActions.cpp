#include "AppActions.h"

#include <QAction>
#include <QKeyEvent>

AppActions::AppActions(QObject *parent) : QObject(parent)
{
    const auto make = [this](Id id, const QString &label, const QKeySequence &keys) {
        auto *action = new QAction(label, this);
        action->setShortcut(keys);
        action->setShortcutVisibleInContextMenu(true);
        m_actions.insert(id, action);
        m_texts.insert(id, label);
    };
    make(Id::ShowPanel, tr("VORN Prompt Manager..."), {});
    make(Id::Settings, tr("Settings..."), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    make(Id::Feedback, tr("Feedback..."), {});
    make(Id::Login, tr("Login..."), QKeySequence(Qt::CTRL | Qt::Key_L));
    make(Id::Quit, tr("Quit VORN"), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

QList<QAction *> AppActions::all() const
{
    QList<QAction *> out;
    for (Id id : {Id::ShowPanel, Id::Settings, Id::Feedback, Id::Login, Id::Quit})
        out.append(m_actions.value(id));
    return out;
}

QAction *AppActions::forKey(const QKeyEvent &event) const
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (event.key() == 0 || event.key() == Qt::Key_unknown || modifiers == Qt::NoModifier)
        return nullptr;
    const QKeySequence pressed(QKeyCombination(modifiers, Qt::Key(event.key())));
    for (QAction *action : all())
        if (!action->shortcut().isEmpty() && action->shortcut() == pressed && action->isEnabled())
            return action;
    return nullptr;
}
