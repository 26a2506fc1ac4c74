#pragma once

#include <functional>
#include <optional>
#include <pugixml.hpp>
#include <QString>
#include <vector>

// The paragraphs of a word-processor body and the marked texts in them, for WordDocument.
namespace platform::outside
{

// One part of a paragraph's text: a text node of one of its runs.
struct TextPiece {
    pugi::xml_node node;
    QString text;
};
using Paragraph = std::vector<TextPiece>;

// The paragraphs below `root` pass by pass: first those outside any text box, then those of each text box
// in the order the boxes open (a box inside a box is a pass of its own). A text belongs to its innermost
// paragraph. The tree is walked once without recursion, so any depth only costs memory.
std::vector<std::vector<Paragraph>> collectPasses(const pugi::xml_node& root);

// Replaces the marked texts of one paragraph, read from left to right in one forward pass, in time linear
// in the paragraph's length and its number of marks: see WordDocument::visitLastCopy. `templatePath`
// names the template in the refusal of an opening marker without its closing one.
void replaceMarks(Paragraph& paragraph, const QString& open, const QString& close,
    const std::function<std::optional<QString>(const QString&)>& visitor, const QString& templatePath);

} // namespace platform::outside
