#include "TerminationSignals.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <csignal>

namespace {
void (*handlerOf(int signalNumber))(int)
{
    struct sigaction current {};
    ::sigaction(signalNumber, nullptr, &current);
    return current.sa_handler;
}
} // namespace

TEST(TerminationSignals, DeliversSignalsOnTheEventLoopOnceEachThenGivesThemBack)
{
    {
        TerminationSignals terminations;
        ASSERT_TRUE(terminations.isActive());
        TerminationSignals second;
        EXPECT_FALSE(second.isActive()) << "one instance owns the handlers";

        QSignalSpy spy(&terminations, &TerminationSignals::received);
        ::raise(SIGTERM);
        ::raise(SIGHUP);
        while (spy.size() < 2 && spy.wait(5000)) {
        }
        ASSERT_EQ(spy.size(), 2);
        EXPECT_EQ(spy.at(0).at(0).toInt(), SIGTERM);
        EXPECT_EQ(spy.at(1).at(0).toInt(), SIGHUP);
        // A second SIGTERM while the app is ending would end it at once; SIGINT is still caught.
        EXPECT_EQ(handlerOf(SIGTERM), SIG_DFL);
        EXPECT_NE(handlerOf(SIGINT), SIG_DFL);
    }
    EXPECT_EQ(handlerOf(SIGINT), SIG_DFL);
    TerminationSignals again;
    EXPECT_TRUE(again.isActive()) << "a later instance can take the handlers again";
}
