#pragma once

#include <optional>
#include <QString>

namespace store
{

// The content of a template cell: "@" + one kind letter + "|" + body. The letter (A to L, or R) says
// where the value comes from and is also kept as report_data.data_type; the body runs to the end of the
// text, unescaped. A field cell ("@B|") holds a field name and an optional option group from its first
// "&" on; the design grid shows the field by its Chinese name, the report tables keep the database name.
struct CellSourceText {
    QChar letter;
    QString body;

    // The parts of a text that is a content text; none for any other text (a plain text typed into a
    // cell, a text shorter than three characters, an unknown letter, a missing "|").
    static std::optional<CellSourceText> parse(const QString& text);
    static bool isKindLetter(QChar letter);

    QString text() const;
};

// True only for a text that begins "@B|": other texts are never taken for fields, whatever their second
// character.
bool isFieldCellText(const QString& text);

// The letter kept as report_data.data_type: the second character of the stored text, "" for a text of
// one character. Plain texts keep theirs too, so that they are stored and read back unchanged.
QString storedDataType(const QString& content);

// A field body split at its first "&": the field name and the option group ("" or "&...&mode&").
struct FieldBody {
    QString name;
    QString options;

    static FieldBody split(const QString& body);
    QString body() const { return name + options; }
};

// The option group of a field cell: "&" n "-" m "&B&" or "&F&" (take m characters from the n-th), or
// "&" characters "&FI&" or "&BI&" (insert the characters before or after the value).
struct FieldOption {
    enum class Mode { TakeBack, TakeFront, InsertFront, InsertBack };
    Mode mode = Mode::TakeBack;
    int start = 0; // take options
    int count = 0;
    QString characters; // insert options

    // None for an empty group or one that is malformed (unknown mode, take counts that are no numbers).
    static std::optional<FieldOption> parse(const QString& options);
};

} // namespace store
