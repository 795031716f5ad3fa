#pragma once

#include "RevealingQuestionControl.h"

#include "exerva/AnswerKey.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

class QCheckBox;
class QLabel;

namespace exerva {

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
class KavCC : public RevealingQuestionControl {
    Q_OBJECT
public:
    explicit KavCC(ExervaContext& context, QWidget* parent = nullptr);

    long InitXMLQuestion(const QDomNode& node) override;
    long InitXMLReponse(const QDomNode& node) override;
    long TestePoint(bool& iobBravo, QString& iosLettreReponse) override;

    // The visible mode shows the boxes and labels; BackColor and ForeColor go
    // to the control and to its boxes, labels and headers.

    // Points; 0 until written, although everything starts at 9.75 pt.
    long FontSize() const;
    void FontSize(long value);

    // Learner actions, the same code a mouse click or the space bar runs: each
    // click toggles the box. False when there is no such box or it is hidden.
    bool clickTrueBox(int index);
    bool clickFalseBox(int index);
    // A click on an item's label is a click on its (true) box; false while
    // the label is hidden.
    bool clickLabel(int index);

    // True/false mode, as the last question node chose it.
    bool isTrueFalse() const { return pibTypeVF_; }
    // Elements of the box and label arrays (element 0 exists from the start).
    int elementCount() const;
    QCheckBox* trueBox(int index) const;
    QCheckBox* falseBox(int index) const;
    QLabel* itemLabel(int index) const;
    QLabel* trueHeader() const { return lblVrai_; }
    QLabel* falseHeader() const { return lblFaux_; }
    const AnswerKey& answerKey() const { return answerKey_; }

protected:
    // Mouse clicks on the item labels.
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    void showContents() override;
    void cmdVisible_Click() override;
    void applyBackColorToContents(long color) override;
    void applyForeColorToContents(long color) override;
    // Loads the next element of a box array (chkCCVrai or chkCCFaux and its
    // tags); its clicks go to `click` with its index.
    void createBox(std::vector<QCheckBox*>& array, QStringList& tags, void (KavCC::*click)(int));
    void createLabel();
    bool answered() const;
    bool matches(const AnswerPattern& pattern) const;
    template <typename Each>
    void forEachBoxAndLabel(Each each);

    std::vector<QCheckBox*> chkCCVrai_;
    std::vector<QCheckBox*> chkCCFaux_;
    std::vector<QLabel*> lblCC_;
    // The item identifier each box carries.
    QStringList trueTags_;
    QStringList falseTags_;
    QLabel* lblVrai_ = nullptr;
    QLabel* lblFaux_ = nullptr;

    bool pibTypeVF_ = false;
    long pilLeftColVrai_ = 0;
    long pilLeftColFaux_ = 0;
    ItemCollection pioCasesVrai_;
    ItemCollection pioCasesFaux_;
    ItemCollection pioLibelles_;
    long fontSize_ = 0;
    AnswerKey answerKey_;
};

}  // namespace exerva
