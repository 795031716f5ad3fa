#pragma once

#include <QString>

namespace lumaro {

// A video sequence of the thematic index, as the host reads it without its video type.
struct tSeqThematique {
    QString sTheme;
    QString sDebut;
    long lIdVideo = 0;
    long lIdQuestion = 0;
    long lfkSeqSansSon = 0;

    friend bool operator==(const tSeqThematique&, const tSeqThematique&) = default;
};

}  // namespace lumaro
