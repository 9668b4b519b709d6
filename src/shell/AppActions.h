#pragma once

#include <QMap>
#include <QObject>

class QAction;
class QKeyEvent;

// The application's actions and their keyboard shortcuts, in one table for the tray menu and
// the panel: the menu lists them with their keys, and the same keys work while the panel has
// the keyboard. Whoever owns the windows connects each action's triggered().
class AppActions : public QObject {
    Q_OBJECT

public:
    enum class Id { ShowPanel, Settings, Feedback, Login, Quit };

    explicit AppActions(QObject *parent = nullptr);

    QAction *action(Id id) const { return m_actions.value(id); }
    // The action's own text, without what its menu entry may add to it.
    QString text(Id id) const { return m_texts.value(id); }
    // The actions in the order of the menu.
    QList<QAction *> all() const;
    // The action whose shortcut this key press is; null for any other key.
    QAction *forKey(const QKeyEvent &event) const;
    // Which action this is; Id::ShowPanel for one not of this table.
    Id idOf(const QAction *action) const { return m_actions.key(const_cast<QAction *>(action), Id::ShowPanel); }

private:
    QMap<Id, QAction *> m_actions;
    QMap<Id, QString> m_texts;
};
