#include "platform/outside/WordParagraphs.h"

#include "platform/outside/TemplateZip.h"

#include <cstring>

namespace platform::outside
{

namespace
{

bool named(const pugi::xml_node& node, const char* name)
{
    return std::strcmp(node.name(), name) == 0;
}

// Walks the tree in document order and keeps, for the elements it is inside of, which pass and which
// paragraph they open; an element is left once the walk comes back to its depth.
class PassCollector : public pugi::xml_tree_walker
{
public:
    std::vector<std::vector<Paragraph>> passes { 1 };

    bool for_each(pugi::xml_node& node) override
    {
        const int level = depth();
        while (!inside_.empty() && inside_.back().level >= level)
            inside_.pop_back();
        const std::size_t pass = inside_.empty() ? 0 : inside_.back().pass;
        if (named(node, "w:txbxContent")) {
            passes.emplace_back();
            inside_.push_back({ level, passes.size() - 1, -1 });
        } else if (named(node, "w:p")) {
            passes[pass].emplace_back();
            inside_.push_back({ level, pass, qsizetype(passes[pass].size()) - 1 });
        } else if (named(node, "w:t") && !inside_.empty() && inside_.back().paragraph >= 0) {
            passes[pass][inside_.back().paragraph].push_back({ node, QString::fromUtf8(node.text().get()) });
        }
        return true;
    }

private:
    struct Inside {
        int level;
        std::size_t pass;
        qsizetype paragraph; // -1 for a text box
    };
    std::vector<Inside> inside_;
};

struct Replacement {
    qsizetype from;
    qsizetype to;
    QString text;
};

void setPieceText(TextPiece& piece, const QString& text)
{
    piece.text = text;
    piece.node.text().set(text.toUtf8().constData());
    if (!piece.node.attribute("xml:space"))
        piece.node.append_attribute("xml:space") = "preserve";
}

// Writes the replacements (in order, not overlapping, in positions of the joined text) into the pieces:
// each replacement's text goes into the piece where it starts, and the text it covers leaves every piece.
void applyReplacements(
    Paragraph& paragraph, const QString& text, const std::vector<Replacement>& replacements)
{
    std::size_t next = 0;
    qsizetype start = 0;
    for (TextPiece& piece : paragraph) {
        const qsizetype end = start + piece.text.size();
        qsizetype at = start;
        QString changed;
        bool touched = false;
        while (next < replacements.size() && replacements[next].from < end) {
            const Replacement& replacement = replacements[next];
            touched = true;
            if (replacement.from >= at) {
                changed += QStringView(text).mid(at, replacement.from - at);
                changed += replacement.text;
            }
            if (replacement.to > end) {
                at = end;
                break;
            }
            at = replacement.to;
            ++next;
        }
        if (touched) {
            changed += QStringView(text).mid(at, end - at);
            setPieceText(piece, changed);
        }
        start = end;
    }
}

// A text shown in a message: its start, when it is long.
QString shortened(QStringView text)
{
    constexpr qsizetype Shown = 40;
    return text.size() <= Shown ? text.toString() : text.left(Shown).toString() + QStringLiteral("…");
}

bool blank(QStringView text)
{
    return text.trimmed().isEmpty();
}

} // namespace

std::vector<std::vector<Paragraph>> collectPasses(const pugi::xml_node& root)
{
    PassCollector collector;
    pugi::xml_node(root).traverse(collector);
    return std::move(collector.passes);
}

void replaceMarks(Paragraph& paragraph, const QString& open, const QString& close,
    const std::function<std::optional<QString>(const QString&)>& visitor, const QString& templatePath)
{
    QString text;
    for (const TextPiece& piece : paragraph)
        text += piece.text;
    std::vector<Replacement> replacements;
    // Every search starts where the last one of its kind left off or further on, so each character is
    // looked at a bounded number of times however many marks the paragraph holds.
    qsizetype nextOpen = text.indexOf(open);
    qsizetype nextClose = -1;
    while (nextOpen >= 0) {
        const qsizetype begin = nextOpen;
        const qsizetype contentStart = begin + open.size();
        if (nextClose < contentStart)
            nextClose = text.indexOf(close, contentStart);
        if (nextClose < 0)
            failWordDocument(QStringLiteral("报表模板%1中的“%2”没有对应的“%3”：%4！")
                                 .arg(templatePath, open, close, shortened(QStringView(text).mid(begin))));
        const qsizetype end = nextClose;
        nextOpen = text.indexOf(open, contentStart);
        const QStringView content = QStringView(text).mid(contentStart, end - contentStart);
        if (blank(content) || (nextOpen >= 0 && nextOpen + open.size() <= end))
            continue;
        const qsizetype after = end + close.size();
        if (std::optional<QString> replacement = visitor(content.toString()))
            replacements.push_back({ begin, after, std::move(*replacement) });
        if (nextOpen >= 0 && nextOpen < after)
            nextOpen = text.indexOf(open, after);
    }
    applyReplacements(paragraph, text, replacements);
}

} // namespace platform::outside
