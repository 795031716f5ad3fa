#pragma once

#include <QString>

namespace lumaro {

// One theme of the alphabetical index: a sequence of a video (its start, its
// silent variant) and, once a mask marks it, the question whose lesson or
// solution video it belongs to. One object is shared by its entry and the index.
class SeqThemeIndex {
public:
    SeqThemeIndex() = default;
    SeqThemeIndex(const SeqThemeIndex&) = delete;
    SeqThemeIndex& operator=(const SeqThemeIndex&) = delete;

    // Set by the index when it adds the theme.
    long IdSeqTheme() const { return idSeqTheme_; }
    void IdSeqTheme(long id) { idSeqTheme_ = id; }
    QString Intitule() const { return intitule_; }
    void Intitule(const QString& intitule) { intitule_ = intitule; }
    long IdVideo() const { return idVideo_; }
    void IdVideo(long id) { idVideo_ = id; }
    QString Debut() const { return debut_; }
    void Debut(const QString& debut) { debut_ = debut; }
    long IdSeqSansSon() const { return idSeqSansSon_; }
    void IdSeqSansSon(long id) { idSeqSansSon_ = id; }

    long IdQuestion() const { return idQuestion_; }
    void IdQuestion(long id) { idQuestion_ = id; }
    QString TypeVideo() const { return typeVideo_; }
    void TypeVideo(const QString& type) { typeVideo_ = type; }
    bool Visible() const { return visible_; }
    void Visible(bool visible) { visible_ = visible; }

private:
    long idSeqTheme_ = 0;
    QString intitule_;
    long idVideo_ = 0;
    QString debut_;
    long idSeqSansSon_ = 0;
    long idQuestion_ = 0;
    QString typeVideo_;
    bool visible_ = false;
};

}  // namespace lumaro
