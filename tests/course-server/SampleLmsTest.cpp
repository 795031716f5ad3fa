// The sample course server playing a learning management system: its AICC
// end point and its course pages.

#include "CourseServer.h"

#include "support/TempDir.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <httplib.h>

#include <gtest/gtest.h>

namespace {

class SampleLmsTest : public testsupport::TempDirTest {
protected:
    void SetUp() override
    {
        courseserver::ServerOptions options;
        options.dataFolder = QStringLiteral(SAMPLE_SERVER_DIR);
        options.recordFolder = dir();
        server_ = std::make_unique<courseserver::CourseServer>(options);
        ASSERT_TRUE(server_->start());
        client_ = std::make_unique<httplib::Client>("127.0.0.1", server_->port());
        client_->set_read_timeout(10);
    }

    std::string post(const std::string& target, const std::string& body)
    {
        const auto reply = client_->Post(target.c_str(), body, "application/x-www-form-urlencoded");
        return reply ? std::to_string(reply->status) + " " + reply->body : std::string("no reply");
    }

    std::unique_ptr<courseserver::CourseServer> server_;
    std::unique_ptr<httplib::Client> client_;
};

TEST_F(SampleLmsTest, HacpEndPointAnswersTheLearnerAndStoresWhatItReceives)
{
    const std::string learner = post("/LMS/aicc?CfgSite=s", "command=GetParam&session_id=S1&version=2.0&aicc_data=");
    EXPECT_EQ(learner.rfind("200 error=0\r\nerror_text=Successful\r\nversion=2.0\r\naicc_data=[Core]\r\n", 0), 0u)
        << learner;
    EXPECT_NE(learner.find("Student_ID=S042\r\n"), std::string::npos);
    EXPECT_NE(learner.find("Student_Name=Martin, Claire\r\n"), std::string::npos);

    EXPECT_EQ(post("/LMS/aicc?CfgSite=s&CfgBdd=b",
                   "command=putparam&session_id=S1&version=2.0&aicc_data=%5BCore%5D%0D%0AScore%3D14"),
              "200 error=0\r\nerror_text=Successful\r\n");
    // By GET too, as a launcher reporting through the address sends it.
    const auto exit = client_->Get("/LMS/aicc?command=exitAU&session_id=S1&version=2.0&aicc_data=");
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->body, "error=0\r\nerror_text=Successful\r\n");

    struct Refused {
        const char* body;
        const char* reply;
    };
    const Refused refused[] = {
        {"command=launch&session_id=S1", "200 error=1\r\nerror_text=Invalid Command\r\n"},
        {"command=putparam&aicc_data=x", "200 error=3\r\nerror_text=Invalid Session ID\r\n"},
        {"command=getparam&session_id=..%2Fetc", "200 error=3\r\nerror_text=Invalid Session ID\r\n"},
    };
    for (const Refused& r : refused)
        EXPECT_EQ(post("/LMS/aicc", r.body), r.reply) << r.body;

    QFile stored(server_->aiccFile());
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = stored.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject report = QJsonDocument::fromJson(lines.at(0)).object();
    EXPECT_EQ(report.value("command").toString(), QStringLiteral("putparam"));
    const QJsonObject fields = report.value("fields").toObject();
    EXPECT_EQ(fields.value("aicc_data").toString(), QStringLiteral("[Core]\r\nScore=14"));
    EXPECT_EQ(fields.value("CfgBdd").toString(), QStringLiteral("b"));
    EXPECT_EQ(QJsonDocument::fromJson(lines.at(1)).object().value("command").toString(), QStringLiteral("exitau"));
}

// A fault may name one AICC command, so that a launcher's later exchange of
// a run can be refused; a fault of the end point's page takes every command.
// A refused command is not stored.
TEST_F(SampleLmsTest, FaultsRefuseTheCommandTheyName)
{
    const std::string getparam = "command=getparam&session_id=S1&version=2.0&aicc_data=";
    const std::string putparam = "command=PutParam&session_id=S1&version=2.0&aicc_data=%5BCore%5D";
    const std::string exitAU = "command=exitAU&session_id=S1&version=2.0&aicc_data=";
    for (const char* fault : {"hacp=1:putparam:1", "html:exitau:1", "hacp=3:aicc:1"})
        server_->addFault(*courseserver::parseFault(fault));
    EXPECT_EQ(post("/LMS/aicc", getparam), "200 error=3\r\nerror_text=Invalid Session ID\r\n");
    EXPECT_EQ(post("/LMS/aicc", getparam).rfind("200 error=0\r\n", 0), 0u);
    EXPECT_EQ(post("/LMS/aicc", putparam), "200 error=1\r\nerror_text=Invalid Command\r\n");
    EXPECT_EQ(post("/LMS/aicc", putparam), "200 error=0\r\nerror_text=Successful\r\n");
    EXPECT_EQ(post("/LMS/aicc", exitAU).rfind("200 <!DOCTYPE html>", 0), 0u);
    EXPECT_EQ(post("/LMS/aicc", exitAU), "200 error=0\r\nerror_text=Successful\r\n");
    // What was refused was never taken.
    QFile stored(server_->aiccFile());
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.readAll().trimmed().split('\n').size(), 2);
}

TEST_F(SampleLmsTest, CoursePagesAnswerTheirFormsFieldWithItsRecord)
{
    const auto form = client_->Get("/LMS/WS/LMS_InfoQuestDuModule.htm");
    ASSERT_TRUE(form);
    EXPECT_NE(form->body.find("name=\"IdModule\""), std::string::npos);

    struct Case {
        const char* target;
        const char* body;
        const char* start;
    };
    const Case cases[] = {
        {"/LMS/WS/LMS_InfoQuestDuModule.aspx?CfgSite=&CfgBdd=", "IdModule=1201&TypeFormEval=F&IdResModule=-1",
         "200 #KAV_OK#|1211^1^"},
        {"/LMS/WS/LMS_InfoQuestionLS.aspx", "IdQuestionLs=1213", "200 #KAV_OK#|1213^1^"},
        // The launcher's own files first, the web service's otherwise.
        {"/LMS/WS/LMS_InfoQuestion.aspx", "IdQuestion=1211", "200 #KAV_OK#||501"},
        {"/LMS/WS/LMS_InfoQuestion.aspx", "IdQuestion=1212", "200 #KAV_OK#||"},
        {"/LMS/WS/lms_infodll.aspx", "IdDll=2", "200 #KAV_OK#|EXERVA|Eb|"},
        {"/LMS/WS/LMS_InfoVideo.aspx", "IdQuestion=1214", "200 #KAV_OK#|35^lecon12^"},
        {"/LMS/WS/LMS_InfoDll.aspx", "IdDll=99", "200 #KAV_ERREUR#||0|IdDll 99 inconnu"},
        {"/LMS/WS/LMS_InfoDll.aspx", "IdDll=..%2F..%2FREADME", "200 #KAV_ERREUR#||0|"},
        {"/LMS/WS/LMS_Other.aspx", "IdDll=1", "404 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.target) + " " + c.body);
        const std::string reply = post(c.target, c.body);
        EXPECT_EQ(reply.rfind(c.start, 0), 0u) << reply;
    }
    const auto byGet = client_->Get("/LMS/WS/LMS_InfoDll.aspx?IdDll=1");
    ASSERT_TRUE(byGet);
    EXPECT_EQ(byGet->status, 405);
}

TEST_F(SampleLmsTest, HelpPageOfTheClientFolderIsTheCoursesOwn)
{
    // The address the launcher gives the question player, which adds the page's number.
    const auto help = client_->Get(
        "/LMS/client_net/WS/pluginhelp.aspx?idlng=1036&app_id=12&prg_type=F&cfgbdd=&cfgsite=&plug_hlp=1");
    ASSERT_TRUE(help);
    EXPECT_EQ(help->status, 200);
    EXPECT_EQ(help->get_header_value("Content-Type"), "text/html; charset=utf-8");
    EXPECT_NE(help->body.find("<h1>Aide du module</h1>"), std::string::npos) << help->body;

    const auto other = client_->Get("/LMS/client_net/WS/pluginlng.aspx?sessionid=1");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->status, 404) << "only the help page is the course's";
}

}  // namespace
