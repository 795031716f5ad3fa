// Replies of a learning management system to an AICC command: the reply's own
// keywords, the groups of the AU data and the learner's name.

#include "FuzzSupport.h"

#include "pelago/HacpReply.h"
#include "platform/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = platform::decodeText(fuzzsupport::bytes(data, size));
    const pelago::HacpReply reply = pelago::HacpReply::parse(text);
    reply.error();
    reply.errorText();
    const QString core = QStringLiteral("Core");
    pelago::splitStudentName(reply.value(core, QStringLiteral("Student_Name")));
    reply.value(core, QStringLiteral("Student_ID"));
    reply.value(core, QStringLiteral("Lesson_Status"));
    reply.value({}, QStringLiteral("aicc_data"));
    // The whole text as a name, for names of any shape.
    pelago::splitStudentName(text);
    return 0;
}
