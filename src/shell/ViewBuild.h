#pragma once

#include <QList>
#include <QMetaObject>
#include <QPointer>
#include <QQmlError>
#include <QUrl>

#include <functional>
#include <memory>

class QQmlComponent;
class QQuickView;

// Fills a view with the objects of a QML file: at once, or in steps between the event loop's
// events (its file's types are loaded on the engine's loader thread, then its objects made a
// few at a time by the engine's incubation controller). A build in steps can be finished at
// once whenever the view is wanted sooner.
class ViewBuild {
public:
    enum class Pace { AtOnce, InSteps };

    using Done = std::function<void(const QList<QQmlError> &errors)>;
    // done runs once the view has its content, or has none (with the file's errors or its
    // objects'); inside the constructor when at once.
    ViewBuild(QQuickView *view, const QUrl &source, Pace pace, Done done);
    ~ViewBuild(); // gives up a build still under way, and the view with it
    ViewBuild(const ViewBuild &) = delete;
    ViewBuild &operator=(const ViewBuild &) = delete;

    // Whatever is left is done now; done has run when this returns.
    void finishNow();
    bool isFinished() const { return m_finished; }

private:
    class Incubator;
    void create();
    void finish();

    QPointer<QQuickView> m_view;
    QUrl m_source;
    Done m_done;
    QPointer<QQmlComponent> m_component; // the view's child
    std::unique_ptr<Incubator> m_incubator;
    QMetaObject::Connection m_loaded;
    bool m_created = false;
    bool m_finished = false;
};
