#include "LikePattern.h"

#include <vector>

namespace pelago {
namespace {

// Whether c is in the bracketed list that opens at pattern[open] ("["); end
// receives the index just past its "]". A "[" without "]" stands for itself.
bool inList(const QString& pattern, qsizetype open, QChar c, qsizetype& end)
{
    const qsizetype close = pattern.indexOf(u']', open + 1);
    if (close < 0) {
        end = open + 1;
        return c == u'[';
    }
    end = close + 1;
    qsizetype i = open + 1;
    const bool negate = i < close && pattern[i] == u'!';
    if (negate)
        ++i;
    bool found = false;
    for (; i < close; ++i) {
        if (i + 2 < close && pattern[i + 1] == u'-') {
            found = found || (c >= pattern[i] && c <= pattern[i + 2]);
            i += 2;
        } else {
            found = found || c == pattern[i];
        }
    }
    return found != negate;
}

}  // namespace

bool likeMatch(const QString& text, const QString& pattern)
{
    // reach[j]: the first j characters of the text match the pattern read so far.
    std::vector<bool> reach(static_cast<std::size_t>(text.size()) + 1, false);
    reach[0] = true;
    qsizetype p = 0;
    while (p < pattern.size()) {
        const QChar token = pattern[p];
        std::vector<bool> next(reach.size(), false);
        qsizetype after = p + 1;
        if (token == u'*') {
            bool any = false;
            for (std::size_t j = 0; j < reach.size(); ++j) {
                any = any || reach[j];
                next[j] = any;
            }
        } else {
            for (qsizetype j = 0; j < text.size(); ++j) {
                if (!reach[static_cast<std::size_t>(j)])
                    continue;
                const QChar c = text[j];
                bool match = false;
                if (token == u'?')
                    match = true;
                else if (token == u'#')
                    match = c.isDigit();
                else if (token == u'[')
                    match = inList(pattern, p, c, after);
                else
                    match = c == token;
                if (match)
                    next[static_cast<std::size_t>(j) + 1] = true;
            }
            if (token == u'[')
                inList(pattern, p, QChar(), after);
        }
        reach = std::move(next);
        p = after;
    }
    return reach.back();
}

}  // namespace pelago
