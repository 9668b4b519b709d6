#include "RendererChoice.h"

#include <gtest/gtest.h>

namespace {
using Renderer = RendererChoice::Renderer;

Renderer choose(const QString &override, bool qtChoice, bool softwareGl, bool gpu)
{
    return RendererChoice::choose({override, qtChoice, softwareGl, gpu});
}
} // namespace

TEST(RendererChoice, SoftwareWithoutAGpuAndWhatTheUserSaysOtherwise)
{
    // By the machine: OpenGL on a GPU, Qt's software renderer where OpenGL would run on the CPU.
    EXPECT_EQ(choose({}, false, false, true), Renderer::Default);
    EXPECT_EQ(choose({}, false, false, false), Renderer::Software);
    EXPECT_EQ(choose({}, false, true, true), Renderer::Software);
    // VORN_RENDERER decides over the machine, in any letter case.
    EXPECT_EQ(choose(QStringLiteral("opengl"), false, false, false), Renderer::Default);
    EXPECT_EQ(choose(QStringLiteral(" Software "), false, false, true), Renderer::Software);
    EXPECT_EQ(choose(QStringLiteral("software"), true, false, true), Renderer::Software);
    // Qt's own settings are left to Qt; an unknown word counts for nothing.
    EXPECT_EQ(choose({}, true, false, false), Renderer::Default);
    EXPECT_EQ(choose(QStringLiteral("vulkan"), false, false, false), Renderer::Software);

    QString why;
    RendererChoice::choose({{}, false, false, false}, &why);
    EXPECT_FALSE(why.isEmpty());
}
