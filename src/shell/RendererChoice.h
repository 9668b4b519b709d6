#pragma once

#include <QString>

// Which renderer Qt Quick draws the windows with. Without a GPU, Mesa's OpenGL runs on the
// processor and its frames cost several times what Qt's own software renderer costs for
// these flat 2D views, so the software renderer is taken then, drawing each frame as soon as
// it is asked for (QT_QPA_UPDATE_IDLE_TIME, unless set). VORN_RENDERER=software or
// VORN_RENDERER=opengl decides instead; Qt's own QT_QUICK_BACKEND and QSG_RHI_BACKEND are
// left to do what they say.
class RendererChoice {
public:
    enum class Renderer { Default, Software };
    struct Inputs {
        QString override;       // VORN_RENDERER
        bool qtChoice = false;  // QT_QUICK_BACKEND or QSG_RHI_BACKEND set
        bool softwareGl = false; // LIBGL_ALWAYS_SOFTWARE set
        bool gpu = false;       // a DRI render node exists
    };

    // The renderer for these inputs; why says in a few words what decided it.
    static Renderer choose(const Inputs &inputs, QString *why = nullptr);
    // The inputs of this process and machine.
    static Inputs current();
    // Chooses for this machine and sets the choice for every Qt Quick window to come
    // (before the first is made).
    static Renderer apply();
};
