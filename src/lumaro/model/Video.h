#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace lumaro {

// One video of a taught application and its sequences, in playing order: each
// with its start time ("hh:mm:ss", possibly longer), its description and its
// identifier. Indexes are 0-based.
class Video {
public:
    // Appends a sequence; returns the new NbSeq.
    long addSeq(const QString& isTemps, const QString& isHtm, long ilIdSeq);

    QString DureeVideo() const { return dureeVideo_; }
    void DureeVideo(const QString& duree) { dureeVideo_ = duree; }
    long IdVideo() const { return idVideo_; }
    void IdVideo(long id) { idVideo_ = id; }
    QString FichierVideo() const { return fichierVideo_; }
    void FichierVideo(const QString& fichier) { fichierVideo_ = fichier; }
    bool PasSansSon() const { return pasSansSon_; }
    void PasSansSon(bool pasSansSon) { pasSansSon_ = pasSansSon; }

    long NbSeq() const { return long(temps_.size()); }
    // Copies of the start times and of the descriptions.
    QStringList TempsSeq() const { return temps_; }
    QStringList HtmSeq() const { return htm_; }
    // The first 8 characters of that sequence's start; "00:00:00" outside the table.
    QString DebutDUneSeq(long lIndex) const;
    // The start of the first sequence of that identifier, whose index replaces
    // the argument; -1 and "00:00:00" when none has it.
    QString DebutDUneSeqByIdSeq(long& lIdSeq) const;
    // The identifier at that index; -1 outside the table.
    long IdSeq(long lIdex) const;

    // Nothing to release.
    void Destroy() {}

private:
    long idVideo_ = 0;
    QString fichierVideo_;
    QString dureeVideo_;
    bool pasSansSon_ = false;
    QStringList temps_;
    QStringList htm_;
    std::vector<long> ids_;
};

}  // namespace lumaro
