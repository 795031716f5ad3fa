#pragma once

#include "lumaro/model/Video.h"
#include "tracel/TraceChannel.h"

#include <QString>

namespace hostsession {

// One video of a video reply, read and checked, ready to go into the model.
struct VideoRecord {
    lumaro::Video video;
    QString type;
    long idQuestion = 0;  // only when the record names its question
};

// Reads a video record ("^"-separated: identifier, file, duration, type and,
// withQuestion, the question) and its sequence element ("NO_SEQ", or
// sequences "^"-separated, each "¤"-separated: times, descriptor, identifier).
// The texts are kept as received: a time or a description that a player
// cannot use is refused by that player when the learner asks for the video,
// so that one odd video leaves the rest of the module playable. A missing
// field raises error 9, an identifier that is no number error 13.
VideoRecord readVideoRecord(const QString& record, const QString& sequences, bool withQuestion,
                            const tracel::TraceScope& scope);

}  // namespace hostsession
