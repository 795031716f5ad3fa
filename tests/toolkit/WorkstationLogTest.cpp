// The workstation log: the machine's facts in the trace.

#include "TracedSession.h"

#include "toolkit/WorkstationLog.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

namespace {

TEST(WorkstationLogTest, NamesTheUserTheComputerAndTheSystem)
{
    commontest::TracedSession traced(2);
    platform::WorkstationFacts facts;
    facts.userName = QStringLiteral("apprenant");
    facts.loginName = QStringLiteral("apprenant2");
    facts.computerName = QStringLiteral("poste12");
    facts.domainName = QStringLiteral("formation.local");
    facts.systemName = QStringLiteral("Linux");
    facts.systemVersion = QStringLiteral("6.1");
    toolkit::puLogSystemInfo(traced.state, facts);
    const QString trace = traced.traceText();
    for (const QString& line :
         {QStringLiteral("Login utilisateur : apprenant"), QStringLiteral("ProxyServer : "),
          QStringLiteral("ProxyOverride : "), QStringLiteral("ComputerName : \\\\poste12"),
          QStringLiteral("wki102_langroup : formation.local"), QStringLiteral("System : Linux 6.1"),
          QStringLiteral("wkui1_username : apprenant2"), QStringLiteral("logon_server : poste12"),
          QStringLiteral("logon_domain : formation.local")})
        EXPECT_TRUE(trace.contains(line)) << line.toStdString();
}

TEST(WorkstationLogTest, WithoutAComputerNameOnlyTheUserAndProxyLinesAppear)
{
    commontest::TracedSession traced(2);
    platform::WorkstationFacts facts;
    facts.userName = QStringLiteral("apprenant");
    toolkit::puLogSystemInfo(traced.state, facts);
    const QString trace = traced.traceText();
    EXPECT_TRUE(trace.contains(QStringLiteral("ProxyOverride : ")));
    EXPECT_FALSE(trace.contains(QStringLiteral("ComputerName")));
    EXPECT_FALSE(trace.contains(QStringLiteral("System : ")));
}

TEST(WorkstationLogTest, FactsComeFromTheSystem)
{
    const platform::WorkstationFacts facts = platform::currentWorkstation();
    const passwd* account = getpwuid(geteuid());
    ASSERT_NE(account, nullptr);
    EXPECT_EQ(facts.userName, QString::fromLocal8Bit(account->pw_name));
    char host[256] = {};
    ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
    EXPECT_EQ(facts.computerName, QString::fromLocal8Bit(host));
    EXPECT_EQ(facts.systemName, QStringLiteral("Linux"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+$")).match(facts.systemVersion).hasMatch())
        << facts.systemVersion.toStdString();
}

}  // namespace
