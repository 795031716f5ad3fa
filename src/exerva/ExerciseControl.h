#pragma once

#include "exerva/controls/PropertyArgument.h"

#include <QDomNode>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QWidget>

#include <functional>
#include <initializer_list>

namespace exerva {

struct ExervaContext;

// Call types of a call by name.
enum CallType : long {
    VbMethod = 1,
    VbGet = 2,
    VbLet = 4,
    VbSet = 8,
};

// A control that an exercise file places in the exercise window by program
// identifier. Exercise files reach a control only through the members it
// declares in its table; nothing else can be called by name.
class ExerciseControl : public QWidget {
    Q_OBJECT
public:
    ExerciseControl(ExervaContext& context, QWidget* parent);

    // Calls the member under its name (compared without regard to case) with the
    // call type. Arguments are passed by reference: a member may change them.
    // Throws platform::RuntimeError 5 for a call type other than 1, 2, 4 or 8,
    // 438 when the control has no such member or the member does not take that
    // call type; a member's own failure throws too.
    QVariant callByName(const QString& member, long callType, QVariantList& arguments);

    bool hasMember(const QString& member, long callType) const;

    ExervaContext& context() const { return context_; }

protected:
    using Handler = std::function<QVariant(QVariantList& arguments)>;
    // callTypes is a combination of CallType values.
    void addMember(const QString& name, long callTypes, Handler handler);

    // One Long property of the member table, answering Get and Let through a
    // getter and a setter of the control. A Let reads its argument with `read`,
    // which throws for a value the property does not take.
    template <typename Control>
    struct LongProperty {
        const char* name;
        long (Control::*get)() const;
        void (Control::*let)(long);
        long (*read)(const QVariantList& arguments) = longArgument;
    };

    // Adds a table of Long properties of `control` (this control, seen as its own class).
    template <typename Control>
    void addLongProperties(Control& control, std::initializer_list<LongProperty<Control>> properties)
    {
        for (const LongProperty<Control>& property : properties) {
            addMember(QString::fromLatin1(property.name), VbGet | VbLet,
                      [&control, property](QVariantList& arguments) -> QVariant {
                          if (arguments.isEmpty())
                              return QVariant::fromValue<long>((control.*property.get)());
                          (control.*property.let)(property.read(arguments));
                          return {};
                      });
        }
    }

private:
    struct Member {
        long callTypes = 0;
        Handler handler;
    };

    ExervaContext& context_;
    QHash<QString, Member> members_;
};

// The contract of every question-type control. Each operation returns a state
// (1 when done) and leaves it in the engine's pulStateEnCours. The control
// declares the three operations as methods in its member table.
class QuestionControl : public ExerciseControl {
    Q_OBJECT
public:
    QuestionControl(ExervaContext& context, QWidget* parent);

    // Builds the question from its node.
    virtual long InitXMLQuestion(const QDomNode& node) = 0;
    // Loads the answer key from its node.
    virtual long InitXMLReponse(const QDomNode& node) = 0;
    // Scores the learner's answer: Bravo, and the answer letter ("" when right).
    virtual long TestePoint(bool& iobBravo, QString& iosLettreReponse) = 0;
};

}  // namespace exerva

Q_DECLARE_METATYPE(QDomNode)
