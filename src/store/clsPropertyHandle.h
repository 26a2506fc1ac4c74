#pragma once

#include <QString>
#include <QVariant>

class QObject;

namespace store
{

// Datatype codes of a property-string item: they say how the value text converts on reading.
enum class PropertyDataType : int {
    String = 1,
    Integer = 2, // 16-bit
    Double = 3,
    Boolean = 4, // "TRUE" / "FALSE"
    Date = 5,
    Long = 6, // 32-bit; colours are written as Long
};

// The codec of property strings, the text form in which cell formats, row heights and column widths are
// stored: items "@" + name + "|" + datatype code + "|" + value, one after another. Inside a value "\",
// "@" and "|" carry a leading "\"; an item ends before the next "@" that follows an even number of "\".
// The class keeps no state.
class clsPropertyHandle
{
public:
    // "@" + name + "|" + code + "|" + encoded value; "" for an empty name. A value of blanks only is
    // written as "".
    static QString GetPropertyString(
        const QString& vsPropertyType, PropertyDataType viDataType, const QString& vsPropertyValue);

    // Splits the viNo-th item (counting from 1, every "@" counted, also an escaped one). False when there
    // are fewer items or the item does not split; the outputs are then left as they were.
    static bool GetPropertyByNo(const QString& vsPropertyString, int viNo, QString& vsPropertyType,
        int& viDataType, QString& vsPropertyValue);

    // Splits one item into name, datatype code and decoded value. A datatype that is no number leaves
    // vsSubString2 unchanged; the name is written as soon as the first "|" is found.
    static bool SeparateString(
        const QString& vsString, QString& vsSubString1, int& vsSubString2, QString& vsSubString3);

    // Finds the item named vsPropertyName (exact case) and splits it; the name found is written back.
    static bool GetPropertyByName(
        const QString& vsPropertyString, QString& vsPropertyName, int& viDataType, QString& vsPropertyValue);

    // Applies every item to the object by property name (names compared in upper case; FONT* names set
    // the object's font). Empties vsProperty_Info; false when the text held no item at all.
    static bool SetObjectProperty(QObject* vobjObject, QString& vsProperty_Info);

    // Converts a value text by datatype code; "" when the code is unknown or the text does not convert.
    // For Boolean the caller's text is upper-cased in place.
    static QVariant TransValue(int viDataType, QString& vsValue);

private:
    static QString EncodePropertyValue(const QString& value);
    static QString DecodePropertyValue(const QString& text);
    // Index just past the item that begins at start (the index of the next unescaped "@", or the length).
    static qsizetype FindPropertyEnd(qsizetype start, const QString& text);
    static void SetPropertyByName(QObject* object, int dataType, QString value, QString& name);
};

} // namespace store
