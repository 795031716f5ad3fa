#pragma once

#include <cstddef>
#include <vector>

class QAbstractButton;
class QWidget;

namespace exerva {

// The question-type controls keep their elements in control arrays: element 0
// exists from the start, further elements are loaded as the question needs them.

// Element `index` of a control array; null when there is no such element.
template <typename Element>
Element* elementAt(const std::vector<Element*>& array, int index)
{
    return index >= 0 && index < int(array.size()) ? array[std::size_t(index)] : nullptr;
}

// A newly loaded element takes the font, colours, background filling and place
// of the lowest element, and starts hidden.
void copyElementSettings(const QWidget& lowest, QWidget& element);

// Clicks the button as the learner does, which only a shown and enabled button
// lets happen; false when it does not (or there is no button).
bool clickAsLearner(QAbstractButton* button);

}  // namespace exerva
