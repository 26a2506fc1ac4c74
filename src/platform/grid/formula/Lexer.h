#pragma once

#include <QList>
#include <QString>

namespace platform::grid::formula
{

enum class TokenKind { Number, Text, Identifier, Error, Operator, End };

struct Token {
    TokenKind kind = TokenKind::End;
    QString text; // the operator, identifier, error code or the text literal's content
    double number = 0;
    qsizetype position = 0;

    bool isOperator(QStringView op) const { return kind == TokenKind::Operator && text == op; }
};

// Splits a formula (without "=") into tokens ending with an End token. Throws platform::Error
// (InvalidArgument) on a character that starts no token or an unterminated text.
QList<Token> tokenize(const QString& formula);

// Throws the platform::Error that every formula syntax problem gives.
[[noreturn]] void throwSyntaxError(const QString& formula, qsizetype position, const QString& problem);

} // namespace platform::grid::formula
