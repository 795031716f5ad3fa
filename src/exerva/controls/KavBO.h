#pragma once

#include "RevealingQuestionControl.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

class QRadioButton;

namespace exerva {

// Single-choice question: one option button per option of the exercise file,
// all in one exclusive group, each carrying its answer letter ("0" for the
// right one). An optional reveal button keeps the options hidden until the
// learner presses it.
//
// Member table (call by name): the methods InitXMLQuestion, InitXMLReponse and
// TestePoint; the properties ModeVisible, BackStyle, BackColor, ForeColor,
// BorderStyle, OptionBackColor, OptionForeColor, OptionFontSize, CmdCaption,
// cmdBackColor, cmdHeight, cmdWidth, cmdTop and cmdLeft, each get and let.
// Writing a value a property does not take (a back style or border other than
// 0 or 1, a negative button size) throws platform::RuntimeError 380, which a
// call by name reports to the file's loader.
class KavBO : public RevealingQuestionControl {
    Q_OBJECT
public:
    explicit KavBO(ExervaContext& context, QWidget* parent = nullptr);

    long InitXMLQuestion(const QDomNode& node) override;
    long InitXMLReponse(const QDomNode& node) override;
    long TestePoint(bool& iobBravo, QString& iosLettreReponse) override;

    // The visible mode shows the options. The options keep their own colours
    // whatever the control's; these are colour numbers.
    long OptionBackColor() const;
    void OptionBackColor(long value);
    long OptionForeColor() const;
    void OptionForeColor(long value);
    // Points; 0 until written, although the options start at 9.75 pt.
    long OptionFontSize() const;
    void OptionFontSize(long value);

    // Learner actions, the same code a mouse click or the keyboard runs.
    // Chooses option `index`; false when there is no such option or it is hidden.
    bool chooseOption(int index);

    // The option buttons in index order (element 0 exists from the start).
    int optionCount() const;
    QRadioButton* optionButton(int index) const;
    // The answer letter an option received from the answer node.
    QString optionLetter(int index) const;

private:
    void showContents() override;
    void cmdVisible_Click() override;
    int createOption();
    void addOption(const QString& identifier, int index);
    int optionIndex(const QString& identifier) const;
    void clearChoice();

    std::vector<QRadioButton*> optBO_;
    // The answer letter of each element of optBO_.
    QStringList tags_;
    // The options collection: element index by case-folded identifier, and the
    // identifiers in creation order.
    QHash<QString, int> pioOptions_;
    QStringList optionKeys_;

    QString noCheckLetter_;
    long optionBackColor_ = 0;
    long optionForeColor_ = 0;
    long optionFontSize_ = 0;
};

}  // namespace exerva
