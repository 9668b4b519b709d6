#include "RendererChoice.h"

#include "Diagnostics.h"

#include <QDir>
#include <QQuickWindow>

RendererChoice::Renderer RendererChoice::choose(const Inputs &inputs, QString *why)
{
    const QString override = inputs.override.trimmed().toLower();
    auto because = [why](const QString &text, Renderer renderer) {
        if (why)
            *why = text;
        return renderer;
    };
    if (override == QLatin1String("software"))
        return because(QStringLiteral("VORN_RENDERER=software"), Renderer::Software);
    if (override == QLatin1String("opengl"))
        return because(QStringLiteral("VORN_RENDERER=opengl"), Renderer::Default);
    if (inputs.qtChoice)
        return because(QStringLiteral("Qt's own renderer setting"), Renderer::Default); // untranslated: logged
    if (inputs.softwareGl)
        return because(QStringLiteral("OpenGL is forced to software (LIBGL_ALWAYS_SOFTWARE)"), Renderer::Software); // untranslated: logged
    if (!inputs.gpu)
        return because(QStringLiteral("no GPU render node in /dev/dri"), Renderer::Software);
    return because(QStringLiteral("a GPU is present"), Renderer::Default);
}

RendererChoice::Inputs RendererChoice::current()
{
    Inputs inputs;
    inputs.override = qEnvironmentVariable("VORN_RENDERER");
    inputs.qtChoice = !qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") || !qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND");
    inputs.softwareGl = qEnvironmentVariableIntValue("LIBGL_ALWAYS_SOFTWARE") != 0;
    inputs.gpu = !QDir(QStringLiteral("/dev/dri")).entryList({QStringLiteral("renderD*")}, QDir::System).isEmpty();
    return inputs;
}

RendererChoice::Renderer RendererChoice::apply()
{
    const Inputs inputs = current();
    const QString override = inputs.override.trimmed().toLower();
    if (!override.isEmpty() && override != QLatin1String("software") && override != QLatin1String("opengl"))
        qCWarning(lcShell).noquote() << "VORN: VORN_RENDERER is" << inputs.override
                                     << "but can only be software or opengl; choosing by the machine";
    QString why;
    const Renderer renderer = choose(inputs, &why);
    if (renderer == Renderer::Software) {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        // The software renderer draws when the window asks for a frame, and Qt waits 5 ms
        // before it grants one to gather more asks: half of what a keystroke took to show.
        // Animations still tick at their own pace.
        if (!qEnvironmentVariableIsSet("QT_QPA_UPDATE_IDLE_TIME"))
            qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    }
    qCDebug(lcShell).noquote() << "Qt Quick renderer:" << (renderer == Renderer::Software ? "software" : "Qt's default")
                               << "(" + why + ")";
    return renderer;
}
