#pragma once

#include <QString>
#include <QStringView>

namespace engine
{

// A yes-or-no question about number-format texts that keeps its last answer. The cells of a page share
// a few formats, and cells of one format share the characters of its text, so most cells are answered
// without reading the text again. The text asked last is held, so its characters cannot be freed and
// taken by another text while they serve as the key.
class FormatQuestion
{
public:
    explicit FormatQuestion(bool (*decide)(QStringView format))
        : decide_(decide)
    {
    }

    bool operator()(const QString& format)
    {
        if (!known_ || format.constData() != last_.constData() || format.size() != last_.size()) {
            answer_ = decide_(format);
            last_ = format;
            known_ = true;
        }
        return answer_;
    }

private:
    bool (*decide_)(QStringView);
    QString last_;
    bool known_ = false;
    bool answer_ = false;
};

} // namespace engine
