#include "Video.h"

namespace lumaro {

namespace {

const QString noStart = QStringLiteral("00:00:00");

}  // namespace

long Video::addSeq(const QString& isTemps, const QString& isHtm, long ilIdSeq)
{
    temps_.append(isTemps);
    htm_.append(isHtm);
    ids_.push_back(ilIdSeq);
    return NbSeq();
}

QString Video::DebutDUneSeq(long lIndex) const
{
    if (lIndex < 0 || lIndex >= NbSeq())
        return noStart;
    return temps_.at(qsizetype(lIndex)).left(8);
}

QString Video::DebutDUneSeqByIdSeq(long& lIdSeq) const
{
    for (std::size_t i = 0; i < ids_.size(); ++i) {
        if (ids_[i] == lIdSeq) {
            lIdSeq = long(i);
            return temps_.at(qsizetype(i)).left(8);
        }
    }
    lIdSeq = -1;
    return noStart;
}

long Video::IdSeq(long lIdex) const
{
    if (lIdex < 0 || lIdex >= NbSeq())
        return -1;
    return ids_[std::size_t(lIdex)];
}

}  // namespace lumaro
