#pragma once

#include "exerva/AnswerKey.h"
#include "exerva/ExerciseControl.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;

namespace exerva {

class RevealButton;

// Multiple-answer question: a list of items, each with a label and one check
// box, or (mode word "VF") a true box and a false box under two column headers,
// the two boxes of an item excluding each other. Scored against the shared
// answer key on the ticks of the items' (true) boxes. An optional reveal button
// keeps boxes and labels hidden until the learner presses it.
//
// Member table (call by name): the methods InitXMLQuestion, InitXMLReponse and
// TestePoint; the properties ModeVisible, BackStyle, BackColor, ForeColor,
// FontSize, BorderStyle, CmdCaption, cmdBackColor, cmdHeight, cmdWidth, cmdTop
// and cmdLeft, each get and let. Writing a value a property does not take (a
// back style or border other than 0 or 1, a negative button size) throws
// platform::RuntimeError 380, which a call by name reports to the file's loader.
class KavCC : public QuestionControl {
    Q_OBJECT
public:
    explicit KavCC(ExervaContext& context, QWidget* parent = nullptr);

    long InitXMLQuestion(const QDomNode& node) override;
    long InitXMLReponse(const QDomNode& node) override;
    long TestePoint(bool& iobBravo, QString& iosLettreReponse) override;

    // -1 while the boxes and labels are shown, else 0; any non-zero value shows them.
    long ModeVisible() const;
    void ModeVisible(long value);
    // 0 transparent, 1 opaque.
    long BackStyle() const;
    void BackStyle(long value);
    // Colours are colour numbers (0x00BBGGRR, or a system colour 0x800000nn);
    // they go to the control and to its boxes, labels and headers.
    long BackColor() const;
    void BackColor(long value);
    long ForeColor() const;
    void ForeColor(long value);
    // Points; 0 until written, although everything starts at 9.75 pt.
    long FontSize() const;
    void FontSize(long value);
    // 0 none, 1 fixed single.
    long BorderStyle() const;
    void BorderStyle(long value);
    QString CmdCaption() const;
    void CmdCaption(const QString& value);
    long cmdBackColor() const;
    void cmdBackColor(long value);
    // The reveal button's place and size in pixels.
    long cmdHeight() const;
    void cmdHeight(long value);
    long cmdWidth() const;
    void cmdWidth(long value);
    long cmdTop() const;
    void cmdTop(long value);
    long cmdLeft() const;
    void cmdLeft(long value);

    // Learner actions, the same code a mouse click or the space bar runs: each
    // click toggles the box. False when there is no such box or it is hidden.
    bool clickTrueBox(int index);
    bool clickFalseBox(int index);
    // Presses the reveal button; false while it is hidden.
    bool pressReveal();

    // True/false mode, as the last question node chose it.
    bool isTrueFalse() const { return pibTypeVF_; }
    // Elements of the box and label arrays (element 0 exists from the start).
    int elementCount() const;
    QCheckBox* trueBox(int index) const;
    QCheckBox* falseBox(int index) const;
    QLabel* itemLabel(int index) const;
    QLabel* trueHeader() const { return lblVrai_; }
    QLabel* falseHeader() const { return lblFaux_; }
    QPushButton* revealButton() const;
    const AnswerKey& answerKey() const { return answerKey_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Items keyed by identifier (compared without regard to case), in item order.
    class ItemCollection {
    public:
        int count() const { return int(keys_.size()); }
        // Throws platform::RuntimeError 457 when the identifier is already there.
        void add(const QString& identifier, int element);
        // The element under the identifier, -1 when there is none.
        int find(const QString& identifier) const;
        // Elements in item order.
        std::vector<int> elements() const { return elements_; }

    private:
        QStringList keys_;
        std::vector<int> elements_;
        QHash<QString, int> index_;
    };

    void chkCCVrai_Click(int index);
    void chkCCFaux_Click(int index);
    void cmdVisible_Click();
    void createTrueBox();
    void createFalseBox();
    void createLabel();
    void showElements();
    bool answered() const;
    bool matches(const AnswerPattern& pattern) const;
    template <typename Each>
    void forEachBoxAndLabel(Each each);
    void addLongProperty(const QString& name, long (KavCC::*get)() const, void (KavCC::*let)(long));

    std::vector<QCheckBox*> chkCCVrai_;
    std::vector<QCheckBox*> chkCCFaux_;
    std::vector<QLabel*> lblCC_;
    // The item identifier each box carries.
    QStringList trueTags_;
    QStringList falseTags_;
    QLabel* lblVrai_ = nullptr;
    QLabel* lblFaux_ = nullptr;
    RevealButton* cmdVisible_ = nullptr;

    bool pibTypeVF_ = false;
    long pilLeftColVrai_ = 0;
    long pilLeftColFaux_ = 0;
    ItemCollection pioCasesVrai_;
    ItemCollection pioCasesFaux_;
    ItemCollection pioLibelles_;
    bool modeVisible_ = false;
    long fontSize_ = 0;
    long backStyle_ = 1;
    long backColor_;
    long foreColor_;
    long borderStyle_ = 0;
    long cmdBackColor_;
    AnswerKey answerKey_;
};

}  // namespace exerva
