// Helper for CrashTest: saves in a loop until it is killed, reporting each committed save.
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "UserAttribute.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    ModelContext ctx;
    ctx.setAutosaveInterval(-1);
    if (!ctx.open(QString::fromLocal8Bit(argv[1])).ok())
        return 3;
    PromptCategory *category = ctx.count<PromptCategory>() ? ctx.fetch<PromptCategory>().first() : nullptr;
    if (!category) {
        category = new PromptCategory;
        category->setName(QStringLiteral("Crash"));
        ctx.insert(category);
    }
    for (int i = 0;; ++i) {
        auto *p = new Prompt;
        p->setTitle(QStringLiteral("p%1").arg(i));
        p->setTemplateText(QString(2000, QLatin1Char('x')));
        p->setCategories({category});
        ctx.insert(p);
        p->ensureAttribute()->setUsageCount(i);
        if (!ctx.save())
            return 4;
        std::printf("committed %lld\n", static_cast<long long>(ctx.count<Prompt>()));
        std::fflush(stdout);
    }
}
