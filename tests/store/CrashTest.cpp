#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "UserAttribute.h"
#include "TestSupport.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

// A process killed in the middle of saving must leave a store that opens and holds every
// save it reported as committed.
TEST(Crash, KilledWhileSavingNeverLosesACommittedSave)
{
    const QString path = TestSupport::freshDir(QStringLiteral("crash")) + QStringLiteral("/library.sqlite");
    const QString child = TestSupport::binaryDir() + QStringLiteral("/store_crash_child");
    QRandomGenerator random(20261206);
    qint64 reported = 0;
    const int kills = qEnvironmentVariableIntValue("VORN_CRASH_KILLS") > 0
                          ? qEnvironmentVariableIntValue("VORN_CRASH_KILLS") : 50;
    for (int round = 0; round < kills; ++round) {
        QProcess process;
        process.start(child, {path});
        ASSERT_TRUE(process.waitForStarted());
        // Let it commit at least once, then kill it at a random moment of its save loop.
        ASSERT_TRUE(process.waitForReadyRead(10000)) << "round " << round;
        QThread::usleep(random.bounded(1000, 30000));
        ::kill(pid_t(process.processId()), SIGKILL);
        ASSERT_TRUE(process.waitForFinished(10000));
        for (const QByteArray &line : process.readAllStandardOutput().split('\n'))
            if (line.startsWith("committed "))
                reported = std::max(reported, line.mid(10).toLongLong());

        ModelContext ctx;
        const auto result = ctx.open(path);
        ASSERT_TRUE(result.ok()) << "round " << round << ": " << result.message.toStdString();
        ASSERT_GE(ctx.count<Prompt>(), reported) << "round " << round;
        for (Prompt *p : ctx.fetch<Prompt>()) {
            ASSERT_EQ(p->categories().size(), 1) << p->title().toStdString();
            ASSERT_NE(p->attributes(), nullptr) << p->title().toStdString();
        }
    }
    EXPECT_GT(reported, kills);
}
