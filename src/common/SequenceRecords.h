#pragma once

#include "lumaro/model/Video.h"
#include "tracel/TraceChannel.h"

#include <QString>

namespace common {

// The video player plays at most this many sequences of one video.
inline constexpr qsizetype maxSequencesPerVideo = 20;

// One video of a video reply, read and checked, ready to go into the model.
struct VideoRecord {
    lumaro::Video video;
    QString type;
    long idQuestion = 0;  // only when the record names its question
};

// Reads a video record ("^"-separated: identifier, file, duration, type and,
// withQuestion, the question) and its sequence element ("NO_SEQ", or
// sequences "^"-separated, each "¤"-separated: times, descriptor, identifier).
// What the players cannot play raises error 380 with the offending text: a
// duration other than "mm:ss:cc", sequence times other than
// "mm:ss:cc-mm:ss:cc", a descriptor whose FILE gives a Duree other than
// "hh:mm:ss", more sequences than the video player plays. A missing field
// raises error 9, an identifier that is no number error 13.
VideoRecord readVideoRecord(const QString& record, const QString& sequences, bool withQuestion,
                            const tracel::TraceScope& scope);

}  // namespace common
