#pragma once

#include "exerva/ExerciseControl.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

class QPushButton;
class QRadioButton;

namespace exerva {

class RevealButton;

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
class KavBO : public QuestionControl {
    Q_OBJECT
public:
    explicit KavBO(ExervaContext& context, QWidget* parent = nullptr);

    long InitXMLQuestion(const QDomNode& node) override;
    long InitXMLReponse(const QDomNode& node) override;
    long TestePoint(bool& iobBravo, QString& iosLettreReponse) override;

    // -1 while the options are shown, else 0; any non-zero value shows them.
    long ModeVisible() const;
    void ModeVisible(long value);
    // 0 transparent, 1 opaque.
    long BackStyle() const;
    void BackStyle(long value);
    // Colours are colour numbers (0x00BBGGRR, or a system colour 0x800000nn).
    long BackColor() const;
    void BackColor(long value);
    long ForeColor() const;
    void ForeColor(long value);
    // 0 none, 1 fixed single.
    long BorderStyle() const;
    void BorderStyle(long value);
    long OptionBackColor() const;
    void OptionBackColor(long value);
    long OptionForeColor() const;
    void OptionForeColor(long value);
    // Points; 0 until written, although the options start at 9.75 pt.
    long OptionFontSize() const;
    void OptionFontSize(long value);
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

    // Learner actions, the same code a mouse click or the keyboard runs.
    // Chooses option `index`; false when there is no such option or it is hidden.
    bool chooseOption(int index);
    // Presses the reveal button; false while it is hidden.
    bool pressReveal();

    // The option buttons in index order (element 0 exists from the start).
    int optionCount() const;
    QRadioButton* optionButton(int index) const;
    QPushButton* revealButton() const;
    // The answer letter an option received from the answer node.
    QString optionLetter(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void cmdVisible_Click();
    int createOption();
    void addOption(const QString& identifier, int index);
    int optionIndex(const QString& identifier) const;
    void clearChoice();
    void addLongProperty(const QString& name, long (KavBO::*get)() const, void (KavBO::*let)(long));

    std::vector<QRadioButton*> optBO_;
    // The answer letter of each element of optBO_.
    QStringList tags_;
    // The options collection: element index by case-folded identifier, and the
    // identifiers in creation order.
    QHash<QString, int> pioOptions_;
    QStringList optionKeys_;
    RevealButton* cmdVisible_ = nullptr;

    bool modeVisible_ = false;
    QString noCheckLetter_;
    long backStyle_ = 1;
    long backColor_;
    long foreColor_;
    long borderStyle_ = 0;
    long optionBackColor_ = 0;
    long optionForeColor_ = 0;
    long optionFontSize_ = 0;
};

}  // namespace exerva
