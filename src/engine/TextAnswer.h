#pragma once

#include <QString>
#include <QStringView>

namespace engine
{

// A function of a text that keeps its last answer. The cells of a page share a few formats and totals,
// and cells of one format share the characters of its text, so most cells are answered without reading
// the text again. The text asked last is held, so its characters cannot be freed and taken by another
// text while they serve as the key.
template <class Result> class TextAnswer
{
public:
    explicit TextAnswer(Result (*answer)(QStringView text))
        : answer_(answer)
    {
    }

    Result operator()(const QString& text)
    {
        if (!known_ || text.constData() != last_.constData() || text.size() != last_.size()) {
            result_ = answer_(text);
            last_ = text;
            known_ = true;
        }
        return result_;
    }

private:
    Result (*answer_)(QStringView);
    QString last_;
    bool known_ = false;
    Result result_ {};
};

} // namespace engine
